// Opens the counter example, steps into it and marks a breakpoint, then checks
// what the main window shows: the listing and the register, memory and I/O
// windows beside it. With TORVAN_SCREENSHOT set to a file path it also saves
// a picture of the main window there (the README's screenshot).
#include "app/Brixcfrm.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"
#include "tests/support/WatchWindows.h"
#include "watch/IOListWatch.h"
#include "watch/MemWatch.h"
#include "watch/RegWatch.h"

namespace {
constexpr int kSteps = 6;
constexpr int kBreakpointDistance = 3;
constexpr int kRunLimitMs = 5000;
// Where the interrupt pushes its return address, and where its routine is.
constexpr u16 kStackWatch = 0xEFF0;
constexpr u16 kInterruptRoutine = 0x005C;
constexpr int kRoutineSteps = 3;  // INR B, MOV A,B, OUT 40
}  // namespace

class TestListingScreenshot : public QObject {
    Q_OBJECT
private slots:
    void mainWindowOnTheExample() {
        ProgramWindowFixture f;
        QVERIFY(f.StartExample(QStringLiteral("counter")));

        // The windows take their places from the main window's settled size:
        // the watch windows are opened again, with a watch on the stack.
        QTest::qWait(50);
        if (auto* frame = qobject_cast<CTorvanFrm*>(f.m_view->parentWidget()))
            frame->PreCreateWindow(f.m_frame->MDIClient()->viewport()->size());
        g_Sim.m_MemWatchAddr[0] = kStackWatch;
        g_Sim.m_nMemWatchCount = 1;
        for (int toggle : {ID_VIEW_IO_WATCH, ID_VIEW_MEMORY_WATCH, ID_VIEW_REGISTERS_WATCH}) {
            f.Command(toggle);
            f.Command(toggle);
            QVERIFY(f.Action(toggle)->isChecked());
        }
        QTest::qWait(50);

        for (int i = 0; i < kSteps; ++i) f.Command(ID_RUN_SINGLESTEP);
        QVERIFY(f.MarkerOn(g_CurrentLine));
        QCOMPARE(g_Sim.m_LineAddress[g_CurrentLine - 1], u32(g_Sim.m_pc));

        // A breakpoint a few lines on; Run stops there, one more step.
        const int row = g_CurrentLine - f.m_view->m_nTopLine + kBreakpointDistance;
        QVERIFY(row < f.m_view->m_nRowsPerPage);
        const u32 breakpoint = g_Sim.m_LineAddress[f.m_view->LineOfRow(row) - 1];
        f.DoubleClickRow(row);
        QVERIFY(f.Row(row).startsWith(" [BR]"));
        // Should the example change so that the breakpoint is never
        // reached, the run ends and the test reports it.
        f.RunWithin(kRunLimitMs);
        QCOMPARE(u32(g_Sim.m_pc), breakpoint);
        QCOMPARE(f.Pane(0), QString("Execution terminated....."));
        // On to the timer's interrupt routine, through to its output of B.
        int routineRow = -1;
        for (int r = 0; r < f.m_view->m_nRowsPerPage; ++r) {
            const int line = f.m_view->LineOfRow(r);
            if (f.m_view->HasLine(line) && g_Sim.m_LineAddress[line - 1] == kInterruptRoutine) routineRow = r;
        }
        QVERIFY(routineRow >= 0);
        f.DoubleClickRow(routineRow);
        f.RunWithin(kRunLimitMs);
        QCOMPARE(g_Sim.m_pc, kInterruptRoutine);
        for (int i = 0; i < kRoutineSteps; ++i) f.Command(ID_RUN_SINGLESTEP);
        QVERIFY(f.MarkerOn(g_CurrentLine));
        // The watch windows show the machine: B raised and written to the
        // 8255, the return address on the stack.
        auto* pRegs = FindView<CRegWatch>(f.m_doc);
        auto* pMemory = FindView<CMemWatch>(f.m_doc);
        QVERIFY(pRegs && pMemory && FindView<CIOListWatch>(f.m_doc));
        QCOMPARE(pRegs->RowTextOf(CRegWatch::kRowB), QString("      B : 01"));
        QVERIFY(pMemory->RowTextOf(0).contains(" 59 00  "));
        QVERIFY(FindView<CIOListWatch>(f.m_doc)->RowTextOf(0).contains("PA (O/P) = 01"));
        f.m_view->setFocus();
        QVERIFY(f.m_messages.isEmpty());

        const QImage picture = f.m_frame->grab().toImage();
        QVERIFY(!picture.isNull());
        const QString target = qEnvironmentVariable("TORVAN_SCREENSHOT");
        if (!target.isEmpty()) QVERIFY(picture.save(target));
    }
};

TORVAN_TEST_CLASS(TestListingScreenshot);
#include "test_listing_screenshot.moc"
