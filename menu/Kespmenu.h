// The owner-drawn menu: a whole menu bar built from its template, whose
// popup items carry records (text, toolbar image, flags, command) and are
// measured and drawn by this class with the images of the toolbar beside
// their commands, in the system's colours.
//
// The object loaded from a template holds every popup it built, at any
// depth and over all its loads, and the records of the bar's items; each
// popup is a KespMenu holding the records of its own items, one per
// position. The bar itself is handed to the caller by Detach. An item's
// command is the data of its action, as the main frame's actions carry it.
#pragma once

#include <QImage>
#include <QMenu>
#include <memory>
#include <vector>

#include "menu/ImageList.h"
#include "menu/KespMenuItemData.h"
#include "menu/MenuFlags.h"

struct CMenuSet;
class QToolBar;

// The shell the menus are drawn for: 0 old shell, 1 new shell (consumer
// line), 2 old shell (NT line), 3 new shell (NT line). Set once before the
// application starts; tests may change it.
extern int g_nShellType;

class KespMenu : public QMenu {
    Q_OBJECT
public:
    KespMenu();
    ~KespMenu() override;

    // ---- loading ----
    // Builds the menu of a template; false, building nothing, when there is
    // no such template.
    virtual bool LoadMenu(int nResourceId);
    // Frees the popups and records; true when the object still held a bar.
    virtual bool DestroyMenu();
    // The bar built by the last LoadMenu, handed over; this object keeps its
    // records and popups.
    std::unique_ptr<CMenuSet> Detach();

    // Gives the items of the toolbars' commands their button images.
    bool LoadToolbars(const int* arID, int nCount);
    bool LoadToolbar(int nToolbarId);
    // Takes the images from a toolbar on screen, whose actions carry their
    // commands.
    bool AddFromToolBar(const QToolBar* pToolBar, int nToolbarId);
    // True when the popup is one this object built.
    bool IsSubMenu(const QMenu* pMenu) const;

    bool AppendODMenuA(const char* text, unsigned nFlags = 0, quintptr nID = 0, int nToolbarId = -1);
    bool AppendODMenuW(const QString& text, unsigned nFlags = 0, quintptr nID = 0, int nToolbarId = -1);
    // A null text keeps the item's text.
    bool ModifyODMenuA(const char* text, int nID, int nToolbarId);
    bool ModifyODMenuW(const QString& text, int nID, int nToolbarId);
    // Finds the first record whose text is optionText; false when none.
    bool ModifyODMenuByTextA(const char* optionText, const char* newText, int nToolbarId);
    bool ModifyODMenuByTextW(const QString& optionText, const QString& newText, int nToolbarId);
    KespMenu* FindMenuOption(const QString& optionText, int& nLoc);
    // The menu and position holding a command, depth first; null and -1
    // when none does.
    KespMenu* FindMenuItem(int nID, int& nLoc);
    bool GetToolbarImageIndex(int nID, int nToolbarId, int& nImageIndex) const;
    void AddBitmapToImageList(CImageList* pList, int nBitmapId) const;
    // A bitmap resource with its standard greys, black and white mapped to
    // the system's button colours; null when there is none.
    QImage LoadSysColorBitmap(int nBitmapId) const;
    // Pads the text before each tab so that the key texts line up.
    void InsertSpaces();

    void SetIconSize(int nWidth, int nHeight);
    void SetBitmapBackground(QColor color);
    void UnSetBitmapBackground() { m_bBitmapBackgroundSet = false; }
    void SetDisableOldStyle() { m_bDisableOldStyle = true; }
    void UnSetDisableOldStyle() { m_bDisableOldStyle = false; }
    bool GetDisableOldStyle() const { return m_bDisableOldStyle; }
    // Check images from two bitmaps, for unselected and selected items.
    bool SetCheckmarkBitmaps(int nUnselectedId, int nSelectedId);

