// The ten undocumented opcodes: DSUB with its X5 and V rules, ARHL, RDEL,
// LDHI, LDSI, SHLX, LHLX, JNX5, JX5 and RST V.
#include <gtest/gtest.h>
#include <initializer_list>

#include "tests/support/ProgramStart.h"

namespace {

constexpr u16 kOrigin = 0x4000;

void Start(std::initializer_list<u8> bytes) { StartProgram(kOrigin, bytes); }

void Step() { g_Sim.ExecuteInstruction(); }

u16 DE() { return u16(g_Sim.m_regD << 8 | g_Sim.m_regE); }
u16 HL() { return u16(g_Sim.m_regH << 8 | g_Sim.m_regL); }
void SetPair(u8& high, u8& low, u16 v) {
    high = u8(v >> 8);
    low = u8(v);
}

}  // namespace

TEST(ExecUndocumented, DsubResultAndFlags) {
    struct Case {
        u16 hl, bc, r;
        u8 x5, v, cy, s, z, p;
    };
    const Case cases[] = {
        {0x1234, 0x1234, 0x0000, 0, 0, 0, 0, 1, 0},  // zero: P = 0
        {0x0000, 0x0001, 0xFFFF, 1, 0, 1, 1, 0, 0},  // sixteen 1 bits: P = 0
        {0x0005, 0x0002, 0x0003, 0, 0, 0, 0, 0, 1},  // two 1 bits
        {0x00FF, 0x0000, 0x00FF, 0, 0, 0, 0, 0, 1},  // eight 1 bits
        {0x03FF, 0x0000, 0x03FF, 0, 0, 0, 0, 0, 0},  // ten 1 bits: P = 0
        {0x0007, 0x0000, 0x0007, 0, 0, 0, 0, 0, 0},  // odd count
        {0x8000, 0x0001, 0x7FFF, 1, 1, 0, 0, 0, 0},  // hl negative, bc positive, 0 < 1
        {0x8005, 0x0003, 0x8002, 1, 0, 0, 1, 0, 1},  // 5 < 3 fails: V = 0, X5 from bit 15
        {0x0001, 0x8000, 0x8001, 1, 1, 1, 1, 0, 1},  // hl positive, bc negative, 0 < 1
        {0x0000, 0x8000, 0x8000, 1, 0, 1, 1, 0, 0},  // 0 < 0 fails
        {0x9000, 0x8000, 0x1000, 0, 0, 0, 0, 0, 0},  // both negative
    };
    for (const Case& c : cases) {
        Start({0x08});
        SetPair(g_Sim.m_regH, g_Sim.m_regL, c.hl);
        SetPair(g_Sim.m_regB, g_Sim.m_regC, c.bc);
        g_Sim.m_flagAC = 1;
        Step();
        const auto at = testing::Message() << std::hex << c.hl << " - " << c.bc;
        EXPECT_EQ(HL(), c.r) << at;
        EXPECT_EQ(g_Sim.m_flagX5, c.x5) << at;
        EXPECT_EQ(g_Sim.m_flagV, c.v) << at;
        EXPECT_EQ(g_Sim.m_flagCY, c.cy) << at;
        EXPECT_EQ(g_Sim.m_flagS, c.s) << at;
        EXPECT_EQ(g_Sim.m_flagZ, c.z) << at;
        EXPECT_EQ(g_Sim.m_flagP, c.p) << at;
        EXPECT_EQ(g_Sim.m_flagAC, 0) << at;
        EXPECT_EQ(g_Sim.m_pc, kOrigin + 1);
    }
}

TEST(ExecUndocumented, ArhlShiftsRightWithZeroIntoBit15) {
    Start({0x10, 0x10});
    SetPair(g_Sim.m_regH, g_Sim.m_regL, 0x8001);
    g_Sim.m_flagZ = 1;
    Step();
    EXPECT_EQ(HL(), 0x4000);
    EXPECT_EQ(g_Sim.m_flagCY, 1);
    EXPECT_EQ(g_Sim.m_flagZ, 1);
    Step();
    EXPECT_EQ(HL(), 0x2000);
    EXPECT_EQ(g_Sim.m_flagCY, 0);
}

TEST(ExecUndocumented, RdelRotatesDeLeftThroughCarry) {
    Start({0x18, 0x18});
    SetPair(g_Sim.m_regD, g_Sim.m_regE, 0x8001);
    g_Sim.m_flagCY = 0;
    Step();
    EXPECT_EQ(DE(), 0x0002);
    EXPECT_EQ(g_Sim.m_flagCY, 1);
    Step();
    EXPECT_EQ(DE(), 0x0005);
    EXPECT_EQ(g_Sim.m_flagCY, 0);
}

