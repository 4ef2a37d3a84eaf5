#include "menu/PlainMenuStyle.h"

#include <QStyleOptionMenuItem>

#include "menu/SharedStyle.h"

PlainMenuStyle* PlainMenuStyle::Instance() {
    return SharedStyle<PlainMenuStyle>([] { return new PlainMenuStyle(); });
}

void PlainMenuStyle::drawControl(ControlElement element, const QStyleOption* pOption, QPainter* pPainter,
                                 const QWidget* pWidget) const {
    const auto* pItem = qstyleoption_cast<const QStyleOptionMenuItem*>(pOption);
    if (element != CE_MenuItem || pItem == nullptr || pItem->checked ||
        pItem->checkType == QStyleOptionMenuItem::NotCheckable) {
        QProxyStyle::drawControl(element, pOption, pPainter, pWidget);
        return;
    }
    // Drawn as a command that has no check state: its text stays where the
    // menu's other texts are.
    QStyleOptionMenuItem unchecked = *pItem;
    unchecked.checkType = QStyleOptionMenuItem::NotCheckable;
    QProxyStyle::drawControl(element, &unchecked, pPainter, pWidget);
}
