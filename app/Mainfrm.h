// The main window: a multiple-document frame with the menus, the toolbar, the
// status bar and the command table of the system.
//
// Every command id has one QAction, shared by the menus, the toolbar and the
// keys. A command goes first to the active window's view (CView::OnCmdMsg),
// then to this frame's command table, then to the application. Enabled
// states, check marks and live menu texts are set in one place,
// UpdateCommandStates(); a command with no handler on that route is disabled.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <memory>
#include <vector>

class CCmdUI;
class CMultiDocTemplate;
class CStatusBar;
class CTorvanDoc;
class CView;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

// ---- command ids ----
enum : int {
    // Commands the application and the frame serve as standard commands.
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_PRINT = 57607,
    ID_FILE_MRU_FILE1 = 57616,
    ID_FILE_MRU_FILE2 = 57617,
    ID_FILE_MRU_FILE3 = 57618,
    ID_FILE_MRU_FILE4 = 57619,
    ID_WINDOW_ARRANGE = 57649,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,

    // Configuration menu.
    ID_LOAD_CONFIGURATION = 32771,
    ID_SAVE_CONFIGURATION = 32772,
    ID_CONFIG_8251 = 32774,
    ID_CONFIG_8255 = 32776,
    ID_CONFIG_8155 = 32778,
    ID_CONFIG_8253 = 32779,
    ID_CONFIG_MEMORY_MAP = 32780,
    ID_CONFIG_TIMER_8155 = 32783,
    ID_CONFIG_TIMER_8253 = 32784,
    ID_CONFIG_8279 = 32814,
    ID_CONFIG_LCD = 32815,

    // Commands with no handler anywhere, or handlers that do nothing.
    ID_COMMAND_32786 = 32786,
    ID_COMMAND_32787 = 32787,
    ID_COMMAND_32788 = 32788,  // Alt+F9
    ID_COMMAND_32795 = 32795,  // Ctrl+A
    ID_COMMAND_32796 = 32796,  // Ctrl+E
    ID_COMMAND_32857 = 32857,
    ID_COMMAND_32858 = 32858,
    ID_CHANGE_TAB_SIZE = 32866,
    ID_CHANGE_CRYSTAL_FREQUENCY = 32887,

    // Run menu and interrupts.
    ID_RUN_BREAKPOINT = 32792,
    ID_RUN_SINGLESTEP = 32793,
    ID_RUN_RUN = 32794,
    ID_RUN_TERMINATEPROGRAM = 32812,
    ID_RUN_CPURESET = 32813,
    ID_INTERRUPTS_TRAP = 32890,
    ID_INTERRUPTS_RST55 = 32891,
    ID_INTERRUPTS_RST65 = 32892,
    ID_INTERRUPTS_RST75 = 32893,

    // Modify, watch and help.
    ID_FORCE_INT0 = 32802,
    ID_HELP_CONTENTS = 32805,
    ID_MODIFY_MEMORY = 32807,
    ID_MODIFY_INTERNAL_MEMORY = 32808,
    ID_MODIFY_REGISTERS = 32809,
    ID_MODIFY_CVARIABLES = 32810,
    ID_MODIFY_PERIPHERALS = 32811,
    ID_WATCH_WATCH = 32864,
    ID_FORCE_INT1 = 32865,

    // Watch-window toggles.
    ID_VIEW_MEMORY_WATCH = 32816,
    ID_VIEW_IO_WATCH = 32817,
    ID_VIEW_REGISTERS_WATCH = 32818,
    ID_VIEW_INTERNAL_RAM_WATCH = 32849,
    ID_VIEW_CVARIABLE_WATCH = 32853,
    ID_VIEW_SERIAL_WATCH = 32859,
    ID_VIEW_TIMING_DIAGRAM = 32894,

    // Commands of the program window's view.
    ID_EDIT_FIND = 32822,
    ID_CHANGE_ORIGIN = 32870,

    // Commands of the timing window's view.
    ID_TIMING_START = 32895,
    ID_TIMING_PAUSE = 32896,
    ID_TIMING_STOP = 32897,
};

// 1 after the Timing Diagram command opened a timing window, 0 after it
// closed one; only that command's check mark follows it.
extern unsigned g_bTimingWindowOpen;

