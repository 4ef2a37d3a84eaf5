#include "app/MainfrmTables.h"

#include "app/Mainfrm.h"

namespace {
constexpr MenuItemDef kDefaultMenu[] = {
    {kMenuPopup, "&File"},
        {ID_FILE_OPEN, "&Open...\tCtrl+O"},
        {kMenuSeparator, nullptr},
        {ID_FILE_MRU_FILE1, "Recent File"},
        {ID_FILE_MRU_FILE2, ""},
        {ID_FILE_MRU_FILE3, ""},
        {ID_FILE_MRU_FILE4, ""},
        {kMenuSeparator, nullptr},
        {ID_APP_EXIT, "E&xit"},
    {kMenuEndPopup, nullptr},
    {kMenuPopup, "&View"},
        {ID_VIEW_TOOLBAR, "&Toolbar"},
        {ID_VIEW_STATUS_BAR, "&Status Bar"},
    {kMenuEndPopup, nullptr},
    {kMenuPopup, "&Help"},
        {ID_APP_ABOUT, "&About Torvan..."},
    {kMenuEndPopup, nullptr},
    {kMenuEndPopup, nullptr},
};

constexpr MenuItemDef kDocumentMenu[] = {
    {kMenuPopup, "&File"},
        {ID_FILE_OPEN, "&Open...\tCtrl+O"},
        {ID_FILE_CLOSE, "&Close"},
        {kMenuSeparator, nullptr},
        {ID_APP_EXIT, "E&xit"},
    {kMenuEndPopup, nullptr},
    {kMenuPopup, "&Edit"},
        {ID_EDIT_FIND, "&Find     F3"},
    {kMenuEndPopup, nullptr},
    {kMenuPopup, "&Configuration"},
        {ID_LOAD_CONFIGURATION, "&Load Configuration"},
        {ID_SAVE_CONFIGURATION, "&Save Configuration"},
        {kMenuPopup, "&View"},
            {kMenuPopup, "Change Configuration"},
                {ID_CONFIG_8279, "8279"},
                {ID_CONFIG_8251, "8251"},
                {ID_CONFIG_8253, "8253"},
                {ID_CONFIG_8255, "8255"},
                {ID_CONFIG_8155, "8155"},
                {ID_CONFIG_LCD, "&LCD"},
            {kMenuEndPopup, nullptr},
            {kMenuSeparator, nullptr},
            {ID_CONFIG_MEMORY_MAP, "&Memory Map"},
            {kMenuPopup, "&Timer"},
                {ID_CONFIG_TIMER_8155, "8155"},
                {ID_CONFIG_TIMER_8253, "8253"},
            {kMenuEndPopup, nullptr},
        {kMenuEndPopup, nullptr},
    {kMenuEndPopup, nullptr},
    {kMenuPopup, "&Modify"},
        {ID_MODIFY_MEMORY, "&Memory"},
        {ID_MODIFY_REGISTERS, "&Registers"},
        {ID_MODIFY_PERIPHERALS, "&Peripherals"},
    {kMenuEndPopup, nullptr},
    {kMenuPopup, "&Run"},
        {ID_RUN_BREAKPOINT, "&BreakPoint\tF12"},
        {ID_RUN_SINGLESTEP, "&Single Step\tF7"},
        {ID_RUN_RUN, "&Run\tCtrl+F7"},
        {ID_RUN_TERMINATEPROGRAM, "&Terminate Program\tCtrl+F2"},
        {ID_RUN_CPURESET, "&CPU Reset"},
        {kMenuPopup, "Timing Diagram"},
            {ID_TIMING_START, "&Start"},
            {ID_TIMING_PAUSE, "&Pause"},
            {ID_TIMING_STOP, "S&top"},
        {kMenuEndPopup, nullptr},
    {kMenuEndPopup, nullptr},
    {kMenuPopup, "&Interrupts"},
        {ID_INTERRUPTS_TRAP, "&TRAP"},
        {ID_INTERRUPTS_RST55, "RST&5.5"},
        {ID_INTERRUPTS_RST65, "RST&6.5"},
        {ID_INTERRUPTS_RST75, "RST&7.5"},
    {kMenuEndPopup, nullptr},
    {kMenuPopup, "&Watch"},
        {ID_WATCH_WATCH, "Watch"},
    {kMenuEndPopup, nullptr},
    {kMenuPopup, "&View"},
        {ID_VIEW_TOOLBAR, "&Toolbar"},
        {ID_VIEW_STATUS_BAR, "&Status Bar"},
        {ID_VIEW_MEMORY_WATCH, "&Memory Watch"},
        {ID_VIEW_REGISTERS_WATCH, "Registers Watch"},
        {ID_VIEW_IO_WATCH, "I&O Watch"},
        {ID_VIEW_TIMING_DIAGRAM, "Timing &Diagram"},
    {kMenuEndPopup, nullptr},
    {kMenuPopup, "&Window"},
        {ID_WINDOW_ARRANGE, "&Arrange Icons"},
    {kMenuEndPopup, nullptr},
    {kMenuPopup, "&Help"},
        {ID_HELP_CONTENTS, "&Contents"},
        {ID_APP_ABOUT, "&About TORVAN..."},
    {kMenuEndPopup, nullptr},
    {kMenuEndPopup, nullptr},
};

using M = CMainFrame;
constexpr CommandDef kCommands[] = {
    // Watch-window toggles.
    {ID_VIEW_MEMORY_WATCH, "Activates\\deactivates Memory watch window.", &M::OnViewMemoryWatch, &M::OnUpdateViewMemoryWatch},
    {ID_VIEW_REGISTERS_WATCH, "Activates\\deactivates Register watch window.", &M::OnViewRegistersWatch, &M::OnUpdateViewRegistersWatch},
    {ID_VIEW_IO_WATCH, "Activates\\deactivates IO watch window", &M::OnViewIOWatch, &M::OnUpdateViewIOWatch},
    {ID_VIEW_TIMING_DIAGRAM, nullptr, &M::OnViewTimingDiagram, &M::OnUpdateViewTimingDiagram},
    {ID_VIEW_INTERNAL_RAM_WATCH, "Activates\\deactivates Internal RAM watch window", &M::OnViewInternalRamWatch, &M::OnUpdateViewInternalRamWatch},
    {ID_VIEW_CVARIABLE_WATCH, "Activates\\deactivates C Variable watch window", &M::OnViewCVariableWatch, &M::OnUpdateViewCVariableWatch},
    {ID_VIEW_SERIAL_WATCH, "Activates\\Deacvtvates Serial watchwindow", &M::OnViewSerialWatch, &M::OnUpdateViewSerialWatch},
    // Open is the application's command; the frame decides its state.
    {ID_FILE_OPEN, "Open an existing document", nullptr, &M::OnUpdateFileOpen},

    // Run control.
    {ID_RUN_SINGLESTEP, "Single Step  (F7)", &M::OnRunSingleStep, &M::OnUpdateRunSingleStep},
    {ID_RUN_RUN, "Run Your Program (Ctrl+F7)", &M::OnRunRun, &M::OnUpdateRunRun},
    {ID_RUN_TERMINATEPROGRAM, "Terminate Program (Ctrl+F2)", &M::OnRunTerminateProgram, &M::OnUpdateRunTerminateProgram},
    {ID_RUN_CPURESET, "Reset CPU", &M::OnRunCpuReset, &M::OnUpdateRunCpuReset},
    {ID_INTERRUPTS_TRAP, "Forces TRAP Interrupt", &M::OnInterruptsTrap, nullptr},
    {ID_INTERRUPTS_RST55, "Forces the CPU to receive RST5.5", &M::OnInterruptsRst55, nullptr},
    {ID_INTERRUPTS_RST65, "Forces the CPU to receive RST6.5", &M::OnInterruptsRst65, nullptr},
    {ID_INTERRUPTS_RST75, "Forces the CPU to receive RST7.5", &M::OnInterruptsRst75, nullptr},

    // Configuration menu, tips and remaining commands: their windows and
    // dialogs come later; until then they show their prompts, disabled.
    {ID_LOAD_CONFIGURATION, "Load Your Configuration File", nullptr, nullptr},
    {ID_SAVE_CONFIGURATION, "Save Configuration File", nullptr, nullptr},
    {ID_CONFIG_8279, "8279 Configuration", nullptr, nullptr},
    {ID_CONFIG_8251, "8251 Configuration", nullptr, nullptr},
    {ID_CONFIG_8253, "8253 Configuration", nullptr, nullptr},
    {ID_CONFIG_8255, "8255 Configuration", nullptr, nullptr},
    {ID_CONFIG_8155, "8155 Configuration", nullptr, nullptr},
    {ID_CONFIG_LCD, "LCD Configuration", nullptr, nullptr},
    {ID_CONFIG_MEMORY_MAP, "Memory Map", nullptr, nullptr},
    {ID_CONFIG_TIMER_8155, "8155 ", nullptr, nullptr},
    {ID_CONFIG_TIMER_8253, "8253", nullptr, nullptr},
    {ID_MODIFY_MEMORY, "Modify Memory Contents", nullptr, nullptr},
    {ID_MODIFY_INTERNAL_MEMORY, "Modify Internal Memory Contents", nullptr, nullptr},
    {ID_MODIFY_REGISTERS, "Modify Special Function Registers and Cpu registers.", nullptr, nullptr},
    {ID_MODIFY_PERIPHERALS, "Input/Output Peripherals  ", nullptr, nullptr},
    {ID_MODIFY_CVARIABLES, "Modify C Variables", nullptr, nullptr},
    {ID_RUN_BREAKPOINT, "Add Breakpoints", nullptr, nullptr},
    {ID_WATCH_WATCH, "Add/delete watch.", nullptr, nullptr},
    {ID_FORCE_INT0, "Forces Interrupt 0 (INT0)", nullptr, nullptr},
    {ID_FORCE_INT1, "Forces the cpu to receive interrupt 1 (INT 1)", nullptr, nullptr},
    {ID_CHANGE_TAB_SIZE, "Chane Tab size", nullptr, nullptr},
    {ID_CHANGE_CRYSTAL_FREQUENCY, "Change crystal frequency.", nullptr, nullptr},

    // Served by the frame as standard commands.
    {ID_FILE_CLOSE, nullptr, &M::OnFileClose, &M::OnUpdateNeedsDocument},
    {ID_APP_EXIT, nullptr, &M::OnAppExit, nullptr},
    {ID_VIEW_TOOLBAR, nullptr, &M::OnViewToolbar, &M::OnUpdateViewToolbar},
    {ID_VIEW_STATUS_BAR, nullptr, &M::OnViewStatusBar, &M::OnUpdateViewStatusBar},
    {ID_WINDOW_ARRANGE, nullptr, &M::OnWindowArrange, nullptr},
};
}  // namespace

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

