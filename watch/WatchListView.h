// The look and the refresh that every watch window shares: a single-column
// list without header in the fixed system font, one row per watched item,
// the right-click menu "Float" (menu 138) and double clicks on rows.
//
// A derived view says how many rows it has and formats each one into a
// fixed buffer. A refresh formats every row and re-texts only the rows whose
// text changed. While a program runs, the document's views are updated
// after every stretch of instructions; then an update only marks the list
// stale, and the list re-texts itself at display rate, so nothing on that
// path formats, allocates or repaints.
#pragma once

#include <QBasicTimer>
#include <QListWidget>
#include <string>
#include <vector>

#include "framework/View.h"

class QMenu;

// A view's command table: the commands it serves, each with its handler.
template <class View> struct WatchCommand {
    int nID;
    void (View::*handler)();
};

// Serves command nID from a view's table: with pCmdUI null the handler
// runs; either way true when the table holds the command.
template <class View, std::size_t N>
bool DispatchWatchCommand(View* pView, const WatchCommand<View> (&table)[N], int nID, CCmdUI* pCmdUI) {
    for (const WatchCommand<View>& command : table) {
        if (command.nID != nID) continue;
        if (pCmdUI == nullptr) (pView->*command.handler)();
        return true;
    }
    return false;
}

class CWatchListView : public QListWidget, public CView {
    Q_OBJECT
public:
    static constexpr int kRowTextSize = 160;
    using RowText = char[kRowTextSize];
    // Re-texting while a program runs, in milliseconds: about 25 times a second.
    static constexpr int kDisplayIntervalMs = 40;
    static constexpr int kColumnWidth = 640;
    // The one row of an empty memory or I/O watch.
    static constexpr const char* kAddWatchHint = "To add watch, just right-click here...";

    explicit CWatchListView(QWidget* parent = nullptr);

    // With bInsert every row is made anew (the number of rows may change);
    // otherwise the existing rows are re-texted where their text changed.
    void FillList(bool bInsert);
    void OnInitialUpdate() override { FillList(true); }
    void OnUpdate(CView* pSender, long lHint) override;

    // The text a row shows; empty for a row that does not exist.
    QString RowTextOf(int row) const;
    // The first selected row in row order, or -1.
    int GetFirstSelectedRow() const;
    bool IsStale() const { return m_bStale; }
    // Menu 138's popup as this view shows it: an item is greyed when the view
    // does not handle its command. The caller owns the menu.
    QMenu* CreateFloatMenu();

protected:
    virtual int GetRowCount() const = 0;
    virtual void FormatRow(int row, RowText& text) const = 0;
    // Before a refresh formats its rows.
    virtual void OnBeforeFill() {}
    // A right click (or the menu key) at a point of the screen.
    virtual void OnContextMenu(const QPoint& globalPos);
    // A double click on a row.
    virtual void OnLButtonDblClk(int row) {}

    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void SetRowText(int row, const RowText& text);

    // What each row shows, to leave unchanged rows alone.
    std::vector<std::string> m_rowTexts;
    QBasicTimer m_displayTimer;
    bool m_bStale = false;
};
