#include "sim/Simulator.h"

void CSimulator::Out8251Section(int port) {}
void CSimulator::In8251Section(int port) {}
void CSimulator::Update8251Irq() {}
void CSimulator::Reset8251Chips() {}
