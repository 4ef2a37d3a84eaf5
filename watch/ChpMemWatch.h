// The internal-RAM watch: a watch list that stays empty. Its commands do
// nothing and a right click shows no menu.
#pragma once

#include "watch/WatchListView.h"

class CDocument;

class CChpMemWatch : public CWatchListView {
    Q_OBJECT
public:
    explicit CChpMemWatch(CDocument*, QWidget* parent = nullptr) : CWatchListView(parent) {}

    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;
    void OnAddWatch() {}
    void OnDeleteWatch() {}
    void OnDeleteAllWatches() {}
    void OnEditWatch() {}

protected:
    int GetRowCount() const override { return 0; }
    void FormatRow(int, RowText&) const override {}
    void OnContextMenu(const QPoint&) override {}
    void OnLButtonDblClk(int) override { OnEditWatch(); }
};
