// What Run's loop changes in the application's event handling while it is
// active: windows repaint at display rate however often their views are
// updated. Keys, menus and the toolbar work as they do between runs.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class CRunLoopFilter : public QObject {
public:
    // Time between two repaints of one window while a program runs.
    static constexpr qint64 kFrameIntervalMs = 16;

    using QObject::QObject;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    bool HoldRepaint(QObject* pWatched);

    // Earliest next repaint of each window, in milliseconds of the clock.
    QHash<QObject*, qint64> m_nextRepaint;
};

// Installs the filter while Run's loop is active; there is one such loop at
// a time.
class CRunLoopScope {
public:
    CRunLoopScope();
    ~CRunLoopScope();
    CRunLoopScope(const CRunLoopScope&) = delete;
    CRunLoopScope& operator=(const CRunLoopScope&) = delete;

    static bool IsActive() { return !s_pFilter.isNull(); }

private:
    static QPointer<CRunLoopFilter> s_pFilter;
};
