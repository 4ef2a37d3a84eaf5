#include "menu/KespMenuStyle.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

#include "menu/Kespmenu.h"
#include "menu/SharedStyle.h"
#include "platform/SysColor.h"

namespace {
// The arrow of an item that opens a popup: the system draws it beside the
// owner's drawing, right-aligned.
constexpr int kArrowWidth = 4;
constexpr int kArrowRightMargin = 6;
// An item that opens a popup is widened by this much, so that its arrow
// keeps from the text the margin it keeps from the edge.
constexpr int kArrowRoom = kArrowRightMargin;

const KespMenuItemData* ItemDataOf(const QStyleOption* pOption, const QWidget* pWidget, const KespMenu** ppMenu) {
    const auto* pMenu = qobject_cast<const KespMenu*>(pWidget);
    const auto* pAction = pOption != nullptr ? qobject_cast<const QAction*>(pOption->styleObject) : nullptr;
    if (pMenu == nullptr || pAction == nullptr) return nullptr;
    *ppMenu = pMenu;
    return pMenu->ItemDataOf(pAction);
}

void DrawSubMenuArrow(QPainter* pPainter, const QRect& item, QColor color) {
    const int right = item.right() + 1 - kArrowRightMargin;
    const int middle = item.top() + item.height() / 2;
    pPainter->save();
    for (int column = 0; column < kArrowWidth; ++column) {
        const int half = kArrowWidth - 1 - column;
        pPainter->fillRect(right - kArrowWidth + column, middle - half, 1, 2 * half + 1, color);
    }
    pPainter->restore();
}
}  // namespace

KespMenuStyle::KespMenuStyle() = default;

KespMenuStyle* KespMenuStyle::Instance() {
    return SharedStyle<KespMenuStyle>([] { return new KespMenuStyle(); });
}

void KespMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* pOption, QPainter* pPainter,
                                  const QWidget* pWidget) const {
    const auto* pMenu = qobject_cast<const KespMenu*>(pWidget);
    if (pMenu != nullptr && element == PE_PanelMenu) pMenu->DrawPopupGround(pPainter, pOption->rect);
    else if (pMenu != nullptr && element == PE_FrameMenu) pMenu->DrawPopupFrame(pPainter, pOption->rect);
    else QProxyStyle::drawPrimitive(element, pOption, pPainter, pWidget);
}

void KespMenuStyle::drawControl(ControlElement element, const QStyleOption* pOption, QPainter* pPainter,
                                const QWidget* pWidget) const {
    const KespMenu* pMenu = nullptr;
    const KespMenuItemData* pData = element == CE_MenuItem ? ItemDataOf(pOption, pWidget, &pMenu) : nullptr;
    if (pData == nullptr) {
        QProxyStyle::drawControl(element, pOption, pPainter, pWidget);
        return;
    }
    const auto* pItem = static_cast<const QStyleOptionMenuItem*>(pOption);
    DrawItemStruct draw;
    draw.pDC = pPainter;
    draw.rcItem = pItem->rect;
    draw.itemID = pData->m_nID;
    draw.itemData = pData;
    if (pItem->state & State_Selected) draw.itemState |= ODS_SELECTED;
    if (!(pItem->state & State_Enabled)) draw.itemState |= ODS_GRAYED;
    if (pItem->checked) draw.itemState |= ODS_CHECKED;
    pPainter->save();
    pMenu->DrawItem(&draw);
    pPainter->restore();

    if (pItem->menuItemType == QStyleOptionMenuItem::SubMenu) {
        const QPalette& palette = pMenu->palette();
        const QColor color =
            !(draw.itemState & ODS_GRAYED)
                ? GetSysColor((draw.itemState & ODS_SELECTED) ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT, palette)
                : GetSysColor(COLOR_GRAYTEXT, palette);
        DrawSubMenuArrow(pPainter, pItem->rect, color);
    }
}

QSize KespMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* pOption, const QSize& size,
                                      const QWidget* pWidget) const {
    const KespMenu* pMenu = nullptr;
    const KespMenuItemData* pData = type == CT_MenuItem ? ItemDataOf(pOption, pWidget, &pMenu) : nullptr;
    if (pData == nullptr) return QProxyStyle::sizeFromContents(type, pOption, size, pWidget);
    MeasureItemStruct measure;
    measure.itemData = pData;
    pMenu->MeasureItem(&measure);
    // Qt widens the whole menu by its key column; the measured width holds
    // the key texts already. An item of no width would not be laid out.
    int width = measure.itemWidth - pMenu->AcceleratorColumnWidth();
    if (static_cast<const QStyleOptionMenuItem*>(pOption)->menuItemType == QStyleOptionMenuItem::SubMenu)
        width += kArrowRoom;
    return QSize(qMax(1, width), measure.itemHeight);
}

int KespMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* pOption, const QWidget* pWidget) const {
    // The items stand inside the popup's frame.
    if (metric == PM_MenuPanelWidth && qobject_cast<const KespMenu*>(pWidget) != nullptr)
        return KespMenu::kPopupFrameWidth;
    return QProxyStyle::pixelMetric(metric, pOption, pWidget);
}

int KespMenuStyle::styleHint(StyleHint hint, const QStyleOption* pOption, const QWidget* pWidget,
                             QStyleHintReturn* pReturn) const {
    // A greyed item is highlighted like any other when the pointer or the
    // arrow keys reach it.
    if (hint == SH_Menu_AllowActiveAndDisabled && qobject_cast<const KespMenu*>(pWidget) != nullptr) return 1;
    return QProxyStyle::styleHint(hint, pOption, pWidget, pReturn);
}
