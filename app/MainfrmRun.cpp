// Run control of the main frame: Single Step, Run, Terminate, CPU Reset and
// the interrupt requests.
//
// Run is a loop on the user-interface thread. It executes instructions in
// slices of about a millisecond and lets pending events through between
// them, so the toolbar, the menus and the keys keep working while a program
// runs; a command given then runs nested inside the loop and takes effect
// through the run flags before the loop's next test. Run given then lets the
// run go on: a second loop inside the first would outlive the first's stop,
// and the program would go on past its HLT or breakpoint.
#include <QApplication>
#include <QPointer>
#include <chrono>

#include "app/Brixcdoc.h"
#include "app/Brixcvw.h"
#include "app/Mainfrm.h"
#include "app/RunLoopFilter.h"
#include "framework/CmdUI.h"
#include "framework/StatusBar.h"
#include "sim/Disasm.h"
#include "sim/RunSlice.h"

namespace {

const char kExecutingText[] = "Executing.....";
const char kTerminatedText[] = "Execution terminated.....";
// Events wait at most this long while a program runs: short enough that a
// click is answered at once, long enough that serving them costs nothing.
constexpr std::chrono::microseconds kRunSlice{1000};

// Runs one slice of instructions, ended by a stop or by the slice's time.
SliceEnd RunOneSlice() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + kRunSlice;
    return RunSlice(g_Sim, [deadline] { return Clock::now() >= deadline; });
}

// Moves the current line to the program counter, listing memory from the
// program counter when no line holds it, and refreshes every view.
void LocateCurrentLine(CTorvanDoc* pDoc) {
    CTorvanView* pView = FindView<CTorvanView>(pDoc);
    // The program may have stored into the listed range: the lines follow
    // memory before the program counter is looked up among them.
    if (pView) pView->FollowMemory();
    int line = pView ? pView->LineOfAddress(g_Sim.m_pc) : 0;
    if (!line) {
        // Without a program window there is no listing to rebuild; the origin
        // still follows the program counter, so line 1 holds it.
        g_DisasmOrigin = g_Sim.m_pc;
        if (pView) pView->RebuildListing(0);
        line = 1;
    }
    g_CurrentLine = line;
    pDoc->UpdateAllViews(nullptr);
}

// True while a menu is open or a modal window is up: the program waits.
bool InputIsHeld() {
    return QApplication::activePopupWidget() != nullptr || QApplication::activeModalWidget() != nullptr;
}

// The main window closed (the application is quitting) or went away.
bool IsRunWindowGone(const QPointer<CMainFrame>& pSelf, bool bWasVisible) {
    return pSelf.isNull() || (bWasVisible && !pSelf->isVisible());
}

// The event pump between two slices; false once the main window has gone.
bool PumpRunEvents(const QPointer<CMainFrame>& pSelf, bool bWasVisible) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    while (!IsRunWindowGone(pSelf, bWasVisible) && InputIsHeld())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return !IsRunWindowGone(pSelf, bWasVisible);
}

}  // namespace

void CMainFrame::SetRunStatusText(const char* text) {
    if (m_wndStatusBar) m_wndStatusBar->SetPaneText(CStatusBar::kMessagePane, QString::fromLatin1(text));
}

void CMainFrame::ShowIdleStatusText() {
    const bool bRunGoesOn = CRunLoopScope::IsActive() && g_Sim.m_bRunning;
    SetRunStatusText(bRunGoesOn ? kExecutingText : CStatusBar::kIdleText);
}

void CMainFrame::OnRunSingleStep() {
    if (g_Sim.m_bRunning) return;
    g_Sim.m_bStopRequest = 0;
    if (g_Sim.m_bRebuildPortsOnStep) g_Sim.UpdatePortList();
    g_Sim.m_bRebuildPortsOnStep = 0;
    g_Sim.m_bRebuildPortsOnRun = 0;
    CTorvanDoc* pDoc = GetActiveDocument();
    if (!pDoc) return;
    g_Sim.ExecuteInstruction();
    LocateCurrentLine(pDoc);
}

