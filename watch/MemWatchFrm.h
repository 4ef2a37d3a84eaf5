// Frame of the memory watch: the full width of the main window, below the
// program and register windows.
#pragma once

#include "watch/WatchFrame.h"

class CMemWatchFrm : public CWatchFrame {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Memory Watch Window";

    using CWatchFrame::CWatchFrame;
    void PreCreateWindow(const QSize& clientSize) { Place(PlacementFor(clientSize), kTitle); }
    static QRect PlacementFor(const QSize& clientSize);
};
