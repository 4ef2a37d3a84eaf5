// The drawing side of KespMenu: measuring and painting its items with the
// toolbar images, check marks and key column in the system's colours. The
// rectangles follow the system's convention: right and bottom exclusive.
#include <QActionGroup>
#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <vector>

#include "menu/Kespmenu.h"
#include "platform/SysColor.h"

namespace {
// A classic menu line is this much taller than its font.
constexpr int kMenuLinePadding = 6;
// Where the ticks of a check mark start, column by column; each is three
// pixels tall.
constexpr int kCheckMarkRows[] = {2, 3, 4, 3, 2, 1, 0};
constexpr int kCheckMarkTick = 3;
constexpr int kRadioDotSize = 6;
// Offsets of the mark inside its check box.
constexpr int kCheckMarkX = 4, kCheckMarkY = 4, kRadioDotX = 5, kRadioDotY = 4;

QRect Ltrb(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }

// Top and left lines in one colour, bottom and right (with their corners)
// in the other.
void Draw3dRect(QPainter* pDC, const QRect& r, QColor topLeft, QColor bottomRight) {
    pDC->fillRect(r.x(), r.y(), r.width() - 1, 1, topLeft);
    pDC->fillRect(r.x(), r.y(), 1, r.height() - 1, topLeft);
    pDC->fillRect(r.x() + r.width() - 1, r.y(), 1, r.height(), bottomRight);
    pDC->fillRect(r.x(), r.y() + r.height() - 1, r.width(), 1, bottomRight);
}

void FrameRect(QPainter* pDC, const QRect& r, QColor color) { Draw3dRect(pDC, r, color, color); }

// The pixels of a part of a bitmap that a disabled image shows dark, by
// their place in the part.
template <class IsDark> std::vector<QPoint> DarkPixels(const QImage& bitmap, const QRect& part, IsDark isDark) {
    const QImage source = bitmap.copy(part).convertToFormat(QImage::Format_RGB32);
    std::vector<QPoint> dark;
    for (int y = 0; y < source.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x)
            if (isDark(line[x] & RGB_MASK)) dark.emplace_back(x, y);
    }
    return dark;
}

bool IsNearerBlack(QRgb rgb) {
    const int r = qRed(rgb), g = qGreen(rgb), b = qBlue(rgb);
    return r * r + g * g + b * b < (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
}
}  // namespace

// ---- the records behind the items ----

void KespMenu::initStyleOption(QStyleOptionMenuItem* pOption, const QAction* pAction) const {
    QMenu::initStyleOption(pOption, pAction);
    // The style finds the item's record through its action.
    pOption->styleObject = const_cast<QAction*>(pAction);
}

quintptr KespMenu::ItemId(const QAction* pAction) {
    if (pAction->menu() != nullptr) return PopupId(pAction->menu());
    return pAction->isSeparator() ? 0 : static_cast<quintptr>(pAction->data().toInt());
}

KespMenuItemData* KespMenu::ItemDataOf(const QAction* pAction) const {
    const int pos = actions().indexOf(const_cast<QAction*>(pAction));
    if (pos < 0 || static_cast<std::size_t>(pos) >= m_MenuList.size()) return nullptr;
    KespMenuItemData* pData = m_MenuList[static_cast<std::size_t>(pos)].get();
    // Until the next synchronisation a position may hold another item.
    return pData->m_nID == ItemId(pAction) ? pData : nullptr;
}

int KespMenu::MenuLineHeight() const { return QFontMetrics(font()).height() + kMenuLinePadding; }

int KespMenu::AcceleratorColumnWidth() const {
    const QFontMetrics metrics = fontMetrics();
    int width = 0;
    for (const QAction* pAction : actions()) {
        if (!pAction->isVisible() || pAction->isSeparator()) continue;
        const QString text = pAction->text();
        const int tab = text.indexOf(QLatin1Char('\t'));
        if (tab >= 0) width = qMax(width, metrics.horizontalAdvance(text.mid(tab + 1)));
        else if (!pAction->shortcut().isEmpty())
            width = qMax(width, metrics.horizontalAdvance(pAction->shortcut().toString(QKeySequence::NativeText)));
    }
    return width;
}

// ---- measuring ----

