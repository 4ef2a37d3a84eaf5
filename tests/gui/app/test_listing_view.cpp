// The program window itself: placement, rows per page from its height, the
// keys, a click, the scroll bar, the status panes and closing.
#include <QScrollBar>

#include "app/Brixcfrm.h"
#include "framework/CmdUI.h"
#include "framework/DocTemplate.h"
#include "framework/MenuSet.h"
#include "framework/View.h"
#include "res/CommandIds.h"
#include "res/Toolbar.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
CTorvanFrm* ProgramFrame(ProgramWindowFixture& f) {
    for (QMdiSubWindow* w : f.m_frame->MDIClient()->subWindowList())
        if (auto* frame = qobject_cast<CTorvanFrm*>(w)) return frame;
    return nullptr;
}

// Notes the cursor shown while the listing is rebuilt.
class WaitCursorProbe : public CTorvanView {
public:
    WaitCursorProbe() : CTorvanView(nullptr) {}
    bool m_bSawWaitCursor = false;

protected:
    void OnListingRebuilt() override {
        const QCursor* cursor = QApplication::overrideCursor();
        m_bSawWaitCursor = cursor && cursor->shape() == Qt::WaitCursor;
        CTorvanView::OnListingRebuilt();
    }
};

// Stand-ins for the watch windows, so that the first activation has windows
// of those kinds to open.
QList<int> g_openOrder;
template <int Kind> class WatchStandIn : public QWidget, public CView {
public:
    explicit WatchStandIn(CDocument*) { g_openOrder.append(Kind); }
};
class StandInFrame : public QMdiSubWindow {
public:
    void PreCreateWindow(const QSize&) { resize(100, 80); }
};
enum { kIO = 1, kMemory = 2, kRegisters = 3 };
}  // namespace

