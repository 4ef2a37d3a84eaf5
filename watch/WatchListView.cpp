#include "watch/WatchListView.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/CmdUI.h"
#include "res/MenuTables.h"
#include "sim/Simulator.h"

namespace {
// Room beside the text within a row.
constexpr int kRowMargin = 8;
}  // namespace

CWatchListView::CWatchListView(QWidget* parent) : QListWidget(parent) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Every row is one line of the fixed font, so the list never measures
    // rows one by one.
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void CWatchListView::OnUpdate(CView*, long) {
    if (g_Sim.m_bRunning) {
        m_bStale = true;
        if (!m_displayTimer.isActive()) m_displayTimer.start(kDisplayIntervalMs, this);
        return;
    }
    FillList(false);
}

void CWatchListView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_displayTimer.timerId()) {
        QListWidget::timerEvent(event);
        return;
    }
    // The timer runs as long as updates keep coming.
    if (m_bStale) FillList(false);
    else m_displayTimer.stop();
}

void CWatchListView::FillList(bool bInsert) {
    OnBeforeFill();
    const int rows = std::max(0, GetRowCount());
    // The watched lists can change under the window (a configuration loaded);
    // rows are then made anew rather than shown for entries that are gone.
    if (!bInsert && rows != count()) bInsert = true;
    if (bInsert) {
        clear();
        m_rowTexts.assign(std::size_t(rows), std::string());
        for (int row = 0; row < rows; ++row) addItem(QString());
    }
    RowText text;
    std::size_t widest = 0;
    for (int row = 0; row < rows; ++row) {
        text[0] = '\0';
        FormatRow(row, text);
        text[kRowTextSize - 1] = '\0';
        if (bInsert || m_rowTexts[std::size_t(row)] != text) SetRowText(row, text);
        widest = std::max(widest, m_rowTexts[std::size_t(row)].size());
    }
    m_bStale = false;
    // One fixed-pitch row width for all rows, at least the column's.
    if (QListWidgetItem* pFirst = item(0)) {
        const int width =
            std::max(kColumnWidth, int(widest) * fontMetrics().horizontalAdvance(QLatin1Char('0')) + 2 * kRowMargin);
        const QSize size(width, fontMetrics().height());
        if (pFirst->sizeHint() != size) pFirst->setSizeHint(size);
    }
}

void CWatchListView::SetRowText(int row, const RowText& text) {
    m_rowTexts[std::size_t(row)] = text;
    if (QListWidgetItem* pItem = item(row)) pItem->setText(QString::fromLatin1(text));
}

QString CWatchListView::RowTextOf(int row) const {
    const QListWidgetItem* pItem = item(row);
    return pItem != nullptr ? pItem->text() : QString();
}

int CWatchListView::GetFirstSelectedRow() const {
    for (int row = 0; row < count(); ++row) {
        if (item(row)->isSelected()) return row;
    }
    return -1;
}

QMenu* CWatchListView::CreateFloatMenu() {
    auto* pMenu = new QMenu(this);
    // The first popup of the menu: its items up to the popup's end.
    const MenuItemDef* pItem = MenuTable(IDR_FLOAT_MENU);
    if (pItem == nullptr || pItem->nID != kMenuPopup) return pMenu;
    for (++pItem; pItem->nID != kMenuEndPopup; ++pItem) {
        if (pItem->nID == kMenuSeparator) {
            pMenu->addSeparator();
            continue;
        }
        QAction* pAction = pMenu->addAction(QString::fromLatin1(pItem->text));
        pAction->setData(pItem->nID);
        CCmdUI state(pItem->nID);
        pAction->setEnabled(OnCmdMsg(pItem->nID, &state) && state.m_bEnabled);
    }
    return pMenu;
}

void CWatchListView::OnContextMenu(const QPoint& globalPos) {
    const std::unique_ptr<QMenu> pMenu(CreateFloatMenu());
    const QAction* pChosen = pMenu->exec(globalPos);
    if (pChosen != nullptr && pChosen->isEnabled()) OnCmdMsg(pChosen->data().toInt(), nullptr);
}

void CWatchListView::contextMenuEvent(QContextMenuEvent* event) {
    OnContextMenu(event->globalPos());
    event->accept();
}

void CWatchListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = indexAt(event->position().toPoint()).row();
    if (row >= 0) OnLButtonDblClk(row);
    QListWidget::mouseDoubleClickEvent(event);
}
