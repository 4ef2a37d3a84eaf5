// Port access as a program's OUT and IN make it: the value passes through the
// accumulator.
#pragma once

#include "sim/Simulator.h"

inline void Out(int port, u8 value) {
    g_Sim.m_regA = value;
    g_Sim.OutPort(port);
}

// A starts at `before`, so a read that leaves the accumulator alone shows.
inline u8 In(int port, u8 before = 0xEE) {
    g_Sim.m_regA = before;
    g_Sim.InPort(port);
    return g_Sim.m_regA;
}
