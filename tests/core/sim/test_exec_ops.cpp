// Results of the documented instructions: registers, memory, PC and the data
// bytes of their machine-cycle records, including the 16-bit address wrap.
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

#include "tests/support/PowerOn.h"

namespace {

constexpr u16 kOrigin = 0x4000;

u32 Rec(u32 type, u16 address, u8 data) { return type << 24 | u32(address) << 8 | data; }

std::vector<u32> Records() { return std::vector<u32>(g_busCycles, g_busCycles + g_busCycleCount); }

void Load(u16 address, std::initializer_list<u8> bytes) {
    for (u8 b : bytes) g_Sim.m_pMemory[address++] = b;
}

// Power-on state, then the program at address with PC there.
void Start(u16 address, std::initializer_list<u8> bytes) {
    StartFromPowerOn();
    Load(address, bytes);
    g_Sim.m_pc = address;
}

void Step(int instructions = 1) {
    for (int i = 0; i < instructions; ++i) g_Sim.ExecuteInstruction();
}

u16 BC() { return u16(g_Sim.m_regB << 8 | g_Sim.m_regC); }
u16 DE() { return u16(g_Sim.m_regD << 8 | g_Sim.m_regE); }
u16 HL() { return u16(g_Sim.m_regH << 8 | g_Sim.m_regL); }
void SetHL(u16 v) {
    g_Sim.m_regH = u8(v >> 8);
    g_Sim.m_regL = u8(v);
}

}  // namespace

TEST(ExecOps, MovBetweenRegistersAndMemory) {
    Start(kOrigin, {0x41, 0x7E, 0x77});  // MOV B,C; MOV A,M; MOV M,A
    g_Sim.m_regC = 0x5A;
    SetHL(0x2000);
    g_Sim.m_pMemory[0x2000] = 0xC3;
    Step();
    EXPECT_EQ(g_Sim.m_regB, 0x5A);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, kOrigin, 0x41)}));
    Step();
    EXPECT_EQ(g_Sim.m_regA, 0xC3);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, kOrigin + 1, 0x7E), Rec(1, 0x2000, 0xC3)}));
    g_Sim.m_regA = 0x99;
    Step();
    EXPECT_EQ(g_Sim.m_pMemory[0x2000], 0x99);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, kOrigin + 2, 0x77), Rec(2, 0x2000, 0x99)}));
    EXPECT_EQ(g_Sim.m_pc, kOrigin + 3);
}

TEST(ExecOps, MovIntoHOrLFromMemoryReadsAtTheOldAddress) {
    Start(kOrigin, {0x66});  // MOV H,M
    SetHL(0x2010);
    g_Sim.m_pMemory[0x2010] = 0x77;
    Step();
    EXPECT_EQ(HL(), 0x7710);
    EXPECT_EQ(Records()[1], Rec(1, 0x2010, 0x77));
}

TEST(ExecOps, ImmediateLoadsAndDirectAddressing) {
    Start(kOrigin, {0x06, 0x11, 0x0E, 0x22, 0x16, 0x33, 0x1E, 0x44, 0x26, 0x55, 0x2E, 0x66, 0x3E, 0x77,  // MVI B..A
                    0x36, 0x88,                                                                          // MVI M
                    0x32, 0x00, 0x30,                                                                    // STA 3000
                    0x3A, 0x01, 0x30});                                                                  // LDA 3001
    Step(7);
    EXPECT_EQ(BC(), 0x1122);
    EXPECT_EQ(DE(), 0x3344);
    EXPECT_EQ(HL(), 0x5566);
    EXPECT_EQ(g_Sim.m_regA, 0x77);
    Step();
    EXPECT_EQ(g_Sim.m_pMemory[0x5566], 0x88);
    EXPECT_EQ(Records(),
              (std::vector<u32>{Rec(0, kOrigin + 14, 0x36), Rec(1, kOrigin + 15, 0x88), Rec(2, 0x5566, 0x88)}));
    Step();
    EXPECT_EQ(g_Sim.m_pMemory[0x3000], 0x77);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, kOrigin + 16, 0x32), Rec(1, kOrigin + 17, 0x00),
                                           Rec(1, kOrigin + 18, 0x30), Rec(2, 0x3000, 0x77)}));
    g_Sim.m_pMemory[0x3001] = 0xAB;
    Step();
    EXPECT_EQ(g_Sim.m_regA, 0xAB);
    EXPECT_EQ(Records().back(), Rec(1, 0x3001, 0xAB));
    EXPECT_EQ(g_Sim.m_pc, kOrigin + 22);
}

