#include "sim/Simulator.h"

void CSimulator::OutPort(int port) {}
void CSimulator::InPort(int port) {}
void CSimulator::TickPeripherals() {}
void CSimulator::CheckInterrupts() {}
