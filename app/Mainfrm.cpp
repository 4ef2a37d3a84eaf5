#include "app/Mainfrm.h"

#include <QAction>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>

#include "app/AppIcon.h"
#include "app/Brixcdoc.h"
#include "app/MainfrmCommands.h"
#include "app/TorvanApp.h"
#include "framework/AbbreviatePath.h"
#include "framework/CmdUI.h"
#include "framework/DocTemplate.h"
#include "framework/MenuSet.h"
#include "framework/StatusBar.h"
#include "framework/View.h"
#include "menu/PlainMenuStyle.h"
#include "platform/MessageBox.h"
#include "platform/Trace.h"
#include "res/Accelerators.h"
#include "res/CommandIds.h"
#include "res/MenuTables.h"
#include "res/Prompts.h"
#include "res/Toolbar.h"
#include "res/ToolbarBitmap.h"

unsigned g_bTimingWindowOpen = 0;

namespace {
constexpr const char* kFrameTitle = "TORVAN - Zelmor Systems' Simulator for 8085";
constexpr const char* kCommandFailed = "Command failed.";
constexpr const char* kNoDocumentTrace = "Warning: No active document for WindoeMemoryWatch command\n";
constexpr const char* kNoFrameTrace = "Failed to create new frame\n";
constexpr const char* kRecentFilePlaceholder = "Recent File";

// The toolbar shows no tooltips.
class NoToolTips : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override {
        return pEvent->type() == QEvent::ToolTip || QObject::eventFilter(pWatched, pEvent);
    }
};
}  // namespace

CMainFrame* GetMainFrame() { return qobject_cast<CMainFrame*>(AfxGetMainWnd()); }

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() { CloseAllChildren(); }

bool CMainFrame::LoadFrame() {
    setWindowTitle(QString::fromLatin1(kFrameTitle));
    setWindowIcon(TorvanIcon());
    CreateMDIClient();
    // The menus are drawn by the frame's own menu class, never by a global
    // menu of the desktop.
    menuBar()->setNativeMenuBar(false);

    m_toolbarBitmap = DrawToolbarBitmap();
    CreateActions();
    CreateToolBar();
    CreateStatusBar();
    return m_wndToolBar != nullptr && m_wndStatusBar != nullptr;
}

bool CMainFrame::event(QEvent* pEvent) {
    // Pane 0 is written by the frame alone: hovering over the toolbar or a
    // menu must not replace its text with an action's status tip.
    if (pEvent->type() == QEvent::StatusTip) return true;
    return QMainWindow::event(pEvent);
}

// ---- commands: one action per id ----

void CMainFrame::CreateActions() {
    auto addAction = [this](int nID) {
        if (nID <= 0 || GetAction(nID) != nullptr) return;
        QAction* pAction = AddAction(nID);
        // Images are the toolbar's; the menus show them only through the
        // owner-drawn menu class.
        pAction->setIconVisibleInMenu(false);
        const int image = ToolbarImageIndex(nID);
        if (image >= 0)
            pAction->setIcon(
                QIcon(m_toolbarBitmap.copy(image * kToolbarImageWidth, 0, kToolbarImageWidth, kToolbarImageHeight)));
    };
    for (int nMenuId : {IDR_MAINFRAME, IDR_TORVANTYPE})
        ForEachMenuItem(MenuTable(nMenuId), [&](const MenuItemDef& item) { addAction(item.nID); });
    for (int i = 0; i < kToolbarEntryCount; ++i) addAction(kToolbarButtons[i]);
    for (int i = 0; i < kAcceleratorCount; ++i) addAction(kAccelerators[i].nID);

    // Keys reach their command's action, and only while it is enabled.
    for (int i = 0; i < kAcceleratorCount; ++i) {
        const int nID = kAccelerators[i].nID;
        auto* pShortcut = new QShortcut(QKeySequence(kAccelerators[i].key), this);
        pShortcut->setContext(Qt::WindowShortcut);
        connect(pShortcut, &QShortcut::activated, this, [this, nID] { ExecuteIfEnabled(nID); });
    }
}

QString CMainFrame::CommandPrompt(int nID) {
    const char* prompt = ::CommandPrompt(nID);
    return prompt != nullptr ? QString::fromLatin1(prompt) : QString();
}

bool CMainFrame::OnFrameCmdMsg(int nID, CCmdUI* pCmdUI) {
    const CommandDef* pCommand = FindCommand(nID);
    if (pCommand == nullptr) return false;
    if (pCmdUI == nullptr) {
        if (!pCommand->pfnCommand) return false;
        (this->*pCommand->pfnCommand)();
        return true;
    }
    if (pCommand->pfnUpdate) (this->*pCommand->pfnUpdate)(pCmdUI);
    // A state handler alone decides only for a command served further on.
    return pCommand->pfnCommand || !pCmdUI->m_bEnabled;
}

