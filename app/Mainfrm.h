// The main window: a multiple-document frame with the menus, the toolbar, the
// status bar and the command table of the system.
//
// The frame serves the commands of its command table (app/MainfrmCommands);
// the route that brings commands to it is the framework's.
#pragma once

#include <QHash>
#include <QPixmap>
#include <memory>
#include <vector>

#include "framework/MDIFrameWnd.h"
#include "menu/Kespmenu.h"

class CCmdUI;
class CMultiDocTemplate;
class CTorvanDoc;
class QToolBar;
struct CMenuSet;

// 1 after the Timing Diagram command opened a timing window, 0 after it
// closed one; only that command's check mark follows it.
extern unsigned g_bTimingWindowOpen;

class CMainFrame : public CMDIFrameWnd {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // Builds the toolbar, the status bar and the MDI area; false when the
    // window cannot be made.
    bool LoadFrame();

    // Builds a new owner-drawn copy of menu 3, or of menu 2, with the
    // toolbar's images. The frame keeps ownership.
    CMenuSet* LoadDocumentMenu();
    CMenuSet* LoadDefaultMenu();
    // Menu 3 as plain popups, for the window that shows it without images.
    CMenuSet* LoadPlainDocumentMenu();
    // The menu shown while no child window is open; the caller refreshes the
    // command states.
    void SetDefaultMenu(CMenuSet* pMenu);

    // The prompt shown in status pane 0 while the command's item is
    // highlighted; empty when it has none.
    static QString CommandPrompt(int nID);
    // The program document when a window of it is active.
    CTorvanDoc* GetActiveDocument() const;
    // The toolbar's images, 18 by 16 pixels each, in button order without
    // the separators (ToolbarImageIndex gives a command's image).
    const QPixmap& GetToolbarBitmap() const { return m_toolbarBitmap; }

    // ---- watch-window toggles ----
    void OnViewMemoryWatch();
    void OnViewRegistersWatch();
    void OnViewIOWatch();
    void OnViewInternalRamWatch();
    void OnViewCVariableWatch();
    void OnViewSerialWatch();
    void OnViewTimingDiagram();
    void OnUpdateViewMemoryWatch(CCmdUI* pCmdUI);
    void OnUpdateViewRegistersWatch(CCmdUI* pCmdUI);
    void OnUpdateViewIOWatch(CCmdUI* pCmdUI);
    void OnUpdateViewInternalRamWatch(CCmdUI* pCmdUI);
    void OnUpdateViewCVariableWatch(CCmdUI* pCmdUI);
    void OnUpdateViewSerialWatch(CCmdUI* pCmdUI);
    void OnUpdateViewTimingDiagram(CCmdUI* pCmdUI);
    void OnUpdateFileOpen(CCmdUI* pCmdUI);

    // ---- commands the frame serves as standard commands ----
    void OnFileClose();
    void OnAppExit();
    void OnViewToolbar();
    void OnViewStatusBar();
    void OnWindowArrange();
    void OnUpdateViewToolbar(CCmdUI* pCmdUI);
    void OnUpdateViewStatusBar(CCmdUI* pCmdUI);
    void OnUpdateNeedsDocument(CCmdUI* pCmdUI);

    // ---- run control ----
    void OnRunSingleStep();
    void OnRunRun();
    void OnRunTerminateProgram();
    void OnRunCpuReset();
    void OnInterruptsTrap();
    void OnInterruptsRst55();
    void OnInterruptsRst65();
    void OnInterruptsRst75();
    // ---- end of run control ----

    // ---- configuration menu, tips and remaining commands ----
    void OnSaveConfiguration();
    void OnConfig8279();
    void OnConfig8251();
    void OnConfig8253();
    void OnConfig8255();
    void OnConfig8155();
    void OnConfigLcd();
    void OnConfigMemoryMap();
    void OnConfigTimer8155();
    void OnConfigTimer8253();
    // The live texts of the six device items (from the command's id) and
    // the enables of the Timer items.
    void OnUpdateConfigDevice(CCmdUI* pCmdUI);
    void OnUpdateConfigTimer8155(CCmdUI* pCmdUI);
    void OnUpdateConfigTimer8253(CCmdUI* pCmdUI);
    void OnModifyMemory();
    void OnModifyInternalMemory();
    // Tip boxes that say where a feature lives.
    void OnRunBreakPoint();
    void OnModifyCVariables();
    void OnModifyPeripherals();
    void OnModifyRegisters();
    void OnWatchWatch();
    void OnForceInt0();
    void OnForceInt1();
    void OnHelpContents();
    // Load Configuration and the other commands that are served and do
    // nothing (a configuration is loaded when its program is opened).
    void OnCommandWithoutEffect() {}
    // ---- end of configuration menu ----

    // The owner-drawn menus: every copy of menu 3, and menu 2. They keep the
    // records and popups of the menus they handed out.
    KespMenu m_menuDocument;
    KespMenu m_menuDefault;
    CMenuSet* m_pDefaultMenu = nullptr;  // shown while no child window is open
    QToolBar* m_wndToolBar = nullptr;

protected:
    bool event(QEvent* pEvent) override;
    bool OnFrameCmdMsg(int nID, CCmdUI* pCmdUI) override;
    void OnCommandStatesUpdated() override;
    void OnActiveFrameChanged() override;

private:
    enum class ToggleResult { Failed, Closed, Opened };
    ToggleResult ToggleWatchWindow(CMultiDocTemplate* pTemplate);
    void UpdateFrameTitle();
    void UpdateToggle(CMultiDocTemplate* pTemplate, CCmdUI* pCmdUI);
    void CreateActions();
    void CreateToolBar();
    void CreateStatusBar();
    std::unique_ptr<CMenuSet> BuildPlainMenu(int nMenuId);
    CMenuSet* AdoptMenu(std::unique_ptr<CMenuSet> set, int nMenuId);
    void ConnectPopup(QMenu* pMenu, bool bTopLevel);
    void OnInitMenuPopup(QMenu* pPopup);
    // Shows the menu of the active child window's template, or the default.
    void OnUpdateFrameMenu();
    void ShowMenu(CMenuSet* pMenu);
    void OnMenuHovered(QAction* pAction);
    void UpdateRecentFileItems();
    // Run's texts in status pane 0.
    void SetRunStatusText(const char* text);
    // What pane 0 reads when nothing else is to be said: "Ready", or the run's
    // text while a run goes on.
    void ShowIdleStatusText();
    // A run whose program was closed under it ends idle.
    void EndRunWithoutProgram();
    void ApplyMenuTexts(int nMenuId);

    std::vector<std::unique_ptr<CMenuSet>> m_menuSets;
    QHash<const CMenuSet*, int> m_menuIds;
    CMenuSet* m_pShownMenu = nullptr;
    QPixmap m_toolbarBitmap;
    QPointer<QWidget> m_pHelpWindow;
    // Pane 0's text once Run's loop has ended: the stop's, or the idle text
    // after a CPU Reset, which leaves nothing stopped to tell of.
    const char* m_pRunEndText = nullptr;
};

// The application's main window, or null before it exists.
CMainFrame* GetMainFrame();
