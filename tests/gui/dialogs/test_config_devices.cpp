// The 8155, LCD and chip-address dialogs as a user works them: connecting,
// typed ports, the LCD's widths, the 8253/8255 chips as a prefix, and what
// OK, Cancel and a refused value leave in g_Sim.
#include "dialogs/Configdl8155.h"
#include "dialogs/ConfigdlChip.h"
#include "dialogs/ConfigdlLcd.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/QtTestRegistry.h"

namespace {
const QList<ShownMessage> kNotCorrectOk{{"Entered value is not correct", "Ok"}};
const QList<ShownMessage> kNotCorrectMessage{{"Entered value is not correct", "Message"}};
}  // namespace

class TestConfigDevices : public QObject {
    Q_OBJECT
private slots:
    void init() { StartFromPowerOn(); }

    void connecting8155StoresItsPortInUpperCase() {
        MessageLog log;
        {
            OpenDialog<C8155ConfigDlg> dlg;
            QCOMPARE(dlg->windowTitle(), QString("8155 Configuration"));
            QCOMPARE(dlg.Text(C8155ConfigDlg::IDC_ADDRESS), QString("0"));
            QVERIFY(!dlg.Enabled(C8155ConfigDlg::IDC_ADDRESS));
            dlg.Click(C8155ConfigDlg::IDC_CONNECT);
            QVERIFY(dlg.HasFocus(C8155ConfigDlg::IDC_ADDRESS));
            // The text is selected, so what the user types replaces it.
            QTest::keyClicks(dlg.Edit(C8155ConfigDlg::IDC_ADDRESS), "c0");
            QVERIFY(dlg.Ok());
        }
        QCOMPARE(int(g_Sim.m_b8155Connected), 1);
        QCOMPARE(int(g_Sim.m_n8155Address), 0xC0);
        {
            OpenDialog<C8155ConfigDlg> dlg;
            QCOMPARE(dlg.Text(C8155ConfigDlg::IDC_ADDRESS), QString("C0"));
            dlg.Type(C8155ConfigDlg::IDC_ADDRESS, "-");
            QVERIFY(!dlg.Ok());
            QCOMPARE(log.Take(), kNotCorrectOk);
            QVERIFY(dlg.HasFocus(C8155ConfigDlg::IDC_ADDRESS));
            // Unticked, only the connected flag is cleared.
            dlg.Click(C8155ConfigDlg::IDC_CONNECT);
            QVERIFY(dlg.Ok());
        }
        QCOMPARE(int(g_Sim.m_b8155Connected), 0);
        QCOMPARE(int(g_Sim.m_n8155Address), 0xC0);
        QVERIFY(log.Take().isEmpty());
    }

    void lcdWidthsAreDecimalAndBoundedByWhatItShows() {
        MessageLog log;
        OpenDialog<CLcdConfigDlg> dlg;
        QCOMPARE(dlg.Text(CLcdConfigDlg::IDC_LOGICAL), QString("8"));
        QCOMPARE(dlg.Text(CLcdConfigDlg::IDC_PHYSICAL), QString("16"));
        dlg.Click(CLcdConfigDlg::IDC_CONNECT);
        QVERIFY(dlg.Enabled(CLcdConfigDlg::IDC_PHYSICAL));
        dlg.Type(CLcdConfigDlg::IDC_ADDRESS, "1b50");
        struct Widths {
            const char* logical;
            const char* physical;
            int refused;  // the field refused, or 0
        };
        const Widths rows[] = {
            {"21", "16", CLcdConfigDlg::IDC_LOGICAL}, {"40", "41", CLcdConfigDlg::IDC_PHYSICAL},
            {"", "16", CLcdConfigDlg::IDC_LOGICAL},   {"8", "x", CLcdConfigDlg::IDC_PHYSICAL},
            {"-1", "20", CLcdConfigDlg::IDC_LOGICAL},
        };
        for (const Widths& row : rows) {
            dlg.Type(CLcdConfigDlg::IDC_LOGICAL, row.logical);
            dlg.Type(CLcdConfigDlg::IDC_PHYSICAL, row.physical);
            QVERIFY2(!dlg.Ok(), row.logical);
            QCOMPARE(log.Take(), kNotCorrectMessage);
            QVERIFY2(dlg.HasFocus(row.refused), row.logical);
            QCOMPARE(int(g_Sim.m_bLcdConnected), 0);
        }
        dlg.Type(CLcdConfigDlg::IDC_LOGICAL, "40");
        dlg.Type(CLcdConfigDlg::IDC_PHYSICAL, "40");
        QVERIFY(dlg.Ok());
        QCOMPARE(int(g_Sim.m_bLcdConnected), 1);
        QCOMPARE(int(g_Sim.m_nLcdAddress), 0x50);
        QCOMPARE(int(g_Sim.m_nLcdCharsLogical), 40);
        QCOMPARE(int(g_Sim.m_nLcdCharsPhysical), 40);

        OpenDialog<CLcdConfigDlg> again;
        QCOMPARE(again.Text(CLcdConfigDlg::IDC_ADDRESS), QString("50"));
        again.Type(CLcdConfigDlg::IDC_LOGICAL, "20");
        again.Click(CLcdConfigDlg::IDC_CONNECT);
        QVERIFY(again.Ok());
        QCOMPARE(int(g_Sim.m_bLcdConnected), 0);
        QCOMPARE(int(g_Sim.m_nLcdCharsLogical), 40);
    }

