#include "sim/Simulator.h"

void CSimulator::Out8279Section(int port) {}
void CSimulator::In8279Section(int port) {}
void CSimulator::Update8279Irq() {}
void CSimulator::Reset8279() {}
