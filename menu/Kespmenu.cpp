#include "menu/Kespmenu.h"

#include <QFontMetrics>
#include <QToolBar>
#include <array>

#include "framework/MDIFrameWnd.h"
#include "framework/MenuSet.h"
#include "menu/KespMenuStyle.h"
#include "platform/SysColor.h"
#include "platform/Trace.h"
#include "res/MenuTables.h"
#include "res/Toolbar.h"
#include "res/ToolbarBitmap.h"

int g_nShellType = KespMenu::GetShellType();

namespace {
constexpr const char* kLoadTrace = "IMPORTANT:Use KespMenu::DestroyMenu to destroy Loaded Menu's\n";
constexpr int kNewShellNt = 3;

// One item of a menu template, as the resource holds it.
struct MenuTemplateItem {
    unsigned nFlags;  // MF_POPUP, MF_END
    int nID;          // none for a popup
    QString text;
};

// The items of a menu table in template order, each last item of its menu
// marked MF_END.
std::vector<MenuTemplateItem> ReadMenuTemplate(const MenuItemDef* pTable) {
    std::vector<MenuTemplateItem> items;
    std::vector<int> lastOfLevel{-1};
    auto endLevel = [&] {
        if (lastOfLevel.back() >= 0) items[static_cast<std::size_t>(lastOfLevel.back())].nFlags |= MF_END;
        lastOfLevel.pop_back();
    };
    ForEachMenuItem(pTable, [&](const MenuItemDef& item) {
        if (item.nID == kMenuEndPopup) {
            endLevel();
            return;
        }
        lastOfLevel.back() = static_cast<int>(items.size());
        const QString text = item.text != nullptr ? QString::fromLatin1(item.text) : QString(QLatin1String(""));
        if (item.nID == kMenuPopup) {
            items.push_back({MF_POPUP, 0, text});
            lastOfLevel.push_back(-1);
        } else {
            items.push_back({0, item.nID, text});
        }
    });
    endLevel();
    return items;
}

// The buttons of a toolbar resource in order (0 a separator); false when
// there is no such toolbar.
bool LoadToolbarResource(int nToolbarId, std::vector<int>& buttons) {
    if (nToolbarId != IDR_MAINFRAME) return false;
    buttons.assign(kToolbarButtons, kToolbarButtons + kToolbarEntryCount);
    return true;
}

// A bitmap resource as it is stored, before its colours are mapped.
QImage FindBitmapResource(int nBitmapId) {
    if (nBitmapId != IDR_MAINFRAME) return QImage();
    static const QImage toolbar = ToolbarBitmapResource();
    return toolbar;
}

// The standard colours of a bitmap resource and the system colours they
// are shown in.
struct SysColorMapEntry {
    QRgb from;
    int nSysColor;
};
constexpr std::size_t kSysColorMapSize = 4;
constexpr std::array<SysColorMapEntry, kSysColorMapSize> kSysColorMap{{
    {0x000000, COLOR_BTNTEXT},
    {0x808080, COLOR_BTNSHADOW},
    {0xC0C0C0, COLOR_BTNFACE},
    {0xFFFFFF, COLOR_BTNHIGHLIGHT},
}};
}  // namespace

int KespMenu::GetShellType() {
    // The shell version chose the look on the system the menus come from;
    // here the newer look is the one to give.
    return kNewShellNt;
}

KespMenu::KespMenu() {
    setStyle(KespMenuStyle::Instance());
    // Every separator of a template is shown, as the template has it.
    setSeparatorsCollapsible(false);
}

KespMenu::~KespMenu() { DestroyMenu(); }

// ---- loading ----

