// The string table of command prompts: the text status pane 0 shows while a
// command's menu item is highlighted.
#pragma once

// The prompt of a command, or null when it has none.
const char* CommandPrompt(int nID);