void KespMenu::MeasureItem(MeasureItemStruct* pMeasure) const {
    const KespMenuItemData* pData = pMeasure->itemData;
    const int menuLine = MenuLineHeight();
    if (pData->m_nFlags & MF_SEPARATOR) {
        pMeasure->itemWidth = 0;
        pMeasure->itemHeight = menuLine >> 1;
        return;
    }
    const QFontMetrics metrics(font());
    const QString& text = pData->GetWideString();
    unsigned width = 0;
    if (g_nShellType != 0) {
        // The whole text: the spaces that line up the key column and the
        // tab count.
        width = static_cast<unsigned>(metrics.horizontalAdvance(text));
    } else {
        const QRect measured =
            metrics.boundingRect(QRect(), Qt::TextSingleLine | Qt::AlignVCenter | Qt::TextShowMnemonic, text);
        width = static_cast<unsigned>(measured.width()) + 3;
        if (!text.isEmpty()) width += (width / static_cast<unsigned>(text.size())) * 3;
    }
    pMeasure->itemWidth = static_cast<int>(width) + 2 * m_nIconX + 1;
    pMeasure->itemHeight = menuLine > m_nIconY + 4 ? menuLine : m_nIconY + 4;
}

// ---- drawing ----

void KespMenu::DrawItem(DrawItemStruct* pDraw) const {
    Q_ASSERT(pDraw != nullptr && pDraw->itemData != nullptr);
    QPainter* pDC = pDraw->pDC;
    const KespMenuItemData& item = *pDraw->itemData;
    const QRect& rect = pDraw->rcItem;
    const QPalette& pal = palette();
    if (item.m_nFlags & MF_SEPARATOR) {
        // One etched line across the middle.
        const int y = rect.top() + rect.height() / 2;
        pDC->fillRect(rect.left(), y, rect.width(), 1, GetSysColor(COLOR_3DSHADOW, pal));
        pDC->fillRect(rect.left(), y + 1, rect.width(), 1, GetSysColor(COLOR_3DHILIGHT, pal));
        return;
    }
    const unsigned nState = pDraw->itemState;
    const bool bSelected = nState & ODS_SELECTED;
    const bool bChecked = nState & ODS_CHECKED;
    const bool bCheckImage =
        bChecked && item.m_nBitmapId < 0 && ((bSelected && m_nSelectCheck > 0) || m_nUnselectCheck > 0);

    QColor textColor;
    if (bSelected) {
        QRect highlight = rect;
        if (bCheckImage || item.m_nBitmapId != -1 || bChecked) highlight.setLeft(rect.left() + m_nIconX + 5);
        pDC->fillRect(highlight, GetSysColor(COLOR_HIGHLIGHT, pal));
        textColor = GetSysColor(COLOR_HIGHLIGHTTEXT, pal);
    } else {
        pDC->fillRect(rect, GetSysColor(COLOR_MENU, pal));
        FrameRect(pDC, rect, GetSysColor(COLOR_MENU, pal));
        textColor = GetSysColor(COLOR_MENUTEXT, pal);
    }

    DrawImageBox(pDC, rect, item, nState, bCheckImage);
    DrawItemText(pDC, rect, item.GetWideString(), nState, textColor);
}

