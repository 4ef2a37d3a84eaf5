// Where a device's interrupt output is wired: the route codes that the
// configuration stores for the 8279, the 8251 chips and every timer slot, and
// the CPU inputs they name.
#pragma once

#include "sim/Simulator.h"

namespace IrqRoute {
constexpr u8 kNone = 0;
constexpr u8 kTrap = 4;
constexpr u8 kRst55 = 5;
constexpr u8 kRst65 = 6;
constexpr u8 kRst75 = 7;
}  // namespace IrqRoute

namespace IrqVector {
constexpr u16 kTrap = 0x0024;
constexpr u16 kRst55 = 0x002C;
constexpr u16 kRst65 = 0x0034;
constexpr u16 kRst75 = 0x003C;
}  // namespace IrqVector

// Chips present as a prefix: a count beyond the chip arrays (a hand-edited
// value) must never index past them.
inline int PresentChips(u8 count) { return count < kMaxChips ? count : kMaxChips; }
