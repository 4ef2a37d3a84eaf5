// The menu resources as data: menu 2 (no program open), menu 3 (the
// program's windows) and menu 138 (the watch windows' right-click menu).
#pragma once

#include "res/CommandIds.h"

// One entry of a menu table, in order: a popup opens a level, kMenuEndPopup
// closes it.
struct MenuItemDef {
    int nID;           // command id, or one of the kinds below
    const char* text;  // item text; "\t" separates the key text
};
constexpr int kMenuPopup = -1;
constexpr int kMenuEndPopup = -2;
constexpr int kMenuSeparator = 0;

// The table of a menu resource id (IDR_MAINFRAME, IDR_TORVANTYPE or
// IDR_FLOAT_MENU), or null for another id. Its entries end with
// {kMenuEndPopup, nullptr} at level 0.
const MenuItemDef* MenuTable(int nMenuId);

// Calls fn for every entry of a menu table up to its closing entry.
template <class Fn> void ForEachMenuItem(const MenuItemDef* pItem, Fn fn) {
    for (int depth = 0;; ++pItem) {
        if (pItem->nID == kMenuEndPopup && depth-- == 0) return;
        if (pItem->nID == kMenuPopup) ++depth;
        fn(*pItem);
    }
}
