// Frame of the C-variable watch: the left third of the main window, across
// its middle.
#pragma once

#include "watch/WatchFrame.h"

class CCVarWatchFrm : public CWatchFrame {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "C Variable Watch Window";

    using CWatchFrame::CWatchFrame;
    void PreCreateWindow(const QSize& clientSize) { Place(PlacementFor(clientSize), kTitle); }
    static QRect PlacementFor(const QSize& clientSize);
};
