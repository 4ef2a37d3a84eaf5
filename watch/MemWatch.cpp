#include "watch/MemWatch.h"

#include <algorithm>
#include <cstdio>

#include "dialogs/MemWatchAddDlg.h"
#include "dialogs/Modimem.h"
#include "framework/Document.h"
#include "framework/HexText.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"
#include "sim/Simulator.h"

namespace {
const char kLimitFormat[] = "Maximum %d memory watches can be set !";
constexpr u32 kAddressMask = 0xFFFF;
// Bytes shown as themselves in the character column: blank to 'z'.
constexpr u8 kFirstShown = 0x20;
constexpr u8 kLastShown = 0x7A;

int WatchCount() { return std::min<int>(g_Sim.m_nMemWatchCount, kMaxMemWatches); }
}  // namespace

CMemWatch::CMemWatch(CDocument*, QWidget* parent) : CWatchListView(parent) {}

int CMemWatch::GetRowCount() const { return std::max(1, WatchCount()); }

void CMemWatch::FormatRow(int row, RowText& text) const {
    if (WatchCount() == 0) {
        std::snprintf(text, sizeof text, "%s", kAddWatchHint);
        return;
    }
    // Addresses wrap at the end of memory, as every 16-bit address does.
    const u32 start = g_Sim.m_MemWatchAddr[row];
    int length = std::snprintf(text, sizeof text, "   %04X :", unsigned(start));
    for (u32 i = 0; i < kBytesPerRow; ++i)
        length += std::snprintf(text + length, sizeof text - std::size_t(length), " %02X",
                                unsigned(g_Sim.m_pMemory[(start + i) & kAddressMask]));
    length += std::snprintf(text + length, sizeof text - std::size_t(length), "  ");
    for (u32 i = 0; i < kBytesPerRow; ++i) {
        const u8 byte = g_Sim.m_pMemory[(start + i) & kAddressMask];
        text[length++] = byte >= kFirstShown && byte <= kLastShown ? char(byte) : '.';
    }
    text[length] = '\0';
}

bool CMemWatch::OnCmdMsg(int nID, CCmdUI* pCmdUI) {
    static const WatchCommand<CMemWatch> kCommands[] = {
        {ID_FLOAT_ADD, &CMemWatch::OnAdd},
        {ID_FLOAT_DELETE, &CMemWatch::OnDelete},
        {ID_FLOAT_DELETEALL, &CMemWatch::OnDeleteAll},
        {ID_FLOAT_EDIT, &CMemWatch::OnEdit},
    };
    return DispatchWatchCommand(this, kCommands, nID, pCmdUI);
}

void CMemWatch::OnAdd() {
    // The list has room for six; a seventh is refused, as a seventeenth
    // breakpoint is.
    if (WatchCount() >= kMaxMemWatches) {
        AfxMessageBox(QString::asprintf(kLimitFormat, kMaxMemWatches));
        return;
    }
    CMemWatchAddDlg dlg(this);
    dlg.m_nMode = CMemWatchAddDlg::kModeMemWatch;
    if (dlg.DoModal() != QDialog::Accepted) return;
    u32 address = 0;
    if (!ScanHex(dlg.m_strValue, address)) return;
    const int count = WatchCount();
    if (!CSimulator::InsertSlot(g_Sim.m_MemWatchAddr, 0, count, kMaxMemWatches)) return;
    g_Sim.m_MemWatchAddr[0] = u16(address & kAddressMask);
    g_Sim.m_nMemWatchCount = u8(count + 1);
    FillList(true);
}

void CMemWatch::OnDelete() {
    const int count = WatchCount();
    if (count == 0) return;
    const int row = GetFirstSelectedRow();
    if (row < 0 || !CSimulator::DeleteSlot(g_Sim.m_MemWatchAddr, row, count, kMaxMemWatches)) return;
    g_Sim.m_nMemWatchCount = u8(count - 1);
    FillList(true);
}

void CMemWatch::OnDeleteAll() {
    if (WatchCount() == 0) return;
    g_Sim.OnClearMemWatches();
    g_Sim.m_nMemWatchCount = 0;
    FillList(true);
}

void CMemWatch::OnEdit() {
    // With no row selected Modify Memory opens at 0000; on the empty list's
    // hint row, at the address the first watch last held.
    const int row = GetFirstSelectedRow();
    CModiMem dlg(this);
    dlg.m_nMode = CModiMem::kModeMemory;
    dlg.m_nAddr = row >= 0 && row < kMaxMemWatches ? g_Sim.m_MemWatchAddr[row] : 0;
    dlg.DoModal();
    // Bytes typed are in memory whichever way the dialog closed.
    FillList(false);
    if (CDocument* pDoc = GetDocument()) pDoc->UpdateAllViews(this);
}
