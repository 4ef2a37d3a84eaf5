#include "sim/Simulator.h"

u8 g_Irq8279Route;
u8 g_Irq8251Route[kMaxChips];
