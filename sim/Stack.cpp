#include "sim/Simulator.h"

void CSimulator::Push(u8 high, u8 low) {}
u16 CSimulator::Pop() { return 0; }