// A built menu bar: its top-level popups, in order. The frame owns them.
struct CMenuSet {
    QList<QMenu*> m_popups;
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // A popup maker: the owner-drawn menu class installs one to draw the
    // menus it is given; null makes plain popups.
    using PopupFactory = QMenu* (*)(const QString& title, QWidget* parent);
    static PopupFactory s_pfnOwnerDrawnPopup;

    CMainFrame();
    ~CMainFrame() override;

    // Builds the toolbar, the status bar and the MDI area; false when the
    // window cannot be made.
    bool LoadFrame();

    // Builds a new copy of menu 3 (drawn by the owner-drawn menu class when
    // one is installed), or of menu 2. The frame keeps ownership.
    CMenuSet* LoadDocumentMenu();
    CMenuSet* LoadDefaultMenu();
    // Menu 3 as plain popups, for the window that shows it without images.
    CMenuSet* LoadPlainDocumentMenu();
    // The menu shown while no child window is open.
    void SetDefaultMenu(CMenuSet* pMenu);
    // Shows the menu of the active child window's template, or the default.
    void OnUpdateFrameMenu();

    // The one refresh of enabled states, check marks and live texts.
    void UpdateCommandStates();
    // Sends a command along the route; false when nothing handles it.
    bool ExecuteCommand(int nID);
    QAction* GetAction(int nID) const;
    // The prompt shown in status pane 0 while the command's item is
    // highlighted; empty when it has none.
    static QString CommandPrompt(int nID);

    QMdiArea* MDIClient() const { return m_wndMDIClient; }
    QMdiSubWindow* MDIGetActive() const;
    CView* GetActiveView() const;
    CTorvanDoc* GetActiveDocument() const;
    // The toolbar's images, 18 by 16 pixels each, in button order without
    // the separators; GetToolbarImageIndex gives a command's image or -1.
    const QPixmap& GetToolbarBitmap() const { return m_toolbarBitmap; }
    static int GetToolbarImageIndex(int nID);

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
    void OnUpdateRunSingleStep(CCmdUI* pCmdUI);
    void OnUpdateRunRun(CCmdUI* pCmdUI);
    void OnUpdateRunTerminateProgram(CCmdUI* pCmdUI);
    void OnUpdateRunCpuReset(CCmdUI* pCmdUI);
    // Run's loop: the status text of pane 0, and the event pump between
    // instructions; false once the main window has gone.
    void SetRunStatusText(const char* text);
    static bool PumpRunEvents(const QPointer<CMainFrame>& pSelf, bool bWasVisible);
    static bool IsRunWindowGone(const QPointer<CMainFrame>& pSelf, bool bWasVisible);
    // ---- end of run control ----

    // ---- configuration menu, tips and remaining commands ----
    // (their handlers join the command table when their dialogs exist)
    // ---- end of configuration menu ----

    CMenuSet* m_menuDocument = nullptr;  // the copy of menu 3 built last
    CMenuSet* m_menuDefault = nullptr;
    CStatusBar* m_wndStatusBar = nullptr;
    QToolBar* m_wndToolBar = nullptr;

protected:
    bool event(QEvent* pEvent) override;

private:
    enum class ToggleResult { Failed, Closed, Opened };
    ToggleResult ToggleWatchWindow(CMultiDocTemplate* pTemplate);
    void ExecuteIfEnabled(int nID);
    void FillCommandState(CCmdUI* pCmdUI);
    void ApplyCommandState(QAction* pAction, const CCmdUI& state);
    void UpdateFrameTitle();
    void UpdateToggle(CMultiDocTemplate* pTemplate, CCmdUI* pCmdUI);
    void CreateActions();
    void CreateToolBar();
    void CreateStatusBar();
    CMenuSet* BuildMenu(int nMenuId, bool bOwnerDrawn);
    void ShowMenu(CMenuSet* pMenu);
    void OnSubWindowActivated(QMdiSubWindow* pFrame);
    void OnMenuHovered(QAction* pAction);
    void UpdateRecentFileItems();
    void ApplyMenuTexts(int nMenuId);

    QMdiArea* m_wndMDIClient = nullptr;
    QHash<int, QAction*> m_actions;
    std::vector<std::unique_ptr<CMenuSet>> m_menuSets;
    QHash<const CMenuSet*, int> m_menuIds;
    CMenuSet* m_pShownMenu = nullptr;
    QPointer<QMdiSubWindow> m_pActiveFrame;
    QPixmap m_toolbarBitmap;
    bool m_bDestroying = false;
};

// The application's main window, or null before it exists.
CMainFrame* AfxGetMainWnd();
