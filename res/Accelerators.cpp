#include "res/Accelerators.h"

#include "res/CommandIds.h"

const AcceleratorDef kAccelerators[] = {
    {Qt::Key_F7, ID_RUN_SINGLESTEP},
    {Qt::Key_F8, ID_RUN_SINGLESTEP},
    {Qt::CTRL | Qt::Key_F7, ID_RUN_RUN},
    {Qt::CTRL | Qt::Key_F2, ID_RUN_TERMINATEPROGRAM},
    {Qt::Key_F12, ID_RUN_BREAKPOINT},
    {Qt::Key_F3, ID_EDIT_FIND},
    {Qt::CTRL | Qt::Key_O, ID_FILE_OPEN},
    {Qt::CTRL | Qt::Key_T, ID_INTERRUPTS_TRAP},
    {Qt::CTRL | Qt::Key_5, ID_INTERRUPTS_RST55},
    {Qt::CTRL | Qt::Key_6, ID_INTERRUPTS_RST65},
    {Qt::CTRL | Qt::Key_7, ID_INTERRUPTS_RST75},
    {Qt::Key_F6, ID_NEXT_PANE},
    {Qt::SHIFT | Qt::Key_F6, ID_PREV_PANE},
    {Qt::CTRL | Qt::Key_A, ID_COMMAND_32795},
    {Qt::CTRL | Qt::Key_E, ID_COMMAND_32796},
    {Qt::ALT | Qt::Key_F9, ID_COMMAND_32788},
    // Save has nothing to store: with no handler the key does nothing and
    // the program file is never written.
    {Qt::CTRL | Qt::Key_S, ID_FILE_SAVE},
};
const int kAcceleratorCount = static_cast<int>(sizeof kAccelerators / sizeof kAccelerators[0]);
