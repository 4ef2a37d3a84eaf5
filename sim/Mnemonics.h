// Listing texts of the 256 opcodes, as the program window shows them.
#pragma once

constexpr int kOpcodeCount = 256;

// Indexed by opcode. A text that takes an operand ends where the operand is to
// be appended (after the comma of MVI and LXI, after the padding blanks of the
// others); a text without operand has no trailing blanks. The padding is part
// of the listing's column layout, so these texts are used exactly as they are.
extern const char* const g_mnemonics[kOpcodeCount];
