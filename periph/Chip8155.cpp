#include "sim/Simulator.h"

void CSimulator::Out8155Section(int port) {}
void CSimulator::In8155Section(int port) {}
void CSimulator::Reset8155() {}