TEST(ExecOps, PairLoadsStoresAndExchanges) {
    Start(kOrigin, {0x01, 0x34, 0x12, 0x11, 0x78, 0x56, 0x21, 0xBC, 0x9A,  // LXI B, D, H
                    0x22, 0x00, 0x30,                                      // SHLD 3000
                    0x2A, 0x10, 0x30,                                      // LHLD 3010
                    0x02, 0x1A, 0xEB});                                    // STAX B; LDAX D; XCHG
    Step(3);
    EXPECT_EQ(BC(), 0x1234);
    EXPECT_EQ(DE(), 0x5678);
    EXPECT_EQ(HL(), 0x9ABC);
    EXPECT_EQ(g_Sim.m_stackValid, 0);
    Step();
    EXPECT_EQ(g_Sim.m_pMemory[0x3000], 0xBC);
    EXPECT_EQ(g_Sim.m_pMemory[0x3001], 0x9A);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, kOrigin + 9, 0x22), Rec(1, kOrigin + 10, 0x00),
                                           Rec(1, kOrigin + 11, 0x30), Rec(2, 0x3000, 0xBC), Rec(2, 0x3001, 0x9A)}));
    g_Sim.m_pMemory[0x3010] = 0x21;
    g_Sim.m_pMemory[0x3011] = 0x43;
    Step();
    EXPECT_EQ(HL(), 0x4321);
    EXPECT_EQ(Records()[3], Rec(1, 0x3010, 0x21));
    EXPECT_EQ(Records()[4], Rec(1, 0x3011, 0x43));
    g_Sim.m_regA = 0x5C;
    g_Sim.m_pMemory[0x5678] = 0xE7;
    Step();
    EXPECT_EQ(g_Sim.m_pMemory[0x1234], 0x5C);
    EXPECT_EQ(Records()[1], Rec(2, 0x1234, 0x5C));
    Step();
    EXPECT_EQ(g_Sim.m_regA, 0xE7);
    EXPECT_EQ(Records()[1], Rec(1, 0x5678, 0xE7));
    Step();
    EXPECT_EQ(DE(), 0x4321);
    EXPECT_EQ(HL(), 0x5678);
}

TEST(ExecOps, LxiSpAndSphlMakeTheStackValid) {
    Start(kOrigin, {0x31, 0x00, 0xE0});
    Step();
    EXPECT_EQ(g_Sim.m_sp, 0xE000);
    EXPECT_EQ(g_Sim.m_stackValid, 1);
    Start(kOrigin, {0xF9, 0xE9});  // SPHL; PCHL
    SetHL(0x8123);
    Step();
    EXPECT_EQ(g_Sim.m_sp, 0x8123);
    EXPECT_EQ(g_Sim.m_stackValid, 1);
    EXPECT_EQ(g_Sim.m_pc, kOrigin + 1);
    Step();
    EXPECT_EQ(g_Sim.m_pc, 0x8123);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(5, kOrigin + 1, 0xE9)}));
}

TEST(ExecOps, XthlSwapsHlWithTheStackTop) {
    Start(kOrigin, {0xE3});
    g_Sim.m_sp = 0x3000;
    g_Sim.m_pMemory[0x3000] = 0x11;
    g_Sim.m_pMemory[0x3001] = 0x22;
    SetHL(0xAABB);
    Step();
    EXPECT_EQ(HL(), 0x2211);
    EXPECT_EQ(g_Sim.m_pMemory[0x3000], 0xBB);
    EXPECT_EQ(g_Sim.m_pMemory[0x3001], 0xAA);
    EXPECT_EQ(g_Sim.m_sp, 0x3000);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, kOrigin, 0xE3), Rec(1, 0x3000, 0x11), Rec(1, 0x3001, 0x22),
                                           Rec(2, 0x3000, 0xBB), Rec(2, 0x3001, 0xAA)}));
}

