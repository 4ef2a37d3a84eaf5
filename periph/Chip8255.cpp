#include "sim/Simulator.h"

void CSimulator::Out8255Section(int port) {}
void CSimulator::In8255Section(int port) {}
void CSimulator::Reset8255Chips() {}
