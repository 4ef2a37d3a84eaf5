// Frame of the serial window: the right third of the main window at nine
// tenths of its height, never lower than 250 pixels.
#pragma once

#include "watch/WatchFrame.h"

class CSerFrm : public CWatchFrame {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Serial Window";
    static constexpr int kMinTrackHeight = 250;

    explicit CSerFrm(QWidget* parent = nullptr) : CWatchFrame(parent) { setMinimumHeight(kMinTrackHeight); }
    void PreCreateWindow(const QSize& clientSize) { Place(PlacementFor(clientSize), kTitle); }
    static QRect PlacementFor(const QSize& clientSize);
};
