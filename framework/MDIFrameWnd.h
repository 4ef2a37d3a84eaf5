// The multiple-document main window: the MDI area with the active child
// window, its view and document, the status bar, the command route, and
// the Window menu's list of the open child windows.
//
// Every command id has one QAction, shared by the menus, the toolbar and the
// keys. A command goes first to the active window's view, then to the frame
// (OnFrameCmdMsg), then to the application. Enabled states, check marks and
// live menu texts are set in one place, UpdateCommandStates(); a command
// that nothing on the route handles is disabled.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include "framework/MDIWindowList.h"

class CCmdTarget;
class CCmdUI;
class CDocument;
class CStatusBar;
class CView;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

class CMDIFrameWnd : public QMainWindow {
    Q_OBJECT
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    QMdiArea* MDIClient() const { return m_wndMDIClient; }
    QMdiSubWindow* MDIGetActive() const;
    CView* GetActiveView() const;
    CDocument* GetActiveDocument() const;

    // The command's one action, made on first request.
    QAction* AddAction(int nID);
    QAction* GetAction(int nID) const;
    // Sends a command along the route; false when nothing handles it.
    bool ExecuteCommand(int nID);
    // Performs the command only when the route enables it (keys use this).
    void ExecuteIfEnabled(int nID);
    // The one refresh of enabled states, check marks and live texts, the
    // list of open windows included.
    void UpdateCommandStates();
    // The popup of the menu shown that lists the open child windows, or null.
    void SetWindowMenu(QMenu* pPopup) { m_windowList.SetMenu(pPopup, m_wndMDIClient); }
    // The last target on the route (the application), or null.
    void SetAppCmdTarget(CCmdTarget* pTarget) { m_pAppTarget = pTarget; }

    CStatusBar* m_wndStatusBar = nullptr;

protected:
    // A modal dialog or message box closed: the keyboard focus comes back to
    // this window and its active view, as it does under any window manager
    // or none.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    // The frame's own handlers, as CCmdTarget::OnCmdMsg.
    virtual bool OnFrameCmdMsg(int nID, CCmdUI* pCmdUI) { return false; }
    // After every refresh of the command states.
    virtual void OnCommandStatesUpdated() {}
    // The active child window changed (or the last one closed); the command
    // states are refreshed right after.
    virtual void OnActiveFrameChanged() {}
    // Makes the MDI area; call once from the derived frame's set-up.
    void CreateMDIClient();
    // From now on nothing is refreshed; the child windows close while the
    // frame is still whole, so that their views can clear their panes.
    void CloseAllChildren();

private:
    void FillCommandState(CCmdUI* pCmdUI);
    static void ApplyCommandState(QAction* pAction, const CCmdUI& state);
    void OnSubWindowActivated(QMdiSubWindow* pFrame);
    void RestoreFocus();

    QMdiArea* m_wndMDIClient = nullptr;
    QHash<int, QAction*> m_actions;
    CCmdTarget* m_pAppTarget = nullptr;
    QPointer<QMdiSubWindow> m_pActiveFrame;
    bool m_bDestroying = false;
    CMDIWindowList m_windowList;
};

// The application's main window, or null before it exists.
CMDIFrameWnd* AfxGetMainWnd();
