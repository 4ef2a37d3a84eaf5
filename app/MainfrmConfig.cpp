// The main frame's configuration menu: Save Configuration, the device
// dialogs with the live texts of their items; and Modify Memory, the tip
// boxes that tell where a feature lives, the forced interrupts and Help
// Contents.
#include "app/Brixcdoc.h"
#include "app/HelpWindow.h"
#include "app/Mainfrm.h"
#include "app/TorvanApp.h"
#include "dialogs/Configdl.h"
#include "dialogs/Modimem.h"
#include "framework/CmdUI.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"
#include "sim/Simulator.h"

namespace {
constexpr const char* kSaveCaption = "Save As";
constexpr const char* kConfigFilter = "CFG Files (*.cfg)";
constexpr const char* kConfigExtension = "cfg";

constexpr const char* kBreakPointTip = "To add or remove Break point\nMove mouse to the rquired line and double-clock";
constexpr const char* kCVariablesTip =
    "To modify C variables\nActivate 'C Variable watch' window\nRight-Click the mouse\nSelect Edit from popup menu";
constexpr const char* kPeripheralsTip =
    "To simulate input to peripherals\nActivate 'IO watch' window\nand right-click inside the window\nSelect Edit "
    "from popup menu";
constexpr const char* kRegistersTip =
    "To modify register contents\nActivate 'Register' window\nDouble-click on the Register you want to modify";
constexpr const char* kWatchTip =
    "To Add or remove or edit watch\n1. Go to respective window ( e.g. To add memory watch, right click in memory "
    "watch window)\n2. Select appropriate option";
constexpr const char* kForceInt0 = "Force INT 0 ?";
constexpr const char* kForceInt1 = "Force INT 1 ?";

// A device item names where its chip sits ("@" and the base port) or how
// many chips there are ("#" and the count), or that none is connected.
struct DeviceItem {
    int nID;
    u8 CSimulator::*pPresent;  // the connected flag or the chip count
    u8 CSimulator::*pShown;    // the base port or the chip count
    const char* presentFormat;
    const char* absentText;
};
constexpr DeviceItem kDeviceItems[] = {
    {ID_CONFIG_8155, &CSimulator::m_b8155Connected, &CSimulator::m_n8155Address, "8&155  : @%X", "8&155  : NC"},
    {ID_CONFIG_LCD, &CSimulator::m_bLcdConnected, &CSimulator::m_nLcdAddress, "L&CD   : @%X", "L&CD   : NC"},
    {ID_CONFIG_8255, &CSimulator::m_n8255Count, &CSimulator::m_n8255Count, "825&5  : #%u", "825&5  : NC"},
    {ID_CONFIG_8253, &CSimulator::m_n8253Count, &CSimulator::m_n8253Count, "825&3  : #%u", "825&3  : NC"},
    {ID_CONFIG_8251, &CSimulator::m_n8251Count, &CSimulator::m_n8251Count, "8&251  : #%u...", "8&251  : NC"},
    {ID_CONFIG_8279, &CSimulator::m_b8279Connected, &CSimulator::m_n8279Address, "82&79  : @%X", "82&79  : NC"},
};

template <class Dialog> void RunDialog() {
    Dialog dlg;
    dlg.DoModal();
}

// The one dialog of the 8253 and 8255 chips reads its kind as it opens.
void RunChipDialog(int nKind) {
    CChipConfigDlg dlg;
    g_nChipDlgKind = nKind;
    dlg.DoModal();
}

// Modify Memory from address 0000; every byte it changed is in memory when
// it closes, so the program's windows show memory anew.
void ModifyMemory(CMainFrame* pFrame, int nMode) {
    CModiMem dlg;
    dlg.m_nMode = nMode;
    dlg.m_nAddr = 0;
    dlg.DoModal();
    if (CTorvanDoc* pDoc = pFrame->GetActiveDocument()) pDoc->UpdateAllViews(nullptr);
}
}  // namespace

// ---- Save Configuration ----

