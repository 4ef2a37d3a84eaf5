#include "sim/Simulator.h"

u32 g_nPortCount;
