// The main frame's command table: which of its member functions serves a
// command and which decides the command's state. A command missing here is
// served further along the route, or stays disabled.
#pragma once

class CCmdUI;
class CMainFrame;

struct CommandDef {
    int nID;
    void (CMainFrame::*pfnCommand)();  // null: served further along the route
    void (CMainFrame::*pfnUpdate)(CCmdUI*);
};
const CommandDef* FindCommand(int nID);