const int kToolbarButtons[] = {
    ID_FILE_OPEN, ID_FILE_PRINT, ID_EDIT_FIND, 0,
    ID_VIEW_MEMORY_WATCH, ID_VIEW_REGISTERS_WATCH, ID_VIEW_IO_WATCH, ID_VIEW_TIMING_DIAGRAM, 0,
    ID_TIMING_START, ID_TIMING_STOP, ID_TIMING_PAUSE, 0,
    ID_RUN_CPURESET, ID_RUN_RUN, ID_RUN_TERMINATEPROGRAM, ID_RUN_SINGLESTEP, 0,
    ID_INTERRUPTS_TRAP, ID_INTERRUPTS_RST55, ID_INTERRUPTS_RST65, ID_INTERRUPTS_RST75, 0,
    ID_CHANGE_ORIGIN, 0,
    ID_APP_ABOUT, ID_HELP_CONTENTS,
};
const int kToolbarEntryCount = static_cast<int>(sizeof kToolbarButtons / sizeof kToolbarButtons[0]);

const MenuItemDef* MenuTable(int nMenuId) {
    return nMenuId == IDR_MAINFRAME ? kDefaultMenu : kDocumentMenu;
}

const CommandDef* FindCommand(int nID) {
    for (const CommandDef& command : kCommands)
        if (command.nID == nID) return &command;
    return nullptr;
}
