// Listing lines of the program window, built by CSimulator::DisassembleLine.
#pragma once

#include "sim/Simulator.h"

// A line: address, byte field and instruction text, blanks up to column 80
// and "*" in column 81.
constexpr int kDisasmLineLength = 81;
constexpr int kDisasmBufferSize = kDisasmLineLength + 1;
// Column (0-based) at which the mnemonic starts.
constexpr int kDisasmTextColumn = 24;

// Address of listing line 1; the listing uses it as its running cursor while
// it is rebuilt and restores it afterwards.
extern u32 g_DisasmOrigin;
