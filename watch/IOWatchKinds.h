// Kinds of I/O watch entries as the watch list and the configuration file
// hold them: the chip's number, or 10000 - n for line n of the LCD.
#pragma once

#include "sim/Simulator.h"

namespace IOWatchKind {
constexpr u16 k8279 = 8279;
constexpr u16 k8155 = 8155;
constexpr u16 k8255 = 8255;
constexpr u16 k8251 = 8251;
constexpr u16 k8253 = 8253;
constexpr u16 kLcdLine1 = 9999;
constexpr u16 kLcdLine4 = 9996;
constexpr u16 kLcdBase = 10000;

constexpr bool IsLcdLine(u16 kind) { return kind >= kLcdLine4 && kind <= kLcdLine1; }
constexpr u16 LcdLine(int line) { return u16(kLcdBase - line); }
}  // namespace IOWatchKind
