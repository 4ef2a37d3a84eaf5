// The style of the plain menus (the timing window's): the application's
// style, except that an unchecked command shows nothing where a checked one
// shows its mark, as the desktop's plain menus do.
#pragma once

#include <QProxyStyle>

class PlainMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    // The one instance every plain menu uses; it lives as long as the
    // application object.
    static PlainMenuStyle* Instance();

    void drawControl(ControlElement element, const QStyleOption* pOption, QPainter* pPainter,
                     const QWidget* pWidget = nullptr) const override;

private:
    PlainMenuStyle() = default;
};
