#include "sim/Simulator.h"

u32 g_busCycles[kMaxBusCycles];
u32 g_busCycleCount;
