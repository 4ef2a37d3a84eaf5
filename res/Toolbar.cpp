#include "res/Toolbar.h"

#include "res/CommandIds.h"

// clang-format off
const int kToolbarButtons[] = {
    ID_FILE_OPEN, ID_FILE_PRINT, ID_EDIT_FIND, 0,
    ID_VIEW_MEMORY_WATCH, ID_VIEW_REGISTERS_WATCH, ID_VIEW_IO_WATCH, ID_VIEW_TIMING_DIAGRAM, 0,
    ID_TIMING_START, ID_TIMING_STOP, ID_TIMING_PAUSE, 0,
    ID_RUN_CPURESET, ID_RUN_RUN, ID_RUN_TERMINATEPROGRAM, ID_RUN_SINGLESTEP, 0,
    ID_INTERRUPTS_TRAP, ID_INTERRUPTS_RST55, ID_INTERRUPTS_RST65, ID_INTERRUPTS_RST75, 0,
    ID_CHANGE_ORIGIN, 0,
    ID_APP_ABOUT, ID_HELP_CONTENTS,
};
// clang-format on
const int kToolbarEntryCount = static_cast<int>(sizeof kToolbarButtons / sizeof kToolbarButtons[0]);

int ToolbarImageIndex(int nID) {
    int image = 0;
    for (int i = 0; i < kToolbarEntryCount; ++i) {
        if (kToolbarButtons[i] == 0) continue;
        if (kToolbarButtons[i] == nID) return image;
        ++image;
    }
    return -1;
}
