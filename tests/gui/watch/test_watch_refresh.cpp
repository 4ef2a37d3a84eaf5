// How the watch windows follow the machine: at once after a step or an edit,
// and at display rate while a program runs, an update then only marking
// the lists stale.
#include "tests/support/EveryChip.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"
#include "tests/support/WatchWindows.h"
#include "watch/IOListWatch.h"
#include "watch/MemWatch.h"
#include "watch/RegWatch.h"

class TestWatchRefresh : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramWindowFixture> m_f;
    QList<CWatchListView*> m_views;

private slots:
    void init() {
        m_f = std::make_unique<ProgramWindowFixture>();
        QVERIFY(m_f->StartExample(QStringLiteral("counter")));
        g_Sim.m_MemWatchAddr[0] = 0xEFF0;
        g_Sim.m_nMemWatchCount = 1;
        m_views = {FindView<CRegWatch>(m_f->m_doc), FindView<CMemWatch>(m_f->m_doc),
                   FindView<CIOListWatch>(m_f->m_doc)};
        for (CWatchListView* pView : m_views) {
            QVERIFY(pView);
            pView->FillList(true);
        }
    }
    void cleanup() {
        g_Sim.m_bRunning = 0;
        m_f.reset();
    }

    void updatesWhileRunningOnlyMarkTheListsStale() {
        const QList<QStringList> before = {Rows(m_views[0]), Rows(m_views[1]), Rows(m_views[2])};
        g_Sim.m_bRunning = 1;
        g_Sim.m_regB = 0x42;
        g_Sim.m_pMemory[0xEFF0] = 0x42;
        g_Sim.m_8155Port[0] = 0x42;
        m_f->m_doc->UpdateAllViews(nullptr);
        for (int i = 0; i < m_views.size(); ++i) {
            QVERIFY(m_views[i]->IsStale());
            QCOMPARE(Rows(m_views[i]), before[i]);
        }
        // At display rate the rows catch up, while the program still runs.
        QTRY_VERIFY_WITH_TIMEOUT(!m_views[0]->IsStale(), 10 * CWatchListView::kDisplayIntervalMs);
        QCOMPARE(m_views[0]->RowTextOf(CRegWatch::kRowB), QString("      B : 42"));
        QVERIFY(m_views[1]->RowTextOf(0).startsWith("   EFF0 : 42"));
        QVERIFY(m_views[2]->RowTextOf(1).contains("PA (I/P) = 42"));
    }

    void runShowsTheMachineAsItGoesAndWhereItStopped() {
        // The counter's interrupt routine raises B while the program runs.
        QStringList seen;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, [&] { seen << m_views[0]->RowTextOf(CRegWatch::kRowB); });
        sampler.start(3 * CWatchListView::kDisplayIntervalMs);
        QTimer::singleShot(20 * CWatchListView::kDisplayIntervalMs, [this] { m_f->Command(ID_RUN_TERMINATEPROGRAM); });
        m_f->Command(ID_RUN_RUN);
        sampler.stop();
        seen.removeDuplicates();
        QVERIFY2(seen.size() >= 3, qPrintable(seen.join('|')));
        // Stopped, every row shows the machine as it is.
        QCOMPARE(m_views[0]->RowTextOf(CRegWatch::kRowB), QString::asprintf("      B : %02X", g_Sim.m_regB));
        QCOMPARE(m_views[0]->RowTextOf(CRegWatch::kRowPC), QString::asprintf("     PC : %04X", g_Sim.m_pc));
        for (CWatchListView* pView : m_views) QVERIFY(!pView->IsStale());
    }
};

TORVAN_TEST_CLASS(TestWatchRefresh);
#include "test_watch_refresh.moc"