void KespMenu::DrawImageBox(QPainter* pDC, const QRect& rect, const KespMenuItemData& item, unsigned nState,
                            bool bCheckImage) const {
    const QPalette& pal = palette();
    const QColor menu = GetSysColor(COLOR_MENU, pal);
    const bool bSelected = nState & ODS_SELECTED;
    const bool bGrayed = nState & ODS_GRAYED;
    const bool bChecked = nState & ODS_CHECKED;
    const bool bImage = !bCheckImage && item.m_nBitmapId != -1;
    const int dy = qMax(0, (rect.height() - 4 - m_nIconY) / 2);
    const int left = rect.left();
    const int top = rect.top() + dy;
    const QRect inner = Ltrb(left + 1, top + 1, left + m_nIconX + 3, top + m_nIconY + 3);
    const QRect outer = Ltrb(left, top, left + m_nIconX + 4, top + m_nIconY + 4);
    const QPoint image(left + 2, top + 2);
    const QColor shadow = GetSysColor(COLOR_3DSHADOW, pal);
    const QColor hilight = GetSysColor(COLOR_3DHILIGHT, pal);
    auto drawImage = [&] {
        if (item.m_pImageList) item.m_pImageList->Draw(pDC, item.m_nImageIndex, image);
    };

    bool bCheckImageDrawn = false;
    if (bCheckImage || bImage) {
        FrameRect(pDC, inner, menu);
        if (bCheckImage) {
            if (m_pCheckImages != nullptr) {
                pDC->fillRect(inner, menu);
                FrameRect(pDC, outer, menu);
                m_pCheckImages->Draw(pDC, bSelected ? 1 : 0, image);
                bCheckImageDrawn = true;
            }
        } else if (bGrayed) {
            const QImage bitmap = LoadSysColorBitmap(item.m_nBitmapId);
            if (!bitmap.isNull()) {
                FrameRect(pDC, outer, menu);
                const int xSrc = item.m_nImageIndex * m_nIconX;
                if (m_bDisableOldStyle)
                    DrawEmbossedBitmap(pDC, image.x(), image.y(), m_nIconX, m_nIconY, bitmap, xSrc, 0);
                else DitherBlt(pDC, image.x(), image.y(), m_nIconX, m_nIconY, bitmap, xSrc, 0);
            }
        } else if (bSelected) {
            pDC->fillRect(inner, menu);
            if (IsNewShell()) Draw3dRect(pDC, outer, bChecked ? shadow : hilight, bChecked ? hilight : shadow);
            drawImage();
        } else {
            if (bChecked) {
                pDC->fillRect(inner, GetSysColor(COLOR_3DLIGHT, pal));
                if (IsNewShell()) Draw3dRect(pDC, outer, shadow, hilight);
            } else {
                pDC->fillRect(inner, menu);
                FrameRect(pDC, outer, menu);
            }
            drawImage();
        }
    }

    if (item.m_nBitmapId < 0 && bChecked && !bCheckImageDrawn) {
        const QRect box = Ltrb(left + 1, top + 2, left + m_nIconX + 1, top + m_nIconY + 2);
        DrawCheckState(pDC, box, bSelected, HasCheckBitmap(item.m_nID), pal);
    }
}

void KespMenu::DrawItemText(QPainter* pDC, const QRect& rect, const QString& text, unsigned nState,
                            QColor textColor) const {
    const QPalette& pal = palette();
    int right = rect.left() + rect.width();
    QString leftText = text;
    QString rightText;
    const int tab = text.indexOf(QLatin1Char('\t'));
    if (tab >= 0) {
        leftText = text.left(tab);
        rightText = text.mid(text.lastIndexOf(QLatin1Char('\t')) + 1);
        right -= m_nIconX;
    }
    const QRect textRect = Ltrb(rect.left() + m_nIconX + 9, rect.top() - 1, right, rect.top() + rect.height() - 1);
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    pDC->setFont(font());
    auto drawText = [&](const QRect& r, QColor color) {
        pDC->setPen(color);
        pDC->drawText(r, flags | Qt::AlignLeft, leftText);
        if (!rightText.isEmpty()) pDC->drawText(r, flags | Qt::AlignRight, rightText);
    };
    if (!(nState & ODS_GRAYED)) {
        drawText(textRect, textColor);
    } else if (!(nState & ODS_SELECTED)) {
        drawText(textRect.translated(1, 1), GetSysColor(COLOR_3DHILIGHT, pal));
        drawText(textRect, GetSysColor(COLOR_GRAYTEXT, pal));
    } else {
        drawText(textRect, GetSysColor(COLOR_MENU, pal));
    }
}

// ---- the popup around the items ----

void KespMenu::DrawPopupGround(QPainter* pDC, const QRect& rect) const {
    pDC->fillRect(rect, GetSysColor(COLOR_MENU, palette()));
}

void KespMenu::DrawPopupFrame(QPainter* pDC, const QRect& rect) const {
    // A raised edge: light outside, the highlight inside, both shaded at the
    // bottom and right.
    const QPalette& pal = palette();
    Draw3dRect(pDC, rect, GetSysColor(COLOR_3DLIGHT, pal), GetSysColor(COLOR_3DDKSHADOW, pal));
    Draw3dRect(pDC, rect.adjusted(1, 1, -1, -1), GetSysColor(COLOR_3DHILIGHT, pal), GetSysColor(COLOR_3DSHADOW, pal));
}

