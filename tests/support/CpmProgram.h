// Runs a CP/M program (the published CPU test programs) on the core: loaded
// at 0100h, printing through CALL 0005h (C = 2: the character in E; C = 9:
// the text at DE up to '$') and ending by a jump to 0000h. The tests check
// what it prints; the benchmarks time it.
#pragma once

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

#include "sim/Simulator.h"
#include "tests/support/PowerOnState.h"

namespace cpm {

constexpr u16 kLoadAddress = 0x0100;
constexpr u16 kBdosEntry = 0x0005;
constexpr u16 kBdosStackTop = 0x0006;  // the exerciser takes its stack top from here
constexpr u16 kStackTop = 0xF000;
constexpr u8 kOpRet = 0xC9;
constexpr u8 kPrintChar = 2;
constexpr u8 kPrintString = 9;
constexpr unsigned long long kInstructionLimit = 2'000'000'000ULL;

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Patch {
    u16 address;
    u8 value;
};

struct Run {
    std::string printed;
    unsigned long long instructions = 0;
    bool finished = false;  // reached 0000h within the limit
};

inline void PrintThroughBdos(std::string& out) {
    if (g_Sim.m_regC == kPrintChar) {
        out += char(g_Sim.m_regE);
    } else if (g_Sim.m_regC == kPrintString) {
        u16 address = u16(g_Sim.m_regD << 8 | g_Sim.m_regE);
        for (u32 n = 0; n < kMemorySize && g_Sim.m_pMemory[address] != '$'; ++n, ++address)
            out += char(g_Sim.m_pMemory[address]);
    }
}

// From power-on, with the image (empty when unreadable) at 0100h, the
// patches applied and a RET at 0005h, so that the trap there prints and
// returns.
inline Run RunProgram(const std::string& image, std::initializer_list<Patch> patches = {}) {
    RestorePowerOnState();
    for (std::size_t i = 0; i < image.size() && kLoadAddress + i < kMemorySize; ++i)
        g_Sim.m_pMemory[kLoadAddress + i] = u8(image[i]);
    for (const Patch& patch : patches) g_Sim.m_pMemory[patch.address] = patch.value;
    g_Sim.m_pMemory[kBdosEntry] = kOpRet;
    g_Sim.m_pMemory[kBdosStackTop] = u8(kStackTop);
    g_Sim.m_pMemory[kBdosStackTop + 1] = u8(kStackTop >> 8);
    g_Sim.m_pc = kLoadAddress;

    Run run;
    while (run.instructions < kInstructionLimit) {
        if (g_Sim.m_pc == kBdosEntry) PrintThroughBdos(run.printed);
        g_Sim.ExecuteInstruction();
        ++run.instructions;
        if (g_Sim.m_pc == 0x0000) {
            run.finished = true;
            break;
        }
    }
    return run;
}

}  // namespace cpm
