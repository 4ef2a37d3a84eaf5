// Keeping a popup's records in step with its items, and the keyboard: a
// typed character runs the first item whose mnemonic it is.
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

#include "menu/Kespmenu.h"

namespace {
// True when the character, in either case, follows a single '&' of the
// text; "&&" shows an '&' and marks nothing.
bool HasMnemonic(const QString& text, QChar ch) {
    const QChar key = ch.toLower();
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        ++i;
        if (text[i] != QLatin1Char('&') && text[i].toLower() == key) return true;
    }
    return false;
}
}  // namespace

// ---- synchronisation ----

void KespMenu::UpdateMenu(QMenu* pMenu) {
    if (auto* pKesp = qobject_cast<KespMenu*>(pMenu)) pKesp->SynchronizeMenu();
}

unsigned KespMenu::ItemState(const QAction* pAction) const {
    unsigned nState = 0;
    if (pAction->menu() != nullptr) nState |= MF_POPUP;
    if (pAction->isSeparator()) nState |= MF_SEPARATOR;
    if (!pAction->isEnabled()) nState |= MF_GRAYED | MF_DISABLED;
    if (pAction->isChecked()) nState |= MF_CHECKED;
    return nState;
}

void KespMenu::SetSyncFlags() {
    for (const auto& pData : m_MenuList)
        if (pData) pData->m_bSynced = false;
}

KespMenuItemData* KespMenu::FindUnsyncedData(quintptr nID) {
    for (const auto& pData : m_MenuList) {
        if (!pData || pData->m_bSynced || pData->m_nID != nID) continue;
        pData->m_bSynced = true;
        return pData.get();
    }
    return nullptr;
}

void KespMenu::DeleteUnsyncedData() {
    m_MenuList.erase(
        std::remove_if(m_MenuList.begin(), m_MenuList.end(),
                       [](const std::unique_ptr<KespMenuItemData>& pData) { return !pData || !pData->m_bSynced; }),
        m_MenuList.end());
}

std::unique_ptr<KespMenuItemData> KespMenu::NewODMenu(int, unsigned nFlags, quintptr nID, const QString& text) {
    // The record belongs to the position it is put at.
    auto pData = std::make_unique<KespMenuItemData>();
    pData->SetItemText(text);
    pData->m_nFlags = nFlags;
    pData->m_nID = nID;
    return pData;
}

void KespMenu::SynchronizeMenu() {
    SetSyncFlags();
    auto take = [this](KespMenuItemData* pFound) {
        for (auto& pData : m_MenuList)
            if (pData.get() == pFound) return std::move(pData);
        return std::unique_ptr<KespMenuItemData>();
    };
    std::vector<std::unique_ptr<KespMenuItemData>> newList;
    const QList<QAction*> items = actions();
    for (int pos = 0; pos < items.size(); ++pos) {
        const QAction* pAction = items[pos];
        // The state already says whether the item is a popup or a separator.
        const unsigned nFlags = ItemState(pAction) | MF_BYPOSITION | MF_OWNERDRAW;
        const quintptr nID = ItemId(pAction);
        const bool bSeparator = pAction->isSeparator();
        KespMenuItemData* pFound = FindUnsyncedData(nID);
        if (pFound == nullptr) {
            newList.push_back(NewODMenu(pos, nFlags, nID, bSeparator ? QString(QLatin1String("")) : pAction->text()));
            continue;
        }
        // A separator's record stays as it is, and a popup's keeps its flags.
        if (!bSeparator) pFound->TakeItemText(pAction->text());
        if (!bSeparator && pAction->menu() == nullptr) pFound->m_nFlags = nFlags;
        newList.push_back(take(pFound));
    }
    DeleteUnsyncedData();
    m_MenuList = std::move(newList);
    InvalidateLayout();
}

void KespMenu::InvalidateLayout() {
    // Records changed behind Qt's back: the items are measured again.
    if (actions().isEmpty()) return;
    QActionEvent changed(QEvent::ActionChanged, actions().first());
    QMenu::actionEvent(&changed);
}

void KespMenu::actionEvent(QActionEvent* pEvent) {
    // A text the program gives an item while the menu exists is shown at
    // once; an item added or removed while the popup is open gets or loses
    // its record at once.
    if (pEvent->type() == QEvent::ActionChanged)
        if (KespMenuItemData* pData = ItemDataOf(pEvent->action())) pData->TakeItemText(pEvent->action()->text());
    QMenu::actionEvent(pEvent);
    if ((pEvent->type() == QEvent::ActionAdded || pEvent->type() == QEvent::ActionRemoved) && isVisible())
        SynchronizeMenu();
}

// ---- keyboard ----

bool KespMenu::GetMenuText(int nIndex, QString& text) const {
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_MenuList.size()) return false;
    text = m_MenuList[static_cast<std::size_t>(nIndex)]->GetWideString();
    return true;
}

int KespMenu::FindKeyboardShortcut(QChar ch, unsigned nFlags, QMenu* pMenu) {
    auto* pKesp = qobject_cast<KespMenu*>(pMenu);
    if (pKesp == nullptr || !(nFlags & MF_POPUP)) return MNC_IGNORE;
    if (static_cast<std::size_t>(pMenu->actions().size()) != pKesp->m_MenuList.size()) pKesp->SynchronizeMenu();
    QString text;
    for (int pos = 0; pKesp->GetMenuText(pos, text); ++pos)
        if (HasMnemonic(text, ch)) return MenuCharResult(MNC_EXECUTE, pos);
    return MNC_IGNORE;
}

void KespMenu::keyPressEvent(QKeyEvent* pEvent) {
    const Qt::KeyboardModifiers modifiers = pEvent->modifiers() & ~Qt::KeypadModifier;
    const bool bCharacter =
        (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier || modifiers == Qt::AltModifier) &&
        pEvent->text().size() == 1 && pEvent->text().at(0).isPrint();
    if (!bCharacter) {
        QMenu::keyPressEvent(pEvent);
        return;
    }
    const int result = FindKeyboardShortcut(pEvent->text().at(0), MF_POPUP, this);
    if (MenuCharAction(result) == MNC_EXECUTE) ExecuteItem(MenuCharPosition(result));
    else QApplication::beep();
    pEvent->accept();
}

void KespMenu::ExecuteItem(int nPos) {
    const QList<QAction*> items = actions();
    if (nPos >= items.size()) return;
    QAction* pAction = items[nPos];
    if (pAction->isSeparator() || !pAction->isVisible() || !pAction->isEnabled()) {
        QApplication::beep();
        return;
    }
    // As if the item were chosen with the arrow keys and Enter: a command
    // runs and the menus close, a popup opens with its first item chosen.
    setActiveAction(pAction);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QMenu::keyPressEvent(&enter);
}
