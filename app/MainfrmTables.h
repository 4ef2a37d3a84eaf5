// The main window's resources as data: the two menus, the accelerators, the
// toolbar and the status prompts of the commands.
#pragma once

#include <QKeySequence>

class CCmdUI;
class CMainFrame;

constexpr int IDR_MAINFRAME = 2;   // menu shown while no program is open
constexpr int IDR_TORVANTYPE = 3;  // menu of the program's windows

// One entry of a menu table, in order: a popup opens a level, kEndPopup
// closes it.
struct MenuItemDef {
    int nID;           // command id, or one of the kinds below
    const char* text;  // item text; "\t" separates the key text
};
constexpr int kMenuPopup = -1;
constexpr int kMenuEndPopup = -2;
constexpr int kMenuSeparator = 0;

// The table of a menu resource id; its entries end with {kMenuEndPopup,
// nullptr} at level 0.
const MenuItemDef* MenuTable(int nMenuId);

struct AcceleratorDef {
    QKeyCombination key;
    int nID;
};
extern const AcceleratorDef kAccelerators[];
extern const int kAcceleratorCount;

// Toolbar entries in order; 0 is a separator.
extern const int kToolbarButtons[];
extern const int kToolbarEntryCount;
constexpr int kToolbarImageWidth = 18;
constexpr int kToolbarImageHeight = 16;

// A command of the frame's table: its prompt and its handlers (either may be
// null: a command whose window comes later has neither and stays disabled).
struct CommandDef {
    int nID;
    const char* prompt;
    void (CMainFrame::*pfnCommand)();
    void (CMainFrame::*pfnUpdate)(CCmdUI*);
};
const CommandDef* FindCommand(int nID);
