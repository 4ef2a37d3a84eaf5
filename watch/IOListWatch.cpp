#include "watch/IOListWatch.h"

#include <algorithm>
#include <cstdio>

#include "dialogs/8155InpDlg.h"
#include "dialogs/8253InpDlg.h"
#include "dialogs/8255InpDlg.h"
#include "dialogs/MemWatchAddDlg.h"
#include "framework/Document.h"
#include "framework/HexText.h"
#include "periph/InterruptRoutes.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"
#include "sim/Simulator.h"
#include "watch/GetIOWatchDlg.h"
#include "watch/IOInpDlg.h"
#include "watch/IORowText.h"

namespace {
const char kLimitFormat[] = "Maximum %d IO watches can be set !";
const char kNothingConfigured[] =
    "No Peripheral is configured !\nFrom Configuration menu, select appropriate peripherals.";
const char k8279NotConnected[] = "Sorry, 8279 is not connected !";
const char k8251NotConnected[] = "Sorry, 8251 not connected !";
const char k8251ReceiverOff[] = "8251 #%d : Receiver not enabled !";
// The 8279's route values that name the two force-interrupt inputs.
constexpr u8 k8279ForceInt0 = 1;
constexpr u8 k8279ForceInt1 = 2;

int WatchCount() { return std::min<int>(g_Sim.m_nIOWatchCount, kMaxIOWatches); }

bool AnyPeripheral() {
    return g_Sim.m_b8279Connected || g_Sim.m_b8155Connected || g_Sim.m_bLcdConnected ||
           PresentChips(g_Sim.m_n8255Count) != 0 || PresentChips(g_Sim.m_n8251Count) != 0 ||
           PresentChips(g_Sim.m_n8253Count) != 0;
}

// Asks for one byte with the value dialog; false on Cancel. A text without
// a hexadecimal digit gives 0.
bool AskByte(QWidget* parent, int mode, u8& value) {
    CMemWatchAddDlg dlg(parent);
    dlg.m_nMode = mode;
    if (dlg.DoModal() != QDialog::Accepted) return false;
    u32 typed = 0;
    ScanHex(dlg.m_strValue, typed);
    value = u8(typed);
    return true;
}
}  // namespace

CIOListWatch::CIOListWatch(CDocument*, QWidget* parent) : CWatchListView(parent) {}

int CIOListWatch::GetRowCount() const { return std::max(1, WatchCount()); }

void CIOListWatch::OnBeforeFill() { g_Sim.SyncTimers(); }

void CIOListWatch::FormatRow(int row, RowText& text) const {
    if (WatchCount() == 0) std::snprintf(text, sizeof text, "%s", kAddWatchHint);
    else FormatIOWatchRow(row, text, sizeof text);
}

bool CIOListWatch::OnCmdMsg(int nID, CCmdUI* pCmdUI) {
    static const WatchCommand<CIOListWatch> kCommands[] = {
        {ID_FLOAT_ADD, &CIOListWatch::OnAddWatch},
        {ID_FLOAT_DELETE, &CIOListWatch::OnDeleteWatch},
        {ID_FLOAT_DELETEALL, &CIOListWatch::OnDeleteAllWatches},
        {ID_FLOAT_EDIT, &CIOListWatch::OnEditWatch},
    };
    return DispatchWatchCommand(this, kCommands, nID, pCmdUI);
}

void CIOListWatch::OnAddWatch() {
    if (!AnyPeripheral()) {
        AfxMessageBox(QString::fromLatin1(kNothingConfigured));
        return;
    }
    // Sixteen entries fill the list; a seventeenth is refused.
    const int count = WatchCount();
    if (count >= kMaxIOWatches) {
        AfxMessageBox(QString::asprintf(kLimitFormat, kMaxIOWatches));
        return;
    }
    CGetIOWatchDlg dlg(this);
    if (dlg.DoModal() != QDialog::Accepted) return;
    if (!CSimulator::InsertSlot3(g_IOWatchKind, g_IOWatchIndex, g_IOWatchValid, 0, count)) return;
    g_IOWatchKind[0] = u16(dlg.m_nKind);
    g_IOWatchIndex[0] = u16(dlg.m_nIndex);
    g_IOWatchValid[0] = u8(dlg.m_bValid);
    g_Sim.m_nIOWatchCount = u8(count + 1);
    RefreshList(true);
}

void CIOListWatch::OnDeleteWatch() {
    const int count = WatchCount();
    if (count == 0) return;
    const int row = GetFirstSelectedRow();
    if (row < 0 || !CSimulator::DeleteSlot3(g_IOWatchKind, g_IOWatchIndex, g_IOWatchValid, row, count)) return;
    g_Sim.m_nIOWatchCount = u8(count - 1);
    RefreshList(true);
}

void CIOListWatch::OnDeleteAllWatches() {
    if (WatchCount() == 0) return;
    g_Sim.OnClearIOWatches();
    g_Sim.m_nIOWatchCount = 0;
    RefreshList(true);
}

void CIOListWatch::OnEditWatch() {
    CIOInpDlg dlg(this);
    dlg.m_nPeripheral = CIOInpDlg::k8255;
    if (dlg.DoModal() == QDialog::Accepted) {
        switch (dlg.m_nPeripheral) {
        case CIOInpDlg::k8255: Input8255(); break;
        case CIOInpDlg::k8155: Input8155(); break;
        case CIOInpDlg::k8279: Input8279(); break;
        case CIOInpDlg::k8253: Input8253(); break;
        case CIOInpDlg::k8251: Input8251(); break;
        default: break;
        }
    }
    if (CDocument* pDoc = GetDocument()) pDoc->UpdateAllViews(this);
}

void CIOListWatch::Input8279() {
    if (!g_Sim.m_b8279Connected) {
        AfxMessageBox(QString::fromLatin1(k8279NotConnected));
        return;
    }
    u8 scanCode = 0;
    if (!AskByte(this, CMemWatchAddDlg::kMode8279, scanCode)) return;
    // A full FIFO loses the key and flags the overrun; the interrupt line of
    // waiting keys is the peripheral tick's.
    g_Sim.Input8279Key(scanCode);
    RefreshList(false);
    if (g_Irq8279Route == k8279ForceInt0) g_Sim.ForceInterrupt(0);
    else if (g_Irq8279Route == k8279ForceInt1) g_Sim.ForceInterrupt(1);
}

void CIOListWatch::Input8251() {
    const int chips = PresentChips(g_Sim.m_n8251Count);
    for (int chip = 0; chip < chips; ++chip) {
        if (!g_Sim.Is8251ReceiverEnabled(chip)) {
            AfxMessageBox(QString::asprintf(k8251ReceiverOff, chip + 1));
            continue;
        }
        u8 value = 0;
        if (!AskByte(this, CMemWatchAddDlg::kMode8251First + 1 + chip, value)) continue;
        g_Sim.Input8251Byte(chip, value);
        RefreshList(false);
    }
    if (chips == 0) AfxMessageBox(QString::fromLatin1(k8251NotConnected));
}

void CIOListWatch::Input8255() {
    C8255InpDlg dlg(this);
    if (dlg.DoModal() == QDialog::Accepted) RefreshList(false);
}

void CIOListWatch::Input8155() {
    C8155InpDlg dlg(this);
    if (dlg.DoModal() == QDialog::Accepted) RefreshList(false);
}

void CIOListWatch::Input8253() {
    C8253InpDlg dlg(this);
    if (dlg.DoModal() == QDialog::Accepted) RefreshList(false);
}
