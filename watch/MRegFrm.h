// Frame of the register window: the upper right third of the main window.
#pragma once

#include "watch/WatchFrame.h"

class CMRegFrm : public CWatchFrame {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Register Window";

    using CWatchFrame::CWatchFrame;
    void PreCreateWindow(const QSize& clientSize) { Place(PlacementFor(clientSize), kTitle); }
    static QRect PlacementFor(const QSize& clientSize);
};
