// The 8251 dialog as a user works it: connecting chips as a prefix, their
// addresses and routes kept per chip, OK writing all five, Cancel none, and
// the refusal of an address that is no number.
#include "dialogs/Configdl8251.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/QtTestRegistry.h"

namespace {
using Dlg = C8251ConfigDlg;
constexpr int kChip1 = Dlg::IDC_CHIP1;
constexpr int kConnect = Dlg::IDC_CONNECT;
constexpr int kAddress = Dlg::IDC_ADDRESS;
constexpr int kRst65 = Dlg::IDC_IRQ_NONE + 3;
constexpr int kTrap = Dlg::IDC_IRQ_NONE + 1;

void ConnectFive() {
    g_Sim.m_n8251Count = 5;
    for (int i = 0; i < kMaxChips; ++i) {
        g_Sim.m_n8251Address[i] = u8(0x10 + 2 * i);
        g_Irq8251Route[i] = u8(i == 0 ? 0 : 3 + i);
    }
}
}  // namespace

class TestConfig8251 : public QObject {
    Q_OBJECT
private slots:
    void init() { StartFromPowerOn(); }

    void firstChipIsConnectedByItsBox() {
        MessageLog log;
        OpenDialog<Dlg> dlg;
        QCOMPARE(dlg->windowTitle(), QString("8251 Configuration"));
        QVERIFY(dlg.Checked(kChip1));
        QVERIFY(dlg.HasFocus(kChip1));
        QCOMPARE(dlg.BoxState(kConnect), int(kConnectClear));
        QVERIFY(!dlg.Enabled(kAddress));
        QVERIFY(!dlg.Enabled(kRst65));
        dlg.Click(kConnect);
        QCOMPARE(dlg.BoxState(kConnect), int(kConnectTicked));
        QVERIFY(dlg.Enabled(kAddress));
        QVERIFY(dlg.HasFocus(kAddress));
        dlg.Type(kAddress, "1f");
        QCOMPARE(dlg.Text(kAddress), QString("1F"));
        dlg.Click(kRst65);
        QVERIFY(dlg.Ok());
        QCOMPARE(int(g_Sim.m_n8251Count), 1);
        QCOMPARE(int(g_Sim.m_n8251Address[0]), 0x1F);
        QCOMPARE(int(g_Irq8251Route[0]), 6);
        QVERIFY(log.Take().isEmpty());

        OpenDialog<Dlg> again;
        QCOMPARE(again.Text(kAddress), QString("1f"));
        QVERIFY(again.Checked(kRst65));
    }

    void disconnectingAChipDisconnectsTheOnesAfterItButKeepsTheirSettings() {
        ConnectFive();
        OpenDialog<Dlg> dlg;
        dlg.Click(kChip1 + 2);
        QCOMPARE(dlg.BoxState(kConnect), int(kConnectTicked));
        dlg.Click(kConnect);
        QCOMPARE(g_Sim.m_nWork8251Count, u8(2));
        QCOMPARE(dlg.BoxState(kConnect), int(kConnectClear));
        dlg.Click(kChip1 + 4);
        QCOMPARE(dlg.BoxState(kConnect), int(kConnectGreyed));
        QVERIFY(!dlg.Enabled(kAddress));
        // A greyed box does nothing.
        dlg.Click(kConnect);
        QCOMPARE(g_Sim.m_nWork8251Count, u8(2));
        QVERIFY(dlg.Ok());
        QCOMPARE(int(g_Sim.m_n8251Count), 2);
        // Addresses and routes of every slot are written back, connected or not.
        for (int i = 0; i < kMaxChips; ++i) QCOMPARE(int(g_Sim.m_n8251Address[i]), 0x10 + 2 * i);
        QCOMPARE(int(g_Irq8251Route[4]), 7);

        OpenDialog<Dlg> again;
        again.Click(kChip1 + 2);
        again.Click(kConnect);
        QCOMPARE(again.Text(kAddress), QString("14"));
        QVERIFY(again.Checked(Dlg::IDC_IRQ_NONE + 2));
    }

    void switchingChipsKeepsTheEditsAndCancelDropsThem() {
        ConnectFive();
        OpenDialog<Dlg> dlg;
        dlg.Type(kAddress, "A0");
        dlg.Click(kTrap);
        dlg.Click(kChip1 + 1);
        QCOMPARE(dlg.Text(kAddress), QString("12"));
        dlg.Click(kChip1);
        QCOMPARE(dlg.Text(kAddress), QString("a0"));
        QVERIFY(dlg.Checked(kTrap));
        dlg.Click(kChip1 + 3);
        dlg.Click(kConnect);
        QVERIFY(dlg.Cancel());
        QCOMPARE(int(g_Sim.m_n8251Count), 5);
        QCOMPARE(int(g_Sim.m_n8251Address[0]), 0x10);
        QCOMPARE(int(g_Irq8251Route[0]), 0);
    }

    void longAddressIsWarnedAboutAndItsLowByteTaken() {
        ConnectFive();
        MessageLog log;
        OpenDialog<Dlg> dlg;
        dlg.Type(kAddress, "1234");
        dlg.Click(kChip1 + 1);
        QCOMPARE(log.Take(), (QList<ShownMessage>{{"Please enter no more than 2 characters.", kAppTitle}}));
        QCOMPARE(g_Sim.m_Work8251Address[0], 0x1234u);
        QVERIFY(dlg.Checked(kChip1 + 1));
        dlg.Click(kChip1);
        QCOMPARE(dlg.Text(kAddress), QString("1234"));
        QVERIFY(dlg.Ok());
        QCOMPARE(log.Take().size(), 1);
        QCOMPARE(int(g_Sim.m_n8251Address[0]), 0x34);
    }

    void addressWithoutDigitsIsRefusedAndNothingWritten() {
        ConnectFive();
        MessageLog log;
        OpenDialog<Dlg> dlg;
        dlg.Click(kChip1 + 1);
        dlg.Type(kAddress, "");
        dlg.Click(kChip1 + 3);
        const QList<ShownMessage> refused{{"Entered value is not correct", kAppTitle}};
        QCOMPARE(log.Take(), refused);
        QVERIFY(dlg.Checked(kChip1 + 1));
        QVERIFY(dlg.HasFocus(kAddress));
        dlg.Type(kAddress, "zz");
        QVERIFY(!dlg.Ok());
        QCOMPARE(log.Take(), refused);
        QVERIFY(dlg.HasFocus(kAddress));
        QCOMPARE(int(g_Sim.m_n8251Address[1]), 0x12);
        dlg.Type(kAddress, "2c");
        QVERIFY(dlg.Ok());
        QCOMPARE(int(g_Sim.m_n8251Address[1]), 0x2C);
    }
};

TORVAN_TEST_CLASS(TestConfig8251);
#include "test_config_8251.moc"