void CMainFrame::OnRunRun() {
    if (CRunLoopScope::IsActive()) return;
    g_Sim.m_bRunning = 1;
    g_Sim.m_bStopRequest = 0;
    m_pRunEndText = kTerminatedText;
    if (g_Sim.m_bRebuildPortsOnRun) g_Sim.UpdatePortList();
    g_Sim.m_bRebuildPortsOnRun = 0;
    g_Sim.m_bRebuildPortsOnStep = 0;
    SetRunStatusText(kExecutingText);

    // A command dispatched from the loop may close this window or end the
    // application; the loop then stops without touching anything of it.
    const QPointer<CMainFrame> pSelf(this);
    const bool bWasVisible = isVisible();
    const CRunLoopScope scope;
    for (;;) {
        // The slice tests every instruction for a stop; the stop test that
        // counts is the one after the events, which may have changed the
        // breakpoints or the program counter.
        const SliceEnd end = RunOneSlice();
        if (!PumpRunEvents(pSelf, bWasVisible)) return;
        if (end == SliceEnd::HltExecuted || g_Sim.IsBreakpointAt(g_Sim.m_pc)) {
            g_Sim.m_bRunning = 0;
            break;
        }
        CTorvanDoc* pDoc = GetActiveDocument();
        if (!pDoc) return EndRunWithoutProgram();
        pDoc->UpdateAllViews(nullptr);
        if (g_Sim.m_bStopRequest) break;
    }
    // Terminate and CPU Reset end the run as a stop does: what the status
    // bar and the marker show is where the machine now stands.
    CTorvanDoc* pDoc = GetActiveDocument();
    if (!pDoc) return EndRunWithoutProgram();
    pDoc->UpdateAllViews(nullptr);
    SetRunStatusText(m_pRunEndText);
    LocateCurrentLine(pDoc);
}

void CMainFrame::EndRunWithoutProgram() {
    // The program's last window closed during the run: by File > Close, by
    // its close box (or Ctrl+F4), or by the View menu turning off the one
    // watch window or timing diagram left once the program window was
    // closed. Nothing is left to show where the run stopped, and the next
    // program opened must not be taken for a running one.
    g_Sim.m_bRunning = 0;
    SetRunStatusText(CStatusBar::kIdleText);
}

void CMainFrame::OnRunTerminateProgram() {
    CTorvanDoc* pDoc = GetActiveDocument();
    if (!pDoc) return;
    g_Sim.m_bRunning = 0;
    g_Sim.m_bStopRequest = 1;
    pDoc->UpdateAllViews(nullptr);
}

void CMainFrame::OnRunCpuReset() {
    g_Sim.m_bRebuildPortsOnStep = 1;
    g_Sim.m_bRebuildPortsOnRun = 1;
    g_Sim.m_bRunning = 0;
    g_Sim.Reset();
    g_CurrentLine = 1;
    g_Sim.m_bRunning = 0;
    g_Sim.m_bStopRequest = 1;
    m_pRunEndText = CStatusBar::kIdleText;
    CTorvanDoc* pDoc = GetActiveDocument();
    if (!pDoc) return;
    g_DisasmOrigin = 0;
    // Decided once: the line-address table belongs to the listing built last.
    const bool bListedFromZero = g_Sim.m_LineAddress[0] == 0;
    for (CView* pView : pDoc->GetViews()) {
        auto* pProgramView = dynamic_cast<CTorvanView*>(pView);
        if (!pProgramView) continue;
        if (bListedFromZero) {
            pProgramView->m_nTopLine = 1;
            pProgramView->m_nSelRow = 1;
            pProgramView->FillRows();
        } else {
            pProgramView->RebuildListing(0);
        }
    }
    pDoc->UpdateAllViews(nullptr);
}

void CMainFrame::OnInterruptsTrap() { g_Sim.m_pendTrap = 1; }
void CMainFrame::OnInterruptsRst55() { g_Sim.m_pendRst55 = 1; }
void CMainFrame::OnInterruptsRst65() { g_Sim.m_pendRst65 = 1; }
void CMainFrame::OnInterruptsRst75() { g_Sim.m_pendRst75 = 1; }
