#include <cstring>
#include <gtest/gtest.h>

#include "tests/support/PowerOn.h"

namespace {
constexpr u16 kStackTop = 0xF000;
constexpr u16 kInterruptedPc = 0x1234;

// A program that has loaded SP, with all three RST inputs unmasked and IE on.
void StartWithValidStack() {
    StartFromPowerOn();
    g_Sim.m_sp = kStackTop;
    g_Sim.m_stackValid = 1;
    g_Sim.m_pc = kInterruptedPc;
    g_Sim.m_intEnable = 1;
    g_Sim.m_mask55 = g_Sim.m_mask65 = g_Sim.m_mask75 = 0;
}

void ExpectPushedInterruptedPc() {
    EXPECT_EQ(g_Sim.m_sp, kStackTop - 2);
    EXPECT_EQ(g_Sim.m_pMemory[kStackTop - 1], kInterruptedPc >> 8);
    EXPECT_EQ(g_Sim.m_pMemory[kStackTop - 2], kInterruptedPc & 0xFF);
}
}  // namespace

TEST(InterruptAcceptance, TrapPushesVectorsAndSavesIe) {
    StartWithValidStack();
    g_Sim.m_pendTrap = 1;
    g_Sim.CheckInterrupts();
    EXPECT_EQ(g_Sim.m_pc, 0x0024);
    ExpectPushedInterruptedPc();
    EXPECT_EQ(static_cast<u8>(g_Sim.m_trapSavedIE), 0x81);
    EXPECT_EQ(g_Sim.m_intEnable, 0);
    EXPECT_EQ(g_Sim.m_pendTrap, 0);
    EXPECT_EQ(g_Sim.m_stackDepth, 2);
}

TEST(InterruptAcceptance, TrapIgnoresIeAndMasks) {
    StartWithValidStack();
    g_Sim.m_intEnable = 0;
    g_Sim.m_mask55 = g_Sim.m_mask65 = g_Sim.m_mask75 = 1;
    g_Sim.m_pendTrap = 1;
    g_Sim.m_pendRst75 = 1;
    g_Sim.CheckInterrupts();
    EXPECT_EQ(g_Sim.m_pc, 0x0024);
    EXPECT_EQ(static_cast<u8>(g_Sim.m_trapSavedIE), 0x80);
    EXPECT_LT(g_Sim.m_trapSavedIE, 0);
    EXPECT_EQ(g_Sim.m_pendRst75, 1);
}

TEST(InterruptAcceptance, NothingBeforeTheProgramLoadsSp) {
    StartWithValidStack();
    g_Sim.m_stackValid = 0;
    g_Sim.m_pendTrap = 1;
    g_Sim.m_pendRst75 = g_Sim.m_pendRst65 = g_Sim.m_pendRst55 = 1;
    g_Sim.CheckInterrupts();
    EXPECT_EQ(g_Sim.m_pc, kInterruptedPc);
    EXPECT_EQ(g_Sim.m_sp, kStackTop);
    EXPECT_EQ(g_Sim.m_pendTrap, 1);
    EXPECT_EQ(g_Sim.m_pendRst75, 1);
    EXPECT_EQ(g_Sim.m_pendRst65, 1);
    EXPECT_EQ(g_Sim.m_pendRst55, 1);
    EXPECT_EQ(g_Sim.m_intEnable, 1);
    EXPECT_EQ(g_Sim.m_trapSavedIE, 0);

    // Each maskable input alone is held back as well.
    g_Sim.m_pendTrap = 0;
    for (u8 CSimulator::*pending : {&CSimulator::m_pendRst75, &CSimulator::m_pendRst65, &CSimulator::m_pendRst55}) {
        g_Sim.m_pendRst75 = g_Sim.m_pendRst65 = g_Sim.m_pendRst55 = 0;
        g_Sim.*pending = 1;
        g_Sim.CheckInterrupts();
        EXPECT_EQ(g_Sim.m_pc, kInterruptedPc);
        EXPECT_EQ(g_Sim.*pending, 1);
    }
}

TEST(InterruptAcceptance, PriorityOneAtATime) {
    StartWithValidStack();
    g_Sim.m_pendRst75 = 1;
    g_Sim.m_pendRst55 = 1;
    g_Sim.CheckInterrupts();
    EXPECT_EQ(g_Sim.m_pc, 0x003C);
    ExpectPushedInterruptedPc();
    EXPECT_EQ(g_Sim.m_pendRst75, 0);
    EXPECT_EQ(g_Sim.m_pendRst55, 1);
    EXPECT_EQ(g_Sim.m_intEnable, 0);

    g_Sim.CheckInterrupts();  // IE is off now
    EXPECT_EQ(g_Sim.m_pc, 0x003C);
    g_Sim.m_intEnable = 1;
    g_Sim.CheckInterrupts();
    EXPECT_EQ(g_Sim.m_pc, 0x002C);
    EXPECT_EQ(g_Sim.m_pendRst55, 0);
}

