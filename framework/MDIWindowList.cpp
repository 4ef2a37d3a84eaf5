#include "framework/MDIWindowList.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

QMenu* CMDIWindowList::FindWindowMenu(const QList<QMenu*>& popups) {
    for (QMenu* pPopup : popups)
        for (const QAction* pAction : pPopup->actions()) {
            const int nID = pAction->data().toInt();
            if (pAction->menu() == nullptr && nID >= kWindowCommandFirst && nID <= kWindowCommandLast) return pPopup;
        }
    return nullptr;
}

void CMDIWindowList::SetMenu(QMenu* pPopup, QMdiArea* pArea) {
    if (pPopup == m_pMenu && pArea == m_pArea) return;
    RemoveEntries();
    m_pMenu = pPopup;
    m_pArea = pArea;
    Refresh();
}

void CMDIWindowList::Refresh() {
    const QList<Entry> entries = ListedWindows();
    if (entries == m_listed) return;
    RemoveEntries();
    AddEntries(entries);
}

QList<CMDIWindowList::Entry> CMDIWindowList::ListedWindows() const {
    QList<Entry> entries;
    if (m_pMenu == nullptr || m_pArea == nullptr) return entries;
    QMdiSubWindow* pActive = m_pArea->currentSubWindow();
    for (QMdiSubWindow* pFrame : m_pArea->subWindowList(QMdiArea::CreationOrder)) {
        // A window not yet shown, or closed and not yet gone, is not listed.
        if (pFrame->isHidden()) continue;
        if (entries.size() == kMaxEntries) break;
        // A title's own '&' is shown as itself, never as a mnemonic.
        QString title = pFrame->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        entries.append({pFrame, QStringLiteral("&%1 %2").arg(entries.size() + 1).arg(title), pFrame == pActive});
    }
    return entries;
}

void CMDIWindowList::RemoveEntries() {
    qDeleteAll(m_actions);
    m_actions.clear();
    m_listed.clear();
}

void CMDIWindowList::AddEntries(const QList<Entry>& entries) {
    m_listed = entries;
    if (entries.isEmpty() || m_pMenu == nullptr) return;
    // The entries are this object's: a popup may go before them.
    auto* pSeparator = new QAction(this);
    pSeparator->setSeparator(true);
    m_pMenu->addAction(pSeparator);
    m_actions.append(pSeparator);
    for (int i = 0; i < entries.size(); ++i) {
        auto* pAction = new QAction(entries[i].text, this);
        pAction->setData(kFirstEntryId + i);
        pAction->setCheckable(true);
        pAction->setChecked(entries[i].bActive);
        QPointer<QMdiSubWindow> pFrame = entries[i].pFrame;
        connect(pAction, &QAction::triggered, this, [pFrame] { Activate(pFrame); });
        m_pMenu->addAction(pAction);
        m_actions.append(pAction);
    }
}

void CMDIWindowList::Activate(QMdiSubWindow* pFrame) {
    if (pFrame == nullptr || pFrame->mdiArea() == nullptr) return;
    if (pFrame->isMinimized()) pFrame->showNormal();
    pFrame->mdiArea()->setActiveSubWindow(pFrame);
}
