#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "tests/support/PowerOn.h"

TEST(MachineState, PowerOnMemoryMapAndZeroMemory) {
    StartFromPowerOn();
    EXPECT_EQ(g_Sim.m_EpromStart[0], 0x0000);
    EXPECT_EQ(g_Sim.m_EpromEnd[0], 0x1FFF);
    EXPECT_EQ(g_Sim.m_RamStart[0], 0xE000);
    EXPECT_EQ(g_Sim.m_RamEnd[0], 0xFFFF);
    EXPECT_EQ(g_Sim.m_nEpromBanks, 1);
    EXPECT_EQ(g_Sim.m_nRamBanks, 1);
    for (u32 a = 0; a < kMemorySize; ++a) ASSERT_EQ(g_Sim.m_pMemory[a], 0) << a;
}

TEST(MachineState, ResetKeepsIeUndocumentedFlagsMemoryAndStackDepth) {
    StartFromPowerOn();
    g_Sim.m_regA = 0x12;
    g_Sim.m_regL = 0x34;
    g_Sim.m_flagCY = 1;
    g_Sim.m_flagS = 1;
    g_Sim.m_intEnable = 1;
    g_Sim.m_flagX5 = 1;
    g_Sim.m_flagV = 1;
    g_Sim.m_stackDepth = 6;
    g_Sim.m_maxStackDepth = 8;
    g_Sim.SetTStates(99);
    g_Sim.m_pendTrap = 1;
    g_Sim.m_stackValid = 1;
    g_Sim.m_pc = 0x1234;
    g_Sim.m_pMemory[0x100] = 0xAA;
    g_Sim.Reset();
    EXPECT_EQ(g_Sim.m_sp, 0xFFF0);
    EXPECT_EQ(g_Sim.m_pc, 0x0000);
    EXPECT_EQ(g_Sim.m_regA, 0);
    EXPECT_EQ(g_Sim.m_regL, 0);
    EXPECT_EQ(g_Sim.m_flagCY, 0);
    EXPECT_EQ(g_Sim.m_flagS, 0);
    EXPECT_EQ(g_Sim.m_mask55, 1);
    EXPECT_EQ(g_Sim.m_mask65, 1);
    EXPECT_EQ(g_Sim.m_mask75, 1);
    EXPECT_EQ(g_Sim.m_pendTrap, 0);
    EXPECT_EQ(g_Sim.m_stackValid, 0);
    EXPECT_EQ(g_Sim.TStates(), 0u);
    EXPECT_EQ(g_Sim.m_intEnable, 1);
    EXPECT_EQ(g_Sim.m_flagX5, 1);
    EXPECT_EQ(g_Sim.m_flagV, 1);
    EXPECT_EQ(g_Sim.m_stackDepth, 6);
    EXPECT_EQ(g_Sim.m_maxStackDepth, 8);
    EXPECT_EQ(g_Sim.m_pMemory[0x100], 0xAA);
}

TEST(MachineState, PowerOnDefaultsOfMapLcd8279AndWatches) {
    StartFromPowerOn();
    for (int bank = 1; bank < kMaxMemBanks; ++bank) {
        EXPECT_EQ(g_Sim.m_EpromStart[bank], 0x0000) << bank;
        EXPECT_EQ(g_Sim.m_EpromEnd[bank], 0x0000) << bank;
        EXPECT_EQ(g_Sim.m_RamStart[bank], 0xE000) << bank;
        EXPECT_EQ(g_Sim.m_RamEnd[bank], 0xFFFF) << bank;
    }
    EXPECT_EQ(g_Sim.m_nLcdCharsLogical, 8);
    EXPECT_EQ(g_Sim.m_nLcdCharsPhysical, 16);
    for (char c : g_Sim.m_LcdRam) ASSERT_EQ(c, ' ');
    EXPECT_EQ(g_Sim.m_n8279Prescaler, 31);
    EXPECT_EQ(g_Sim.m_nMemWatchCount, 0);
    EXPECT_EQ(g_Sim.m_nIOWatchCount, 0);
    EXPECT_EQ(g_nBreakpointCount, 0u);
    EXPECT_EQ(g_Sim.m_stackValid, 0);
}

