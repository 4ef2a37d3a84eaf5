// Breakpoints set and cleared by double-clicking listing lines: the "[BR]"
// mark, the selected row, the full table, and the marks a rebuild puts back
// on every line of a breakpoint.
#include <QScrollBar>
#include <QTimer>

#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// Shows the line of an address (listing from 0 over NOPs) in row 0.
void ScrollToLine(ProgramWindowFixture& f, int line) {
    f.m_view->verticalScrollBar()->setValue(line);
    QCOMPARE(f.m_view->m_nTopLine, line);
}

}  // namespace

class TestBreakpointsGui : public QObject {
    Q_OBJECT
private slots:
    void doubleClickSetsAndClearsABreakpoint() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x00})));
        ScrollToLine(f, 0x101);
        QCOMPARE(g_Sim.m_LineAddress[0x100], 0x0100u);
        f.DoubleClickRow(0);
        QVERIFY(g_Sim.FindBreakpoint(0x0100));
        QCOMPARE(g_nBreakpointCount, 1u);
        QCOMPARE(QString::fromStdString(f.m_view->m_Lines[0x100]).mid(0, 11), QString(" [BR]  0100"));
        QVERIFY(f.Row(0).startsWith(" [BR]  0100"));
        QCOMPARE(f.m_view->HighlightRow(), 0);
        QCOMPARE(f.m_view->m_nSelRow, 0);
        QCOMPARE(f.Pane(2), QString("Line 257"));

        f.DoubleClickRow(0);
        QVERIFY(!g_Sim.FindBreakpoint(0x0100));
        QCOMPARE(g_nBreakpointCount, 0u);
        QVERIFY(f.Row(0).startsWith("       0100"));
        QCOMPARE(f.m_view->HighlightRow(), -1);
        QVERIFY(f.m_messages.isEmpty());
    }

    void everyMarkedRowShowsItsStoredTextUntilTheNextRefill() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x00})));
        f.DoubleClickRow(1);
        f.DoubleClickRow(3);
        QCOMPARE(f.Row(1), QString::fromStdString(f.m_view->m_Lines[1]));
        QCOMPARE(f.Row(3), QString::fromStdString(f.m_view->m_Lines[3]));
        QVERIFY(f.Row(1).startsWith(" [BR]"));
        QCOMPARE(f.m_view->HighlightRow(), 3);
        // A key refills the page: every row is padded and closed again.
        QTest::keyClick(f.m_view, Qt::Key_Down);
        QVERIFY(f.Row(1).startsWith(" [BR]"));
        QCOMPARE(f.Row(1).size(), CProgramListing::kRowTextWidth + 1);
        QCOMPARE(f.Row(3).size(), CProgramListing::kRowTextWidth + 1);
    }

    void aSeventeenthBreakpointIsRefused() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x00})));
        for (u32 a = 0x2000; a < 0x2010; ++a) QCOMPARE(g_Sim.ToggleBreakpoint(a), 1);
        ScrollToLine(f, 0x101);
        f.DoubleClickRow(0);
        QCOMPARE(f.m_messages, QStringList{"Maximum 16 break points can be set !"});
        QCOMPARE(g_nBreakpointCount, 16u);
        QVERIFY(!g_Sim.FindBreakpoint(0x0100));
        QVERIFY(f.Row(0).startsWith("       0100"));
        QCOMPARE(f.m_view->HighlightRow(), -1);
        // Clearing one of the sixteen makes room again.
        ScrollToLine(f, 0x2001);
        f.DoubleClickRow(0);
        QCOMPARE(g_nBreakpointCount, 15u);
        ScrollToLine(f, 0x101);
        f.DoubleClickRow(0);
        QCOMPARE(g_nBreakpointCount, 16u);
        QVERIFY(g_Sim.FindBreakpoint(0x0100));
    }

    void aRebuildMarksTheLineAgainAndRunStopsThere() {
        ProgramWindowFixture f;
        // LXI B,0000 then NOPs: address 1 starts no line of the listing from 0.
        QVERIFY(f.Start(Program({0x01, 0x00, 0x00})));
        AnswerValueDialog("0001");
        f.ClickToolbar(ID_CHANGE_ORIGIN);
        QCOMPARE(g_Sim.m_LineAddress[0], 1u);
        ScrollToLine(f, 0x100);
        QCOMPARE(g_Sim.m_LineAddress[0xFF], 0x0100u);
        f.DoubleClickRow(0);
        QVERIFY(f.Row(0).startsWith(" [BR]"));

        f.Command(ID_RUN_CPURESET);
        QCOMPARE(g_Sim.m_LineAddress[0], 0u);
        const int line = f.m_view->LineOfAddress(0x0100);
        QVERIFY(line > 0);
        QCOMPARE(QString::fromStdString(f.m_view->m_Lines[line - 1]).mid(1, 4), QString("[BR]"));

        f.Command(ID_RUN_RUN);
        QCOMPARE(g_Sim.m_pc, u16(0x0100));
        QCOMPARE(f.Pane(0), QString("Execution terminated....."));
        QCOMPARE(g_CurrentLine, line);
        // The current line is on the page; a double click there removes the
        // breakpoint and leaves its columns blank.
        const int row = line - f.m_view->m_nTopLine;
        f.DoubleClickRow(row);
        QCOMPARE(g_nBreakpointCount, 0u);
        QCOMPARE(QString::fromStdString(f.m_view->m_Lines[line - 1]).mid(0, 5), QString(">    "));
    }

    void aDoubleClickPastAShortListingDoesNothing() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x00})));
        // The last line is never matched, so this origin lists anew: one line.
        AnswerValueDialog("FFFE");
        f.ClickToolbar(ID_CHANGE_ORIGIN);
        QCOMPARE(f.m_view->m_nLastLine, 0);
        const int row = f.m_view->m_nLastLine + 1;
        QVERIFY(row < f.m_view->m_nRowsPerPage);
        const int selBefore = f.m_view->m_nSelRow;
        f.DoubleClickRow(row);
        QCOMPARE(g_nBreakpointCount, 0u);
        QVERIFY(f.Row(row).isEmpty());
        // The click itself selected the row; the double click added nothing.
        QVERIFY(f.m_view->m_nSelRow == row || f.m_view->m_nSelRow == selBefore);
        QVERIFY(f.m_messages.isEmpty());
    }
};

TORVAN_TEST_CLASS(TestBreakpointsGui);
#include "test_breakpoints_gui.moc"