TEST(ExecOps, RotatesAndCarryOperations) {
    struct Case {
        u8 op, a, cyIn, a2, cy2;
    };
    const Case cases[] = {
        {0x07, 0x81, 0, 0x03, 1}, {0x07, 0x40, 1, 0x80, 0},  // RLC
        {0x0F, 0x81, 0, 0xC0, 1}, {0x0F, 0x02, 1, 0x01, 0},  // RRC
        {0x17, 0x81, 0, 0x02, 1}, {0x17, 0x40, 1, 0x81, 0},  // RAL
        {0x1F, 0x81, 0, 0x40, 1}, {0x1F, 0x02, 1, 0x81, 0},  // RAR
        {0x2F, 0x5A, 1, 0xA5, 1}, {0x37, 0x12, 0, 0x12, 1},  // CMA, STC
        {0x3F, 0x12, 0, 0x12, 1}, {0x3F, 0x12, 1, 0x12, 0},  // CMC
    };
    for (const Case& c : cases) {
        Start(kOrigin, {c.op});
        g_Sim.m_regA = c.a;
        g_Sim.m_flagCY = c.cyIn;
        g_Sim.m_flagZ = 1;
        g_Sim.m_flagAC = 1;
        Step();
        EXPECT_EQ(g_Sim.m_regA, c.a2) << std::hex << int(c.op);
        EXPECT_EQ(g_Sim.m_flagCY, c.cy2) << std::hex << int(c.op);
        EXPECT_EQ(g_Sim.m_flagZ, 1);  // no other flag changes
        EXPECT_EQ(g_Sim.m_flagAC, 1);
    }
}

TEST(ExecOps, IncrementDecrementAndDadOnEveryPair) {
    Start(kOrigin, {0x03, 0x13, 0x23, 0x33, 0x0B, 0x1B, 0x2B, 0x3B, 0x09, 0x19, 0x29, 0x39});
    g_Sim.m_regB = 0x00;
    g_Sim.m_regC = 0xFF;
    g_Sim.m_regD = 0xFF;
    g_Sim.m_regE = 0xFF;
    SetHL(0x1234);
    g_Sim.m_sp = 0xFFFF;
    Step(4);
    EXPECT_EQ(BC(), 0x0100);
    EXPECT_EQ(DE(), 0x0000);
    EXPECT_EQ(HL(), 0x1235);
    EXPECT_EQ(g_Sim.m_sp, 0x0000);
    Step(4);
    EXPECT_EQ(BC(), 0x00FF);
    EXPECT_EQ(DE(), 0xFFFF);
    EXPECT_EQ(HL(), 0x1234);
    EXPECT_EQ(g_Sim.m_sp, 0xFFFF);
    Step();  // DAD B
    EXPECT_EQ(HL(), 0x1333);
    EXPECT_EQ(g_Sim.m_flagCY, 0);
    Step();  // DAD D: + FFFF
    EXPECT_EQ(HL(), 0x1332);
    EXPECT_EQ(g_Sim.m_flagCY, 1);
    Step();  // DAD H
    EXPECT_EQ(HL(), 0x2664);
    EXPECT_EQ(g_Sim.m_flagCY, 0);
    Step();  // DAD SP
    EXPECT_EQ(HL(), 0x2663);
    EXPECT_EQ(g_Sim.m_flagCY, 1);
}

TEST(ExecOps, InrDcrOnRegistersAndMemory) {
    Start(kOrigin, {0x04, 0x0D, 0x34, 0x35, 0x35});
    g_Sim.m_regB = 0xFF;
    g_Sim.m_regC = 0x10;
    g_Sim.m_flagCY = 1;
    SetHL(0x2000);
    g_Sim.m_pMemory[0x2000] = 0x0F;
    Step();
    EXPECT_EQ(g_Sim.m_regB, 0x00);
    EXPECT_EQ(g_Sim.m_flagZ, 1);
    EXPECT_EQ(g_Sim.m_flagAC, 1);
    EXPECT_EQ(g_Sim.m_flagCY, 1);
    Step();
    EXPECT_EQ(g_Sim.m_regC, 0x0F);
    EXPECT_EQ(g_Sim.m_flagAC, 0);
    Step();
    EXPECT_EQ(g_Sim.m_pMemory[0x2000], 0x10);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, kOrigin + 2, 0x34), Rec(1, 0x2000, 0x0F), Rec(2, 0x2000, 0x10)}));
    Step(2);
    EXPECT_EQ(g_Sim.m_pMemory[0x2000], 0x0E);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, kOrigin + 4, 0x35), Rec(1, 0x2000, 0x0F), Rec(2, 0x2000, 0x0E)}));
}

