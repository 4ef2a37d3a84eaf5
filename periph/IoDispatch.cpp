#include "sim/Simulator.h"

// Every device section runs whatever matched before it: two devices that
// decode the same port both see the write, and on a read the later section's
// value wins. A port no section decodes leaves A unchanged.

void CSimulator::OutPort(int port) {
    Out8279Section(port);
    Out8155Section(port);
    Out8255Section(port);
    Out8251Section(port);
    Out8253Section(port);
    OutLcdSection(port);
}

void CSimulator::InPort(int port) {
    In8279Section(port);
    In8155Section(port);
    In8255Section(port);
    In8251Section(port);
    In8253Section(port);
}
