// The register window: the program counter, the stack pointer, the packed
// flag byte and the seven 8-bit registers, one per row, each edited by
// double click or the Edit command through the register edit dialogs.
//
// The flag row shows all seven flags of the machine, X5 and V included:
// bit 7 S, 6 Z, 5 X5, 4 AC, 3 always 0, 2 P, 1 V, 0 CY.
#pragma once

#include "sim/Simulator.h"
#include "watch/WatchListView.h"

class CDocument;

class CRegWatch : public CWatchListView {
    Q_OBJECT
public:
    enum Row { kRowPC, kRowSP, kRowPSW, kRowA, kRowB, kRowC, kRowD, kRowE, kRowH, kRowL, kRowCount };

    explicit CRegWatch(CDocument* pDoc, QWidget* parent = nullptr);

    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;
    void OnEdit();
    // One edit dialog on a register; OK with a hexadecimal digit stores the
    // value typed, anything else leaves the register as it was.
    void EditReg16(u16& reg);
    void EditReg8(u8& reg);

    static u8 PackedFlags();
    static void UnpackFlags(u8 psw);

protected:
    int GetRowCount() const override { return kRowCount; }
    void FormatRow(int row, RowText& text) const override;
    void OnLButtonDblClk(int row) override { OnEdit(); }
};