void CMainFrame::OnCommandStatesUpdated() { UpdateRecentFileItems(); }

// ---- menus ----

std::unique_ptr<CMenuSet> CMainFrame::BuildPlainMenu(int nMenuId) {
    auto set = std::make_unique<CMenuSet>();
    QList<QMenu*> open;
    ForEachMenuItem(MenuTable(nMenuId), [&](const MenuItemDef& item) {
        if (item.nID == kMenuPopup) {
            auto* pMenu =
                new QMenu(QString::fromLatin1(item.text), open.isEmpty() ? static_cast<QWidget*>(this) : open.last());
            pMenu->setStyle(PlainMenuStyle::Instance());
            if (open.isEmpty()) set->m_popups.append(pMenu);
            else open.last()->addMenu(pMenu);
            open.append(pMenu);
        } else if (item.nID == kMenuEndPopup) {
            open.removeLast();
        } else if (item.nID == kMenuSeparator) {
            open.last()->addSeparator();
        } else {
            open.last()->addAction(GetAction(item.nID));
        }
    });
    return set;
}

CMenuSet* CMainFrame::AdoptMenu(std::unique_ptr<CMenuSet> set, int nMenuId) {
    for (QMenu* pPopup : set->m_popups) ConnectPopup(pPopup, true);
    CMenuSet* pSet = set.get();
    m_menuIds.insert(pSet, nMenuId);
    m_menuSets.push_back(std::move(set));
    return pSet;
}

void CMainFrame::ConnectPopup(QMenu* pMenu, bool bTopLevel) {
    connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { OnInitMenuPopup(pMenu); });
    // A menu reports the hover of its actions wherever they are, the
    // toolbar's buttons included; only its own open items show prompts.
    connect(pMenu, &QMenu::hovered, this, [this, pMenu](QAction* pAction) {
        if (pMenu->isVisible()) OnMenuHovered(pAction);
    });
    // Leaving the menus puts the idle text back in pane 0.
    if (bTopLevel) connect(pMenu, &QMenu::aboutToHide, this, [this] { ShowIdleStatusText(); });
    for (QAction* pAction : pMenu->actions())
        if (pAction->menu() != nullptr) ConnectPopup(pAction->menu(), false);
}

void CMainFrame::OnInitMenuPopup(QMenu* pPopup) {
    UpdateCommandStates();
    // Items the refresh added or changed are owner-drawn again.
    if (m_menuDocument.IsSubMenu(pPopup) || m_menuDefault.IsSubMenu(pPopup)) KespMenu::UpdateMenu(pPopup);
}

CMenuSet* CMainFrame::LoadDocumentMenu() {
    m_menuDocument.LoadMenu(IDR_TORVANTYPE);
    const int toolbars[] = {IDR_MAINFRAME};
    m_menuDocument.LoadToolbars(toolbars, 1);
    return AdoptMenu(m_menuDocument.Detach(), IDR_TORVANTYPE);
}

CMenuSet* CMainFrame::LoadDefaultMenu() {
    m_menuDefault.LoadMenu(IDR_MAINFRAME);
    m_menuDefault.LoadToolbar(IDR_MAINFRAME);
    return AdoptMenu(m_menuDefault.Detach(), IDR_MAINFRAME);
}

CMenuSet* CMainFrame::LoadPlainDocumentMenu() { return AdoptMenu(BuildPlainMenu(IDR_TORVANTYPE), IDR_TORVANTYPE); }

void CMainFrame::SetDefaultMenu(CMenuSet* pMenu) {
    m_pDefaultMenu = pMenu;
    OnUpdateFrameMenu();
}

void CMainFrame::ShowMenu(CMenuSet* pMenu) {
    if (pMenu == nullptr || pMenu == m_pShownMenu) return;
    menuBar()->clear();
    for (QMenu* pPopup : pMenu->m_popups) menuBar()->addMenu(pPopup);
    m_pShownMenu = pMenu;
    SetWindowMenu(CMDIWindowList::FindWindowMenu(pMenu->m_popups));
    ApplyMenuTexts(m_menuIds.value(pMenu, IDR_TORVANTYPE));
}

void CMainFrame::ApplyMenuTexts(int nMenuId) {
    // The two menus name a few shared commands differently. The live texts
    // come back with the refresh of the command states that follows every
    // change of the active window.
    ForEachMenuItem(MenuTable(nMenuId), [this](const MenuItemDef& item) {
        if (item.nID > 0 && CTorvanApp::RecentFileIndex(item.nID) < 0)
            GetAction(item.nID)->setText(QString::fromLatin1(item.text));
    });
}

