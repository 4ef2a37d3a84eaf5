// The system colours by their classic indexes, taken from a Qt palette: the
// owner-drawn menus name their colours this way, and a palette is what Qt
// gives for them (the platform theme fills it from the system's colours).
#pragma once

#include <QColor>

class QPalette;

enum SysColorIndex : int {
    COLOR_MENU = 4,
    COLOR_MENUTEXT = 7,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_3DFACE = 15,
    COLOR_BTNFACE = COLOR_3DFACE,
    COLOR_3DSHADOW = 16,
    COLOR_BTNSHADOW = COLOR_3DSHADOW,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_3DHILIGHT = 20,
    COLOR_BTNHIGHLIGHT = COLOR_3DHILIGHT,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
};

// The colour of a system colour index in the palette; black for an index
// without a palette role.
QColor GetSysColor(int nIndex, const QPalette& palette);