    // ---- measuring, drawing and keyboard ----
    virtual void MeasureItem(MeasureItemStruct* pMeasure) const;
    virtual void DrawItem(DrawItemStruct* pDraw) const;
    // The popup's own ground under and between its items, and its frame
    // (kPopupFrameWidth pixels inside rect), as the desktop draws a popup.
    static constexpr int kPopupFrameWidth = 2;
    void DrawPopupGround(QPainter* pDC, const QRect& rect) const;
    void DrawPopupFrame(QPainter* pDC, const QRect& rect) const;
    // Before a popup opens: brings its records in step with its items.
    static void UpdateMenu(QMenu* pMenu);
    void SynchronizeMenu();
    // The answer to a character typed in an open popup (MenuFlags.h).
    static int FindKeyboardShortcut(QChar ch, unsigned nFlags, QMenu* pMenu);
    bool GetMenuText(int nIndex, QString& text) const;

    static bool DrawCheckState(QPainter* pDC, const QRect& box, bool bSelected, bool bHasCheckBitmap,
                               const QPalette& palette);
    static void DrawCheckMark(QPainter* pDC, int x, int y, QColor color);
    static void DrawRadioDot(QPainter* pDC, int x, int y, QColor color);
    void DitherBlt(QPainter* pDC, int x, int y, int nWidth, int nHeight, const QImage& bitmap, int xSrc,
                   int ySrc) const;
    void DrawEmbossedBitmap(QPainter* pDC, int x, int y, int nWidth, int nHeight, const QImage& bitmap, int xSrc,
                            int ySrc) const;

    static int GetShellType();
    static bool IsNewShell() { return g_nShellType == 1 || g_nShellType == 3; }

    // The id a record keeps for an item: its command, the popup it opens,
    // or 0 for a separator.
    static quintptr ItemId(const QAction* pAction);
    static quintptr PopupId(const QMenu* pPopup) { return reinterpret_cast<quintptr>(pPopup); }
    // The record of an item of this menu, by its position.
    KespMenuItemData* ItemDataOf(const QAction* pAction) const;
    // The system's height of one menu line in this menu's font.
    int MenuLineHeight() const;
    // The key-text column that Qt adds beside every item of a menu; the
    // measured widths already hold the key texts.
    int AcceleratorColumnWidth() const;

    std::vector<std::unique_ptr<KespMenuItemData>> m_MenuList;  // one per item, in position order
    std::vector<KespMenu*> m_SubMenus;                          // every popup built, owned
    CImageList* m_pCheckImages = nullptr;                       // owned unless m_bCheckImagesShared
    bool m_bCheckImagesShared = false;
    int m_nSelectCheck = -1;
    int m_nUnselectCheck = -1;
    int m_nIconX = 18;
    int m_nIconY = 16;
    QColor m_clrBitmapBackground{0xC0, 0xC0, 0xC0};
    bool m_bBitmapBackgroundSet = false;
    bool m_bDisableOldStyle = false;

protected:
    void initStyleOption(QStyleOptionMenuItem* pOption, const QAction* pAction) const override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void actionEvent(QActionEvent* pEvent) override;

private:
    QAction* ActionForCommand(int nID, const QString& text);
    // The items of the buttons' commands (0: a separator) show the toolbar's
    // images.
    void GiveButtonImages(const std::vector<int>& buttons, int nToolbarId);
    int ButtonImage(int nID, int nToolbarId) const;
    void SetItemImage(KespMenuItemData* pData, int nToolbarId, int nImageIndex) const;
    unsigned ItemState(const QAction* pAction) const;
    bool HasCheckBitmap(quintptr nID) const;
    KespMenuItemData* FindUnsyncedData(quintptr nID);
    void SetSyncFlags();
    void DeleteUnsyncedData();
    std::unique_ptr<KespMenuItemData> NewODMenu(int nPos, unsigned nFlags, quintptr nID, const QString& text);
    void ExecuteItem(int nPos);
    void InvalidateLayout();
    void DrawImageBox(QPainter* pDC, const QRect& rect, const KespMenuItemData& item, unsigned nState,
                      bool bCheckImage) const;
    void DrawItemText(QPainter* pDC, const QRect& rect, const QString& text, unsigned nState, QColor textColor) const;
    // A disabled image: its dark pixels (by their place in the box) embossed
    // on the ground colour that fills the box.
    QColor DisabledImageGround() const;
    void DrawEmbossedPixels(QPainter* pDC, const QRect& box, const std::vector<QPoint>& dark) const;

    bool m_bHoldsMenu = false;  // a bar loaded and not yet detached, or a popup
};