bool KespMenu::LoadMenu(int nResourceId) {
    DebugTrace("%s", kLoadTrace);
    const MenuItemDef* pTable = MenuTable(nResourceId);
    if (pTable == nullptr) return false;
    clear();
    m_bHoldsMenu = true;
    const std::size_t firstBarRecord = m_MenuList.size();

    std::vector<KespMenu*> menus{this};
    std::vector<bool> ended{false};
    for (const MenuTemplateItem& item : ReadMenuTemplate(pTable)) {
        if (menus.empty()) break;
        const unsigned nFlags = item.nFlags & ~MF_END;
        if (item.nFlags & MF_POPUP) {
            if (item.nFlags & MF_END) ended.back() = true;
            auto* pPopup = new KespMenu();
            pPopup->m_pCheckImages = m_pCheckImages;
            pPopup->m_nSelectCheck = m_nSelectCheck;
            pPopup->m_nUnselectCheck = m_nUnselectCheck;
            pPopup->m_bCheckImagesShared = true;
            pPopup->m_bHoldsMenu = true;
            pPopup->setTitle(item.text);
            menus.back()->AppendODMenuW(item.text, nFlags, PopupId(pPopup), -1);
            menus.push_back(pPopup);
            ended.push_back(false);
            m_SubMenus.push_back(pPopup);
            continue;
        }
        menus.back()->AppendODMenuW(item.text, nFlags, static_cast<quintptr>(item.nID), -1);
        if (!(item.nFlags & MF_END)) continue;
        ended.back() = true;
        while (!menus.empty() && ended.back()) {
            menus.back()->InsertSpaces();
            menus.pop_back();
            ended.pop_back();
        }
    }

    // The bar's own items are plain text; their records stay.
    const QList<QAction*> bar = actions();
    for (int pos = 0; pos < bar.size(); ++pos) {
        KespMenuItemData* pData = m_MenuList[firstBarRecord + static_cast<std::size_t>(pos)].get();
        pData->m_nFlags = bar[pos]->menu() != nullptr ? (MF_POPUP | MF_BYPOSITION) : MF_BYPOSITION;
        if (QMenu* pPopup = bar[pos]->menu()) pPopup->setTitle(pData->GetWideString());
        else bar[pos]->setText(pData->GetWideString());
    }
    return true;
}

std::unique_ptr<CMenuSet> KespMenu::Detach() {
    auto set = std::make_unique<CMenuSet>();
    for (QAction* pAction : actions())
        if (pAction->menu() != nullptr) set->m_popups.append(pAction->menu());
    clear();
    m_bHoldsMenu = false;
    return set;
}

bool KespMenu::DestroyMenu() {
    while (!m_SubMenus.empty()) {
        delete m_SubMenus.back();
        m_SubMenus.pop_back();
    }
    m_MenuList.clear();
    if (!m_bCheckImagesShared) delete m_pCheckImages;
    m_pCheckImages = nullptr;
    const bool bHeld = m_bHoldsMenu;
    m_bHoldsMenu = false;
    clear();
    return bHeld;
}

bool KespMenu::IsSubMenu(const QMenu* pMenu) const {
    for (const KespMenu* pSub : m_SubMenus)
        if (pSub == pMenu) return true;
    return false;
}

QAction* KespMenu::ActionForCommand(int nID, const QString& text) {
    // Every command has the one action of the main window, shared with the
    // toolbar and the keys; a menu made without a main window has its own.
    CMDIFrameWnd* pFrame = AfxGetMainWnd();
    QAction* pAction = pFrame != nullptr ? pFrame->AddAction(nID) : new QAction(this);
    if (pFrame == nullptr) pAction->setData(nID);
    if (pAction->text().isEmpty()) pAction->setText(text);
    return pAction;
}

bool KespMenu::AppendODMenuA(const char* text, unsigned nFlags, quintptr nID, int nToolbarId) {
    Q_ASSERT(text != nullptr);
    return AppendODMenuW(QString::fromLocal8Bit(text), nFlags, nID, nToolbarId);
}

bool KespMenu::AppendODMenuW(const QString& text, unsigned nFlags, quintptr nID, int nToolbarId) {
    Q_ASSERT(!text.isNull());
    nFlags = nID == 0 ? (MF_SEPARATOR | MF_OWNERDRAW) : (nFlags | MF_OWNERDRAW);
    auto pData = std::make_unique<KespMenuItemData>();
    pData->SetItemText(text);
    SetItemImage(pData.get(), nToolbarId, ButtonImage(static_cast<int>(nID), nToolbarId));
    pData->m_nFlags = nFlags;
    pData->m_nID = nID;

    QAction* pAction = nullptr;
    if (nFlags & MF_SEPARATOR) {
        pAction = new QAction(this);
        pAction->setSeparator(true);
    } else if (nFlags & MF_POPUP) {
        pAction = reinterpret_cast<QMenu*>(nID)->menuAction();
    } else {
        pAction = ActionForCommand(static_cast<int>(nID), text);
    }
    // The record goes in first: adding the item lays the menu out.
    m_MenuList.push_back(std::move(pData));
    addAction(pAction);
    return true;
}

