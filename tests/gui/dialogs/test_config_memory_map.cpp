// The memory-map dialog as a user works it: EPROM and RAM banks connected as
// a prefix, the range check, switching types, and OK writing both together.
#include "dialogs/ConfigdlMemoryMap.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/QtTestRegistry.h"

namespace {
using Dlg = CMemoryMapDlg;
constexpr int kStart = Dlg::IDC_START1;
constexpr int kEnd = Dlg::IDC_END1;
constexpr int kBox = Dlg::IDC_CONNECT1;
}  // namespace

class TestConfigMemoryMap : public QObject {
    Q_OBJECT
private slots:
    void init() { StartFromPowerOn(); }

    void opensOnThePowerOnMapInLowerCase() {
        OpenDialog<Dlg> dlg;
        QCOMPARE(dlg->windowTitle(), QString("Memory Map"));
        QVERIFY(dlg.Checked(Dlg::IDC_EPROM));
        QVERIFY(dlg.HasFocus(Dlg::IDC_EPROM));
        QCOMPARE(dlg.Text(kStart), QString("0"));
        QCOMPARE(dlg.Text(kEnd), QString("1fff"));
        QCOMPARE(dlg.BoxState(kBox), int(kConnectTicked));
        QCOMPARE(dlg.BoxState(kBox + 1), int(kConnectClear));
        QCOMPARE(dlg.BoxState(kBox + 2), int(kConnectGreyed));
        QVERIFY(!dlg.Enabled(kStart + 1));
        dlg.Click(Dlg::IDC_RAM);
        QCOMPARE(dlg.Text(kStart), QString("e000"));
        QCOMPARE(dlg.Text(kEnd), QString("ffff"));
    }

    void endBelowStartIsRefusedForTheFirstSuchBank() {
        MessageLog log;
        OpenDialog<Dlg> dlg;
        dlg.Click(kBox + 1);
        dlg.Click(kBox + 2);
        dlg.Type(kStart + 1, "4000");
        dlg.Type(kEnd + 1, "3FFF");
        dlg.Type(kStart + 2, "9000");
        dlg.Type(kEnd + 2, "8000");
        QVERIFY(!dlg.Ok());
        QCOMPARE(log.Take(), (QList<ShownMessage>{{"Bank#2 : Invalid Address Range\n", "Error !"}}));
        QVERIFY(dlg.HasFocus(kEnd + 1));
        // A switch of type is refused the same way: the clicked radio stays
        // selected over the fields of the type still shown.
        dlg.Click(Dlg::IDC_RAM);
        QCOMPARE(log.Take().size(), 1);
        QVERIFY(dlg.Checked(Dlg::IDC_RAM));
        QCOMPARE(dlg->m_nType, int(Dlg::IDC_EPROM));
        QCOMPARE(dlg.Text(kEnd + 1), QString("3FFF"));
        dlg.Type(kEnd + 1, "");
        QVERIFY(!dlg.Ok());
        QCOMPARE(log.Take(), (QList<ShownMessage>{{"Entered value is not correct", kAppTitle}}));
        QCOMPARE(int(g_Sim.m_nEpromBanks), 1);
        QCOMPARE(int(g_Sim.m_EpromStart[1]), 0);
        dlg.Type(kEnd + 1, "4000");
        dlg.Type(kEnd + 2, "9000");
        QVERIFY(dlg.Ok());
        QCOMPARE(int(g_Sim.m_nEpromBanks), 3);
        QCOMPARE(int(g_Sim.m_EpromEnd[1]), 0x4000);
        QCOMPARE(int(g_Sim.m_EpromStart[2]), 0x9000);
    }

    void bothTypesAreWrittenTogetherOnOkAndNeitherOnCancel() {
        for (const bool ok : {false, true}) {
            StartFromPowerOn();
            OpenDialog<Dlg> dlg;
            dlg.Type(kEnd, "0fff");
            dlg.Click(Dlg::IDC_RAM);
            dlg.Click(kBox + 1);
            dlg.Type(kStart, "8000");
            dlg.Type(kEnd, "9FFF");
            dlg.Type(kStart + 1, "9000");
            dlg.Type(kEnd + 1, "AFFF");
            dlg.Click(Dlg::IDC_EPROM);
            QCOMPARE(dlg.Text(kEnd), QString("fff"));
            QVERIFY(ok ? dlg.Ok() : dlg.Cancel());
            // Overlapping RAM banks are accepted.
            QCOMPARE(int(g_Sim.m_EpromEnd[0]), ok ? 0x0FFF : 0x1FFF);
            QCOMPARE(int(g_Sim.m_nRamBanks), ok ? 2 : 1);
            QCOMPARE(int(g_Sim.m_RamStart[0]), ok ? 0x8000 : 0xE000);
            QCOMPARE(int(g_Sim.m_RamEnd[1]), ok ? 0xAFFF : 0xFFFF);
        }
    }

    void disconnectedBanksKeepTheirAddresses() {
        g_Sim.m_nEpromBanks = 3;
        g_Sim.m_EpromStart[1] = 0x2000;
        g_Sim.m_EpromEnd[1] = 0x3FFF;
        g_Sim.m_EpromStart[2] = 0x4000;
        g_Sim.m_EpromEnd[2] = 0x5FFF;
        OpenDialog<Dlg> dlg;
        dlg.Click(kBox + 1);
        QCOMPARE(g_Sim.m_nWorkEpromBanks, u8(1));
        QCOMPARE(dlg.BoxState(kBox + 2), int(kConnectGreyed));
        dlg.Click(kBox + 3);
        QCOMPARE(g_Sim.m_nWorkEpromBanks, u8(1));
        QVERIFY(dlg.Ok());
        QCOMPARE(int(g_Sim.m_nEpromBanks), 1);
        QCOMPARE(int(g_Sim.m_EpromStart[2]), 0x4000);

        OpenDialog<Dlg> again;
        again.Click(kBox + 1);
        again.Click(kBox + 2);
        QCOMPARE(again.Text(kStart + 1), QString("2000"));
        QCOMPARE(again.Text(kEnd + 2), QString("5fff"));
        QVERIFY(again.HasFocus(kStart + 2));
    }
};

TORVAN_TEST_CLASS(TestConfigMemoryMap);
#include "test_config_memory_map.moc"
