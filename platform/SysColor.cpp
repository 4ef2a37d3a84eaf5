#include "platform/SysColor.h"

#include <QPalette>

namespace {
struct SysColorRole {
    int nIndex;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The roles Qt's own Windows theme fills from these system colours.
constexpr SysColorRole kRoles[] = {
    {COLOR_MENU, QPalette::Active, QPalette::Window},
    {COLOR_MENUTEXT, QPalette::Active, QPalette::WindowText},
    {COLOR_HIGHLIGHT, QPalette::Active, QPalette::Highlight},
    {COLOR_HIGHLIGHTTEXT, QPalette::Active, QPalette::HighlightedText},
    {COLOR_3DFACE, QPalette::Active, QPalette::Button},
    {COLOR_3DSHADOW, QPalette::Active, QPalette::Dark},
    {COLOR_GRAYTEXT, QPalette::Disabled, QPalette::WindowText},
    {COLOR_BTNTEXT, QPalette::Active, QPalette::ButtonText},
    {COLOR_3DHILIGHT, QPalette::Active, QPalette::Light},
    {COLOR_3DDKSHADOW, QPalette::Active, QPalette::Shadow},
    {COLOR_3DLIGHT, QPalette::Active, QPalette::Midlight},
};
}  // namespace

QColor GetSysColor(int nIndex, const QPalette& palette) {
    for (const SysColorRole& entry : kRoles)
        if (entry.nIndex == nIndex) return palette.color(entry.group, entry.role);
    return Qt::black;
}