TEST(ExecUndocumented, LdhiAndLdsiAddAnUnsignedByte) {
    Start({0x28, 0xF0, 0x38, 0x10});
    SetPair(g_Sim.m_regH, g_Sim.m_regL, 0xFF20);
    g_Sim.m_sp = 0xFFF8;
    g_Sim.m_flagCY = 0;
    g_Sim.m_flagZ = 0;
    Step();
    EXPECT_EQ(DE(), 0x0010);
    EXPECT_EQ(g_busCycles[1], u32(1) << 24 | u32(kOrigin + 1) << 8 | 0xF0);
    Step();
    EXPECT_EQ(DE(), 0x0008);
    EXPECT_EQ(g_Sim.m_flagCY, 0);  // no flags
    EXPECT_EQ(g_Sim.m_flagZ, 0);
    EXPECT_EQ(g_Sim.m_pc, kOrigin + 4);
}

TEST(ExecUndocumented, ShlxAndLhlxUseDe) {
    Start({0xD9, 0xED});
    SetPair(g_Sim.m_regD, g_Sim.m_regE, 0xFFFF);
    SetPair(g_Sim.m_regH, g_Sim.m_regL, 0x1234);
    Step();
    EXPECT_EQ(g_Sim.m_pMemory[0xFFFF], 0x34);
    EXPECT_EQ(g_Sim.m_pMemory[0x0000], 0x12);
    EXPECT_EQ(g_busCycles[1], u32(2) << 24 | u32(0xFFFF) << 8 | 0x34);
    EXPECT_EQ(g_busCycles[2], u32(2) << 24 | u32(0x0000) << 8 | 0x12);
    SetPair(g_Sim.m_regH, g_Sim.m_regL, 0);
    Step();
    EXPECT_EQ(HL(), 0x1234);
    EXPECT_EQ(g_busCycles[2], u32(1) << 24 | u32(0x0000) << 8 | 0x12);
}

TEST(ExecUndocumented, JumpsOnX5) {
    for (int x5 = 0; x5 < 2; ++x5) {
        Start({0xDD, 0x00, 0x50});  // JNX5
        g_Sim.m_flagX5 = u8(x5);
        Step();
        EXPECT_EQ(g_Sim.m_pc, x5 ? kOrigin + 3 : 0x5000);
        Start({0xFD, 0x00, 0x50});  // JX5
        g_Sim.m_flagX5 = u8(x5);
        Step();
        EXPECT_EQ(g_Sim.m_pc, x5 ? 0x5000 : kOrigin + 3);
    }
}

TEST(ExecUndocumented, DsubThenJx5SeesTheX5ItLeft) {
    Start({0x08, 0xFD, 0x00, 0x50});
    SetPair(g_Sim.m_regH, g_Sim.m_regL, 0x0000);
    SetPair(g_Sim.m_regB, g_Sim.m_regC, 0x0001);
    Step();
    Step();
    EXPECT_EQ(g_Sim.m_pc, 0x5000);
}

TEST(ExecUndocumented, RstVRestartsAt40WhateverVHolds) {
    for (int v = 0; v < 2; ++v) {
        Start({0xCB});
        g_Sim.m_flagV = u8(v);
        Step();
        EXPECT_EQ(g_Sim.m_pc, 0x0040);
        EXPECT_EQ(g_Sim.m_sp, 0x2FFE);
        EXPECT_EQ(g_Sim.m_pMemory[0x2FFE], u8(kOrigin + 1));
        EXPECT_EQ(g_Sim.m_pMemory[0x2FFF], u8((kOrigin + 1) >> 8));
    }
}

TEST(ExecUndocumented, OnlyDsubWritesX5AndV) {
    // Every opcode but DSUB, from a state with X5 and V set, leaves them set.
    for (int op = 0; op < 256; ++op) {
        if (op == 0x08) continue;
        Start({u8(op), 0x00, 0x50});
        g_Sim.m_flagX5 = 1;
        g_Sim.m_flagV = 1;
        Step();
        EXPECT_EQ(g_Sim.m_flagX5, 1) << std::hex << op;
        EXPECT_EQ(g_Sim.m_flagV, 1) << std::hex << op;
    }
}
