// A menu style is one object shared by every menu that uses it. It is made
// on first use and belongs to the application object, so it goes before the
// application does; a later use after that makes a new one.
#pragma once

#include <QApplication>
#include <QPointer>

template <class Style, class Make> Style* SharedStyle(Make make) {
    static QPointer<Style> s_pStyle;
    if (s_pStyle.isNull()) {
        s_pStyle = make();
        s_pStyle->setParent(qApp);
    }
    return s_pStyle;
}