TEST(ExecOps, ImmediateAluOperationsReadTheirOperand) {
    struct Case {
        u8 op, a, imm, cyIn, result, cy;
    };
    const Case cases[] = {
        {0xC6, 0x3A, 0xC7, 0, 0x01, 1},  // ADI
        {0xCE, 0x3A, 0xC5, 1, 0x00, 1},  // ACI
        {0xD6, 0x10, 0x20, 0, 0xF0, 1},  // SUI
        {0xDE, 0x10, 0x0F, 1, 0x00, 0},  // SBI
        {0xE6, 0xF3, 0x3F, 1, 0x33, 0},  // ANI
        {0xEE, 0xF3, 0x3F, 1, 0xCC, 0},  // XRI
        {0xF6, 0x03, 0x30, 1, 0x33, 0},  // ORI
        {0xFE, 0x10, 0x20, 0, 0x10, 1},  // CPI: A unchanged
    };
    for (const Case& c : cases) {
        Start(kOrigin, {c.op, c.imm});
        g_Sim.m_regA = c.a;
        g_Sim.m_flagCY = c.cyIn;
        Step();
        EXPECT_EQ(g_Sim.m_regA, c.result) << std::hex << int(c.op);
        EXPECT_EQ(g_Sim.m_flagCY, c.cy) << std::hex << int(c.op);
        EXPECT_EQ(g_Sim.m_pc, kOrigin + 2);
        EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, kOrigin, c.op), Rec(1, kOrigin + 1, c.imm)}));
    }
}

TEST(ExecOps, RegisterAluGroupsUseTheSourceField) {
    Start(kOrigin, {0x80, 0x89, 0x92, 0x9B, 0xA4, 0xAD, 0xB6, 0xBF});
    g_Sim.m_regA = 0x10;
    g_Sim.m_regB = 0x05;             // ADD B -> 15
    g_Sim.m_regC = 0xF0;             // ADC C -> 05, CY
    g_Sim.m_regD = 0x01;             // SUB D -> 04
    g_Sim.m_regE = 0x03;             // SBB E -> 01
    g_Sim.m_regH = 0x21;             // ANA H -> 01
    g_Sim.m_regL = 0x03;             // XRA L -> 02
    g_Sim.m_pMemory[0x2103] = 0x80;  // ORA M -> 82
    Step(2);
    EXPECT_EQ(g_Sim.m_regA, 0x05);
    EXPECT_EQ(g_Sim.m_flagCY, 1);
    Step(2);
    EXPECT_EQ(g_Sim.m_regA, 0x01);  // 05 - 01 = 04 clears CY, then 04 - 03 - 0
    EXPECT_EQ(g_Sim.m_flagCY, 0);
    g_Sim.m_regA = 0x07;
    Step(3);
    EXPECT_EQ(g_Sim.m_regA, 0x82);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, kOrigin + 6, 0xB6), Rec(1, 0x2103, 0x80)}));
    Step();  // CMP A
    EXPECT_EQ(g_Sim.m_regA, 0x82);
    EXPECT_EQ(g_Sim.m_flagZ, 1);
    EXPECT_EQ(g_Sim.m_flagCY, 0);
}

