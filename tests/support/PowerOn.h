// Starts a test case from the machine's power-on state: a freshly constructed
// g_Sim with zero-filled target memory, then Reset as start-up does.
#pragma once

#include <cstring>

#include "sim/Disasm.h"
#include "sim/Simulator.h"
#include "tests/support/PowerOnState.h"

// Globals added outside g_Sim are reset in RestorePowerOnState, which the
// benchmarks share, not here.
inline void StartFromPowerOn() { RestorePowerOnState(); }
