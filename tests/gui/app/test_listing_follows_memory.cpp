// The program window shows what memory holds after the events that change it
// without a rebuild; a program opened next is listed from its reset state.
#include "dialogs/Modimem.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// LXI H,0007 / MVI M,01 / NOP / NOP / NOP at 0007 (becomes LXI B,0000) / NOP /
// NOP / HLT at 000A
const QByteArray kStoresIntoItsCode = Program({0x21, 0x07, 0x00, 0x36, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x76});

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
        f.Command(ID_RUN_SINGLESTEP);
        QVERIFY(f.Row(1).startsWith(">      0003  00"));
        QCOMPARE(f.MarkerCount(), 1);
    }

    void aStoreIntoTheListedCodeRelistsItAndTheMarkerFollows() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStoresIntoItsCode));
        f.Command(ID_RUN_SINGLESTEP);
        f.Command(ID_RUN_SINGLESTEP);
        QVERIFY(f.Row(4).contains("0007  01 00 00   LXI  B,0000"));
        for (int step = 0; step < 3; ++step) f.Command(ID_RUN_SINGLESTEP);
        QVERIFY(f.Row(5).startsWith(">      000A  76"));
        QCOMPARE(f.MarkerCount(), 1);
    }

    void cpuResetShowsMemoryAsItIsNow() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStoresIntoItsCode));
        g_Sim.m_pMemory[0x0007] = 0x3E;  // MVI A,00
        f.Command(ID_RUN_CPURESET);
        QVERIFY(f.Row(4).contains("0007  3E 00      MVI  A,00"));
    }

    void changeOfOriginShowsMemoryAsItIsNow() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStoresIntoItsCode));
        g_Sim.m_pMemory[0x0005] = 0x3E;  // MVI A,00 over two NOPs
        ChangeOrigin(f, "0005");
        QVERIFY(f.Row(0).contains("0005  3E 00      MVI  A,00"));
    }

    void aProgramOpenedNextIsListedFromItsProgramCounterWithEveryBreakpoint() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kStoresIntoItsCode));
        QCOMPARE(g_Sim.ToggleBreakpoint(0x0005), 1);
        ChangeOrigin(f, "0004");
        QVERIFY(OpenNext(f, QByteArray(8, '\0')));
        QVERIFY(f.Row(0).startsWith(">      0000  00"));
        QVERIFY(f.Row(5).startsWith(" [BR]  0005"));
    }
};

TORVAN_TEST_CLASS(TestListingFollowsMemory);
#include "test_listing_follows_memory.moc"
