// Frame of the timing-diagram window: an MDI child with a fixed title, at
// the place and size a new child window gets by default.
#pragma once

#include <QMdiSubWindow>

class CTimeWndFrm : public QMdiSubWindow {
    Q_OBJECT
public:
    static const char* const kTitle;

    explicit CTimeWndFrm(QWidget* parent = nullptr);

    void PreCreateWindow(const QSize& clientSize);

protected:
    // The window is deleted only when events are next processed; its view
    // stops the animation now, so that no tick comes in between.
    void closeEvent(QCloseEvent* event) override;
};