TEST(InterruptAcceptance, VectorsOfEachInput) {
    struct Case {
        u8 CSimulator::*pending;
        u16 vector;
    };
    for (const Case& c : {Case{&CSimulator::m_pendRst75, 0x3C}, Case{&CSimulator::m_pendRst65, 0x34},
                          Case{&CSimulator::m_pendRst55, 0x2C}}) {
        StartWithValidStack();
        g_Sim.*c.pending = 1;
        g_Sim.CheckInterrupts();
        EXPECT_EQ(g_Sim.m_pc, c.vector);
        ExpectPushedInterruptedPc();
        EXPECT_EQ(g_Sim.*c.pending, 0);
        EXPECT_EQ(g_Sim.m_intEnable, 0);
        EXPECT_EQ(g_Sim.m_trapSavedIE, 0);
    }
}

TEST(InterruptAcceptance, MaskedRequestStaysAndALowerOneIsTaken) {
    StartWithValidStack();
    g_Sim.m_mask65 = 1;
    g_Sim.m_pendRst65 = 1;
    g_Sim.m_pendRst55 = 1;
    g_Sim.CheckInterrupts();
    EXPECT_EQ(g_Sim.m_pc, 0x002C);
    EXPECT_EQ(g_Sim.m_pendRst65, 1);

    StartWithValidStack();
    g_Sim.m_mask75 = 1;
    g_Sim.m_pendRst75 = 1;
    g_Sim.CheckInterrupts();
    EXPECT_EQ(g_Sim.m_pc, kInterruptedPc);
    EXPECT_EQ(g_Sim.m_pendRst75, 1);
}

TEST(InterruptAcceptance, DisabledRequestsStayPending) {
    StartWithValidStack();
    g_Sim.m_intEnable = 0;
    g_Sim.m_pendRst75 = g_Sim.m_pendRst65 = g_Sim.m_pendRst55 = 1;
    g_Sim.CheckInterrupts();
    EXPECT_EQ(g_Sim.m_pc, kInterruptedPc);
    EXPECT_EQ(g_Sim.m_sp, kStackTop);
    EXPECT_EQ(g_Sim.m_pendRst75 + g_Sim.m_pendRst65 + g_Sim.m_pendRst55, 3);
}

TEST(InterruptAcceptance, PushWrapsBelowAddressZero) {
    StartWithValidStack();
    g_Sim.m_sp = 0x0001;
    g_Sim.m_pendTrap = 1;
    g_Sim.CheckInterrupts();
    EXPECT_EQ(g_Sim.m_sp, 0xFFFF);
    EXPECT_EQ(g_Sim.m_pMemory[0x0000], kInterruptedPc >> 8);
    EXPECT_EQ(g_Sim.m_pMemory[0xFFFF], kInterruptedPc & 0xFF);
}

TEST(InterruptRoutes, SerialLevelRouteFollowsReceiverReady) {
    StartWithValidStack();
    g_Sim.m_n8251Count = 1;
    g_Irq8251Route[0] = 5;
    g_Sim.m_pendRst55 = 1;  // from the menu command
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst55, 0);  // RxRDY 0 withdraws it before the check

    g_Sim.m_n8251Status[0] |= 0x02;
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst55, 1);
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst55, 1);
}

TEST(InterruptRoutes, SerialEdgeRouteRequestsOncePerArrival) {
    StartWithValidStack();
    g_Sim.m_n8251Count = 2;
    g_Irq8251Route[1] = 4;
    g_Sim.m_n8251Status[1] |= 0x02;
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendTrap, 1);
    g_Sim.m_pendTrap = 0;
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendTrap, 0);
    g_Sim.m_n8251Status[1] &= static_cast<u8>(~0x02);
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendTrap, 0);  // a falling line never clears
}

TEST(InterruptRoutes, LastSourceOnASharedLevelRouteDecides) {
    StartWithValidStack();
    g_Sim.m_n8251Count = 2;
    g_Irq8251Route[0] = 6;
    g_Irq8251Route[1] = 6;
    g_Sim.m_n8251Status[0] |= 0x02;
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst65, 0);

    // A timer slot runs after the serial chips and only ever raises.
    g_Sim.m_Timer[15].m_nIrqRoute = 6;
    g_Sim.TimersWritten();
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst65, 1);
}

