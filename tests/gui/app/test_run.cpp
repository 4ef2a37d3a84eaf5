// Run control driven as a user drives it: Single Step by key and menu, Run
// with its breakpoint and HLT stops, Terminate and CPU Reset from the
// toolbar and the keys while a program runs, the interrupt commands, and
// what the loop lets through while it runs.
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>

#include "app/FindDialog.h"
#include "app/RunLoopFilter.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// LXI SP,2000 / MVI A,01 / MVI B,02 / ADD B / MVI C,55 / HLT / NOP
const QByteArray kStraight = Program({0x31, 0x00, 0x20, 0x3E, 0x01, 0x06, 0x02, 0x80, 0x0E, 0x55, 0x76, 0x00});
// LXI SP,2000 / loop: INR A / JMP loop
const QByteArray kEndless = Program({0x31, 0x00, 0x20, 0x3C, 0xC3, 0x03, 0x00});
// JMP 0004 into the middle of LXI B,0000
const QByteArray kIntoInstruction = Program({0xC3, 0x04, 0x00, 0x01, 0x00, 0x00});

// LXI SP,2000 / MVI D,10 / MVI C,00 / MVI B,00 / INR B / JNZ / DCR C / JNZ /
// DCR D / JNZ / NOP / HLT: about two million instructions, many time slices,
// up to the NOP at 0015 and the HLT at 0016.
const QByteArray kLongLoops = Program({0x31, 0x00, 0x20, 0x16, 0x10, 0x0E, 0x00, 0x06, 0x00, 0x04, 0xC2, 0x09,
                                       0x00, 0x0D, 0xC2, 0x07, 0x00, 0x15, 0xC2, 0x05, 0x00, 0x00, 0x76, 0x00});
// loop: LDA 2000 / ORA A / JZ loop / XRA A / STA 2000 / HLT: waits for the
// test to set the flag, and clears it on the way to its HLT.
constexpr u16 kFlag = 0x2000;
const QByteArray kUntilFlagged =
    Program({0x3A, 0x00, 0x20, 0xB7, 0xCA, 0x00, 0x00, 0xAF, 0x32, 0x00, 0x20, 0x76, 0x00});
// LXI SP,2000 / MVI A,08 / SIM (all RSTs unmasked) / EI / loop: JMP loop
const QByteArray kWaitForInterrupts = Program({0x31, 0x00, 0x20, 0x3E, 0x08, 0x30, 0xFB, 0xC3, 0x07, 0x00});

constexpr int kSoon = 30;

// A run ended as a stop ends it: its text in pane 0, the marker alone on the
// program counter's line.
void VerifyEndedAt(const ProgramWindowFixture& f, const char* text) {
    QCOMPARE(f.Pane(0), QString(text));
    QVERIFY(f.MarkerOn(f.m_view->LineOfAddress(g_Sim.m_pc)));
    QCOMPARE(f.MarkerCount(), 1);
}

// Ends a run that a test failed to stop, so that the test reports instead
// of hanging.
class Watchdog {
public:
    Watchdog() {
        QTimer::singleShot(10000, &m_context, [this] {
            m_bFired = true;
            g_Sim.m_bRunning = 0;
            g_Sim.m_bStopRequest = 1;
        });
    }
    bool Fired() const { return m_bFired; }

private:
    QObject m_context;
    bool m_bFired = false;
};

// A window of the document that is not the program window; it marks itself
// for repainting on every update and can end a run after some updates.
class OtherView : public QWidget, public CView {
public:
    void OnUpdate(CView*, long) override {
        ++m_nUpdates;
        update();
        if (m_nUpdates == m_nStopAfter) GetMainFrame()->OnRunTerminateProgram();
    }
    void paintEvent(QPaintEvent*) override { ++m_nPaints; }
    int m_nUpdates = 0;
    int m_nPaints = 0;
    int m_nStopAfter = -1;
};

// Opens an OtherView as a further window of the document.
OtherView* OpenOtherView(ProgramWindowFixture& f) {
    auto* other = new OtherView;
    auto* frame = new QMdiSubWindow;
    frame->setWidget(other);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    f.m_doc->AddView(other);
    f.m_frame->MDIClient()->addSubWindow(frame);
    frame->resize(200, 150);
    frame->show();
    return other;
}
}  // namespace

class TestRun : public QObject {
    Q_OBJECT

