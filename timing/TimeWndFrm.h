// Frame of the timing-diagram window: an MDI child with a fixed title, at
// the place and width a new child window gets by default, and tall enough
// for the whole diagram where the client area allows.
#pragma once

#include "framework/MDIChildWnd.h"

class CTimeWndFrm : public CMDIChildWnd {
    Q_OBJECT
public:
    static const char* const kTitle;

    explicit CTimeWndFrm(QWidget* parent = nullptr);

    void PreCreateWindow(const QSize& clientSize);
};
