// A watch window's frame: it places itself at fixed fractions of the main
// window's client area and shows a fixed title, without the document's name.
#pragma once

#include "framework/MDIChildWnd.h"

class CWatchFrame : public CMDIChildWnd {
    Q_OBJECT
public:
    using CMDIChildWnd::CMDIChildWnd;

protected:
    // A band across the whole client area, its top and height given as
    // fractions of the client's height (products truncated).
    static QRect FullWidthBand(const QSize& clientSize, double topFraction, double heightFraction) {
        const int h = clientSize.height();
        return QRect(0, static_cast<int>(h * topFraction), clientSize.width(), static_cast<int>(h * heightFraction));
    }
    void Place(const QRect& rect, const char* title) {
        setGeometry(rect);
        setWindowTitle(QString::fromLatin1(title));
    }
};
