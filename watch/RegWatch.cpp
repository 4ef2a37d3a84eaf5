#include "watch/RegWatch.h"

#include <cstdio>

#include "dialogs/Reg16Edit.h"
#include "dialogs/SfrEditDlg.h"
#include "framework/Document.h"
#include "framework/HexText.h"
#include "res/CommandIds.h"

namespace {
constexpr int kReg16Digits = 4;
constexpr int kReg8Digits = 2;
const char kEditCaption[] = "Edit Value:";

struct Reg16Row {
    const char* format;
    u16 CSimulator::*reg;
};
const Reg16Row kReg16Rows[] = {
    {"     PC : %04X", &CSimulator::m_pc},
    {"     SP : %04X", &CSimulator::m_sp},
};

const char kPswFormat[] = "    PSW : %02X (%d%d%d%d %d%d%d)";

// Rows kRowA to kRowL.
struct Reg8Row {
    const char* format;
    u8 CSimulator::*reg;
};
const Reg8Row kReg8Rows[] = {
    {"      A : %02X", &CSimulator::m_regA}, {"      B : %02X", &CSimulator::m_regB},
    {"      C : %02X", &CSimulator::m_regC}, {"      D : %02X", &CSimulator::m_regD},
    {"      E : %02X", &CSimulator::m_regE}, {"      H : %02X", &CSimulator::m_regH},
    {"      L : %02X", &CSimulator::m_regL},
};

// The packed flag byte, bit by bit.
struct FlagBit {
    u8 CSimulator::*flag;
    u8 mask;
};
const FlagBit kFlagBits[] = {
    {&CSimulator::m_flagS, 0x80},  {&CSimulator::m_flagZ, 0x40}, {&CSimulator::m_flagX5, 0x20},
    {&CSimulator::m_flagAC, 0x10}, {&CSimulator::m_flagP, 0x04}, {&CSimulator::m_flagV, 0x02},
    {&CSimulator::m_flagCY, 0x01},
};
}  // namespace

CRegWatch::CRegWatch(CDocument*, QWidget* parent) : CWatchListView(parent) {}

u8 CRegWatch::PackedFlags() {
    u8 psw = 0;
    for (const FlagBit& bit : kFlagBits) {
        if (g_Sim.*bit.flag != 0) psw |= bit.mask;
    }
    return psw;
}

void CRegWatch::UnpackFlags(u8 psw) {
    for (const FlagBit& bit : kFlagBits) g_Sim.*bit.flag = (psw & bit.mask) != 0 ? 1 : 0;
}

void CRegWatch::FormatRow(int row, RowText& text) const {
    if (row == kRowPC || row == kRowSP) {
        const Reg16Row& reg = kReg16Rows[row];
        std::snprintf(text, sizeof text, reg.format, unsigned(g_Sim.*reg.reg));
    } else if (row == kRowPSW) {
        // A flag holds 0 or 1; any other byte still shows as one digit.
        auto digit = [](u8 flag) { return flag != 0 ? 1 : 0; };
        std::snprintf(text, sizeof text, kPswFormat, unsigned(PackedFlags()), digit(g_Sim.m_flagS),
                      digit(g_Sim.m_flagZ), digit(g_Sim.m_flagX5), digit(g_Sim.m_flagAC), digit(g_Sim.m_flagP),
                      digit(g_Sim.m_flagV), digit(g_Sim.m_flagCY));
    } else {
        const Reg8Row& reg = kReg8Rows[row - kRowA];
        std::snprintf(text, sizeof text, reg.format, unsigned(g_Sim.*reg.reg));
    }
}

bool CRegWatch::OnCmdMsg(int nID, CCmdUI* pCmdUI) {
    // Only Edit: the rows are fixed.
    static const WatchCommand<CRegWatch> kCommands[] = {{ID_FLOAT_EDIT, &CRegWatch::OnEdit}};
    return DispatchWatchCommand(this, kCommands, nID, pCmdUI);
}

void CRegWatch::OnEdit() {
    const int row = GetFirstSelectedRow();
    if (row < 0 || row >= kRowCount) return;
    if (row == kRowPC || row == kRowSP) {
        EditReg16(g_Sim.*kReg16Rows[row].reg);
    } else if (row == kRowPSW) {
        u8 psw = PackedFlags();
        EditReg8(psw);
        UnpackFlags(psw);
    } else {
        EditReg8(g_Sim.*kReg8Rows[row - kRowA].reg);
    }
    FillList(false);
    // The program counter moves the listing's marker only at the next step.
    if (CDocument* pDoc = GetDocument()) pDoc->UpdateAllViews(this);
}

void CRegWatch::EditReg16(u16& reg) {
    CReg16Edit dlg(this);
    dlg.m_strValue = QString::asprintf("%04X", unsigned(reg));
    if (dlg.DoModal() != QDialog::Accepted) return;
    u32 value = 0;
    if (ScanHex(dlg.m_strValue, value, kReg16Digits)) reg = u16(value);
}

void CRegWatch::EditReg8(u8& reg) {
    CSfrEditDlg dlg(this);
    dlg.m_strValue = QString::asprintf("%02X", unsigned(reg));
    dlg.m_nValue = reg;
    dlg.m_strTitle = QString::fromLatin1(kEditCaption);
    if (dlg.DoModal() != QDialog::Accepted) return;
    u32 value = 0;
    if (ScanHex(dlg.m_strValue, value, kReg8Digits)) reg = u8(value);
}
