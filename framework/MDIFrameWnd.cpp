#include "framework/MDIFrameWnd.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include "framework/CmdTarget.h"
#include "framework/CmdUI.h"
#include "framework/DocTemplate.h"
#include "framework/View.h"

namespace {
CMDIFrameWnd* g_pMainFrame = nullptr;
}

CMDIFrameWnd* AfxGetMainWnd() { return g_pMainFrame; }

CMDIFrameWnd::CMDIFrameWnd() {
    g_pMainFrame = this;
    qApp->installEventFilter(this);
}

CMDIFrameWnd::~CMDIFrameWnd() {
    CloseAllChildren();
    if (g_pMainFrame == this) g_pMainFrame = nullptr;
}

void CMDIFrameWnd::CreateMDIClient() {
    m_wndMDIClient = new QMdiArea(this);
    setCentralWidget(m_wndMDIClient);
    connect(m_wndMDIClient, &QMdiArea::subWindowActivated, this, &CMDIFrameWnd::OnSubWindowActivated);
}

void CMDIFrameWnd::CloseAllChildren() {
    m_bDestroying = true;
    if (m_wndMDIClient == nullptr) return;
    disconnect(m_wndMDIClient, nullptr, this, nullptr);
    const QList<QMdiSubWindow*> frames = m_wndMDIClient->subWindowList();
    for (QMdiSubWindow* pFrame : frames) delete pFrame;
}

// ---- focus after a modal window, and the titles of the listed windows ----

bool CMDIFrameWnd::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pEvent->type() == QEvent::WindowTitleChange && !m_bDestroying) {
        const auto* pFrame = qobject_cast<QMdiSubWindow*>(pWatched);
        if (pFrame != nullptr && pFrame->mdiArea() == m_wndMDIClient) m_windowList.Refresh();
    }
    if (pEvent->type() == QEvent::Hide && pWatched->isWidgetType()) {
        const auto* pWidget = static_cast<QWidget*>(pWatched);
        // Once the modal window is gone; Qt alone does not give the focus
        // back where no window manager does it.
        if (pWidget != this && pWidget->isWindow() && pWidget->isModal())
            QTimer::singleShot(0, this, &CMDIFrameWnd::RestoreFocus);
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}

void CMDIFrameWnd::RestoreFocus() {
    if (m_bDestroying || !isVisible() || QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr)
        return;
    activateWindow();
    auto* pView = dynamic_cast<QWidget*>(GetActiveView());
    QWidget* pFocus = QApplication::focusWidget();
    if (pView != nullptr && (pFocus == nullptr || pFocus->window() != this))
        pView->setFocus(Qt::ActiveWindowFocusReason);
}

// ---- the active window and its document ----

QMdiSubWindow* CMDIFrameWnd::MDIGetActive() const {
    // The current window stays current while another application is active.
    return m_wndMDIClient != nullptr ? m_wndMDIClient->currentSubWindow() : nullptr;
}

CView* CMDIFrameWnd::GetActiveView() const { return ViewOfFrame(MDIGetActive()); }

CDocument* CMDIFrameWnd::GetActiveDocument() const {
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

void CMDIFrameWnd::OnSubWindowActivated(QMdiSubWindow*) {
    if (m_bDestroying) return;
    QMdiSubWindow* pFrame = MDIGetActive();
    // The area activates a window it holds when the application becomes
    // active, even one not yet shown: a program window whose document is
    // still opening, behind a message box at start-up. Only a shown window
    // may be active, so its first activation comes once it is shown.
    if (pFrame != nullptr && pFrame->isHidden()) {
        m_wndMDIClient->setActiveSubWindow(nullptr);
        return;
    }
    if (pFrame != m_pActiveFrame && (pFrame != nullptr || m_wndMDIClient->subWindowList().isEmpty())) {
        QPointer<QMdiSubWindow> pOld = m_pActiveFrame;
        m_pActiveFrame = pFrame;
        if (CView* pOldView = ViewOfFrame(pOld)) pOldView->OnActivateView(false);
        if (CView* pNewView = ViewOfFrame(pFrame)) pNewView->OnActivateView(true);
    }
    OnActiveFrameChanged();
    UpdateCommandStates();
}

// ---- the command route ----

QAction* CMDIFrameWnd::AddAction(int nID) {
    if (QAction* pAction = GetAction(nID)) return pAction;
    auto* pAction = new QAction(this);
    pAction->setData(nID);
    connect(pAction, &QAction::triggered, this, [this, nID] { ExecuteCommand(nID); });
    m_actions.insert(nID, pAction);
    return pAction;
}

QAction* CMDIFrameWnd::GetAction(int nID) const { return m_actions.value(nID, nullptr); }

void CMDIFrameWnd::ExecuteIfEnabled(int nID) {
    QAction* pAction = GetAction(nID);
    if (pAction == nullptr) return;
    CCmdUI state(nID);
    FillCommandState(&state);
    ApplyCommandState(pAction, state);
    if (state.m_bEnabled) ExecuteCommand(nID);
}

bool CMDIFrameWnd::ExecuteCommand(int nID) {
    bool bHandled = false;
    if (CView* pView = GetActiveView(); pView != nullptr && pView->OnCmdMsg(nID, nullptr)) {
        bHandled = true;
    } else if (OnFrameCmdMsg(nID, nullptr)) {
        bHandled = true;
    } else if (m_pAppTarget != nullptr && m_pAppTarget->OnCmdMsg(nID, nullptr)) {
        bHandled = true;
    }
    // The frame may be gone when the command closed the application.
    if (AfxGetMainWnd() == this) UpdateCommandStates();
    return bHandled;
}

void CMDIFrameWnd::FillCommandState(CCmdUI* pCmdUI) {
    const int nID = pCmdUI->m_nID;
    pCmdUI->Enable(true);
    if (CView* pView = GetActiveView(); pView != nullptr && pView->OnCmdMsg(nID, pCmdUI)) return;
    if (OnFrameCmdMsg(nID, pCmdUI)) return;
    if (m_pAppTarget != nullptr && m_pAppTarget->OnCmdMsg(nID, pCmdUI)) return;
    // No handler on the route: the command cannot be given.
    pCmdUI->Enable(false);
}

void CMDIFrameWnd::ApplyCommandState(QAction* pAction, const CCmdUI& state) {
    pAction->setEnabled(state.m_bEnabled);
    if (state.m_nCheck >= 0) {
        pAction->setCheckable(true);
        pAction->setChecked(state.m_nCheck == 1);
    }
    if (state.m_bTextSet) pAction->setText(state.m_strText);
}

void CMDIFrameWnd::UpdateCommandStates() {
    if (m_bDestroying) return;
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        CCmdUI state(it.key());
        FillCommandState(&state);
        ApplyCommandState(it.value(), state);
    }
    m_windowList.Refresh();
    OnCommandStatesUpdated();
}
