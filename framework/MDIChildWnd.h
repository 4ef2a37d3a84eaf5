// A child window of the main frame: one frame holding one view. A closed
// frame is deleted only when events are next processed, which a running
// program can put off for as long as it runs; its view is destroyed and
// leaves the document as the frame closes, so that nothing (toggles, check
// marks, updates) sees a closed window as open meanwhile.
#pragma once

#include <QMdiSubWindow>

class CMDIChildWnd : public QMdiSubWindow {
    Q_OBJECT
public:
    using QMdiSubWindow::QMdiSubWindow;

protected:
    void closeEvent(QCloseEvent* event) override;
};