    void chipDialogCaptionFollowsTheKind() {
        g_nChipDlgKind = kChipDlg8253;
        {
            OpenDialog<CChipConfigDlg> dlg;
            QCOMPARE(dlg->windowTitle(), QString("8253 Configuration"));
        }
        g_nChipDlgKind = kChipDlg8255;
        OpenDialog<CChipConfigDlg> dlg;
        QCOMPARE(dlg->windowTitle(), QString("8255 Configuration"));
    }

    void disconnectingAChipStoresOnlyTheChipsBeforeIt() {
        g_nChipDlgKind = kChipDlg8255;
        g_Sim.m_n8255Count = 3;
        for (int i = 0; i < kMaxChips; ++i) g_Sim.m_8255Address[i] = u8(0x40 + 4 * i);
        OpenDialog<CChipConfigDlg> dlg;
        QList<int> states;
        for (int i = 0; i < kMaxChips; ++i) states << dlg.BoxState(CChipConfigDlg::IDC_CONNECT1 + i);
        QCOMPARE(states, (QList<int>{kConnectTicked, kConnectTicked, kConnectTicked, kConnectClear, kConnectGreyed}));
        QCOMPARE(dlg.Text(CChipConfigDlg::IDC_ADDRESS1 + 4), QString("50"));
        dlg.Type(CChipConfigDlg::IDC_ADDRESS1, "a0");
        dlg.Type(CChipConfigDlg::IDC_ADDRESS1 + 1, "a4");
        dlg.Click(CChipConfigDlg::IDC_CONNECT1 + 1);
        QVERIFY(!dlg.Enabled(CChipConfigDlg::IDC_ADDRESS1 + 1));
        QCOMPARE(dlg.BoxState(CChipConfigDlg::IDC_CONNECT1 + 2), int(kConnectGreyed));
        QVERIFY(dlg.Ok());
        QCOMPARE(int(g_Sim.m_n8255Count), 1);
        QCOMPARE(int(g_Sim.m_8255Address[0]), 0xA0);
        QCOMPARE(int(g_Sim.m_8255Address[1]), 0x44);
        QCOMPARE(int(g_Sim.m_8255Address[2]), 0x48);
    }

    void noChipConnectedLeavesOnlyTheFirstBoxClear() {
        g_nChipDlgKind = kChipDlg8253;
        MessageLog log;
        OpenDialog<CChipConfigDlg> dlg;
        for (int i = 0; i < kMaxChips; ++i) QVERIFY(!dlg.Enabled(CChipConfigDlg::IDC_ADDRESS1 + i));
        dlg.Click(CChipConfigDlg::IDC_CONNECT1 + 2);
        QCOMPARE(g_Sim.m_nWork8253Count, u8(0));
        dlg.Click(CChipConfigDlg::IDC_CONNECT1);
        dlg.Click(CChipConfigDlg::IDC_CONNECT1 + 1);
        QCOMPARE(g_Sim.m_nWork8253Count, u8(2));
        QVERIFY(dlg.HasFocus(CChipConfigDlg::IDC_ADDRESS1 + 1));
        dlg.Type(CChipConfigDlg::IDC_ADDRESS1 + 1, "");
        QVERIFY(!dlg.Ok());
        QCOMPARE(log.Take(), (QList<ShownMessage>{{"Entered value is not correct", kAppTitle}}));
        QCOMPARE(int(g_Sim.m_n8253Count), 0);
        dlg.Type(CChipConfigDlg::IDC_ADDRESS1 + 1, "123");
        QVERIFY(dlg.Ok());
        QCOMPARE(log.Take(), (QList<ShownMessage>{{"Please enter no more than 2 characters.", kAppTitle}}));
        QCOMPARE(int(g_Sim.m_n8253Count), 2);
        QCOMPARE(int(g_Sim.m_8253Address[1]), 0x23);
    }

    void cancelLeavesTheChipsAsTheyWere() {
        g_nChipDlgKind = kChipDlg8253;
        g_Sim.m_n8253Count = 2;
        g_Sim.m_8253Address[0] = 0x30;
        OpenDialog<CChipConfigDlg> dlg;
        dlg.Type(CChipConfigDlg::IDC_ADDRESS1, "99");
        dlg.Click(CChipConfigDlg::IDC_CONNECT1);
        QVERIFY(dlg.Cancel());
        QCOMPARE(int(g_Sim.m_n8253Count), 2);
        QCOMPARE(int(g_Sim.m_8253Address[0]), 0x30);
    }
};

TORVAN_TEST_CLASS(TestConfigDevices);
#include "test_config_devices.moc"
