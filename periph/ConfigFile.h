// The per-program configuration file: a fixed 1,360-byte little-endian image
// of the connected peripherals, timer records, memory map and watch lists.
#pragma once

#include <cstddef>
#include <string>

#include "sim/Simulator.h"

constexpr std::size_t kConfigFileSize = 1360;

// The message box text for a failed load or save of the file at path, or an
// empty text when the result needs no message.
std::string ConfigResultMessage(CSimulator::ConfigResult result, const std::string& path);
