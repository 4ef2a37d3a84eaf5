// Every command id of the system, one definition each: the menus, the
// accelerators, the toolbar, the main frame's command table and the views'
// command handlers all take their ids from here.
#pragma once

// Menu resources.
constexpr int IDR_MAINFRAME = 2;     // menu shown while no program is open; also the toolbar
constexpr int IDR_TORVANTYPE = 3;    // menu of the program's windows
constexpr int IDR_FLOAT_MENU = 138;  // right-click menu of the watch windows

enum : int {
    // Commands the application and the frame serve as standard commands.
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_FILE_MRU_FILE2 = 57617,
    ID_FILE_MRU_FILE3 = 57618,
    ID_FILE_MRU_FILE4 = 57619,
    ID_WINDOW_ARRANGE = 57649,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,

    // Configuration menu.
    ID_LOAD_CONFIGURATION = 32771,
    ID_SAVE_CONFIGURATION = 32772,
    ID_CONFIG_8251 = 32774,
    ID_CONFIG_8255 = 32776,
    ID_CONFIG_8155 = 32778,
    ID_CONFIG_8253 = 32779,
    ID_CONFIG_MEMORY_MAP = 32780,
    ID_CONFIG_TIMER_8155 = 32783,
    ID_CONFIG_TIMER_8253 = 32784,
    ID_CONFIG_8279 = 32814,
    ID_CONFIG_LCD = 32815,

    // Commands with no handler anywhere, or handlers that do nothing.
    ID_COMMAND_32786 = 32786,
    ID_COMMAND_32787 = 32787,
    ID_COMMAND_32788 = 32788,  // Alt+F9
    ID_COMMAND_32795 = 32795,  // Ctrl+A
    ID_COMMAND_32796 = 32796,  // Ctrl+E
    ID_COMMAND_32857 = 32857,
    ID_COMMAND_32858 = 32858,
    ID_CHANGE_TAB_SIZE = 32866,
    ID_CHANGE_CRYSTAL_FREQUENCY = 32887,

    // Run menu and interrupts.
    ID_RUN_BREAKPOINT = 32792,
    ID_RUN_SINGLESTEP = 32793,
    ID_RUN_RUN = 32794,
    ID_RUN_TERMINATEPROGRAM = 32812,
    ID_RUN_CPURESET = 32813,
    ID_INTERRUPTS_TRAP = 32890,
    ID_INTERRUPTS_RST55 = 32891,
    ID_INTERRUPTS_RST65 = 32892,
    ID_INTERRUPTS_RST75 = 32893,

    // Modify, watch and help.
    ID_FORCE_INT0 = 32802,
    ID_HELP_CONTENTS = 32805,
    ID_MODIFY_MEMORY = 32807,
    ID_MODIFY_INTERNAL_MEMORY = 32808,
    ID_MODIFY_REGISTERS = 32809,
    ID_MODIFY_CVARIABLES = 32810,
    ID_MODIFY_PERIPHERALS = 32811,
    ID_WATCH_WATCH = 32864,
    ID_FORCE_INT1 = 32865,

    // Watch-window toggles.
    ID_VIEW_MEMORY_WATCH = 32816,
    ID_VIEW_IO_WATCH = 32817,
    ID_VIEW_REGISTERS_WATCH = 32818,
    ID_VIEW_INTERNAL_RAM_WATCH = 32849,
    ID_VIEW_CVARIABLE_WATCH = 32853,
    ID_VIEW_SERIAL_WATCH = 32859,
    ID_VIEW_TIMING_DIAGRAM = 32894,

    // Right-click menu of the watch windows (menu 138).
    ID_FLOAT_ADD = 32840,
    ID_FLOAT_DELETE = 32841,
    ID_FLOAT_EDIT = 32842,
    ID_FLOAT_DELETEALL = 32844,
    ID_FLOAT_PROPERTIES = 32867,

    // Commands of the program window's view.
    ID_EDIT_FIND = 32822,
    ID_CHANGE_ORIGIN = 32870,

    // Commands of the timing window's view.
    ID_TIMING_START = 32895,
    ID_TIMING_PAUSE = 32896,
    ID_TIMING_STOP = 32897,
};