    // Timers of a test end with it, even when the test fails early.
    QObject* m_pContext = nullptr;
    template <class F> void Later(int ms, F fn) { QTimer::singleShot(ms, m_pContext, fn); }

private slots:
    void init() { m_pContext = new QObject; }
    void cleanup() {
        delete m_pContext;
        m_pContext = nullptr;
    }

    void stepMovesTheMarkerWithTheProgramCounter() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStraight));
        QTest::keyClick(f.m_frame, Qt::Key_F7);
        QCOMPARE(g_Sim.m_pc, u16(0x0003));
        QCOMPARE(g_CurrentLine, 2);
        QVERIFY(f.MarkerOn(2));
        QCOMPARE(f.MarkerCount(), 1);
        QVERIFY(f.Row(1).startsWith('>'));
        QCOMPARE(f.Pane(2), QString("Line 2"));
        QCOMPARE(f.Pane(1), QString("Cycles %1").arg(g_Sim.TStates()));
        QTest::keyClick(f.m_frame, Qt::Key_F8);
        QCOMPARE(g_Sim.m_pc, u16(0x0005));
        QVERIFY(f.MarkerOn(3));
        f.Command(ID_RUN_SINGLESTEP);
        f.Command(ID_RUN_SINGLESTEP);
        QCOMPARE(g_Sim.m_regA, u8(3));
        QCOMPARE(g_CurrentLine, 5);
        QVERIFY(f.MarkerOn(5));
        QCOMPARE(f.MarkerCount(), 1);
        QVERIFY(f.Row(4).startsWith('>'));
        QVERIFY(f.Row(4).contains("0008  0E 55      MVI  C,55"));
    }

    void runStopsOnABreakpointBeforeItsInstruction() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStraight));
        QCOMPARE(g_Sim.ToggleBreakpoint(0x0008), 1);
        QTest::keyClick(f.m_frame, Qt::Key_F7, Qt::ControlModifier);
        QCOMPARE(g_Sim.m_pc, u16(0x0008));
        QCOMPARE(g_Sim.m_regC, u8(0));
        QCOMPARE(g_Sim.m_bRunning, 0u);
        QCOMPARE(f.Pane(0), QString("Execution terminated....."));
        QCOMPARE(g_CurrentLine, 5);
        QVERIFY(f.MarkerOn(5));
        QVERIFY(!f.m_view->ShowsExecuting());

        // Started on the breakpoint, Run executes it and goes on to the HLT,
        // which stops it with the marker on the line after the HLT.
        f.Command(ID_RUN_RUN);
        QCOMPARE(g_Sim.m_regC, u8(0x55));
        QCOMPARE(g_Sim.m_pc, u16(0x000B));
        QCOMPARE(g_CurrentLine, 7);
        QVERIFY(f.MarkerOn(7));
        QCOMPARE(f.MarkerCount(), 1);
        QCOMPARE(f.Pane(0), QString("Execution terminated....."));
    }

    void terminateFromTheToolbarEndsTheRunAsAStopDoes() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kEndless));
        Watchdog watchdog;
        bool sawExecuting = false;
        Later(kSoon, [&] {
            sawExecuting = f.m_view->ShowsExecuting() && f.Row(0) == "Executing..." && f.Row(1).isEmpty();
            f.ClickToolbar(ID_RUN_TERMINATEPROGRAM);
        });
        f.ClickToolbar(ID_RUN_RUN);
        QVERIFY(!watchdog.Fired());
        QVERIFY(sawExecuting);
        QCOMPARE(g_Sim.m_bRunning, 0u);
        QCOMPARE(g_Sim.m_bStopRequest, 1u);
        QVERIFY(g_Sim.m_regA != 0);
        VerifyEndedAt(f, "Execution terminated.....");
    }

    void ctrlF2EndsARun() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kEndless));
        Watchdog watchdog;
        Later(kSoon, [&] { QTest::keyClick(f.m_frame, Qt::Key_F2, Qt::ControlModifier); });
        f.Command(ID_RUN_RUN);
        QVERIFY(!watchdog.Fired());
        VerifyEndedAt(f, "Execution terminated.....");
    }

    void cpuResetDuringRunStopsItAndListsFromZero() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kEndless));
        f.Command(ID_RUN_SINGLESTEP);
        Watchdog watchdog;
        Later(kSoon, [&] { f.ClickToolbar(ID_RUN_CPURESET); });
        f.Command(ID_RUN_RUN);
        QVERIFY(!watchdog.Fired());
        QCOMPARE(g_Sim.m_bRunning, 0u);
        QCOMPARE(g_Sim.m_pc, u16(0));
        QCOMPARE(g_CurrentLine, 1);
        QCOMPARE(g_DisasmOrigin, 0u);
        QCOMPARE(g_Sim.m_LineAddress[0], 0u);
        QCOMPARE(g_Sim.m_bRebuildPortsOnStep, 1u);
        QCOMPARE(g_Sim.m_bRebuildPortsOnRun, 1u);
        QCOMPARE(f.m_view->m_nTopLine, 1);
        VerifyEndedAt(f, "Ready");
        f.Command(ID_RUN_SINGLESTEP);
        QCOMPARE(g_Sim.m_bRebuildPortsOnStep, 0u);
    }

    void aJumpOutsideTheListingRebuildsItFromTheProgramCounter() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kIntoInstruction));
        QCOMPARE(g_Sim.m_LineAddress[1], 3u);
        f.Command(ID_RUN_SINGLESTEP);
        QCOMPARE(g_Sim.m_pc, u16(4));
        QCOMPARE(g_DisasmOrigin, 4u);
        QCOMPARE(g_Sim.m_LineAddress[0], 4u);
        QCOMPARE(g_CurrentLine, 1);
        QVERIFY(f.MarkerOn(1));
        QVERIFY(f.Row(0).contains("0004  00"));
        QCOMPARE(f.m_view->verticalScrollBar()->maximum(), f.m_view->m_nLastLine);

        // CPU Reset lists from address 0 again.
        f.Command(ID_RUN_CPURESET);
        QCOMPARE(g_Sim.m_LineAddress[0], 0u);
        QVERIFY(f.Row(0).contains("0000  C3 04 00"));
        QVERIFY(f.MarkerOn(1));
        QCOMPARE(f.MarkerCount(), 1);
    }

    void aBreakpointOnAnInterruptVectorStopsTheRunThere() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kEndless));
        QCOMPARE(g_Sim.ToggleBreakpoint(0x0024), 1);
        Watchdog watchdog;
        Later(kSoon, [&] { f.Command(ID_INTERRUPTS_TRAP); });
        f.Command(ID_RUN_RUN);
        QVERIFY(!watchdog.Fired());
        QCOMPARE(g_Sim.m_pc, u16(0x0024));
        QCOMPARE(g_Sim.m_bRunning, 0u);
        QCOMPARE(f.Pane(0), QString("Execution terminated....."));
        QCOMPARE(g_CurrentLine, f.m_view->LineOfAddress(0x0024));
        QVERIFY(f.MarkerOn(g_CurrentLine));
        QCOMPARE(f.MarkerCount(), 1);
    }

    void aRunStoppedByItsFirstInstructionEndsLikeAnyStop() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x76})));
        f.Command(ID_RUN_RUN);
        QCOMPARE(g_Sim.m_pc, u16(1));
        QCOMPARE(g_Sim.m_bRunning, 0u);
        QCOMPARE(f.Pane(0), QString("Execution terminated....."));
        QCOMPARE(g_CurrentLine, 2);
        QVERIFY(f.MarkerOn(2));
        QCOMPARE(f.MarkerCount(), 1);
        QVERIFY(!f.m_view->ShowsExecuting());
        QVERIFY(f.Row(1).startsWith('>'));
    }

    void theLastStoredLineIsNeverFoundSoTheListingStartsThere() {
        ProgramWindowFixture f;
        // JMP FFFD, then NOPs: the listing from 0 ends with the line of FFFE.
        QVERIFY(f.Start(Program({0xC3, 0xFD, 0xFF})));
        f.Command(ID_RUN_SINGLESTEP);
        QCOMPARE(g_Sim.m_pc, u16(0xFFFD));
        QCOMPARE(g_Sim.m_LineAddress[0], 0u);
        QCOMPARE(g_Sim.m_LineAddress[f.m_view->m_nLastLine], 0xFFFEu);
        QCOMPARE(g_CurrentLine, f.m_view->m_nLastLine);
        QVERIFY(f.MarkerOn(g_CurrentLine));
        f.Command(ID_RUN_SINGLESTEP);
        QCOMPARE(g_Sim.m_pc, u16(0xFFFE));
        QCOMPARE(g_DisasmOrigin, 0xFFFEu);
        QCOMPARE(g_Sim.m_LineAddress[0], 0xFFFEu);
        QCOMPARE(f.m_view->m_nLastLine, 0);
        QCOMPARE(g_CurrentLine, 1);
        QVERIFY(f.MarkerOn(1));
        QCOMPARE(f.m_view->m_nTopLine, 1);
        QVERIFY(f.Row(0).startsWith(">      FFFE"));
    }

    void interruptCommandsOnlySetTheirLatches() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStraight));
        const auto states = g_Sim.TStates();
        f.Command(ID_INTERRUPTS_TRAP);
        f.Command(ID_INTERRUPTS_RST55);
        QTest::keyClick(f.m_frame, Qt::Key_6, Qt::ControlModifier);
        QTest::keyClick(f.m_frame, Qt::Key_7, Qt::ControlModifier);
        QCOMPARE(g_Sim.m_pendTrap, u8(1));
        QCOMPARE(g_Sim.m_pendRst55, u8(1));
        QCOMPARE(g_Sim.m_pendRst65, u8(1));
        QCOMPARE(g_Sim.m_pendRst75, u8(1));
        QCOMPARE(g_Sim.m_pc, u16(0));
        QCOMPARE(g_Sim.TStates(), states);
        QCOMPARE(g_CurrentLine, 1);
    }

    void singleStepIsRefusedWhileRunningFromItsKeysAndItsMenuItem() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kEndless));
        Watchdog watchdog;
        bool stillRunning = false;
        bool stepsRefused = false;
        Later(kSoon, [&] {
            const auto states = g_Sim.TStates();
            QTest::keyClick(f.m_frame, Qt::Key_F7);
            QTest::keyClick(f.m_frame, Qt::Key_F8);
            f.Command(ID_RUN_SINGLESTEP);
            stepsRefused = g_Sim.TStates() == states;
            stillRunning = g_Sim.m_bRunning && !g_Sim.m_bStopRequest;
            Later(kSoon, [&] { f.ClickToolbar(ID_RUN_TERMINATEPROGRAM); });
        });
        f.Command(ID_RUN_RUN);
        QVERIFY(!watchdog.Fired());
        QVERIFY(stillRunning);
        QVERIFY(stepsRefused);
        QCOMPARE(g_Sim.m_bRunning, 0u);
    }

    void steppingPastTwoToThe32TStatesShowsTheWholeCount() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStraight));
        const u64 start = 0xFFFFFFFEu;
        g_Sim.SetTStates(start);
        f.Command(ID_RUN_SINGLESTEP);
        QCOMPARE(f.Pane(1), QString("Cycles %1").arg(start + g_Sim.m_lastTStates));
    }

    void runGivenDuringARunLetsThatRunEndAtItsHlt() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kUntilFlagged));
        Watchdog watchdog;
        Later(kSoon, [&] {
            QTest::keyClick(f.m_frame, Qt::Key_F7, Qt::ControlModifier);
            g_Sim.m_pMemory[kFlag] = 1;
        });
        f.Command(ID_RUN_RUN);
        QVERIFY(!watchdog.Fired());
        QCOMPARE(g_Sim.m_pc, u16(0x000C));
        VerifyEndedAt(f, "Execution terminated.....");
    }

    void aModalDialogOrAnOpenMenuHoldsExecutionAndTheRunsTextComesBack() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kEndless));
        Watchdog watchdog;
        bool heldByDialog = false;
        bool heldByMenu = false;
        QString afterMenu;
        Later(kSoon, [&] {
            Later(kSoon, [&] {
                auto* dlg = qobject_cast<CFindDialog*>(QApplication::activeModalWidget());
                const auto states = g_Sim.TStates();
                QTest::qWait(50);
                heldByDialog = dlg && g_Sim.TStates() == states;
                if (dlg) dlg->reject();
            });
            // Find's key opens it as its menu item does.
            QTest::keyClick(f.m_frame, Qt::Key_F3);
            QMenu* menu = f.m_frame->menuBar()->actions().first()->menu();
            QVERIFY(menu);
            menu->popup(QPoint(0, 0));
            Later(kSoon, [&, menu] {
                const auto states = g_Sim.TStates();
                QTest::qWait(50);
                heldByMenu = QApplication::activePopupWidget() && g_Sim.TStates() == states;
                menu->close();
                Later(kSoon, [&] {
                    afterMenu = f.Pane(0);
                    f.ClickToolbar(ID_RUN_TERMINATEPROGRAM);
                });
            });
        });
        f.Command(ID_RUN_RUN);
        QVERIFY(!watchdog.Fired());
        QVERIFY(heldByDialog);
        QVERIFY(heldByMenu);
        QCOMPARE(afterMenu, QString("Executing....."));
    }

    void closingTheMainWindowEndsTheRun() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kEndless));
        Watchdog watchdog;
        QPointer<CMainFrame> frame(f.m_frame);
        Later(kSoon, [&] { f.m_frame->close(); });
        f.Command(ID_RUN_RUN);
        QVERIFY(!watchdog.Fired());
        QVERIFY(frame.isNull() || !frame->isVisible());
    }

    void quittingTheApplicationDuringRunEndsBoth() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kEndless));
        const QPointer<CMainFrame> frame(f.m_frame);
        bool runReturned = false;
        bool runStarted = false;
        Later(0, [&] {
            runStarted = true;
            f.Command(ID_RUN_RUN);
            runReturned = true;
        });
        QTimer::singleShot(kSoon, qApp, &QCoreApplication::quit);
        // Ends a loop that failed to stop, so that the test reports.
        Later(10000, [] {
            g_Sim.m_bStopRequest = 1;
            QCoreApplication::exit(1);
        });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(runStarted);
        QVERIFY(runReturned);
        QVERIFY(frame.isNull() || !frame->isVisible());
    }

    void windowsRepaintAtDisplayRateWhileRunning() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kEndless));
        OtherView* other = OpenOtherView(f);
        QVERIFY(QTest::qWaitForWindowExposed(other));
        QTest::qWait(50);
        other->m_nUpdates = 0;
        other->m_nPaints = 0;
        other->m_nStopAfter = 20000;
        QElapsedTimer clock;
        clock.start();
        f.Command(ID_RUN_RUN);
        const qint64 ms = clock.elapsed();
        QVERIFY(other->m_nUpdates >= 20000);
        // At most one repaint per frame interval, plus the first.
        QVERIFY2(other->m_nPaints <= ms / CRunLoopFilter::kFrameIntervalMs + 2,
                 qPrintable(QString("%1 paints in %2 ms").arg(other->m_nPaints).arg(ms)));
        // Once the run has ended the window shows its last state.
        QTest::qWait(3 * CRunLoopFilter::kFrameIntervalMs);
        QVERIFY(other->m_nPaints > 0);
    }

    void fileCloseDuringARunEndsItIdle() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kEndless));
        Watchdog watchdog;
        Later(kSoon, [&] { f.Command(ID_FILE_CLOSE); });
        f.Command(ID_RUN_RUN);
        QVERIFY(!watchdog.Fired());
        QVERIFY(!f.m_frame->GetActiveDocument());
        QCOMPARE(f.Pane(0), QString("Ready"));
        QCOMPARE(g_Sim.m_bRunning, 0u);
    }

    void closingTheProgramWindowDuringRunLeavesTheRunToOtherWindows() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kEndless));
        OtherView* other = OpenOtherView(f);
        Watchdog watchdog;
        int updatesAfterClose = -1;
        Later(kSoon, [&] {
            for (QMdiSubWindow* w : f.m_frame->MDIClient()->subWindowList())
                if (qobject_cast<CTorvanView*>(w->widget())) w->close();
            f.m_frame->MDIClient()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(other->parentWidget()));
            updatesAfterClose = other->m_nUpdates;
            // A breakpoint on the loop then stops the run.
            Later(kSoon, [] { g_Sim.ToggleBreakpoint(0x0003); });
        });
        f.Command(ID_RUN_RUN);
        QVERIFY(!watchdog.Fired());
        QVERIFY(updatesAfterClose >= 0);
        QVERIFY(other->m_nUpdates > updatesAfterClose);
        QCOMPARE(g_Sim.m_bRunning, 0u);
        QCOMPARE(g_Sim.m_pc, u16(3));
        QCOMPARE(f.Pane(0), QString("Execution terminated....."));
        QVERIFY(!f.ProgramView());
        QCOMPARE(g_DisasmOrigin, 3u);
        QCOMPARE(g_CurrentLine, 1);
    }

    void closingTheOnlyWindowDuringRunEndsTheRun() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kEndless));
        Watchdog watchdog;
        Later(kSoon, [&] {
            for (QMdiSubWindow* w : f.m_frame->MDIClient()->subWindowList()) w->close();
        });
        f.Command(ID_RUN_RUN);
        QVERIFY(!watchdog.Fired());
        QVERIFY(f.m_frame->MDIClient()->subWindowList().isEmpty());
        QVERIFY(!f.m_frame->GetActiveDocument());
    }

    void aStopManySlicesAwayComesExactlyWhereSingleStepsReachIt() {
        struct Case {
            const char* name;
            u16 breakpoint;  // 0: none, the HLT stops the run
            u16 stopsAt;
        };
        const Case cases[] = {{"breakpoint", 0x0015, 0x0015}, {"HLT", 0, 0x0017}};
        for (const Case& c : cases) {
            ProgramWindowFixture f;
            QVERIFY(f.Start(kLongLoops));
            // Single Step's own executor, on a copy of the machine.
            auto reference = std::make_unique<CSimulator>(g_Sim);
            do reference->ExecuteInstruction();
            while (reference->m_pc != c.stopsAt);
            OtherView* other = OpenOtherView(f);
            if (c.breakpoint) QCOMPARE(g_Sim.ToggleBreakpoint(c.breakpoint), 1);
            f.Command(ID_RUN_RUN);
            QVERIFY2(g_Sim.m_pc == c.stopsAt, c.name);
            QCOMPARE(g_Sim.TStates(), reference->TStates());
            QCOMPARE(f.Pane(0), QString("Execution terminated....."));
            QCOMPARE(f.Pane(1), QString("Cycles %1").arg(reference->TStates()));
            QVERIFY(f.MarkerOn(f.m_view->LineOfAddress(c.stopsAt)));
            // The views were brought up to date between slices.
            QVERIFY(other->m_nUpdates > 2);
        }
    }

    void interruptCommandsFromTheToolbarAndTheKeysAreServedDuringRun() {
        const struct {
            int command;
            Qt::Key key;
            u16 vector;
        } cases[] = {{ID_INTERRUPTS_TRAP, Qt::Key_T, 0x0024},
                     {ID_INTERRUPTS_RST55, Qt::Key_5, 0x002C},
                     {ID_INTERRUPTS_RST65, Qt::Key_6, 0x0034},
                     {ID_INTERRUPTS_RST75, Qt::Key_7, 0x003C}};
        for (const auto& c : cases) {
            for (const bool byKey : {false, true}) {
                ProgramWindowFixture f;
                QVERIFY(f.Start(kWaitForInterrupts));
                QCOMPARE(g_Sim.ToggleBreakpoint(c.vector), 1);
                Watchdog watchdog;
                Later(kSoon, [&] {
                    if (byKey) QTest::keyClick(f.m_frame, c.key, Qt::ControlModifier);
                    else f.ClickToolbar(c.command);
                });
                f.Command(ID_RUN_RUN);
                QVERIFY(!watchdog.Fired());
                QCOMPARE(g_Sim.m_pc, c.vector);
                QCOMPARE(f.Pane(0), QString("Execution terminated....."));
            }
        }
    }

    void withoutAProgramWindowStepAndRunStillExecute() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStraight));
        OtherView* other = OpenOtherView(f);
        auto* frame = qobject_cast<QMdiSubWindow*>(other->parentWidget());
        QMdiSubWindow* programFrame = nullptr;
        for (QMdiSubWindow* w : f.m_frame->MDIClient()->subWindowList())
            if (qobject_cast<CTorvanView*>(w->widget())) programFrame = w;
        QVERIFY(programFrame);
        programFrame->close();
        QTest::qWait(10);
        QVERIFY(!f.ProgramView());
        f.m_frame->MDIClient()->setActiveSubWindow(frame);
        QCOMPARE(f.m_frame->GetActiveDocument(), f.m_doc);

        f.Command(ID_RUN_SINGLESTEP);
        QCOMPARE(g_Sim.m_pc, u16(3));
        QCOMPARE(g_DisasmOrigin, 3u);
        QCOMPARE(g_CurrentLine, 1);
        QVERIFY(other->m_nUpdates > 0);
        f.Command(ID_RUN_RUN);
        QCOMPARE(g_Sim.m_pc, u16(0x000B));
        QCOMPARE(g_Sim.m_regC, u8(0x55));
        QCOMPARE(f.Pane(0), QString("Execution terminated....."));
    }
};

TORVAN_TEST_CLASS(TestRun);
#include "test_run.moc"
