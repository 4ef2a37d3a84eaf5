// A child frame that closes takes its view out of the document at once and
// destroys the view once, although the frame itself is deleted later.
#include <QPointer>
#include <QWidget>
#include <QtTest>

#include "framework/Document.h"
#include "framework/MDIChildWnd.h"
#include "framework/View.h"
#include "tests/support/QtTestRegistry.h"

namespace {
class CountingView : public QWidget, public CView {
public:
    explicit CountingView(int& destroyed) : m_nDestroyed(destroyed) {}
    ~CountingView() override { Destroy(); }
    void OnDestroy() override { ++m_nDestroyed; }
    int& m_nDestroyed;
};
}  // namespace

class TestChildFrame : public QObject {
    Q_OBJECT
private slots:
    void closingTakesTheViewOutAtOnceAndDestroysItOnce() {
        QPointer<CDocument> doc(new CDocument);
        int destroyed = 0;
        auto* frame = new CMDIChildWnd;
        frame->setAttribute(Qt::WA_DeleteOnClose);
        auto* view = new CountingView(destroyed);
        frame->setWidget(view);
        doc->AddView(view);
        QPointer<CMDIChildWnd> alive(frame);

        frame->close();
        QVERIFY(doc->GetViews().isEmpty());
        QVERIFY(view->GetDocument() == nullptr);
        QCOMPARE(destroyed, 1);
        QVERIFY(!alive.isNull());  // deleted when events are next processed

        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(alive.isNull());
        QCOMPARE(destroyed, 1);
        QVERIFY(doc.isNull());  // a document lives as long as it has a view
    }
};

TORVAN_TEST_CLASS(TestChildFrame);
#include "test_child_frame.moc"
