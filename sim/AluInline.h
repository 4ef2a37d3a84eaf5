// Flag, arithmetic, logic, register-field and stack routines of the CPU
// core.
//
// They are defined here, inline, because the executor runs one of them for
// almost every instruction; compiled in place they cost no call. Any file
// that calls them includes this header.
//
// The five documented flags follow the real 8085: the auxiliary carry is the
// true carry out of bit 3 of the adder, including the incoming carry, and a
// subtraction is done as A + NOT operand + (1 - borrow).
#pragma once

#include <array>

#include "sim/Simulator.h"

namespace alu {

constexpr u8 kFieldM = 6;  // register field that names the byte at HL
constexpr u8 kLowNibble = 0x0F;

// 1 for every byte with an even number of 1 bits (zero counts as even).
constexpr std::array<u8, 256> MakeEvenParityTable() {
    std::array<u8, 256> table{};
    for (int v = 0; v < 256; ++v) {
        int ones = 0;
        for (int bit = 0; bit < 8; ++bit) ones += (v >> bit) & 1;
        table[v] = (ones % 2 == 0) ? 1 : 0;
    }
    return table;
}
inline constexpr std::array<u8, 256> kEvenParity = MakeEvenParityTable();

// Carry out of bit 3 when a, b and the carry in are added.
constexpr u8 HalfCarry(u8 a, u8 b, u8 carryIn) {
    return ((a & kLowNibble) + (b & kLowNibble) + carryIn) > kLowNibble ? 1 : 0;
}

}  // namespace alu

inline void CSimulator::SetSZP(u8 value) {
    m_flagS = value >> 7;
    m_flagZ = value == 0 ? 1 : 0;
    m_flagP = alu::kEvenParity[value];
}

inline void CSimulator::Add(u8* dst, u8 operand, bool withCarry) {
    const u8 a = *dst;
    const u8 carryIn = withCarry ? m_flagCY : 0;
    const unsigned sum = unsigned(a) + operand + carryIn;
    m_flagCY = sum > 0xFF ? 1 : 0;
    m_flagAC = alu::HalfCarry(a, operand, carryIn);
    *dst = u8(sum);
    SetSZP(*dst);
}

inline void CSimulator::Sub(u8* dst, u8 operand, bool withBorrow) {
    const u8 a = *dst;
    const u8 borrowIn = withBorrow ? m_flagCY : 0;
    m_flagCY = unsigned(a) < unsigned(operand) + borrowIn ? 1 : 0;
    m_flagAC = alu::HalfCarry(a, u8(~operand), u8(1 - borrowIn));
    *dst = u8(a - operand - borrowIn);
    SetSZP(*dst);
}

inline void CSimulator::Compare(u8 a, u8 operand) { Sub(&a, operand, false); }

inline void CSimulator::And(u8* dst, u8 operand) {
    *dst &= operand;
    m_flagAC = 1;
    m_flagCY = 0;
    SetSZP(*dst);
}

inline void CSimulator::Or(u8* dst, u8 operand) {
    *dst |= operand;
    m_flagAC = 0;
    m_flagCY = 0;
    SetSZP(*dst);
}

inline void CSimulator::Xor(u8* dst, u8 operand) {
    *dst ^= operand;
    m_flagAC = 0;
    m_flagCY = 0;
    SetSZP(*dst);
}

inline void CSimulator::Inr(u8* byte) {
    m_flagAC = (*byte & alu::kLowNibble) == alu::kLowNibble ? 1 : 0;
    ++*byte;
    SetSZP(*byte);
}

inline void CSimulator::Dcr(u8* byte) {
    m_flagAC = (*byte & alu::kLowNibble) != 0 ? 1 : 0;
    --*byte;
    SetSZP(*byte);
}

inline void CSimulator::Inx(u8* high, u8* low) {
    if (++*low == 0) ++*high;
}

inline void CSimulator::Dcx(u8* high, u8* low) {
    if ((*low)-- == 0) --*high;
}

inline void CSimulator::Dad(u8* h, u8* l, u8 high, u8 low) {
    const u32 sum = u32(Word(*h, *l)) + Word(high, low);
    m_flagCY = sum > 0xFFFF ? 1 : 0;
    *h = u8(sum >> 8);
    *l = u8(sum);
}

inline void CSimulator::Daa() {
    constexpr u8 kLowAdjust = 0x06, kHighAdjust = 0x60, kMaxBcd = 0x99, kMaxDigit = 9;
    const u8 a = m_regA;
    u8 adjust = 0;
    if ((a & alu::kLowNibble) > kMaxDigit || m_flagAC) adjust |= kLowAdjust;
    if (a > kMaxBcd || m_flagCY) {
        adjust |= kHighAdjust;
        m_flagCY = 1;  // the decimal carry; CY is otherwise left as it was
    }
    m_flagAC = alu::HalfCarry(a, adjust, 0);
    m_regA = u8(a + adjust);
    SetSZP(m_regA);
}

