// The flags and requests of the owner-draw menu protocol that the menu class
// keeps its records in: item flags as a menu states them, the states a drawn
// item is in, the answer to a typed character, and the measure and draw
// requests the menu style hands to the class.
#pragma once

#include <QRect>
#include <QtGlobal>

class KespMenuItemData;
class QPainter;

// Item flags.
enum : unsigned {
    MF_BYCOMMAND = 0x0,
    MF_GRAYED = 0x1,
    MF_DISABLED = 0x2,
    MF_CHECKED = 0x8,
    MF_POPUP = 0x10,
    MF_END = 0x80,  // last item of its menu in a template
    MF_OWNERDRAW = 0x100,
    MF_BYPOSITION = 0x400,
    MF_SEPARATOR = 0x800,
};

// States of an item being drawn.
enum : unsigned {
    ODS_SELECTED = 0x1,
    ODS_GRAYED = 0x2,
    ODS_CHECKED = 0x8,
};

// Answers to a character typed in an open popup: the high word says what to
// do, the low word which position.
enum : int {
    MNC_IGNORE = 0,
    MNC_EXECUTE = 2,
};
constexpr int MenuCharResult(int nAction, int nPosition) { return (nAction << 16) | (nPosition & 0xFFFF); }
constexpr int MenuCharAction(int nResult) { return (nResult >> 16) & 0xFFFF; }
constexpr int MenuCharPosition(int nResult) { return nResult & 0xFFFF; }

// A request to measure one item: the class fills the width and height.
struct MeasureItemStruct {
    const KespMenuItemData* itemData = nullptr;
    int itemWidth = 0;
    int itemHeight = 0;
};

// A request to draw one item into its rectangle.
struct DrawItemStruct {
    QPainter* pDC = nullptr;
    QRect rcItem;
    unsigned itemState = 0;  // ODS_ flags
    quintptr itemID = 0;
    const KespMenuItemData* itemData = nullptr;
};