int KespMenu::ButtonImage(int nID, int nToolbarId) const {
    int nImageIndex = 0;
    if (nToolbarId >= 0) GetToolbarImageIndex(nID, nToolbarId, nImageIndex);
    return nImageIndex;
}

void KespMenu::SetItemImage(KespMenuItemData* pData, int nToolbarId, int nImageIndex) const {
    pData->m_nBitmapId = nToolbarId;
    pData->m_nImageIndex = -1;
    if (nToolbarId < 0) return;
    pData->m_nImageIndex = nImageIndex;
    if (pData->m_pImageList) pData->m_pImageList->RemoveAll();
    else pData->m_pImageList = std::make_unique<CImageList>(QSize(m_nIconX, m_nIconY));
    AddBitmapToImageList(pData->m_pImageList.get(), nToolbarId);
}

bool KespMenu::ModifyODMenuA(const char* text, int nID, int nToolbarId) {
    return ModifyODMenuW(text != nullptr ? QString::fromLocal8Bit(text) : QString(), nID, nToolbarId);
}

bool KespMenu::ModifyODMenuW(const QString& text, int nID, int nToolbarId) {
    int nLoc = -1;
    KespMenu* pMenu = FindMenuItem(nID, nLoc);
    KespMenuItemData* pData = nullptr;
    if (pMenu != nullptr && nLoc >= 0 && static_cast<std::size_t>(nLoc) < pMenu->m_MenuList.size()) {
        pData = pMenu->m_MenuList[static_cast<std::size_t>(nLoc)].get();
    } else {
        m_MenuList.push_back(std::make_unique<KespMenuItemData>());
        pData = m_MenuList.back().get();
    }
    if (!text.isNull()) pData->SetItemText(text);
    SetItemImage(pData, nToolbarId, ButtonImage(nID, nToolbarId));
    pData->m_nFlags = MF_BYCOMMAND | MF_OWNERDRAW;
    pData->m_nID = static_cast<quintptr>(nID);
    return true;
}

bool KespMenu::ModifyODMenuByTextA(const char* optionText, const char* newText, int nToolbarId) {
    Q_ASSERT(optionText != nullptr);
    return ModifyODMenuByTextW(QString::fromLocal8Bit(optionText),
                               newText != nullptr ? QString::fromLocal8Bit(newText) : QString(), nToolbarId);
}

bool KespMenu::ModifyODMenuByTextW(const QString& optionText, const QString& newText, int nToolbarId) {
    int nLoc = -1;
    KespMenu* pMenu = FindMenuOption(optionText, nLoc);
    if (pMenu == nullptr) return false;
    KespMenuItemData* pData = pMenu->m_MenuList[static_cast<std::size_t>(nLoc)].get();
    if (!newText.isNull()) pData->SetItemText(newText);
    SetItemImage(pData, nToolbarId, 0);
    return true;
}

KespMenu* KespMenu::FindMenuOption(const QString& optionText, int& nLoc) {
    const QList<QAction*> items = actions();
    for (QAction* pAction : items) {
        if (auto* pPopup = qobject_cast<KespMenu*>(pAction->menu())) {
            if (KespMenu* pFound = pPopup->FindMenuOption(optionText, nLoc)) return pFound;
            continue;
        }
        for (std::size_t i = 0; i < m_MenuList.size(); ++i) {
            if (m_MenuList[i]->GetWideString() != optionText) continue;
            nLoc = static_cast<int>(i);
            return this;
        }
    }
    nLoc = -1;
    return nullptr;
}

KespMenu* KespMenu::FindMenuItem(int nID, int& nLoc) {
    const QList<QAction*> items = actions();
    for (int pos = 0; pos < items.size(); ++pos) {
        if (auto* pPopup = qobject_cast<KespMenu*>(items[pos]->menu())) {
            if (KespMenu* pFound = pPopup->FindMenuItem(nID, nLoc)) return pFound;
        } else if (!items[pos]->isSeparator() && items[pos]->data().toInt() == nID) {
            nLoc = pos;
            return this;
        }
    }
    nLoc = -1;
    return nullptr;
}

// ---- toolbar images ----

bool KespMenu::LoadToolbars(const int* arID, int nCount) {
    Q_ASSERT(arID != nullptr);
    for (int i = 0; i < nCount; ++i) LoadToolbar(arID[i]);
    return true;
}

bool KespMenu::LoadToolbar(int nToolbarId) {
    std::vector<int> buttons;
    if (!LoadToolbarResource(nToolbarId, buttons)) return false;
    GiveButtonImages(buttons, nToolbarId);
    return true;
}

