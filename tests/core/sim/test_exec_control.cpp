// Interrupt-related control: EI delay, DI, HLT, RIM and SIM, and the order of
// the end-of-instruction steps against the interrupt check.
#include <gtest/gtest.h>
#include <initializer_list>

#include "tests/support/ProgramStart.h"

namespace {

constexpr u16 kOrigin = 0x4000;
constexpr u16 kRst65Vector = 0x0034;
constexpr u16 kTrapVector = 0x0024;
constexpr u8 kNop = 0x00, kEi = 0xFB, kDi = 0xF3, kHlt = 0x76, kRim = 0x20, kSim = 0x30;

void Start(std::initializer_list<u8> bytes) {
    StartProgram(kOrigin, bytes);
    g_Sim.m_stackValid = 1;
}

void Step() { g_Sim.ExecuteInstruction(); }

// A pending RST 6.5 request that only IE keeps out.
void RequestUnmaskedRst65() {
    g_Sim.m_mask65 = 0;
    g_Sim.m_pendRst65 = 1;
}

}  // namespace

TEST(ExecControl, EiEnablesInterruptsAfterTheFollowingInstruction) {
    Start({kEi, kNop, kNop, kNop});
    Step();
    EXPECT_EQ(g_Sim.m_intEnable, 0);
    EXPECT_EQ(g_Sim.m_eiDelay, 2);
    Step();
    EXPECT_EQ(g_Sim.m_intEnable, 1);
    EXPECT_EQ(g_Sim.m_eiDelay, 0);
}

TEST(ExecControl, RequestPendingAtEiIsTakenAtTheEndOfTheSecondInstructionAfterIt) {
    Start({kEi, kNop, kNop, kNop});
    RequestUnmaskedRst65();
    Step();  // EI
    EXPECT_EQ(g_Sim.m_pc, kOrigin + 1);
    Step();  // NOP: IE becomes 1 only after this boundary's check
    EXPECT_EQ(g_Sim.m_pc, kOrigin + 2);
    EXPECT_EQ(g_Sim.m_pendRst65, 1);
    Step();  // NOP: now accepted
    EXPECT_EQ(g_Sim.m_pc, kRst65Vector);
    EXPECT_EQ(g_Sim.m_pendRst65, 0);
    EXPECT_EQ(g_Sim.m_intEnable, 0);
    EXPECT_EQ(g_Sim.m_pMemory[0x2FFF], u8((kOrigin + 3) >> 8));
    EXPECT_EQ(g_Sim.m_pMemory[0x2FFE], u8(kOrigin + 3));
}

TEST(ExecControl, AcceptedInterruptAppendsItsPushOnlyToShortRecordLists) {
    Start({kNop});
    g_Sim.m_intEnable = 1;
    RequestUnmaskedRst65();
    Step();
    ASSERT_EQ(g_busCycleCount, 3u);
    EXPECT_EQ(g_busCycles[1], u32(2) << 24 | u32(0x2FFF) << 8 | u8((kOrigin + 1) >> 8));
    EXPECT_EQ(g_busCycles[2], u32(2) << 24 | u32(0x2FFE) << 8 | u8(kOrigin + 1));

    Start({0x01, 0x22, 0x11});  // LXI B: three records, the push fills the list
    g_Sim.m_intEnable = 1;
    RequestUnmaskedRst65();
    Step();
    ASSERT_EQ(g_busCycleCount, 5u);
    EXPECT_EQ(g_busCycles[3], u32(2) << 24 | u32(0x2FFF) << 8 | u8((kOrigin + 3) >> 8));
    EXPECT_EQ(g_busCycles[4], u32(2) << 24 | u32(0x2FFE) << 8 | u8(kOrigin + 3));

    Start({0x32, 0x00, 0x50});  // STA: four records already
    g_Sim.m_intEnable = 1;
    RequestUnmaskedRst65();
    Step();
    EXPECT_EQ(g_busCycleCount, 4u);
    EXPECT_EQ(g_busCycles[3], u32(2) << 24 | u32(0x5000) << 8 | g_Sim.m_regA);
    EXPECT_EQ(g_Sim.m_pc, kRst65Vector);
    EXPECT_EQ(g_Sim.m_pMemory[0x2FFE], u8(kOrigin + 3));

    Start({0xCD, 0x00, 0x50});  // CALL: five records already
    g_Sim.m_intEnable = 1;
    RequestUnmaskedRst65();
    Step();
    EXPECT_EQ(g_busCycleCount, 5u);
    EXPECT_EQ(g_Sim.m_pc, kRst65Vector);
    EXPECT_EQ(g_Sim.m_sp, 0x2FFC);
}