TEST(MachineState, ResetClearsAllRegistersAndDocumentedFlags) {
    StartFromPowerOn();
    g_Sim.m_regA = g_Sim.m_regB = g_Sim.m_regC = g_Sim.m_regD = 0xFF;
    g_Sim.m_regE = g_Sim.m_regH = g_Sim.m_regL = 0xFF;
    g_Sim.m_flagS = g_Sim.m_flagZ = g_Sim.m_flagAC = g_Sim.m_flagP = g_Sim.m_flagCY = 1;
    g_Sim.m_mask55 = g_Sim.m_mask65 = g_Sim.m_mask75 = 0;
    g_Sim.m_pendRst55 = g_Sim.m_pendRst65 = g_Sim.m_pendRst75 = g_Sim.m_pendTrap = 1;
    g_Sim.m_sp = 0x1234;
    g_Sim.Reset();
    for (u8 r : {g_Sim.m_regA, g_Sim.m_regB, g_Sim.m_regC, g_Sim.m_regD, g_Sim.m_regE, g_Sim.m_regH, g_Sim.m_regL})
        EXPECT_EQ(r, 0);
    for (u8 f : {g_Sim.m_flagS, g_Sim.m_flagZ, g_Sim.m_flagAC, g_Sim.m_flagP, g_Sim.m_flagCY}) EXPECT_EQ(f, 0);
    for (u8 m : {g_Sim.m_mask55, g_Sim.m_mask65, g_Sim.m_mask75}) EXPECT_EQ(m, 1);
    for (u8 p : {g_Sim.m_pendRst55, g_Sim.m_pendRst65, g_Sim.m_pendRst75, g_Sim.m_pendTrap}) EXPECT_EQ(p, 0);
    EXPECT_EQ(g_Sim.m_sp, 0xFFF0);
}

TEST(MachineState, ResetKeepsBreakpointsWatchesMapAndRunState) {
    StartFromPowerOn();
    g_Sim.ToggleBreakpoint(0x2000);
    g_Sim.ToggleBreakpoint(0x2005);
    g_Sim.m_MemWatchAddr[0] = 0x8000;
    g_Sim.m_nMemWatchCount = 1;
    g_IOWatchKind[0] = 8255;
    g_IOWatchIndex[0] = 1;
    g_IOWatchValid[0] = 1;
    g_Sim.m_nIOWatchCount = 1;
    g_Sim.m_EpromEnd[1] = 0x3FFF;
    g_Sim.m_nEpromBanks = 2;
    g_Sim.m_bRunning = 1;
    g_Sim.m_bStopRequest = 1;
    g_Sim.m_bRebuildPortsOnStep = 1;
    g_Sim.m_eiDelay = 1;
    g_Sim.m_trapSavedIE = static_cast<i8>(0x81);
    g_Sim.m_lastTStates = 10;
    g_busCycleCount = 2;
    g_busCycles[1] = 0x02123456;

    g_Sim.Reset();

    EXPECT_EQ(g_nBreakpointCount, 2u);
    EXPECT_EQ(g_Sim.FindBreakpoint(0x2005), 2u);
    EXPECT_EQ(g_Sim.m_nMemWatchCount, 1);
    EXPECT_EQ(g_Sim.m_MemWatchAddr[0], 0x8000);
    EXPECT_EQ(g_Sim.m_nIOWatchCount, 1);
    EXPECT_EQ(g_IOWatchKind[0], 8255);
    EXPECT_EQ(g_IOWatchIndex[0], 1);
    EXPECT_EQ(g_IOWatchValid[0], 1);
    EXPECT_EQ(g_Sim.m_EpromEnd[1], 0x3FFF);
    EXPECT_EQ(g_Sim.m_nEpromBanks, 2);
    EXPECT_EQ(g_Sim.m_bRunning, 1u);
    EXPECT_EQ(g_Sim.m_bStopRequest, 1u);
    EXPECT_EQ(g_Sim.m_bRebuildPortsOnStep, 1u);
    EXPECT_EQ(g_Sim.m_eiDelay, 1);
    EXPECT_EQ(g_Sim.m_trapSavedIE, static_cast<i8>(0x81));
    EXPECT_EQ(g_Sim.m_lastTStates, 10);
    EXPECT_EQ(g_busCycleCount, 2u);
    EXPECT_EQ(g_busCycles[1], 0x02123456u);
}

