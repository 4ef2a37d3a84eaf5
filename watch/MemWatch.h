// The memory watch: up to six 16-byte stretches of target memory, newest
// first, each in hexadecimal and as characters. Add asks for an address,
// Delete and Delete All remove watches, Edit (or a double click) opens
// Modify Memory at the selected watch. The watched addresses belong to the
// machine (and its configuration file), not to the window.
#pragma once

#include "watch/WatchListView.h"

class CDocument;

class CMemWatch : public CWatchListView {
    Q_OBJECT
public:
    static constexpr int kBytesPerRow = 16;

    explicit CMemWatch(CDocument* pDoc, QWidget* parent = nullptr);

    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;
    void OnAdd();
    void OnDelete();
    void OnDeleteAll();
    void OnEdit();

protected:
    int GetRowCount() const override;
    void FormatRow(int row, RowText& text) const override;
    void OnLButtonDblClk(int row) override { OnEdit(); }
};