TEST(ExecOps, EveryJumpConditionTakenAndNotTaken) {
    // Condition by opcode bits 5-3: flag, value that makes it hold.
    struct Cond {
        u8 CSimulator::*flag;
        u8 holdsWhen;
    };
    const Cond conds[8] = {{&CSimulator::m_flagZ, 0},  {&CSimulator::m_flagZ, 1}, {&CSimulator::m_flagCY, 0},
                           {&CSimulator::m_flagCY, 1}, {&CSimulator::m_flagP, 0}, {&CSimulator::m_flagP, 1},
                           {&CSimulator::m_flagS, 0},  {&CSimulator::m_flagS, 1}};
    for (int cc = 0; cc < 8; ++cc) {
        for (int holds = 0; holds < 2; ++holds) {
            const u8 value = holds ? conds[cc].holdsWhen : u8(1 - conds[cc].holdsWhen);
            const u8 jump = u8(0xC2 | cc << 3), call = u8(0xC4 | cc << 3), ret = u8(0xC0 | cc << 3);

            Start(kOrigin, {jump, 0x00, 0x50});
            g_Sim.*conds[cc].flag = value;
            Step();
            EXPECT_EQ(g_Sim.m_pc, holds ? 0x5000 : kOrigin + 3) << std::hex << int(jump);

            Start(kOrigin, {call, 0x00, 0x50});
            g_Sim.m_sp = 0x3000;
            g_Sim.*conds[cc].flag = value;
            Step();
            EXPECT_EQ(g_Sim.m_pc, holds ? 0x5000 : kOrigin + 3) << std::hex << int(call);
            EXPECT_EQ(g_Sim.m_sp, holds ? 0x2FFE : 0x3000);

            Start(kOrigin, {ret});
            g_Sim.m_sp = 0x3000;
            Load(0x3000, {0x21, 0x43});
            g_Sim.*conds[cc].flag = value;
            Step();
            EXPECT_EQ(g_Sim.m_pc, holds ? 0x4321 : kOrigin + 1) << std::hex << int(ret);
            EXPECT_EQ(g_Sim.m_sp, holds ? 0x3002 : 0x3000);
        }
    }
}

TEST(ExecOps, TakenJumpRecordsHoldTheOperandBytes) {
    Start(kOrigin, {0xC2, 0x78, 0x56});  // JNZ 5678
    Step();
    EXPECT_EQ(Records(),
              (std::vector<u32>{Rec(0, kOrigin, 0xC2), Rec(1, kOrigin + 1, 0x78), Rec(1, kOrigin + 2, 0x56)}));
    EXPECT_EQ(g_Sim.m_lastTStates, 10);
    Start(kOrigin, {0xC2, 0x78, 0x56});
    g_Sim.m_flagZ = 1;
    Step();
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, kOrigin, 0xC2)}));
    EXPECT_EQ(g_Sim.m_lastTStates, 7);
}

TEST(ExecOps, CallRetAndRstRecordsAndStack) {
    Start(kOrigin, {0xCD, 0x00, 0x50});  // CALL 5000
    g_Sim.m_sp = 0x3000;
    Load(0x5000, {0xC9});  // RET
    Step();
    EXPECT_EQ(g_Sim.m_pc, 0x5000);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(5, kOrigin, 0xCD), Rec(1, kOrigin + 1, 0x00), Rec(1, kOrigin + 2, 0x50),
                                           Rec(2, 0x2FFF, 0x40), Rec(2, 0x2FFE, 0x03)}));
    Step();
    EXPECT_EQ(g_Sim.m_pc, kOrigin + 3);
    EXPECT_EQ(g_Sim.m_sp, 0x3000);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, 0x5000, 0xC9), Rec(1, 0x2FFE, 0x03), Rec(1, 0x2FFF, 0x40)}));

    for (int n = 0; n < 8; ++n) {
        const u8 rst = u8(0xC7 | n << 3);
        Start(kOrigin, {rst});
        g_Sim.m_sp = 0x3000;
        Step();
        EXPECT_EQ(g_Sim.m_pc, 8 * n);
        EXPECT_EQ(Records(), (std::vector<u32>{Rec(5, kOrigin, rst), Rec(2, 0x2FFF, 0x40), Rec(2, 0x2FFE, 0x01)}));
    }
}

TEST(ExecOps, RcTakenRecordsTheSixStateFetchAndThePoppedBytes) {
    Start(kOrigin, {0xD8});  // RC
    g_Sim.m_flagCY = 1;
    g_Sim.m_sp = 0x3000;
    Load(0x3000, {0x34, 0x12});
    Step();
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(5, kOrigin, 0xD8), Rec(1, 0x3000, 0x34), Rec(1, 0x3001, 0x12)}));
    EXPECT_EQ(g_Sim.m_pc, 0x1234);
}

