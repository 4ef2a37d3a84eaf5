#include "res/Prompts.h"

#include "res/CommandIds.h"

namespace {
struct PromptDef {
    int nID;
    const char* text;
};

// clang-format off
constexpr PromptDef kPrompts[] = {
    {ID_VIEW_MEMORY_WATCH, "Activates\\deactivates Memory watch window."},
    {ID_VIEW_REGISTERS_WATCH, "Activates\\deactivates Register watch window."},
    {ID_VIEW_IO_WATCH, "Activates\\deactivates IO watch window"},
    {ID_VIEW_INTERNAL_RAM_WATCH, "Activates\\deactivates Internal RAM watch window"},
    {ID_VIEW_CVARIABLE_WATCH, "Activates\\deactivates C Variable watch window"},
    {ID_VIEW_SERIAL_WATCH, "Activates\\Deacvtvates Serial watchwindow"},
    {ID_FILE_OPEN, "Open an existing document"},
    {ID_RUN_SINGLESTEP, "Single Step  (F7)"},
    {ID_RUN_RUN, "Run Your Program (Ctrl+F7)"},
    {ID_RUN_TERMINATEPROGRAM, "Terminate Program (Ctrl+F2)"},
    {ID_RUN_CPURESET, "Reset CPU"},
    {ID_INTERRUPTS_TRAP, "Forces TRAP Interrupt"},
    {ID_INTERRUPTS_RST55, "Forces the CPU to receive RST5.5"},
    {ID_INTERRUPTS_RST65, "Forces the CPU to receive RST6.5"},
    {ID_INTERRUPTS_RST75, "Forces the CPU to receive RST7.5"},
    {ID_LOAD_CONFIGURATION, "Load Your Configuration File"},
    {ID_SAVE_CONFIGURATION, "Save Configuration File"},
    {ID_CONFIG_8279, "8279 Configuration"},
    {ID_CONFIG_8251, "8251 Configuration"},
    {ID_CONFIG_8253, "8253 Configuration"},
    {ID_CONFIG_8255, "8255 Configuration"},
    {ID_CONFIG_8155, "8155 Configuration"},
    {ID_CONFIG_LCD, "LCD Configuration"},
    {ID_CONFIG_MEMORY_MAP, "Memory Map"},
    {ID_CONFIG_TIMER_8155, "8155 "},
    {ID_CONFIG_TIMER_8253, "8253"},
    {ID_MODIFY_MEMORY, "Modify Memory Contents"},
    {ID_MODIFY_INTERNAL_MEMORY, "Modify Internal Memory Contents"},
    {ID_MODIFY_REGISTERS, "Modify Special Function Registers and Cpu registers."},
    {ID_MODIFY_PERIPHERALS, "Input/Output Peripherals  "},
    {ID_MODIFY_CVARIABLES, "Modify C Variables"},
    {ID_RUN_BREAKPOINT, "Add Breakpoints"},
    {ID_WATCH_WATCH, "Add/delete watch."},
    {ID_FORCE_INT0, "Forces Interrupt 0 (INT0)"},
    {ID_FORCE_INT1, "Forces the cpu to receive interrupt 1 (INT 1)"},
    {ID_CHANGE_TAB_SIZE, "Chane Tab size"},
    {ID_CHANGE_CRYSTAL_FREQUENCY, "Change crystal frequency."},
};
// clang-format on
}  // namespace

const char* CommandPrompt(int nID) {
    for (const PromptDef& prompt : kPrompts)
        if (prompt.nID == nID) return prompt.text;
    return nullptr;
}
