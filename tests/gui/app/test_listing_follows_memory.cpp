// The program window shows what memory holds: after Modify Memory, after the
// program's own stores, after CPU Reset and Change Origin, with the marker on
// the program counter's line; a program opened next is listed from its reset
// state, and every line of a breakpoint carries "[BR]".
#include <QScrollBar>

#include "dialogs/Modimem.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// LXI H,0007 / MVI M,01 / NOP / NOP / NOP at 0007 (becomes LXI B,0000) / NOP /
// NOP / HLT at 000A
const QByteArray kStoresIntoItsCode = Program({0x21, 0x07, 0x00, 0x36, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x76});

void ChangeOrigin(ProgramWindowFixture& f, const QString& text) {
    AnswerValueDialog(text);
    f.ClickToolbar(ID_CHANGE_ORIGIN);
}

// Opens another program in place of the one open, as File Open does.
bool OpenNext(ProgramWindowFixture& f, const QByteArray& image) {
    f.m_doc->OnCloseDocument();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QString path = WriteTestFile(f.m_dir, QStringLiteral("next.bin"), image);
    return f.m_app->OpenDocumentFile(path) && f.TakeDocument();
}
}  // namespace

class TestListingFollowsMemory : public QObject {
    Q_OBJECT
private slots:
    void aProgramTypedInWithModifyMemoryIsListedAndStepped() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x00, 0x00, 0x00, 0x00})));
        AnswerModal<CModiMem>([](CModiMem* pDlg) {
            for (int k = 0; k < 3; ++k) {
                pDlg->ByteField(k)->selectAll();
                QTest::keyClicks(pDlg->ByteField(k), QStringList{"21", "34", "12"}[k]);
            }
            pDlg->accept();
        });
        f.Command(ID_MODIFY_MEMORY);
        QVERIFY(f.Row(0).contains("0000  21 34 12   LXI  H,1234"));
        QVERIFY(f.Row(1).contains("0003  00"));
        QVERIFY(f.MarkerOn(1));

        f.Command(ID_RUN_SINGLESTEP);
        QCOMPARE(g_Sim.m_pc, u16(3));
        QCOMPARE(g_CurrentLine, 2);
        QVERIFY(f.Row(1).startsWith('>'));
        QCOMPARE(f.MarkerCount(), 1);
    }

    void aStoreIntoTheListedCodeRelistsItAndTheMarkerFollows() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStoresIntoItsCode));
        f.Command(ID_RUN_SINGLESTEP);
        f.Command(ID_RUN_SINGLESTEP);
        QVERIFY(f.Row(4).contains("0007  01 00 00   LXI  B,0000"));
        QVERIFY(f.Row(5).contains("000A  76"));
        for (int step = 0; step < 3; ++step) f.Command(ID_RUN_SINGLESTEP);
        QCOMPARE(g_Sim.m_pc, u16(0x000A));
        QCOMPARE(g_CurrentLine, 6);
        QVERIFY(f.Row(5).startsWith('>'));
        QCOMPARE(f.MarkerCount(), 1);
    }

    void cpuResetShowsMemoryAsItIsNow() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStoresIntoItsCode));
        g_Sim.m_pMemory[0x0007] = 0x3E;  // MVI A,00
        f.Command(ID_RUN_CPURESET);
        QVERIFY(f.Row(4).contains("0007  3E 00      MVI  A,00"));
        QVERIFY(f.Row(5).contains("0009  00"));
        QVERIFY(f.MarkerOn(1));
    }

    void changeOfOriginShowsMemoryAndTheOriginsLine() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStoresIntoItsCode));
        g_Sim.m_pMemory[0x0005] = 0x3E;  // MVI A,00 over two NOPs
        ChangeOrigin(f, "0005");
        QCOMPARE(f.m_view->m_nTopLine, 3);
        QVERIFY(f.Row(0).contains("0005  3E 00      MVI  A,00"));
        QVERIFY(f.Row(1).contains("0007  00"));

        // An origin no line holds lists anew, from the top.
        f.m_view->verticalScrollBar()->setValue(200);
        QCOMPARE(f.m_view->m_nTopLine, 200);
        ChangeOrigin(f, "0002");
        QCOMPARE(g_Sim.m_LineAddress[0], 2u);
        QCOMPARE(f.m_view->m_nTopLine, 1);
        QVERIFY(f.Row(0).contains("0002  00"));
    }

    void aProgramOpenedAfterAChangeOfOriginIsListedFromItsProgramCounter() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStoresIntoItsCode));
        ChangeOrigin(f, "0004");
        QCOMPARE(g_Sim.m_LineAddress[0], 4u);
        QVERIFY(OpenNext(f, Program({0x3E, 0x41, 0x76})));
        QCOMPARE(g_Sim.m_LineAddress[0], 0u);
        QCOMPARE(f.m_view->m_nTopLine, 1);
        QVERIFY(f.Row(0).startsWith(">      0000  3E 41"));
        QCOMPARE(f.MarkerCount(), 1);
    }

    void everyBreakpointIsMarkedAfterARebuildAndInTheNextProgram() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStoresIntoItsCode));
        QCOMPARE(g_Sim.ToggleBreakpoint(0x0005), 1);
        // From 0002: NOP, MVI M,01, then the NOP at 0005.
        ChangeOrigin(f, "0002");
        QVERIFY(f.Row(2).startsWith(" [BR]  0005"));

        QVERIFY(OpenNext(f, QByteArray(8, '\0')));
        QVERIFY(f.Row(5).startsWith(" [BR]  0005"));
        QCOMPARE(f.m_view->FindLine("[BR]", false), 6);
        // The mark tells what a double click on the line does: it clears it.
        f.DoubleClickRow(5);
        QCOMPARE(g_nBreakpointCount, 0u);
        QVERIFY(f.Row(5).startsWith("       0005"));
    }
};

TORVAN_TEST_CLASS(TestListingFollowsMemory);
#include "test_listing_follows_memory.moc"
