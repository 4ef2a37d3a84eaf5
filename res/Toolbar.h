// The main window's toolbar (resource 2): its buttons in order and the size
// of their images in the one strip that res/ToolbarBitmap draws.
#pragma once

// Toolbar entries in order; 0 is a separator.
extern const int kToolbarButtons[];
extern const int kToolbarEntryCount;
constexpr int kToolbarImageWidth = 18;
constexpr int kToolbarImageHeight = 16;

// The index of a command's image in the strip (buttons in order, separators
// skipped), or -1 when no button gives the command.
int ToolbarImageIndex(int nID);