bool KespMenu::HasCheckBitmap(quintptr nID) const {
    // A radio item: one of an exclusive group of commands.
    for (const QAction* pAction : actions())
        if (!pAction->isSeparator() && pAction->menu() == nullptr && ItemId(pAction) == nID)
            return pAction->actionGroup() != nullptr && pAction->actionGroup()->isExclusive();
    return false;
}

// ---- check box and marks ----

bool KespMenu::DrawCheckState(QPainter* pDC, const QRect& box, bool bSelected, bool bHasCheckBitmap,
                              const QPalette& palette) {
    pDC->fillRect(box, GetSysColor(!bSelected && IsNewShell() ? COLOR_3DLIGHT : COLOR_MENU, palette));
    if (IsNewShell()) Draw3dRect(pDC, box, GetSysColor(COLOR_3DSHADOW, palette), GetSysColor(COLOR_3DHILIGHT, palette));
    const QColor mark = GetSysColor(COLOR_MENUTEXT, palette);
    if (bHasCheckBitmap) DrawRadioDot(pDC, box.left() + kRadioDotX, box.top() + kRadioDotY, mark);
    else DrawCheckMark(pDC, box.left() + kCheckMarkX, box.top() + kCheckMarkY, mark);
    return true;
}

void KespMenu::DrawCheckMark(QPainter* pDC, int x, int y, QColor color) {
    int column = 0;
    for (int row : kCheckMarkRows) pDC->fillRect(x + column++, y + row, 1, kCheckMarkTick, color);
}

void KespMenu::DrawRadioDot(QPainter* pDC, int x, int y, QColor color) {
    pDC->save();
    pDC->setRenderHint(QPainter::Antialiasing, false);
    pDC->setPen(QPen(color, 0));
    pDC->setBrush(color);
    pDC->drawEllipse(QRect(x, y, kRadioDotSize - 1, kRadioDotSize - 1));
    pDC->restore();
}

// ---- disabled images ----

QColor KespMenu::DisabledImageGround() const {
    return GetSysColor(IsNewShell() ? COLOR_3DFACE : COLOR_MENU, palette());
}

void KespMenu::DrawEmbossedPixels(QPainter* pDC, const QRect& box, const std::vector<QPoint>& dark) const {
    const QColor hilight = GetSysColor(COLOR_3DHILIGHT, palette());
    const QColor shadow = GetSysColor(COLOR_3DSHADOW, palette());
    pDC->fillRect(box, DisabledImageGround());
    for (const QPoint& p : dark) pDC->fillRect(QRect(box.topLeft() + p + QPoint(1, 1), QSize(1, 1)), hilight);
    for (const QPoint& p : dark) pDC->fillRect(QRect(box.topLeft() + p, QSize(1, 1)), shadow);
}

void KespMenu::DitherBlt(QPainter* pDC, int x, int y, int nWidth, int nHeight, const QImage& bitmap, int xSrc,
                         int ySrc) const {
    // Dark: neither the face nor the highlight colour.
    const QRgb face = GetSysColor(COLOR_3DFACE, palette()).rgb() & RGB_MASK;
    const QRgb hilight = GetSysColor(COLOR_3DHILIGHT, palette()).rgb() & RGB_MASK;
    const std::vector<QPoint> dark =
        DarkPixels(bitmap, QRect(xSrc, ySrc, nWidth, nHeight), [&](QRgb rgb) { return rgb != face && rgb != hilight; });
    // The ground is laid under the highlight's offset copy as well, so it
    // also covers the row and the column just past the image.
    const QRect box(x, y, nWidth, nHeight);
    pDC->fillRect(box.translated(1, 1), DisabledImageGround());
    DrawEmbossedPixels(pDC, box, dark);
}

void KespMenu::DrawEmbossedBitmap(QPainter* pDC, int x, int y, int nWidth, int nHeight, const QImage& bitmap, int xSrc,
                                  int ySrc) const {
    if (nWidth < 1 || nHeight < 1) return;
    // In one bit per pixel each colour becomes the nearer of black and
    // white; the black ones are dark.
    DrawEmbossedPixels(pDC, QRect(x, y, nWidth, nHeight),
                       DarkPixels(bitmap, QRect(xSrc, ySrc, nWidth, nHeight), IsNearerBlack));
}
