// The input-to-chip dialogs: 8155 and 8255 port levels written on OK to the
// input ports only, and the 8253 gates with the counters' reaction by mode.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "dialogs/8155InpDlg.h"
#include "dialogs/8253InpDlg.h"
#include "dialogs/8255InpDlg.h"
#include "dialogs/ChipRadioGroup.h"
#include "platform/MessageBox.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/PowerOn.h"
#include "tests/support/QtTestRegistry.h"

namespace {
void Type(QLineEdit* pEdit, const QString& text) {
    pEdit->selectAll();
    QTest::keyClick(pEdit, Qt::Key_Delete);
    QTest::keyClicks(pEdit, text);
}

CounterState& Slot(int chip, int counter) {
    g_Sim.SyncTimers();
    return g_Sim.m_Timer[chip * 3 + counter];
}

void SetCounter(int chip, int counter, u8 mode, u8 gate, u32 reload) {
    CounterState& t = Slot(chip, counter);
    t.m_nMode = mode;
    t.m_bGate = gate;
    t.m_nReload = reload;
    t.m_nCount = 1;
    t.m_nReloadEven = 0;
    t.m_bRunning = 0;
    t.m_bOut = 0;
    g_Sim.TimersWritten();
}
}  // namespace

class TestInputDialogs : public QObject {
    Q_OBJECT

    QStringList m_messages;

private slots:
    void init() {
        StartFromPowerOn();
        m_messages.clear();
        SetMessageBoxResponder([this](const QString& text, unsigned) {
            m_messages << text;
            return int(IDOK);
        });
    }
    void cleanup() { SetMessageBoxResponder(nullptr); }

    void absentChipsAreSaidAndChangeNothing() {
        C8155InpDlg d8155;
        C8253InpDlg d8253;
        C8255InpDlg d8255;
        QCOMPARE(d8155.DoModal(), int(QDialog::Rejected));
        QCOMPARE(d8253.DoModal(), int(QDialog::Rejected));
        QCOMPARE(d8255.DoModal(), int(QDialog::Rejected));
        QCOMPARE(m_messages,
                 (QStringList{"Sorry, No 8155 Connected", "Sorry, No 8253 Connected", "Sorry, No 8255 Connected"}));
    }

