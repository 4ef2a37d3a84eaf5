#include "PowerOn.h"

#include <gtest/gtest.h>

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
    g_Sim.m_regA = 0x12; g_Sim.m_regL = 0x34; g_Sim.m_flagCY = 1; g_Sim.m_flagS = 1;
    g_Sim.m_intEnable = 1; g_Sim.m_flagX5 = 1; g_Sim.m_flagV = 1;
    g_Sim.m_stackDepth = 6; g_Sim.m_maxStackDepth = 8; g_Sim.m_tStates = 99;
    g_Sim.m_pendTrap = 1; g_Sim.m_stackValid = 1; g_Sim.m_pc = 0x1234;
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
    EXPECT_EQ(g_Sim.m_tStates, 0u);
    EXPECT_EQ(g_Sim.m_intEnable, 1);
    EXPECT_EQ(g_Sim.m_flagX5, 1);
    EXPECT_EQ(g_Sim.m_flagV, 1);
    EXPECT_EQ(g_Sim.m_stackDepth, 6);
    EXPECT_EQ(g_Sim.m_maxStackDepth, 8);
    EXPECT_EQ(g_Sim.m_pMemory[0x100], 0xAA);
}