void CMainFrame::OnSaveConfiguration() {
    // Proposes the file that the next opening of the program loads, named
    // from the open program's own path: the machine's copy of it is left
    // empty for a path longer than its fixed field.
    const CTorvanDoc* pDoc = AfxGetApp() != nullptr ? AfxGetApp()->GetDocument() : nullptr;
    FileDialogRequest request;
    request.bSave = true;
    request.caption = QString::fromLatin1(kSaveCaption);
    if (pDoc != nullptr) request.initialPath = CTorvanDoc::ConfigPathFor(pDoc->GetPathName());
    request.filters = QString::fromLatin1(kConfigFilter);
    request.defaultSuffix = QString::fromLatin1(kConfigExtension);
    const QString path = RunFileDialog(request);
    if (!path.isEmpty()) CTorvanDoc::SaveConfiguration(path);
}

// ---- device dialogs ----

void CMainFrame::OnConfig8279() { RunDialog<C8279ConfigDlg>(); }
void CMainFrame::OnConfig8251() { RunDialog<C8251ConfigDlg>(); }
void CMainFrame::OnConfig8155() { RunDialog<C8155ConfigDlg>(); }
void CMainFrame::OnConfigLcd() { RunDialog<CLcdConfigDlg>(); }
void CMainFrame::OnConfigMemoryMap() { RunDialog<CMemoryMapDlg>(); }
void CMainFrame::OnConfigTimer8155() { RunDialog<C8155TimerDlg>(); }
void CMainFrame::OnConfigTimer8253() { RunDialog<C8253TimerDlg>(); }

void CMainFrame::OnConfig8253() { RunChipDialog(kChipDlg8253); }
void CMainFrame::OnConfig8255() { RunChipDialog(kChipDlg8255); }

void CMainFrame::OnUpdateConfigDevice(CCmdUI* pCmdUI) {
    for (const DeviceItem& item : kDeviceItems) {
        if (item.nID != pCmdUI->m_nID) continue;
        pCmdUI->SetText(g_Sim.*item.pPresent != 0 ? QString::asprintf(item.presentFormat, unsigned(g_Sim.*item.pShown))
                                                  : QString::fromLatin1(item.absentText));
    }
}

void CMainFrame::OnUpdateConfigTimer8155(CCmdUI* pCmdUI) { pCmdUI->Enable(g_Sim.m_b8155Connected != 0); }
void CMainFrame::OnUpdateConfigTimer8253(CCmdUI* pCmdUI) { pCmdUI->Enable(g_Sim.m_n8253Count != 0); }

// ---- Modify Memory, tips, forced interrupts and help ----

void CMainFrame::OnModifyMemory() { ModifyMemory(this, CModiMem::kModeMemory); }
void CMainFrame::OnModifyInternalMemory() { ModifyMemory(this, CModiMem::kModeInternal); }

void CMainFrame::OnRunBreakPoint() { AfxMessageBox(QString::fromLatin1(kBreakPointTip)); }
void CMainFrame::OnModifyCVariables() { AfxMessageBox(QString::fromLatin1(kCVariablesTip)); }
void CMainFrame::OnModifyPeripherals() { AfxMessageBox(QString::fromLatin1(kPeripheralsTip)); }
void CMainFrame::OnModifyRegisters() { AfxMessageBox(QString::fromLatin1(kRegistersTip)); }
void CMainFrame::OnWatchWatch() { AfxMessageBox(QString::fromLatin1(kWatchTip)); }

void CMainFrame::OnForceInt0() {
    if (AfxMessageBox(QString::fromLatin1(kForceInt0), MB_YESNO | MB_ICONQUESTION) == IDYES) g_Sim.ForceInterrupt(0);
}

void CMainFrame::OnForceInt1() {
    if (AfxMessageBox(QString::fromLatin1(kForceInt1), MB_YESNO | MB_ICONQUESTION) == IDYES) g_Sim.ForceInterrupt(1);
}

void CMainFrame::OnHelpContents() {
    // One help window, brought forward when it is already open.
    if (m_pHelpWindow == nullptr) m_pHelpWindow = new CHelpWindow(this);
    m_pHelpWindow->show();
    m_pHelpWindow->raise();
    m_pHelpWindow->activateWindow();
}