class TestListingView : public QObject {
    Q_OBJECT
private slots:
    void placementAndFirstState() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x00})));
        CTorvanFrm* frame = ProgramFrame(f);
        QVERIFY(frame);
        QCOMPARE(CTorvanFrm::PlacementFor(QSize(900, 600)), QRect(0, 0, 600, 270));
        QCOMPARE(CTorvanFrm::PlacementFor(QSize(1000, 501)), QRect(0, 0, 666, 225));
        // Placed from the client area as it was when the window was made.
        QCOMPARE(frame->geometry().topLeft(), QPoint(0, 0));
        frame->PreCreateWindow(QSize(900, 600));
        QCOMPARE(frame->geometry(), QRect(0, 0, 600, 270));
        QVERIFY(!(frame->windowFlags() & Qt::WindowMinimizeButtonHint));
        QCOMPARE(g_bProgViewOpened, 1u);
        QCOMPARE(f.Pane(2), QString("Line 1"));
        QCOMPARE(f.Pane(1), QString("Cycles 0"));
        QCOMPARE(f.m_view->verticalScrollBar()->minimum(), 0);
        QCOMPARE(f.m_view->verticalScrollBar()->maximum(), f.m_view->m_nLastLine);
        QVERIFY(f.Row(0).startsWith(">      0000  00"));
        QVERIFY(f.Row(0).endsWith('*'));
    }

    void rowsPerPageFollowTheHeight() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x00})));
        CTorvanFrm* frame = ProgramFrame(f);
        const int rowHeight = f.m_view->RowHeight();
        frame->resize(frame->width(), 20);
        QCOMPARE(f.m_view->m_nRowsPerPage, 1);
        // A tall window has a row for every line it has room for.
        frame->resize(frame->width(), 60 * rowHeight);
        QVERIFY(f.m_view->m_nRowsPerPage > 31);
        QCOMPARE(f.m_view->m_nRowsPerPage, f.m_view->viewport()->height() / rowHeight);
        QCOMPARE(f.m_view->verticalScrollBar()->pageStep(), f.m_view->m_nRowsPerPage);
        frame->resize(frame->width(), f.m_view->height() - f.m_view->viewport()->height() +
                                          (frame->height() - f.m_view->height()) + 10 * rowHeight + rowHeight / 2);
        QCOMPARE(f.m_view->m_nRowsPerPage, 10);
    }

    void keysMoveTheSelectionAndThePage() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x00})));
        CTorvanView* v = f.m_view;
        const int rows = v->m_nRowsPerPage;
        QVERIFY(rows > 3);
        for (int i = 0; i < 3; ++i) QTest::keyClick(v, Qt::Key_Down);
        QCOMPARE(v->m_nSelRow, 3);
        QCOMPARE(v->HighlightRow(), 3);
        QCOMPARE(f.Pane(2), QString("Line 4"));
        QCOMPARE(v->verticalScrollBar()->value(), 4);
        QTest::keyClick(v, Qt::Key_PageDown);
        QCOMPARE(v->m_nTopLine, 1 + rows);
        QCOMPARE(v->m_nSelRow, 0);
        QTest::keyClick(v, Qt::Key_Up);
        QCOMPARE(v->m_nTopLine, rows);
        QTest::keyClick(v, Qt::Key_End);
        QCOMPARE(v->m_nTopLine, v->m_nLastLine - rows);
        QCOMPARE(v->m_nSelRow, rows - 1);
        QVERIFY(!f.Row(rows - 1).isEmpty());
        QTest::keyClick(v, Qt::Key_Home);
        QCOMPARE(v->m_nTopLine, 1);
        QCOMPARE(v->m_nSelRow, 0);
        QCOMPARE(f.Pane(2), QString("Line 1"));
        QTest::keyClick(v, Qt::Key_Right);
        QVERIFY(v->horizontalScrollBar()->value() > 0);
        QTest::keyClick(v, Qt::Key_Left);
        QCOMPARE(v->horizontalScrollBar()->value(), 0);
    }

    void aClickSelectsTheRowUnhighlighted() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x00})));
        QTest::keyClick(f.m_view, Qt::Key_Down);
        QTest::mouseClick(f.m_view->viewport(), Qt::LeftButton, Qt::NoModifier, f.RowPoint(2));
        QCOMPARE(f.m_view->m_nSelRow, 2);
        QCOMPARE(f.m_view->HighlightRow(), -1);
        QCOMPARE(f.Pane(2), QString("Line 3"));
    }

    void theScrollBarShowsTheLineOfItsPosition() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x00})));
        QScrollBar* bar = f.m_view->verticalScrollBar();
        QTest::mouseClick(f.m_view->viewport(), Qt::LeftButton, Qt::NoModifier, f.RowPoint(1));
        bar->setValue(500);
        QCOMPARE(f.m_view->m_nTopLine, 500);
        QCOMPARE(f.m_view->m_nSelRow, 1);
        QVERIFY(f.Row(0).contains("01F3"));
        // While the thumb is dragged the page stays; its release shows the line.
        bar->setSliderDown(true);
        bar->setSliderPosition(700);
        QCOMPARE(f.m_view->m_nTopLine, 500);
        bar->setSliderDown(false);
        QCOMPARE(f.m_view->m_nTopLine, 700);
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(f.m_view->m_nTopLine, 701);
        // Requests for the top or the bottom leave the bar and the page.
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(bar->value(), 701);
        QCOMPARE(f.m_view->m_nTopLine, 701);
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(bar->value(), 701);
        QCOMPARE(f.m_view->m_nTopLine, 701);
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(f.m_view->m_nTopLine, 701 - f.m_view->m_nRowsPerPage);
        bar->setValue(bar->maximum());
        QCOMPARE(f.m_view->m_nTopLine, f.m_view->m_nLastLine - f.m_view->m_nRowsPerPage + 1);
        QVERIFY(!f.Row(f.m_view->m_nRowsPerPage - 1).isEmpty());
    }

    void aRebuildShowsTheWaitCursorWhileItRuns() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x00})));
        WaitCursorProbe probe;
        probe.RebuildListing(0);
        QVERIFY(probe.m_bSawWaitCursor);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(probe.verticalScrollBar()->maximum(), probe.m_nLastLine);
    }

    void firstActivationOpensTheIOMemoryAndRegisterWindows() {
        ProgramWindowFixture f;
        QVERIFY(f.StartApplication({}));
        std::unique_ptr<CMultiDocTemplate> io(CMultiDocTemplate::New<StandInFrame, WatchStandIn<kIO>>());
        std::unique_ptr<CMultiDocTemplate> mem(CMultiDocTemplate::New<StandInFrame, WatchStandIn<kMemory>>());
        std::unique_ptr<CMultiDocTemplate> reg(CMultiDocTemplate::New<StandInFrame, WatchStandIn<kRegisters>>());
        CMultiDocTemplate* saved[] = {f.m_app->m_pIOWatchTemplate, f.m_app->m_pMemWatchTemplate,
                                      f.m_app->m_pRegWatchTemplate};
        f.m_app->m_pIOWatchTemplate = io.get();
        f.m_app->m_pMemWatchTemplate = mem.get();
        f.m_app->m_pRegWatchTemplate = reg.get();
        g_openOrder.clear();
        QFile file(f.m_dir.filePath("prog.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Program({0x00}));
        file.close();
        QVERIFY(f.m_app->OpenDocumentFile(file.fileName()));
        QVERIFY(f.TakeDocument());
        QCOMPARE(g_bProgViewOpened, 1u);
        QCOMPARE(g_openOrder, (QList<int>{kIO, kMemory, kRegisters}));
        QCOMPARE(f.m_doc->GetViews().size(), 4);
        QVERIFY(f.m_messages.isEmpty());
        // Later activations of the program window open nothing more.
        for (QMdiSubWindow* w : f.m_frame->MDIClient()->subWindowList())
            if (qobject_cast<CTorvanView*>(w->widget())) f.m_frame->MDIClient()->setActiveSubWindow(w);
        QCOMPARE(f.m_doc->GetViews().size(), 4);
        f.m_doc->OnCloseDocument();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        f.m_app->m_pIOWatchTemplate = saved[0];
        f.m_app->m_pMemWatchTemplate = saved[1];
        f.m_app->m_pRegWatchTemplate = saved[2];
    }

    void closingTheWindowClearsItsPanes() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x00})));
        f.Command(ID_RUN_SINGLESTEP);
        QCOMPARE(f.Pane(1), QString("Cycles 4"));
        QCOMPARE(f.Pane(2), QString("Line 2"));
        ProgramFrame(f)->close();
        QCOMPARE(f.Pane(1), QString());
        QCOMPARE(f.Pane(2), QString());
        QCOMPARE(g_bProgViewOpened, 0u);
    }
};

TORVAN_TEST_CLASS(TestListingView);
#include "test_listing_view.moc"
