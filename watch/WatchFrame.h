// A watch window's frame: it places itself at fixed fractions of the main
// window's client area and shows a fixed title, without the document's name.
#pragma once

#include <QMdiSubWindow>

class CWatchFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    using QMdiSubWindow::QMdiSubWindow;

protected:
    void Place(const QRect& rect, const char* title) {
        setGeometry(rect);
        setWindowTitle(QString::fromLatin1(title));
    }
};
