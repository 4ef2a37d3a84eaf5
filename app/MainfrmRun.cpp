#include "app/Mainfrm.h"

#include "app/CmdUI.h"

void CMainFrame::OnRunSingleStep() {}
void CMainFrame::OnRunRun() {}
void CMainFrame::OnRunTerminateProgram() {}
void CMainFrame::OnRunCpuReset() {}
void CMainFrame::OnInterruptsTrap() {}
void CMainFrame::OnInterruptsRst55() {}
void CMainFrame::OnInterruptsRst65() {}
void CMainFrame::OnInterruptsRst75() {}
void CMainFrame::OnUpdateRunSingleStep(CCmdUI* pCmdUI) { OnUpdateNeedsDocument(pCmdUI); }
void CMainFrame::OnUpdateRunRun(CCmdUI* pCmdUI) { OnUpdateNeedsDocument(pCmdUI); }
void CMainFrame::OnUpdateRunTerminateProgram(CCmdUI* pCmdUI) { OnUpdateNeedsDocument(pCmdUI); }
void CMainFrame::OnUpdateRunCpuReset(CCmdUI* pCmdUI) { OnUpdateNeedsDocument(pCmdUI); }