TEST(InterruptRoutes, TimerTrapThroughTickAndCheck) {
    StartWithValidStack();
    g_Sim.m_n8253Count = 1;
    CounterState& timer = g_Sim.m_Timer[0];
    timer.m_nIrqRoute = 4;
    timer.m_nMode = 0;
    timer.m_bOut = 0;
    timer.m_nCount = 1;
    timer.m_bRunning = 1;
    g_Sim.TimersWritten();
    g_Sim.m_lastTStates = 4;
    g_Sim.TickPeripherals();
    g_Sim.CheckInterrupts();
    EXPECT_EQ(g_Sim.m_pc, 0x0024);
    EXPECT_EQ(g_Sim.m_pendTrap, 0);
}

TEST(InterruptAcceptance, AllThreeMaskablePendingAreTakenSevenFiveSixFiveFiveFive) {
    StartWithValidStack();
    g_Sim.m_pendRst75 = g_Sim.m_pendRst65 = g_Sim.m_pendRst55 = 1;
    const u16 expected[] = {0x003C, 0x0034, 0x002C};
    for (u16 vector : expected) {
        g_Sim.m_intEnable = 1;
        g_Sim.CheckInterrupts();
        EXPECT_EQ(g_Sim.m_pc, vector);
    }
    EXPECT_EQ(g_Sim.m_pendRst75 + g_Sim.m_pendRst65 + g_Sim.m_pendRst55, 0);
    EXPECT_EQ(g_Sim.m_sp, kStackTop - 6);
}

TEST(InterruptAcceptance, IeOtherThanOneTakesNoMaskableRequest) {
    StartWithValidStack();
    g_Sim.m_intEnable = 2;  // as a register edit may leave it
    g_Sim.m_pendRst65 = 1;
    g_Sim.CheckInterrupts();
    EXPECT_EQ(g_Sim.m_pc, kInterruptedPc);
    EXPECT_EQ(g_Sim.m_pendRst65, 1);
}

// The push of an accepted interrupt joins the bus-cycle list of the
// instruction just executed only while that list holds one to three records.
TEST(InterruptAcceptance, PushRecordsJoinListsOfUpToThreeRecords) {
    struct Case {
        u8 program[3];
        u16 length;
        u32 recordsBefore;
        u32 tStates;
    };
    const Case cases[] = {
        {{0x3E, 0x00, 0x00}, 2, 2, 7},   // MVI A: fetch and operand read
        {{0x01, 0x00, 0x00}, 3, 3, 10},  // LXI B: fetch and two reads
        {{0x32, 0x00, 0x20}, 3, 4, 13},  // STA 2000: fetch, two reads and the write
    };
    for (const Case& c : cases) {
        StartWithValidStack();
        g_Sim.m_pc = 0x0100;
        std::memcpy(g_Sim.m_pMemory + 0x0100, c.program, sizeof c.program);
        g_Sim.m_pendTrap = 1;
        g_Sim.ExecuteInstruction();
        const u16 returnAddress = 0x0100 + c.length;
        EXPECT_EQ(g_Sim.m_pc, 0x0024) << c.recordsBefore;
        // Acceptance itself takes no T-states.
        EXPECT_EQ(g_Sim.TStates(), c.tStates);
        EXPECT_EQ(g_Sim.m_lastTStates, c.tStates);
        if (c.recordsBefore <= 3) {
            ASSERT_EQ(g_busCycleCount, c.recordsBefore + 2);
            EXPECT_EQ(g_busCycles[c.recordsBefore], 2u << 24 | u32(kStackTop - 1) << 8 | (returnAddress >> 8));
            EXPECT_EQ(g_busCycles[c.recordsBefore + 1], 2u << 24 | u32(kStackTop - 2) << 8 | (returnAddress & 0xFF));
        } else {
            EXPECT_EQ(g_busCycleCount, c.recordsBefore);
        }
        EXPECT_EQ(g_Sim.m_pMemory[kStackTop - 1], returnAddress >> 8);
        EXPECT_EQ(g_Sim.m_pMemory[kStackTop - 2], returnAddress & 0xFF);
    }
}

TEST(InterruptRoutes, SerialLineRunsAfterTheKeyboardLineOnASharedLevelRoute) {
    StartWithValidStack();
    g_Sim.m_b8279Connected = 1;
    g_Irq8279Route = 5;
    g_Sim.Input8279Key(0x21);  // the keyboard's line is active
    g_Sim.m_n8251Count = 1;
    g_Irq8251Route[0] = 5;  // the serial line is not
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst55, 0);

    g_Sim.m_n8251Status[0] |= 0x02;
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst55, 1);
}