void CMainFrame::OnUpdateFrameMenu() {
    if (MDIClient()->subWindowList().isEmpty()) {
        ShowMenu(m_pDefaultMenu);
        return;
    }
    // Between two active windows the menu shown stays.
    QMdiSubWindow* pFrame = MDIGetActive();
    if (pFrame == nullptr) return;
    CMultiDocTemplate* pTemplate = TemplateOfFrame(pFrame);
    ShowMenu(pTemplate != nullptr && pTemplate->m_pMenuShared != nullptr ? pTemplate->m_pMenuShared : m_pDefaultMenu);
}

void CMainFrame::OnMenuHovered(QAction* pAction) {
    const int nID = pAction != nullptr ? pAction->data().toInt() : 0;
    m_wndStatusBar->SetPaneText(CStatusBar::kMessagePane, CommandPrompt(nID));
}

void CMainFrame::UpdateRecentFileItems() {
    // The application enables the entries on the route; the frame gives
    // them their texts and shows as many as the list holds.
    const QStringList files = AfxGetApp() != nullptr ? AfxGetApp()->GetRecentFiles() : QStringList();
    for (int i = 0; i < CTorvanApp::kMaxRecentFiles; ++i) {
        QAction* pAction = GetAction(ID_FILE_MRU_FILE1 + i);
        if (pAction == nullptr) continue;
        if (i < files.size()) {
            // Short enough to keep the menu narrow, and a path's own '&'
            // shown as itself, never as a mnemonic.
            QString shown = AbbreviatePath(files.at(i), kRecentFileShownChars);
            shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
            pAction->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        } else if (i == 0) {
            // An empty list shows one greyed entry.
            pAction->setText(QString::fromLatin1(kRecentFilePlaceholder));
        }
        pAction->setVisible(i < files.size() || i == 0);
    }
}

// ---- toolbar and status bar ----

void CMainFrame::CreateToolBar() {
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName(QStringLiteral("ToolBar"));
    m_wndToolBar->setIconSize(QSize(kToolbarImageWidth, kToolbarImageHeight));
    m_wndToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto* pFilter = new NoToolTips(m_wndToolBar);
    for (int i = 0; i < kToolbarEntryCount; ++i) {
        if (kToolbarButtons[i] == 0) {
            m_wndToolBar->addSeparator();
            continue;
        }
        QAction* pAction = GetAction(kToolbarButtons[i]);
        m_wndToolBar->addAction(pAction);
        if (QWidget* pButton = m_wndToolBar->widgetForAction(pAction)) pButton->installEventFilter(pFilter);
    }
    m_wndToolBar->installEventFilter(pFilter);
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
}

void CMainFrame::CreateStatusBar() {
    m_wndStatusBar = new CStatusBar(this);
    setStatusBar(m_wndStatusBar);
}

// ---- the active window and its document ----

CTorvanDoc* CMainFrame::GetActiveDocument() const {
    return qobject_cast<CTorvanDoc*>(CMDIFrameWnd::GetActiveDocument());
}

void CMainFrame::OnActiveFrameChanged() {
    OnUpdateFrameMenu();
    UpdateFrameTitle();
}

void CMainFrame::UpdateFrameTitle() {
    const CTorvanDoc* pDoc = GetActiveDocument();
    QString title = QString::fromLatin1(kFrameTitle);
    if (pDoc != nullptr && !pDoc->GetTitle().isEmpty()) title += QStringLiteral(" - ") + pDoc->GetTitle();
    setWindowTitle(title);
}

// ---- watch-window toggles ----

CMainFrame::ToggleResult CMainFrame::ToggleWatchWindow(CMultiDocTemplate* pTemplate) {
    CTorvanDoc* pDoc = GetActiveDocument();
    if (pDoc == nullptr) {
        DebugTrace("%s", kNoDocumentTrace);
        AfxMessageBox(QString::fromLatin1(kCommandFailed));
        return ToggleResult::Failed;
    }
    if (CView* pView = pTemplate->FindView(pDoc)) {
        QMdiSubWindow* pFrame = FrameOfView(pView);
        // The view leaves the document now, so every check mark and toggle
        // sees the window gone at once.
        pDoc->RemoveView(pView);
        if (pFrame != nullptr) pFrame->close();
        return ToggleResult::Closed;
    }
    QMdiSubWindow* pFrame = pTemplate->CreateNewFrame(pDoc, MDIGetActive());
    if (pFrame == nullptr) {
        DebugTrace("%s", kNoFrameTrace);
        AfxMessageBox(QString::fromLatin1(kCommandFailed));
        return ToggleResult::Failed;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDoc, true);
    return ToggleResult::Opened;
}

