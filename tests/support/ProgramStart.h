// Starts a test case from power-on with a short program in memory, PC on its
// first byte and SP in RAM below it, so pushes land where a test can see them.
#pragma once

#include <initializer_list>

#include "tests/support/PowerOn.h"

constexpr u16 kProgramStack = 0x3000;

inline void StartProgram(u16 origin, std::initializer_list<u8> bytes) {
    StartFromPowerOn();
    u16 address = origin;
    for (u8 b : bytes) g_Sim.m_pMemory[address++] = b;
    g_Sim.m_pc = origin;
    g_Sim.m_sp = kProgramStack;
}