bool KespMenu::AddFromToolBar(const QToolBar* pToolBar, int nToolbarId) {
    std::vector<int> buttons;
    for (const QAction* pButton : pToolBar->actions())
        buttons.push_back(pButton->isSeparator() ? 0 : pButton->data().toInt());
    GiveButtonImages(buttons, nToolbarId);
    return true;
}

void KespMenu::GiveButtonImages(const std::vector<int>& buttons, int nToolbarId) {
    int nLoc = -1;
    for (int nID : buttons)
        if (nID != 0 && FindMenuItem(nID, nLoc) != nullptr) ModifyODMenuA(nullptr, nID, nToolbarId);
}

bool KespMenu::GetToolbarImageIndex(int nID, int nToolbarId, int& nImageIndex) const {
    std::vector<int> buttons;
    if (!LoadToolbarResource(nToolbarId, buttons)) return false;
    int image = 0;
    for (int nButton : buttons) {
        if (nButton == 0) continue;
        if (nButton == nID) {
            if (image > 0) nImageIndex = image;
            return true;
        }
        ++image;
    }
    return false;
}

QImage KespMenu::LoadSysColorBitmap(int nBitmapId) const {
    const QImage stored = FindBitmapResource(nBitmapId);
    if (stored.isNull()) return stored;
    std::array<QRgb, kSysColorMapSize> to{};
    for (std::size_t i = 0; i < kSysColorMap.size(); ++i)
        to[i] = GetSysColor(kSysColorMap[i].nSysColor, palette()).rgb();
    // Every item of every copy of a menu loads the same bitmap: the last
    // result is kept so that their image lists share one image.
    static struct {
        int nBitmapId = -1;
        std::array<QRgb, kSysColorMapSize> to{};
        QImage bitmap;
    } last;
    if (last.nBitmapId == nBitmapId && last.to == to) return last.bitmap;

    QImage bitmap = stored.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x)
            for (std::size_t i = 0; i < kSysColorMap.size(); ++i)
                if ((line[x] & RGB_MASK) == kSysColorMap[i].from) {
                    line[x] = to[i];
                    break;
                }
    }
    last.nBitmapId = nBitmapId;
    last.to = to;
    last.bitmap = bitmap;
    return bitmap;
}

void KespMenu::AddBitmapToImageList(CImageList* pList, int nBitmapId) const {
    const QImage bitmap = LoadSysColorBitmap(nBitmapId);
    if (bitmap.isNull()) return;
    pList->Add(bitmap, m_bBitmapBackgroundSet ? m_clrBitmapBackground : GetSysColor(COLOR_3DFACE, palette()));
}

// ---- the key column ----

void KespMenu::InsertSpaces() {
    const QFontMetrics metrics(font());
    int largest = -1;
    for (const auto& pData : m_MenuList) {
        const QString& text = pData->GetWideString();
        largest =
            qMax(largest, metrics.horizontalAdvance(text.left(text.indexOf(QLatin1Char('\t'))) + QLatin1Char(' ')));
    }
    for (const auto& pData : m_MenuList) {
        const QString& text = pData->GetWideString();
        const int tab = text.indexOf(QLatin1Char('\t'));
        if (tab < 0) continue;
        QString padded = text.left(tab);
        while (metrics.horizontalAdvance(padded) < largest) padded += QLatin1Char(' ');
        pData->SetWideString(padded + text.mid(tab));
    }
}

// ---- rarely used settings ----

void KespMenu::SetIconSize(int nWidth, int nHeight) {
    m_nIconX = nWidth;
    m_nIconY = nHeight;
}

void KespMenu::SetBitmapBackground(QColor color) {
    m_clrBitmapBackground = color;
    m_bBitmapBackgroundSet = true;
}

bool KespMenu::SetCheckmarkBitmaps(int nUnselectedId, int nSelectedId) {
    if (nUnselectedId < 0 || nSelectedId < 0) return false;
    m_nSelectCheck = nSelectedId;
    m_nUnselectCheck = nUnselectedId;
    if (!m_bCheckImagesShared) delete m_pCheckImages;
    m_pCheckImages = new CImageList(QSize(m_nIconX, m_nIconY));
    m_bCheckImagesShared = false;
    AddBitmapToImageList(m_pCheckImages, nUnselectedId);
    AddBitmapToImageList(m_pCheckImages, nSelectedId);
    return true;
}
