// Change Origin from the toolbar: an address that starts a listed line only
// scrolls; any other lists memory anew from it, with the marker only where
// the program counter is; typed values keep their low 16 bits.
#include <QScrollBar>

#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// LXI SP,2000 / MVI A,01 / MVI B,02 / ADD B / MVI C,55 / HLT
const QByteArray kStraight = Program({0x31, 0x00, 0x20, 0x3E, 0x01, 0x06, 0x02, 0x80, 0x0E, 0x55, 0x76});
}  // namespace

class TestOrigin : public QObject {
    Q_OBJECT
private slots:
    void anOriginOnAListedLineOnlyScrolls() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStraight));
        ChangeOrigin(f, "0005");
        QCOMPARE(g_DisasmOrigin, 5u);
        QCOMPARE(g_Sim.m_LineAddress[0], 0u);
        QCOMPARE(f.m_view->m_nTopLine, 3);
        QCOMPARE(f.m_view->m_nSelRow, 1);
        QVERIFY(f.Row(0).contains("0005  06 02"));
    }

    void anOriginInsideAnInstructionListsFromIt() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStraight));
        const int linesBefore = f.m_view->m_nLastLine;
        f.m_view->verticalScrollBar()->setValue(200);
        ChangeOrigin(f, "0004");
        QCOMPARE(g_DisasmOrigin, 4u);
        QCOMPARE(g_Sim.m_LineAddress[0], 4u);
        QCOMPARE(f.m_view->m_nTopLine, 1);
        QVERIFY(f.Row(0).contains("0004  01 06 02"));
        QVERIFY(f.m_view->m_nLastLine < linesBefore);
        QCOMPARE(f.m_view->verticalScrollBar()->maximum(), f.m_view->m_nLastLine);
    }

    void typedValuesKeepTheirLowSixteenBits() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStraight));
        ChangeOrigin(f, "-1");
        QCOMPARE(g_DisasmOrigin, 0xFFFFu);
        QCOMPARE(g_Sim.m_LineAddress[0], 0xFFFFu);
        QCOMPARE(f.m_view->m_nLastLine, 0);
        QCOMPARE(f.m_view->verticalScrollBar()->maximum(), 0);
        ChangeOrigin(f, "1234");
        QCOMPARE(g_DisasmOrigin, 0x1234u);
        // Four characters at most are typed; a wider value set in the edit
        // still gives its low 16 bits.
        AnswerModal<CMemWatchAddDlg>([](CMemWatchAddDlg* dlg) {
            dlg->ValueEdit()->setMaxLength(32);
            dlg->ValueEdit()->setText("12345");
            dlg->accept();
        });
        f.ClickToolbar(ID_CHANGE_ORIGIN);
        QCOMPARE(g_DisasmOrigin, 0x2345u);
        QCOMPARE(g_Sim.m_LineAddress[f.m_view->m_nTopLine - 1], 0x2345u);
    }

    void anEmptyTextKeepsTheOrigin() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStraight));
        ChangeOrigin(f, "");
        QCOMPARE(g_DisasmOrigin, 0u);
        QCOMPARE(f.m_view->m_nTopLine, 1);
        QCOMPARE(f.m_view->m_nSelRow, 1);
    }

    void cancelChangesNothing() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStraight));
        AnswerModal<CMemWatchAddDlg>([](CMemWatchAddDlg* dlg) {
            QCOMPARE(dlg->windowTitle(), QString("Set Origin for disassembly for binary file"));
            dlg->ValueEdit()->setText("0004");
            dlg->reject();
        });
        f.ClickToolbar(ID_CHANGE_ORIGIN);
        QCOMPARE(g_DisasmOrigin, 0u);
        QCOMPARE(g_Sim.m_LineAddress[0], 0u);
    }

    void theMarkerStaysOnTheProgramCounterAfterANewOrigin() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStraight));
        f.Command(ID_RUN_SINGLESTEP);
        f.Command(ID_RUN_SINGLESTEP);
        QCOMPARE(g_Sim.m_pc, u16(5));
        QVERIFY(f.MarkerOn(3));
        // From 0001 the lines are 0001, 0002, 0003, 0005: the counter is on line 4.
        ChangeOrigin(f, "0001");
        QCOMPARE(g_Sim.m_LineAddress[3], 5u);
        f.Command(ID_RUN_TERMINATEPROGRAM);
        QVERIFY(f.MarkerOn(4));
        QCOMPARE(f.MarkerCount(), 1);
        QCOMPARE(g_CurrentLine, 4);

        // From 0006 no line holds 0005: no line carries the marker.
        ChangeOrigin(f, "0006");
        QCOMPARE(g_Sim.m_LineAddress[0], 6u);
        f.Command(ID_RUN_TERMINATEPROGRAM);
        QCOMPARE(f.MarkerCount(), 0);
        // The next step finds the counter's line again.
        f.Command(ID_RUN_SINGLESTEP);
        QCOMPARE(g_Sim.m_pc, u16(7));
        QCOMPARE(g_Sim.m_LineAddress[1], 7u);
        QVERIFY(f.MarkerOn(2));
        QCOMPARE(f.MarkerCount(), 1);
    }
};

TORVAN_TEST_CLASS(TestOrigin);
#include "test_origin.moc"