TEST(ExecOps, PushPopEveryPairWithRecords) {
    Start(kOrigin, {0xC5, 0xD5, 0xE5, 0xF5, 0xC1, 0xD1, 0xE1, 0xF1});
    g_Sim.m_sp = 0x3000;
    g_Sim.m_regB = 0x01;
    g_Sim.m_regC = 0x02;
    g_Sim.m_regD = 0x03;
    g_Sim.m_regE = 0x04;
    g_Sim.m_regH = 0x05;
    g_Sim.m_regL = 0x06;
    g_Sim.m_regA = 0x07;
    g_Sim.m_flagCY = 1;
    Step();
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(5, kOrigin, 0xC5), Rec(2, 0x2FFF, 0x01), Rec(2, 0x2FFE, 0x02)}));
    Step(3);
    EXPECT_EQ(g_Sim.m_sp, 0x2FF8);
    EXPECT_EQ(g_Sim.m_pMemory[0x2FF9], 0x07);
    EXPECT_EQ(g_Sim.m_pMemory[0x2FF8], 0x01);
    Step();  // POP B takes the PSW image
    EXPECT_EQ(BC(), 0x0701);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, kOrigin + 4, 0xC1), Rec(1, 0x2FF8, 0x01), Rec(1, 0x2FF9, 0x07)}));
    Step(3);  // POP D, POP H, POP PSW
    EXPECT_EQ(DE(), 0x0506);
    EXPECT_EQ(HL(), 0x0304);
    EXPECT_EQ(g_Sim.m_regA, 0x01);
    EXPECT_EQ(g_Sim.m_flagCY, 0);  // from the low byte 02h
    EXPECT_EQ(g_Sim.m_sp, 0x3000);
}

TEST(ExecOps, PushPswPacksDocumentedFlagsWithBits531Zero) {
    Start(kOrigin, {0xF5});
    g_Sim.m_sp = 0x3000;
    g_Sim.m_regA = 0xA5;
    g_Sim.m_flagS = g_Sim.m_flagZ = g_Sim.m_flagAC = g_Sim.m_flagP = g_Sim.m_flagCY = 1;
    g_Sim.m_flagX5 = g_Sim.m_flagV = 1;
    Step();
    EXPECT_EQ(g_Sim.m_pMemory[0x2FFE], 0xD5);
    EXPECT_EQ(g_Sim.m_pMemory[0x2FFF], 0xA5);

    const struct {
        u8 flag;
        u8 CSimulator::*member;
    } bits[] = {{0x80, &CSimulator::m_flagS},
                {0x40, &CSimulator::m_flagZ},
                {0x10, &CSimulator::m_flagAC},
                {0x04, &CSimulator::m_flagP},
                {0x01, &CSimulator::m_flagCY}};
    for (const auto& bit : bits) {
        Start(kOrigin, {0xF5});
        g_Sim.m_sp = 0x3000;
        g_Sim.*bit.member = 1;
        Step();
        EXPECT_EQ(g_Sim.m_pMemory[0x2FFE], bit.flag);
    }
}

TEST(ExecOps, PopPswLoadsDocumentedFlagsAndLeavesX5AndV) {
    Start(kOrigin, {0xF1, 0xF1});
    g_Sim.m_sp = 0x3000;
    Load(0x3000, {0xFF, 0x3C, 0x00, 0xC3});
    g_Sim.m_flagX5 = 0;
    g_Sim.m_flagV = 1;
    Step();
    EXPECT_EQ(g_Sim.m_regA, 0x3C);
    EXPECT_EQ(g_Sim.m_flagS + g_Sim.m_flagZ + g_Sim.m_flagAC + g_Sim.m_flagP + g_Sim.m_flagCY, 5);
    EXPECT_EQ(g_Sim.m_flagX5, 0);
    EXPECT_EQ(g_Sim.m_flagV, 1);
    Step();
    EXPECT_EQ(g_Sim.m_regA, 0xC3);
    EXPECT_EQ(g_Sim.m_flagS + g_Sim.m_flagZ + g_Sim.m_flagAC + g_Sim.m_flagP + g_Sim.m_flagCY, 0);
    EXPECT_EQ(g_Sim.m_flagV, 1);
}

