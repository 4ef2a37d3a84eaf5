// Frame of the timing-diagram window: an MDI child with a fixed title, at
// the place and size a new child window gets by default.
#pragma once

#include "framework/MDIChildWnd.h"

class CTimeWndFrm : public CMDIChildWnd {
    Q_OBJECT
public:
    static const char* const kTitle;

    explicit CTimeWndFrm(QWidget* parent = nullptr);

    void PreCreateWindow(const QSize& clientSize);
};