TEST(MachineState, NoInterruptBeforeTheStackIsLoadedAfterReset) {
    StartFromPowerOn();
    g_Sim.m_stackValid = 1;
    g_Sim.Reset();
    g_Sim.m_pc = 0x0100;
    g_Sim.m_intEnable = 1;
    g_Sim.m_mask55 = 0;
    g_Sim.m_pendTrap = 1;
    g_Sim.m_pendRst55 = 1;
    g_Sim.CheckInterrupts();
    EXPECT_EQ(g_Sim.m_pc, 0x0100);
    EXPECT_EQ(g_Sim.m_sp, 0xFFF0);
    EXPECT_EQ(g_Sim.m_pendTrap, 1);
    EXPECT_EQ(g_Sim.m_pendRst55, 1);

    // What LXI SP or SPHL records: from then on TRAP is served first.
    g_Sim.m_stackValid = 1;
    g_Sim.CheckInterrupts();
    EXPECT_EQ(g_Sim.m_pc, 0x0024);
    EXPECT_EQ(g_Sim.m_pendTrap, 0);
    EXPECT_EQ(g_Sim.m_pendRst55, 1);
}

TEST(MachineState, ProgramOpensTheInterruptGateByLoadingTheStack) {
    // Either way of loading SP opens the gate; until then even a pending TRAP
    // waits, and a Reset closes the gate again.
    struct Case {
        std::vector<u8> program;  // NOP, then instructions whose last one loads SP
        int waitingSteps;         // instructions run with TRAP still pending
        u16 stack;
    };
    const Case cases[] = {
        {{0x00, 0x31, 0x00, 0x30}, 1, 0x3000},        // NOP; LXI SP,3000
        {{0x00, 0x21, 0x00, 0x40, 0xF9}, 2, 0x4000},  // NOP; LXI H,4000; SPHL
    };
    for (const Case& c : cases) {
        StartFromPowerOn();
        std::copy(c.program.begin(), c.program.end(), g_Sim.m_pMemory);
        g_Sim.m_pendTrap = 1;
        for (int step = 0; step < c.waitingSteps; ++step) {
            g_Sim.ExecuteInstruction();
            EXPECT_EQ(g_Sim.m_pendTrap, 1) << step;
            EXPECT_NE(g_Sim.m_pc, 0x0024) << step;
        }
        g_Sim.ExecuteInstruction();
        EXPECT_EQ(g_Sim.m_pendTrap, 0);
        EXPECT_EQ(g_Sim.m_pc, 0x0024);
        EXPECT_EQ(g_Sim.m_sp, static_cast<u16>(c.stack - 2));
        EXPECT_EQ(g_Sim.m_pMemory[static_cast<u16>(c.stack - 2)], c.program.size());

        g_Sim.Reset();
        g_Sim.m_pendTrap = 1;
        g_Sim.ExecuteInstruction();
        EXPECT_EQ(g_Sim.m_pc, 0x0001);
        EXPECT_EQ(g_Sim.m_pendTrap, 1);
    }
}

TEST(MachineState, FillHugeFillsExactlyTheCountAcrossPieces) {
    std::vector<u8> block(70000 + 2, 0xEE);
    CSimulator::FillHuge(block.data() + 1, 0x5A, 70000);
    EXPECT_EQ(block.front(), 0xEE);
    EXPECT_EQ(block.back(), 0xEE);
    for (std::size_t i = 1; i <= 70000; ++i) ASSERT_EQ(block[i], 0x5A) << i;
}

TEST(MachineStateDeathTest, OutOfMemoryReportsAndEndsWithExitCodeZero) {
    EXPECT_EXIT(CSimulator::OutOfMemory(), ::testing::ExitedWithCode(0), "Not enough memory");
}
