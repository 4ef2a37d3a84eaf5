// T-states of every opcode. Conditional jumps, calls and returns are listed
// with their taken form; the not-taken forms follow.
#pragma once

#include "sim/Simulator.h"

// clang-format off
inline constexpr u8 kOpcodeTStates[256] = {
//   x0  x1  x2  x3  x4  x5  x6  x7  x8  x9  xA  xB  xC  xD  xE  xF
      4, 10,  7,  6,  4,  4,  7,  4,  6, 10,  7,  6,  4,  4,  7,  4,  // 0x
      6, 10,  7,  6,  4,  4,  7,  4,  6, 10,  7,  6,  4,  4,  7,  4,  // 1x
      4, 10, 16,  6,  4,  4,  7,  4,  7, 10, 16,  6,  4,  4,  7,  4,  // 2x
      4, 10, 13,  6, 10, 10, 10,  4,  7, 10, 13,  6,  4,  4,  7,  4,  // 3x
      4,  4,  4,  4,  4,  4,  7,  4,  4,  4,  4,  4,  4,  4,  7,  4,  // 4x
      4,  4,  4,  4,  4,  4,  7,  4,  4,  4,  4,  4,  4,  4,  7,  4,  // 5x
      4,  4,  4,  4,  4,  4,  7,  4,  4,  4,  4,  4,  4,  4,  7,  4,  // 6x
      7,  7,  7,  7,  7,  7,  5,  7,  4,  4,  4,  4,  4,  4,  7,  4,  // 7x
      4,  4,  4,  4,  4,  4,  7,  4,  4,  4,  4,  4,  4,  4,  7,  4,  // 8x
      4,  4,  4,  4,  4,  4,  7,  4,  4,  4,  4,  4,  4,  4,  7,  4,  // 9x
      4,  4,  4,  4,  4,  4,  7,  4,  4,  4,  4,  4,  4,  4,  7,  4,  // Ax
      4,  4,  4,  4,  4,  4,  7,  4,  4,  4,  4,  4,  4,  4,  7,  4,  // Bx
     12, 10, 10, 10, 18, 12,  7, 12, 12, 10, 10, 12, 18, 18,  7, 12,  // Cx
     12, 10, 10, 10, 18, 12,  7, 12, 12, 10, 10, 10, 18, 10,  7, 12,  // Dx
     12, 10, 10, 16, 18, 12,  7, 12, 12,  6, 10,  4, 18, 10,  7, 12,  // Ex
     12, 10, 10,  4, 18, 12,  7, 12, 12,  6, 10,  4, 18, 10,  7, 12,  // Fx
};
// clang-format on

constexpr u8 kTStatesJumpNotTaken = 7;
constexpr u8 kTStatesCallNotTaken = 9;
constexpr u8 kTStatesReturnNotTaken = 6;
