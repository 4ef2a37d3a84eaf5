// Frame of the I/O watch: the full width of the main window, below the
// memory watch.
#pragma once

#include "watch/WatchFrame.h"

class CIOWatchFrm : public CWatchFrame {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "IO Watch Window";

    using CWatchFrame::CWatchFrame;
    void PreCreateWindow(const QSize& clientSize) { Place(PlacementFor(clientSize), kTitle); }
    static QRect PlacementFor(const QSize& clientSize);
};
