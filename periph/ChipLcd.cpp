#include "sim/Simulator.h"

void CSimulator::OutLcdSection(int port) {}

