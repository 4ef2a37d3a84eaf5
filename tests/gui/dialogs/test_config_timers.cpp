// The two timer dialogs as a user works them: prescalers and routes of the
// 8155 timer and of the fifteen 8253 counters, and what OK and Cancel write.
#include "dialogs/ConfigdlTimer8155.h"
#include "dialogs/ConfigdlTimer8253.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/QtTestRegistry.h"

namespace {
using T53 = C8253TimerDlg;
using T55 = C8155TimerDlg;
}  // namespace

class TestConfigTimers : public QObject {
    Q_OBJECT
private slots:
    void init() { StartFromPowerOn(); }

    void timer8155WritesSlot15OnOk() {
        g_Sim.m_TimerPrescaler[15] = 0xA;
        g_Sim.m_Timer[15].m_nIrqRoute = 7;
        g_Sim.m_Timer[15].m_nCount = 99;
        g_Sim.TimersWritten();
        MessageLog log;
        OpenDialog<T55> dlg;
        QCOMPARE(dlg->windowTitle(), QString("8155 Timer"));
        QVERIFY(!dlg.Item(T55::kIdCancel));
        QCOMPARE(dlg.Text(T55::IDC_PRESCALER), QString("a"));
        QVERIFY(dlg.Checked(T55::IDC_IRQ_NONE + 4));
        QCOMPARE(dlg.Button(T55::IDC_IRQ_NONE)->text(), QString("NONE"));
        dlg.Type(T55::IDC_PRESCALER, "");
        QVERIFY(!dlg.Ok());
        QCOMPARE(log.Take(), (QList<ShownMessage>{{"Entered value is not correct", kAppTitle}}));
        QCOMPARE(int(g_Sim.m_TimerPrescaler[15]), 0xA);
        dlg.Type(T55::IDC_PRESCALER, "1f4");
        dlg.Click(T55::IDC_IRQ_NONE + 1);
        QVERIFY(dlg.Ok());
        QCOMPARE(int(g_Sim.m_TimerPrescaler[15]), 500);
        QCOMPARE(int(g_Sim.m_Timer[15].m_nIrqRoute), 4);
        QCOMPARE(g_Sim.m_Timer[15].m_nCount, 99);
    }

    void timer8155ClosedByEscapeWritesNothing() {
        OpenDialog<T55> dlg;
        dlg.Type(T55::IDC_PRESCALER, "0");
        QTest::keyClick(&*dlg, Qt::Key_Escape);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(int(g_Sim.m_TimerPrescaler[15]), 1);
    }

    void counterEditsAreKeptPerSlotUntilOk() {
        g_Sim.m_n8253Count = 2;
        g_Sim.m_TimerPrescaler[6] = 0x33;
        g_Sim.TimersWritten();
        OpenDialog<T53> dlg;
        QCOMPARE(dlg->windowTitle(), QString("8253 Timers"));
        QVERIFY(dlg.Checked(T53::IDC_CHIP1));
        QVERIFY(dlg.Checked(T53::IDC_TIMER1));
        QCOMPARE(dlg.Text(T53::IDC_PRESCALER), QString("1"));
        for (int j = 0; j < kMaxChips; ++j) QCOMPARE(dlg.Enabled(T53::IDC_CHIP1 + j), j < 2);
        dlg.Click(T53::IDC_TIMER1 + 1);
        dlg.Type(T53::IDC_PRESCALER, "10");
        dlg.Click(T53::IDC_TIMER1 + 2);
        dlg.Click(T53::IDC_TIMER1 + 1);
        QCOMPARE(dlg.Text(T53::IDC_PRESCALER), QString("10"));
        // Timer 3 of chip 2 to RST6.5: slot 5.
        dlg.Click(T53::IDC_CHIP1 + 1);
        QVERIFY(dlg.Checked(T53::IDC_TIMER1));
        dlg.Click(T53::IDC_TIMER1 + 2);
        dlg.Click(T53::IDC_IRQ_NONE + 3);
        QCOMPARE(int(g_Sim.m_TimerPrescaler[1]), 1);
        QVERIFY(dlg.Ok());
        QCOMPARE(int(g_Sim.m_TimerPrescaler[1]), 0x10);
        QCOMPARE(int(g_Sim.m_Timer[5].m_nIrqRoute), 6);
        QCOMPARE(int(g_Sim.m_TimerPrescaler[6]), 0x33);
    }

    void cancelWritesNoCounter() {
        g_Sim.m_n8253Count = 5;
        OpenDialog<T53> dlg;
        dlg.Click(T53::IDC_CHIP1 + 2);
        QCOMPARE(dlg.Text(T53::IDC_PRESCALER), QString("1"));
        dlg.Type(T53::IDC_PRESCALER, "ab");
        dlg.Click(T53::IDC_IRQ_NONE + 1);
        dlg.Click(T53::IDC_CHIP1 + 4);
        QVERIFY(dlg.Cancel());
        QCOMPARE(int(g_Sim.m_TimerPrescaler[6]), 1);
        QCOMPARE(int(g_Sim.m_Timer[6].m_nIrqRoute), 0);
    }

    void prescalerWithoutDigitsKeepsTheCounterShown() {
        g_Sim.m_n8253Count = 1;
        MessageLog log;
        OpenDialog<T53> dlg;
        dlg.Type(T53::IDC_PRESCALER, "x");
        dlg.Click(T53::IDC_TIMER1 + 2);
        QCOMPARE(log.Take(), (QList<ShownMessage>{{"Entered value is not correct", kAppTitle}}));
        QVERIFY(dlg.Checked(T53::IDC_TIMER1));
        QVERIFY(dlg.HasFocus(T53::IDC_PRESCALER));
        QVERIFY(!dlg.Ok());
        QCOMPARE(log.Take().size(), 1);
        // A prescaler of 0 is stored as 0.
        dlg.Type(T53::IDC_PRESCALER, "0");
        QVERIFY(dlg.Ok());
        QCOMPARE(int(g_Sim.m_TimerPrescaler[0]), 0);
    }
};

TORVAN_TEST_CLASS(TestConfigTimers);
#include "test_config_timers.moc"
