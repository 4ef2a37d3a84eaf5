// What the owner-drawn menu tests share: a main window that owns the
// commands' actions, menus loaded from the templates, and a palette whose
// system colours are all different, so that a pixel tells its role.
#pragma once

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <memory>

#include "framework/MDIFrameWnd.h"
#include "framework/MenuSet.h"
#include "menu/Kespmenu.h"
#include "platform/SysColor.h"
#include "res/CommandIds.h"

namespace menutest {

inline QPalette FixedPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(240, 240, 240));         // menu
    palette.setColor(QPalette::WindowText, QColor(0, 0, 0));           // menu text
    palette.setColor(QPalette::Highlight, QColor(0, 0, 128));          // highlight
    palette.setColor(QPalette::HighlightedText, QColor(250, 250, 0));  // highlighted text
    palette.setColor(QPalette::Button, QColor(212, 208, 200));         // face
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));           // shadow
    palette.setColor(QPalette::Light, QColor(255, 255, 255));          // highlight edge
    palette.setColor(QPalette::Midlight, QColor(230, 230, 230));       // light
    palette.setColor(QPalette::ButtonText, QColor(1, 2, 3));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(161, 161, 161));  // grey text
    return palette;
}

inline QRgb Sys(int nIndex) { return GetSysColor(nIndex, FixedPalette()).rgb(); }

// A main window holding the commands' actions, as the application has.
struct MenuHost {
    CMDIFrameWnd frame;
};

// The popup at a path of titles from the bar of a detached menu.
inline KespMenu* PopupAt(const CMenuSet& bar, std::initializer_list<const char*> path) {
    QMenu* pMenu = nullptr;
    const QList<QMenu*>* level = &bar.m_popups;
    QList<QMenu*> children;
    for (const char* title : path) {
        pMenu = nullptr;
        for (QMenu* pCandidate : *level)
            if (pCandidate->title() == QLatin1String(title)) pMenu = pCandidate;
        if (pMenu == nullptr) return nullptr;
        children.clear();
        for (QAction* pAction : pMenu->actions())
            if (pAction->menu() != nullptr) children << pAction->menu();
        level = &children;
    }
    return qobject_cast<KespMenu*>(pMenu);
}

inline QAction* ActionOf(const QMenu* pMenu, int nID) {
    for (QAction* pAction : pMenu->actions())
        if (!pAction->isSeparator() && pAction->menu() == nullptr && pAction->data().toInt() == nID) return pAction;
    return nullptr;
}

// The width and height the menu measures for a record.
inline MeasureItemStruct Measured(const KespMenu* pMenu, const KespMenuItemData* pData) {
    MeasureItemStruct measure;
    measure.itemData = pData;
    pMenu->MeasureItem(&measure);
    return measure;
}

// Menu 3 as the main window has it: loaded with the toolbar's images and its
// bar handed over.
struct DocumentMenu {
    MenuHost host;
    KespMenu menu;
    std::unique_ptr<CMenuSet> bar;

    bool Load() {
        const int toolbars[] = {IDR_MAINFRAME};
        if (!menu.LoadMenu(IDR_TORVANTYPE) || !menu.LoadToolbars(toolbars, 1)) return false;
        bar = menu.Detach();
        return true;
    }
    KespMenu* Popup(std::initializer_list<const char*> path) const { return PopupAt(*bar, path); }
};

}  // namespace menutest