namespace alu {
// Register fields 0-7 as members; the entry for M is never used.
inline constexpr u8 CSimulator::*kRegisterOfField[8] = {&CSimulator::m_regB, &CSimulator::m_regC, &CSimulator::m_regD,
                                                        &CSimulator::m_regE, &CSimulator::m_regH, &CSimulator::m_regL,
                                                        &CSimulator::m_regA, &CSimulator::m_regA};
}  // namespace alu

inline u8 CSimulator::GetReg8(u8 field) const {
    field &= 7;
    if (field == alu::kFieldM) return m_pMemory[PairHL()];
    return this->*alu::kRegisterOfField[field];
}

inline void CSimulator::SetReg8(u8 value, u8 opcode) {
    const u8 field = (opcode >> 3) & 7;
    if (field == alu::kFieldM) m_pMemory[PairHL()] = value;
    else this->*alu::kRegisterOfField[field] = value;
}

inline void CSimulator::ExecMov(u8 opcode) {
    const u8 source = opcode & 7;
    const u16 address = PairHL();  // MOV H,M and MOV L,M change HL after reading at it
    const u8 value = GetReg8(source);
    SetReg8(value, opcode);
    ++m_pc;
    if (source == alu::kFieldM) AppendBusCycle(kCycleMemRead, address, value);
    else if (((opcode >> 3) & 7) == alu::kFieldM) AppendBusCycle(kCycleMemWrite, address, value);
}

namespace alu {
// Operand of a register-operand ALU instruction; a memory operand is a read
// cycle of its own.
inline u8 GroupOperand(CSimulator& sim, u8 opcode) {
    const u8 value = sim.GetReg8(opcode);
    if ((opcode & 7) == kFieldM) CSimulator::AppendBusCycle(CSimulator::kCycleMemRead, sim.PairHL(), value);
    return value;
}
constexpr u8 kWithCarryBit = 0x08;  // ADC and SBB differ from ADD and SUB in bit 3
}  // namespace alu

inline void CSimulator::ExecAddGroup(u8 opcode) {
    Add(&m_regA, alu::GroupOperand(*this, opcode), (opcode & alu::kWithCarryBit) != 0);
    ++m_pc;
}

inline void CSimulator::ExecSubGroup(u8 opcode) {
    Sub(&m_regA, alu::GroupOperand(*this, opcode), (opcode & alu::kWithCarryBit) != 0);
    ++m_pc;
}

inline void CSimulator::ExecAnaGroup(u8 opcode) {
    And(&m_regA, alu::GroupOperand(*this, opcode));
    ++m_pc;
}

inline void CSimulator::ExecXraGroup(u8 opcode) {
    Xor(&m_regA, alu::GroupOperand(*this, opcode));
    ++m_pc;
}

inline void CSimulator::ExecOraGroup(u8 opcode) {
    Or(&m_regA, alu::GroupOperand(*this, opcode));
    ++m_pc;
}

inline void CSimulator::ExecCmpGroup(u8 opcode) {
    Compare(m_regA, alu::GroupOperand(*this, opcode));
    ++m_pc;
}

inline void CSimulator::Push(u8 high, u8 low) {
    const u16 highAddress = u16(m_sp - 1);
    const u16 lowAddress = u16(m_sp - 2);
    m_pMemory[highAddress] = high;
    m_pMemory[lowAddress] = low;
    m_sp = lowAddress;

    m_stackDepth = u16(m_stackDepth + 2);
    if (m_stackDepth > m_maxStackDepth) m_maxStackDepth = m_stackDepth;

    // The list keeps room for at most five cycles: an instruction that already
    // has four or five (or none yet) records no pushes of its own.
    constexpr u32 kMaxRecordsBeforePush = 3;
    if (g_busCycleCount >= 1 && g_busCycleCount <= kMaxRecordsBeforePush) {
        AppendBusCycle(kCycleMemWrite, highAddress, high);
        AppendBusCycle(kCycleMemWrite, lowAddress, low);
    }
}

inline u16 CSimulator::Pop() {
    const u8 low = m_pMemory[m_sp];
    const u8 high = m_pMemory[u16(m_sp + 1)];
    m_sp = u16(m_sp + 2);
    m_stackDepth = u16(m_stackDepth - 2);
    return u16(high << 8 | low);
}