void CMainFrame::UpdateToggle(CMultiDocTemplate* pTemplate, CCmdUI* pCmdUI) {
    const CTorvanDoc* pDoc = GetActiveDocument();
    pCmdUI->Enable(pDoc != nullptr);
    if (pDoc != nullptr) pCmdUI->SetCheck(pTemplate->FindView(pDoc) != nullptr ? 1 : 0);
}

void CMainFrame::OnViewMemoryWatch() { ToggleWatchWindow(AfxGetApp()->m_pMemWatchTemplate); }
void CMainFrame::OnViewRegistersWatch() { ToggleWatchWindow(AfxGetApp()->m_pRegWatchTemplate); }
void CMainFrame::OnViewIOWatch() { ToggleWatchWindow(AfxGetApp()->m_pIOWatchTemplate); }
void CMainFrame::OnViewInternalRamWatch() { ToggleWatchWindow(AfxGetApp()->m_pChpMemWatchTemplate); }
void CMainFrame::OnViewCVariableWatch() { ToggleWatchWindow(AfxGetApp()->m_pCVarWatchTemplate); }
void CMainFrame::OnViewSerialWatch() { ToggleWatchWindow(AfxGetApp()->m_pSerialTemplate); }

void CMainFrame::OnViewTimingDiagram() {
    const ToggleResult result = ToggleWatchWindow(AfxGetApp()->m_pTimingTemplate);
    if (result == ToggleResult::Closed) g_bTimingWindowOpen = 0;
    if (result == ToggleResult::Opened) g_bTimingWindowOpen = 1;
}

void CMainFrame::OnUpdateViewMemoryWatch(CCmdUI* pCmdUI) { UpdateToggle(AfxGetApp()->m_pMemWatchTemplate, pCmdUI); }
void CMainFrame::OnUpdateViewRegistersWatch(CCmdUI* pCmdUI) { UpdateToggle(AfxGetApp()->m_pRegWatchTemplate, pCmdUI); }
void CMainFrame::OnUpdateViewIOWatch(CCmdUI* pCmdUI) { UpdateToggle(AfxGetApp()->m_pIOWatchTemplate, pCmdUI); }
void CMainFrame::OnUpdateViewInternalRamWatch(CCmdUI* pCmdUI) {
    UpdateToggle(AfxGetApp()->m_pChpMemWatchTemplate, pCmdUI);
}
void CMainFrame::OnUpdateViewCVariableWatch(CCmdUI* pCmdUI) { UpdateToggle(AfxGetApp()->m_pCVarWatchTemplate, pCmdUI); }
void CMainFrame::OnUpdateViewSerialWatch(CCmdUI* pCmdUI) { UpdateToggle(AfxGetApp()->m_pSerialTemplate, pCmdUI); }

void CMainFrame::OnUpdateViewTimingDiagram(CCmdUI* pCmdUI) {
    // Never disabled, not even without a program; the mark follows the
    // command, not the window.
    pCmdUI->SetCheck(g_bTimingWindowOpen != 0 ? 1 : 0);
}

void CMainFrame::OnUpdateFileOpen(CCmdUI* pCmdUI) {
    // One program at a time.
    pCmdUI->Enable(GetActiveDocument() == nullptr);
}

void CMainFrame::OnUpdateNeedsDocument(CCmdUI* pCmdUI) { pCmdUI->Enable(GetActiveDocument() != nullptr); }

// ---- standard commands ----

void CMainFrame::OnFileClose() {
    if (CTorvanDoc* pDoc = GetActiveDocument()) pDoc->OnCloseDocument();
}

void CMainFrame::OnAppExit() { close(); }

void CMainFrame::OnViewToolbar() { m_wndToolBar->setVisible(!m_wndToolBar->isVisible()); }

void CMainFrame::OnViewStatusBar() { m_wndStatusBar->setVisible(!m_wndStatusBar->isVisible()); }

void CMainFrame::OnUpdateViewToolbar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndToolBar->isVisibleTo(this) ? 1 : 0); }

void CMainFrame::OnUpdateViewStatusBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndStatusBar->isVisibleTo(this) ? 1 : 0); }

void CMainFrame::OnWindowArrange() {
    // Minimised windows line up along the bottom edge, left to right.
    int x = 0;
    const int bottom = MDIClient()->viewport()->height();
    for (QMdiSubWindow* pFrame : MDIClient()->subWindowList()) {
        if (!pFrame->isMinimized()) continue;
        pFrame->move(x, bottom - pFrame->height());
        x += pFrame->width();
    }
}
