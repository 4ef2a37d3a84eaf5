#include <array>

#include "sim/Mnemonics.h"
#include "sim/Simulator.h"

namespace {
// Opcodes followed by a 16-bit operand, documented and undocumented (LXI,
// SHLD, LHLD, STA, LDA, jumps, calls, JNX5, JX5).
constexpr u8 kThreeByteOpcodes[] = {
    0x01, 0x11, 0x21, 0x22, 0x2A, 0x31, 0x32, 0x3A, 0xC2, 0xC3, 0xC4, 0xCA, 0xCC, 0xCD,
    0xD2, 0xD4, 0xDA, 0xDC, 0xDD, 0xE2, 0xE4, 0xEA, 0xEC, 0xF2, 0xF4, 0xFA, 0xFC, 0xFD,
};
// Opcodes followed by one byte (MVI, immediates, IN, OUT, LDHI, LDSI).
constexpr u8 kTwoByteOpcodes[] = {
    0x06, 0x0E, 0x16, 0x1E, 0x26, 0x28, 0x2E, 0x36, 0x38, 0x3E,
    0xC6, 0xCE, 0xD3, 0xD6, 0xDB, 0xDE, 0xE6, 0xEE, 0xF6, 0xFE,
};

constexpr std::array<u8, kOpcodeCount> BuildLengthTable() {
    std::array<u8, kOpcodeCount> lengths{};
    for (auto& length : lengths) length = 1;
    for (u8 op : kTwoByteOpcodes) lengths[op] = 2;
    for (u8 op : kThreeByteOpcodes) lengths[op] = 3;
    return lengths;
}

constexpr std::array<u8, kOpcodeCount> kInstrLength = BuildLengthTable();
}  // namespace

int CSimulator::GetInstrLength(u8 opcode) { return kInstrLength[opcode]; }
