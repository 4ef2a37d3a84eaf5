// Frame of the program window: an MDI child that places itself in the upper
// left part of the main window's client area.
#pragma once

#include "framework/MDIChildWnd.h"

class CTorvanFrm : public CMDIChildWnd {
    Q_OBJECT
public:
    explicit CTorvanFrm(QWidget* parent = nullptr);

    // Places the frame from the size of the MDI client area it is about to
    // appear in.
    void PreCreateWindow(const QSize& clientSize);

    // Geometry for a given client size: width 2/3, height 0.45 of it.
    static QRect PlacementFor(const QSize& clientSize);
};