TEST(ExecControl, DiCancelsARunningEiDelayAndEiRestartsIt) {
    Start({kEi, kDi, kNop, kNop});
    Step();
    Step();
    EXPECT_EQ(g_Sim.m_eiDelay, 0);
    EXPECT_EQ(g_Sim.m_intEnable, 0);
    Step();
    EXPECT_EQ(g_Sim.m_intEnable, 0);

    Start({kEi, kEi, kNop, kNop});
    Step();
    Step();  // restarts at 1, armed again at its own end
    EXPECT_EQ(g_Sim.m_intEnable, 0);
    EXPECT_EQ(g_Sim.m_eiDelay, 2);
    Step();
    EXPECT_EQ(g_Sim.m_intEnable, 1);

    Start({kDi});
    g_Sim.m_intEnable = 1;
    Step();
    EXPECT_EQ(g_Sim.m_intEnable, 0);
}

TEST(ExecControl, HaltEndsWithoutTickInterruptOrEiStep) {
    Start({kEi, kHlt, kNop});
    g_Sim.m_pendTrap = 1;
    g_Sim.m_stackValid = 0;
    Step();  // EI: TRAP held off by the invalid stack
    g_Sim.m_stackValid = 1;
    const u64 before = g_Sim.TStates();
    Step();  // HLT
    EXPECT_EQ(g_Sim.m_pc, kOrigin + 2);
    EXPECT_EQ(g_Sim.TStates() - before, 5u);
    EXPECT_EQ(g_Sim.m_lastTStates, 5);
    EXPECT_EQ(g_Sim.m_pendTrap, 1);
    EXPECT_EQ(g_Sim.m_eiDelay, 2);
    EXPECT_EQ(g_Sim.m_intEnable, 0);
    EXPECT_EQ(g_busCycleCount, 1u);
    EXPECT_EQ(g_busCycles[0], u32(kOrigin + 1) << 8 | kHlt);
    Step();  // NOP: TRAP accepted, then the EI step sets IE
    EXPECT_EQ(g_Sim.m_pc, kTrapVector);
    EXPECT_EQ(g_Sim.m_intEnable, 1);
}

TEST(ExecControl, RimReportsMasksIeAndInputs) {
    Start({kRim, kRim});
    g_Sim.m_mask75 = 1;
    g_Sim.m_mask65 = 0;
    g_Sim.m_mask55 = 1;
    g_Sim.m_intEnable = 1;
    Step();
    EXPECT_EQ(g_Sim.m_regA, 0x0D);
    g_Sim.m_sid = 1;
    g_Sim.m_rimPending75 = 1;
    g_Sim.m_rimPending55 = 1;
    g_Sim.m_intEnable = 0;
    g_Sim.m_mask75 = g_Sim.m_mask65 = g_Sim.m_mask55 = 0;
    Step();
    EXPECT_EQ(g_Sim.m_regA, 0xD0);
}

TEST(ExecControl, RimAfterTrapReportsTheIeSavedByTheTrapOnce) {
    Start({kNop});
    g_Sim.m_intEnable = 1;
    g_Sim.m_mask75 = g_Sim.m_mask65 = g_Sim.m_mask55 = 0;
    g_Sim.m_pendTrap = 1;
    g_Sim.m_pMemory[kTrapVector] = kRim;
    g_Sim.m_pMemory[kTrapVector + 1] = kRim;
    Step();  // NOP, TRAP accepted: IE cleared
    ASSERT_EQ(g_Sim.m_pc, kTrapVector);
    EXPECT_EQ(g_Sim.m_intEnable, 0);
    Step();
    EXPECT_EQ(g_Sim.m_regA, 0x08);  // IE before the TRAP
    EXPECT_EQ(g_Sim.m_trapSavedIE, 0);
    Step();
    EXPECT_EQ(g_Sim.m_regA, 0x00);  // the current IE
}

TEST(ExecControl, SimSetsMasksOnlyWithMaskSetEnable) {
    Start({kSim, kSim, kSim});
    g_Sim.m_pendRst75 = 1;
    g_Sim.m_regA = 0xF7;  // bit 3 clear: nothing changes
    Step();
    EXPECT_EQ(g_Sim.m_mask55 + g_Sim.m_mask65 + g_Sim.m_mask75, 3);
    g_Sim.m_regA = 0x1A;  // M6.5 only; bit 4 (reset RST 7.5) is ignored
    Step();
    EXPECT_EQ(g_Sim.m_mask55, 0);
    EXPECT_EQ(g_Sim.m_mask65, 1);
    EXPECT_EQ(g_Sim.m_mask75, 0);
    EXPECT_EQ(g_Sim.m_pendRst75, 1);
    g_Sim.m_regA = 0x0F;
    Step();
    EXPECT_EQ(g_Sim.m_mask55 + g_Sim.m_mask65 + g_Sim.m_mask75, 3);
    EXPECT_EQ(g_Sim.m_lastTStates, 4);
}