    void the8155TakesItsInputPorts_data() {
        QTest::addColumn<QString>("portA");
        QTest::addColumn<QString>("portC");
        QTest::addColumn<int>("latchA");
        QTest::addColumn<int>("latchC");
        QTest::newRow("5a and 3") << "5a"
                                  << "3" << 0x5A << 0x03;
        QTest::newRow("C takes FF as typed") << "12"
                                             << "FF" << 0x12 << 0xFF;
        QTest::newRow("an emptied port keeps its latch") << ""
                                                         << "" << 0x11 << 0x33;
    }
    void the8155TakesItsInputPorts() {
        QFETCH(QString, portA);
        QFETCH(QString, portC);
        QFETCH(int, latchA);
        QFETCH(int, latchC);
        g_Sim.m_b8155Connected = 1;
        const u16 directions[3] = {1, 0, 1};
        const u8 latches[3] = {0x11, 0x22, 0x33};
        for (int port = 0; port < 3; ++port) {
            g_Sim.m_8155PortIsInput[port] = directions[port];
            g_Sim.m_8155Port[port] = latches[port];
        }
        C8155InpDlg dlg;
        AnswerModal<C8155InpDlg>([&](C8155InpDlg* pDlg) {
            QCOMPARE(pDlg->PortEdit(0)->text(), QString("11"));
            QCOMPARE(pDlg->PortEdit(1)->text(), QString("OP"));
            QVERIFY(!pDlg->PortEdit(1)->isEnabled());
            QCOMPARE(pDlg->PortEdit(2)->text(), QString("33"));
            Type(pDlg->PortEdit(0), portA);
            Type(pDlg->PortEdit(2), portC);
            pDlg->accept();
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        QCOMPARE(int(g_Sim.m_8155Port[0]), latchA);
        QCOMPARE(int(g_Sim.m_8155Port[1]), 0x22);
        QCOMPARE(int(g_Sim.m_8155Port[2]), latchC);
    }

    void the8255TakesPortsAndHalves_data() {
        QTest::addColumn<QString>("upper");
        QTest::addColumn<int>("portC");
        QTest::newRow("A into the upper half") << "A" << 0xA6;
        QTest::newRow("an emptied half keeps its bits") << "" << 0x56;
    }
    void the8255TakesPortsAndHalves() {
        QFETCH(QString, upper);
        QFETCH(int, portC);
        g_Sim.m_n8255Count = 2;
        // Chip 1: A and C upper input, B and C lower output; chip 2: A output.
        g_Sim.m_8255PortAIsInput[0] = 1;
        g_Sim.m_8255PortBIsInput[0] = 0;
        g_Sim.m_8255PortCHighIsInput[0] = 1;
        g_Sim.m_8255PortCLowIsInput[0] = 0;
        g_Sim.m_8255PortAIsInput[1] = 0;
        g_Sim.m_8255PortA[0] = 0x12;
        g_Sim.m_8255PortB[0] = 0x34;
        g_Sim.m_8255PortC[0] = 0x56;
        C8255InpDlg dlg;
        AnswerModal<C8255InpDlg>([&](C8255InpDlg* pDlg) {
            QVERIFY(pDlg->ChipRadios()->Radio(1)->isEnabled());
            QVERIFY(!pDlg->ChipRadios()->Radio(2)->isEnabled());
            QCOMPARE(pDlg->PortAEdit()->text(), QString("12"));
            QVERIFY(!pDlg->PortBEdit()->isEnabled());
            QCOMPARE(pDlg->PortCUpperEdit()->text(), QString("5"));
            QCOMPARE(pDlg->PortCUpperEdit()->maxLength(), 1);
            QVERIFY(!pDlg->PortCLowerEdit()->isEnabled());
            // Chip 2's port A is an output: its edit keeps chip 1's text, disabled.
            pDlg->ChipRadios()->Radio(1)->click();
            QVERIFY(!pDlg->PortAEdit()->isEnabled());
            QCOMPARE(pDlg->PortAEdit()->text(), QString("12"));
            pDlg->ChipRadios()->Radio(0)->click();
            Type(pDlg->PortAEdit(), "ab");
            Type(pDlg->PortCUpperEdit(), upper);
            pDlg->accept();
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        QCOMPARE(int(g_Sim.m_8255PortA[0]), 0xAB);
        QCOMPARE(int(g_Sim.m_8255PortB[0]), 0x34);
        QCOMPARE(int(g_Sim.m_8255PortC[0]), portC);
    }

    void gatesStartCountersByTheirModes() {
        g_Sim.m_n8253Count = 2;
        SetCounter(0, 0, 0, 1, 10);  // mode 0: runs while its gate is high
        SetCounter(0, 1, 1, 0, 20);  // mode 1: the rising gate restarts it
        SetCounter(0, 2, 1, 1, 30);  // mode 1 already high: no restart
        SetCounter(1, 0, 2, 0, 40);  // mode 2 with a low gate: stopped, OUT high
        SetCounter(1, 1, 3, 0, 7);   // mode 3: rising gate, odd reload
        SetCounter(1, 2, 5, 0, 50);  // mode 5: rising gate triggers it
        C8253InpDlg dlg;
        QStringList labels;
        AnswerModal<C8253InpDlg>([&](C8253InpDlg* pDlg) {
            for (int chip = 0; chip < kMaxChips; ++chip)
                QCOMPARE(pDlg->ChipRadios()->Radio(chip)->isEnabled(), chip < 2);
            QVERIFY(pDlg->ChipRadios()->Radio(0)->isChecked());
            for (int counter = 0; counter < 3; ++counter) labels << pDlg->GateBox(counter)->text();
            // Gate 1 of chip 1 goes high; chip 2's gates 1 and 2 too.
            pDlg->GateBox(1)->click();
            pDlg->ChipRadios()->Radio(1)->click();
            QCOMPARE(pDlg->GateBox(0)->text(), QString("Gate 0 Low"));
            pDlg->GateBox(1)->click();
            pDlg->GateBox(2)->click();
            QCOMPARE(pDlg->GateBox(2)->text(), QString("Gate 2 High"));
            pDlg->accept();
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        // Choosing chip 2 dropped chip 1's unapplied change.
        QCOMPARE(labels, (QStringList{"Gate 0 High", "Gate 1 Low", "Gate 2 High"}));
        QCOMPARE(int(Slot(0, 1).m_bGate), 0);
        QCOMPARE(int(Slot(0, 0).m_bRunning), 1);
        QCOMPARE(int(Slot(0, 2).m_bRunning), 0);
        QCOMPARE(int(Slot(0, 2).m_nCount), 1);
        QCOMPARE(int(Slot(1, 0).m_bRunning), 0);
        QCOMPARE(int(Slot(1, 0).m_bOut), 1);
        const CounterState& square = Slot(1, 1);
        QCOMPARE(int(square.m_bRunning), 1);
        QCOMPARE(int(square.m_bOut), 1);
        QCOMPARE(int(square.m_nCount), 7);
        QCOMPARE(int(square.m_nReloadEven), 6);
        const CounterState& strobe = Slot(1, 2);
        QCOMPARE(int(strobe.m_bRunning), 1);
        QCOMPARE(int(strobe.m_nCount), 50);
    }

    void aRisingGateRestartsAModeOneCounter() {
        g_Sim.m_n8253Count = 1;
        SetCounter(0, 1, 1, 0, 20);
        C8253InpDlg dlg;
        AnswerModal<C8253InpDlg>([](C8253InpDlg* pDlg) {
            pDlg->GateBox(1)->click();
            pDlg->accept();
        });
        dlg.DoModal();
        const CounterState& t = Slot(0, 1);
        QCOMPARE(int(t.m_bGate), 1);
        QCOMPARE(int(t.m_bRunning), 1);
        QCOMPARE(int(t.m_bOut), 0);
        QCOMPARE(int(t.m_nCount), 20);
    }
};

TORVAN_TEST_CLASS(TestInputDialogs);
#include "test_input_dialogs.moc"
