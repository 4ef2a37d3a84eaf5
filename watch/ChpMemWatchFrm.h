// Frame of the internal-RAM watch: along the lower third of the main window.
#pragma once

#include "watch/WatchFrame.h"

class CChpMemWatchFrm : public CWatchFrame {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Internal RAM Watch Window";

    using CWatchFrame::CWatchFrame;
    void PreCreateWindow(const QSize& clientSize) { Place(PlacementFor(clientSize), kTitle); }
    // The height leaves room for a horizontal and a vertical scroll bar and a
    // window frame, as the style measures them.
    QRect PlacementFor(const QSize& clientSize) const;
};
