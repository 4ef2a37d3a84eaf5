#include "app/MainfrmCommands.h"

#include "app/Mainfrm.h"
#include "res/CommandIds.h"

namespace {
// clang-format off
using M = CMainFrame;
constexpr CommandDef kCommands[] = {
    // Watch-window toggles.
    {ID_VIEW_MEMORY_WATCH, &M::OnViewMemoryWatch, &M::OnUpdateViewMemoryWatch},
    {ID_VIEW_REGISTERS_WATCH, &M::OnViewRegistersWatch, &M::OnUpdateViewRegistersWatch},
    {ID_VIEW_IO_WATCH, &M::OnViewIOWatch, &M::OnUpdateViewIOWatch},
    {ID_VIEW_TIMING_DIAGRAM, &M::OnViewTimingDiagram, &M::OnUpdateViewTimingDiagram},
    {ID_VIEW_INTERNAL_RAM_WATCH, &M::OnViewInternalRamWatch, &M::OnUpdateViewInternalRamWatch},
    {ID_VIEW_CVARIABLE_WATCH, &M::OnViewCVariableWatch, &M::OnUpdateViewCVariableWatch},
    {ID_VIEW_SERIAL_WATCH, &M::OnViewSerialWatch, &M::OnUpdateViewSerialWatch},
    // Open is the application's command; the frame decides its state.
    {ID_FILE_OPEN, nullptr, &M::OnUpdateFileOpen},

    // Run control. None of the four looks at the running flag: all stay
    // enabled while a program runs.
    {ID_RUN_SINGLESTEP, &M::OnRunSingleStep, &M::OnUpdateNeedsDocument},
    {ID_RUN_RUN, &M::OnRunRun, &M::OnUpdateNeedsDocument},
    {ID_RUN_TERMINATEPROGRAM, &M::OnRunTerminateProgram, &M::OnUpdateNeedsDocument},
    {ID_RUN_CPURESET, &M::OnRunCpuReset, &M::OnUpdateNeedsDocument},
    {ID_INTERRUPTS_TRAP, &M::OnInterruptsTrap, nullptr},
    {ID_INTERRUPTS_RST55, &M::OnInterruptsRst55, nullptr},
    {ID_INTERRUPTS_RST65, &M::OnInterruptsRst65, nullptr},
    {ID_INTERRUPTS_RST75, &M::OnInterruptsRst75, nullptr},

    // Configuration menu.
    {ID_SAVE_CONFIGURATION, &M::OnSaveConfiguration, nullptr},
    {ID_CONFIG_8279, &M::OnConfig8279, &M::OnUpdateConfigDevice},
    {ID_CONFIG_8251, &M::OnConfig8251, &M::OnUpdateConfigDevice},
    {ID_CONFIG_8253, &M::OnConfig8253, &M::OnUpdateConfigDevice},
    {ID_CONFIG_8255, &M::OnConfig8255, &M::OnUpdateConfigDevice},
    {ID_CONFIG_8155, &M::OnConfig8155, &M::OnUpdateConfigDevice},
    {ID_CONFIG_LCD, &M::OnConfigLcd, &M::OnUpdateConfigDevice},
    {ID_CONFIG_MEMORY_MAP, &M::OnConfigMemoryMap, nullptr},
    {ID_CONFIG_TIMER_8155, &M::OnConfigTimer8155, &M::OnUpdateConfigTimer8155},
    {ID_CONFIG_TIMER_8253, &M::OnConfigTimer8253, &M::OnUpdateConfigTimer8253},

    // Modify Memory, tips, forced interrupts and help.
    {ID_MODIFY_MEMORY, &M::OnModifyMemory, nullptr},
    {ID_MODIFY_INTERNAL_MEMORY, &M::OnModifyInternalMemory, nullptr},
    {ID_RUN_BREAKPOINT, &M::OnRunBreakPoint, nullptr},
    {ID_MODIFY_CVARIABLES, &M::OnModifyCVariables, nullptr},
    {ID_MODIFY_PERIPHERALS, &M::OnModifyPeripherals, nullptr},
    {ID_MODIFY_REGISTERS, &M::OnModifyRegisters, nullptr},
    {ID_WATCH_WATCH, &M::OnWatchWatch, nullptr},
    {ID_FORCE_INT0, &M::OnForceInt0, nullptr},
    {ID_FORCE_INT1, &M::OnForceInt1, nullptr},
    {ID_HELP_CONTENTS, &M::OnHelpContents, nullptr},

    // Served, and doing nothing.
    {ID_LOAD_CONFIGURATION, &M::OnCommandWithoutEffect, nullptr},
    {ID_CHANGE_TAB_SIZE, &M::OnCommandWithoutEffect, nullptr},
    {ID_CHANGE_CRYSTAL_FREQUENCY, &M::OnCommandWithoutEffect, nullptr},
    {ID_COMMAND_32857, &M::OnCommandWithoutEffect, nullptr},
    {ID_COMMAND_32858, &M::OnCommandWithoutEffect, nullptr},
    {ID_COMMAND_32786, &M::OnCommandWithoutEffect, nullptr},
    {ID_COMMAND_32787, &M::OnCommandWithoutEffect, nullptr},

    // Served by the frame as standard commands.
    {ID_FILE_CLOSE, &M::OnFileClose, &M::OnUpdateNeedsDocument},
    {ID_APP_EXIT, &M::OnAppExit, nullptr},
    {ID_VIEW_TOOLBAR, &M::OnViewToolbar, &M::OnUpdateViewToolbar},
    {ID_VIEW_STATUS_BAR, &M::OnViewStatusBar, &M::OnUpdateViewStatusBar},
    {ID_WINDOW_ARRANGE, &M::OnWindowArrange, nullptr},
};
// clang-format on
}  // namespace

const CommandDef* FindCommand(int nID) {
    for (const CommandDef& command : kCommands)
        if (command.nID == nID) return &command;
    return nullptr;
}
