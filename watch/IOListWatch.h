// The I/O watch: one row per watched peripheral (the 8279's display, an LCD
// line, the 8155's ports, one 8255, 8251 or 8253), newest first, and the
// input given to the chips: keys to the 8279, received bytes to the 8251s,
// port levels to the 8155 and 8255s and gate levels to the 8253s. The
// entries belong to the machine (and its configuration file), not to the
// window.
#pragma once

#include "watch/WatchListView.h"

class CDocument;

class CIOListWatch : public CWatchListView {
    Q_OBJECT
public:
    explicit CIOListWatch(CDocument* pDoc, QWidget* parent = nullptr);

    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;
    void RefreshList(bool bRebuild) { FillList(bRebuild); }
    void OnAddWatch();
    void OnDeleteWatch();
    void OnDeleteAllWatches();
    void OnEditWatch();

    void Input8255();
    void Input8155();
    void Input8279();
    void Input8253();
    void Input8251();

protected:
    int GetRowCount() const override;
    void FormatRow(int row, RowText& text) const override;
    void OnBeforeFill() override;
};
