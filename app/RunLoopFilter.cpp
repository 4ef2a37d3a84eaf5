#include "app/RunLoopFilter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

namespace {
QElapsedTimer& Clock() {
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    return clock;
}
}  // namespace

QPointer<CRunLoopFilter> CRunLoopScope::s_pFilter;

bool CRunLoopFilter::eventFilter(QObject* pWatched, QEvent* pEvent) {
    return pEvent->type() == QEvent::UpdateRequest && pWatched->isWidgetType() && HoldRepaint(pWatched);
}

bool CRunLoopFilter::HoldRepaint(QObject* pWatched) {
    // The loop updates the views and lets events through after every time
    // slice, about a thousand times a second, so a window whose view marks
    // itself stale on every update would otherwise be repainted as often. A
    // request that comes too early is asked again for the window's next
    // frame; the window stays marked for repainting until then.
    const qint64 now = Clock().elapsed();
    auto it = m_nextRepaint.find(pWatched);
    if (it == m_nextRepaint.end() || now >= it.value()) {
        m_nextRepaint.insert(pWatched, now + kFrameIntervalMs);
        return false;
    }
    QTimer::singleShot(it.value() - now, pWatched, [pWatched] {
        QCoreApplication::postEvent(pWatched, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    });
    return true;
}

CRunLoopScope::CRunLoopScope() {
    s_pFilter = new CRunLoopFilter(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(s_pFilter);
}

CRunLoopScope::~CRunLoopScope() { delete s_pFilter; }