TEST(ExecOps, OutRecordsBeforeWritingAndInRecordsTheValueRead) {
    Start(kOrigin, {0xD3, 0x42, 0xDB, 0x17});
    g_Sim.m_regA = 0x9C;
    Step();
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(0, kOrigin, 0xD3), Rec(1, kOrigin + 1, 0x42), Rec(4, 0x4242, 0x9C)}));
    EXPECT_EQ(g_Sim.m_pc, kOrigin + 2);
    Step();  // no device at port 17h: A keeps its value and the read records it
    EXPECT_EQ(g_Sim.m_regA, 0x9C);
    EXPECT_EQ(Records(),
              (std::vector<u32>{Rec(0, kOrigin + 2, 0xDB), Rec(1, kOrigin + 3, 0x17), Rec(3, 0x1717, 0x9C)}));
    EXPECT_EQ(g_Sim.m_pc, kOrigin + 4);
}

TEST(ExecOps, AddressesWrapAtTheTopOfMemory) {
    Start(0xFFFE, {0x01});  // LXI B with its operand at FFFF and 0000
    Load(0xFFFF, {0x34});
    Load(0x0000, {0x12});
    Step();
    EXPECT_EQ(BC(), 0x1234);
    EXPECT_EQ(g_Sim.m_pc, 0x0001);
    EXPECT_EQ(Records()[2], Rec(1, 0x0000, 0x12));

    Start(0xFFFF, {0x00});  // NOP at the last address
    Step();
    EXPECT_EQ(g_Sim.m_pc, 0x0000);

    Start(kOrigin, {0x22, 0xFF, 0xFF, 0x2A, 0xFF, 0xFF});  // SHLD FFFF; LHLD FFFF
    SetHL(0xBEEF);
    Step();
    EXPECT_EQ(g_Sim.m_pMemory[0xFFFF], 0xEF);
    EXPECT_EQ(g_Sim.m_pMemory[0x0000], 0xBE);
    EXPECT_EQ(Records()[4], Rec(2, 0x0000, 0xBE));
    SetHL(0);
    Step();
    EXPECT_EQ(HL(), 0xBEEF);

    Start(kOrigin, {0xC5});  // PUSH B at SP 0001
    g_Sim.m_sp = 0x0001;
    g_Sim.m_regB = 0xAB;
    g_Sim.m_regC = 0xCD;
    Step();
    EXPECT_EQ(g_Sim.m_pMemory[0x0000], 0xAB);
    EXPECT_EQ(g_Sim.m_pMemory[0xFFFF], 0xCD);
    EXPECT_EQ(g_Sim.m_sp, 0xFFFF);
    EXPECT_EQ(Records(), (std::vector<u32>{Rec(5, kOrigin, 0xC5), Rec(2, 0x0000, 0xAB), Rec(2, 0xFFFF, 0xCD)}));

    Start(kOrigin, {0xC1});  // POP B at SP FFFF
    g_Sim.m_sp = 0xFFFF;
    Load(0xFFFF, {0x22});
    Load(0x0000, {0x11});
    Step();
    EXPECT_EQ(BC(), 0x1122);
    EXPECT_EQ(g_Sim.m_sp, 0x0001);
    EXPECT_EQ(Records()[2], Rec(1, 0x0000, 0x11));

    Start(0xFFFF, {0xFF});  // RST 7 at FFFF pushes 0000
    g_Sim.m_sp = 0x0000;
    Step();
    EXPECT_EQ(g_Sim.m_pc, 0x0038);
    EXPECT_EQ(g_Sim.m_pMemory[0xFFFF], 0x00);
    EXPECT_EQ(g_Sim.m_pMemory[0xFFFE], 0x00);
    EXPECT_EQ(g_Sim.m_sp, 0xFFFE);

    Start(kOrigin, {0xE3});  // XTHL at SP FFFF
    g_Sim.m_sp = 0xFFFF;
    Load(0xFFFF, {0x01});
    Load(0x0000, {0x02});
    SetHL(0x0A0B);
    Step();
    EXPECT_EQ(HL(), 0x0201);
    EXPECT_EQ(g_Sim.m_pMemory[0x0000], 0x0A);
    EXPECT_EQ(Records()[4], Rec(2, 0x0000, 0x0A));
}
