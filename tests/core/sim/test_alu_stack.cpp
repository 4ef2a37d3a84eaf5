// Push and Pop: memory, SP wrap, the stack depth counters and the rule for
// appending Push's write records to the bus-cycle list.
#include <gtest/gtest.h>

#include "sim/AluInline.h"
#include "tests/support/PowerOn.h"

namespace {

u32 Write(u16 address, u8 data) { return u32(2) << 24 | u32(address) << 8 | data; }

}  // namespace

TEST(AluStack, PushAppendsItsWritesOnlyToListsOfOneToThreeRecords) {
    for (u32 count = 0; count <= 5; ++count) {
        StartFromPowerOn();
        for (u32 i = 0; i < 5; ++i) g_busCycles[i] = 0xEEEEEEEE;
        g_busCycleCount = count;
        g_Sim.m_sp = 0x2000;
        g_Sim.Push(0xAB, 0xCD);
        EXPECT_EQ(g_Sim.m_pMemory[0x1FFF], 0xAB);
        EXPECT_EQ(g_Sim.m_pMemory[0x1FFE], 0xCD);
        EXPECT_EQ(g_Sim.m_sp, 0x1FFE);
        EXPECT_EQ(g_Sim.m_stackDepth, 2);
        if (count >= 1 && count <= 3) {
            ASSERT_EQ(g_busCycleCount, count + 2);
            EXPECT_EQ(g_busCycles[count], Write(0x1FFF, 0xAB));
            EXPECT_EQ(g_busCycles[count + 1], Write(0x1FFE, 0xCD));
        } else {
            EXPECT_EQ(g_busCycleCount, count);
            for (u32 i = 0; i < 5; ++i) EXPECT_EQ(g_busCycles[i], 0xEEEEEEEEu);
        }
    }
}

TEST(AluStack, PushAndPopWrapAroundMemory) {
    StartFromPowerOn();
    g_Sim.m_sp = 0x0000;
    g_busCycleCount = 1;
    g_Sim.Push(0x12, 0x34);
    EXPECT_EQ(g_Sim.m_pMemory[0xFFFF], 0x12);
    EXPECT_EQ(g_Sim.m_pMemory[0xFFFE], 0x34);
    EXPECT_EQ(g_Sim.m_sp, 0xFFFE);
    EXPECT_EQ(g_busCycles[1], Write(0xFFFF, 0x12));

    g_Sim.m_sp = 0xFFFF;
    g_Sim.m_pMemory[0xFFFF] = 0x78;
    g_Sim.m_pMemory[0x0000] = 0x56;
    EXPECT_EQ(g_Sim.Pop(), 0x5678);
    EXPECT_EQ(g_Sim.m_sp, 0x0001);
}

TEST(AluStack, DepthCountersTrackTheDeepestPointAndWrap) {
    StartFromPowerOn();
    g_Sim.m_sp = 0x2000;
    g_Sim.Push(1, 2);
    g_Sim.Push(3, 4);
    g_Sim.Push(5, 6);
    EXPECT_EQ(g_Sim.m_stackDepth, 6);
    EXPECT_EQ(g_Sim.m_maxStackDepth, 6);
    EXPECT_EQ(g_Sim.Pop(), 0x0506);
    EXPECT_EQ(g_Sim.Pop(), 0x0304);
    g_Sim.Push(7, 8);
    EXPECT_EQ(g_Sim.m_stackDepth, 4);
    EXPECT_EQ(g_Sim.m_maxStackDepth, 6);
    g_Sim.Pop();
    g_Sim.Pop();
    g_Sim.Pop();  // one more pop than pushes
    EXPECT_EQ(g_Sim.m_stackDepth, 65534);
    EXPECT_EQ(g_Sim.m_maxStackDepth, 6);  // only a push raises the maximum
    g_Sim.Pop();
    EXPECT_EQ(g_Sim.m_stackDepth, 65532);
    EXPECT_EQ(g_Sim.m_sp, 0x2004);
    g_Sim.Push(9, 9);
    EXPECT_EQ(g_Sim.m_maxStackDepth, 65534);
}

TEST(AluStack, PopReadsLowThenHighWithoutRecords) {
    StartFromPowerOn();
    g_busCycleCount = 1;
    g_Sim.m_sp = 0x3000;
    g_Sim.m_pMemory[0x3000] = 0xCD;
    g_Sim.m_pMemory[0x3001] = 0xAB;
    EXPECT_EQ(g_Sim.Pop(), 0xABCD);
    EXPECT_EQ(g_Sim.m_sp, 0x3002);
    EXPECT_EQ(g_busCycleCount, 1u);
}
