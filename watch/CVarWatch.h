// The C-variable watch: a watch list that stays empty. Its right-click menu
// offers every item of menu 138, each doing nothing.
#pragma once

#include "watch/WatchListView.h"

class CDocument;

class CCVarWatch : public CWatchListView {
    Q_OBJECT
public:
    explicit CCVarWatch(CDocument*, QWidget* parent = nullptr) : CWatchListView(parent) {}

    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;
    void OnAddWatch() {}
    void OnDeleteWatch() {}
    void OnDeleteAllWatches() {}
    void OnEditWatch() {}
    void OnProperties() {}

protected:
    int GetRowCount() const override { return 0; }
    void FormatRow(int, RowText&) const override {}
    void OnLButtonDblClk(int) override { OnEditWatch(); }
};
