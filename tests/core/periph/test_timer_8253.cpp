#include <climits>
#include <gtest/gtest.h>
#include <vector>

#include "tests/support/PortIo.h"
#include "tests/support/PowerOn.h"

namespace {
constexpr u8 kBase = 0x40;  // chip 0: counters at 0x40-0x42, control word at 0x43
constexpr u8 kControl = kBase + 3;
constexpr u16 kOnePulse = 4;  // with prescaler 4, one counter pulse per tick

// One 8253 at kBase, every slot fed one pulse per tick.
void StartWithOneChip() {
    StartFromPowerOn();
    g_Sim.m_n8253Count = 1;
    g_Sim.m_8253Address[0] = kBase;
    for (u16& prescaler : g_Sim.m_TimerPrescaler) prescaler = kOnePulse;
    g_Sim.TimersWritten();
}

// Counter 0 of the chip with its gate input high, so a loaded count runs.
CounterState& StartWithGateOpen() {
    StartWithOneChip();
    CounterState& timer = g_Sim.m_Timer[0];
    timer.m_bGate = 1;
    g_Sim.TimersWritten();
    return timer;
}

// What a test wrote before is announced, and what it reads after is up to date.
void Tick(u16 tStates = kOnePulse) {
    g_Sim.TimersWritten();
    g_Sim.m_lastTStates = tStates;
    g_Sim.Tick8253();
    g_Sim.SyncTimers();
}

// A slot put straight into counting, as a loaded count or a configuration
// file leaves it.
CounterState& Counting(int slot, int mode, i32 count, u8 out, u8 route = 0) {
    CounterState& timer = g_Sim.m_Timer[slot];
    timer.m_nIrqRoute = route;
    timer.m_nMode = static_cast<u8>(mode);
    timer.m_nReload = static_cast<u32>(count);
    timer.m_nCount = count;
    timer.m_bOut = out;
    timer.m_bRunning = 1;
    g_Sim.TimersWritten();
    return timer;
}

// A finished count: stopped at zero with OUT high.
void ExpectCountEnded(const CounterState& timer) {
    EXPECT_EQ(timer.m_nCount, 0);
    EXPECT_EQ(timer.m_bOut, 1);
    EXPECT_EQ(timer.m_bRunning, 0);
}

// What counter 0 shows over a run of one-pulse ticks.
struct TickRecord {
    std::vector<int> out;           // OUT after each tick
    std::vector<int> requestTicks;  // ticks (from 1) that raised `request`
};

TickRecord RecordTicks(int ticks, u8& request) {
    TickRecord record;
    for (int tick = 1; tick <= ticks; ++tick) {
        Tick();
        record.out.push_back(g_Sim.m_Timer[0].m_bOut);
        if (request) record.requestTicks.push_back(tick);
        request = 0;
    }
    return record;
}

// Control word for counter 0: RL 3 (low then high), the given mode, binary.
u8 ControlWord(int counter, int mode, int rl = 3) { return static_cast<u8>(counter << 6 | rl << 4 | mode << 1); }

void Program(int counter, int mode, u16 count) {
    Out(kControl, ControlWord(counter, mode));
    Out(kBase + counter, static_cast<u8>(count & 0xFF));
    Out(kBase + counter, static_cast<u8>(count >> 8));
}
}  // namespace

TEST(TimerSlots, ResetLeavesSlotsIdleWithOutHighAndKeepsConfiguration) {
    StartWithOneChip();
    CounterState& timer = g_Sim.m_Timer[4];
    timer.m_bRunning = 1;
    timer.m_nCount = 7;
    timer.m_nLatch = 8;
    timer.m_nReload = 9;
    timer.m_nReloadEven = 8;
    timer.m_bLatched = 1;
    timer.m_bOut = 0;
    timer.m_nMode = 3;
    timer.m_bReadLsb = 0;
    timer.m_bGate = 1;
    timer.m_nIrqRoute = 6;
    timer.m_bBcd = 1;
    timer.m_nRwMode = 2;
    g_Sim.m_TimerResidue[4] = 2;
    g_Sim.m_TimerPrescaler[4] = 9;
    g_Sim.m_TimerPulses[4] = 5;
    g_Sim.TimersWritten();
    g_Sim.Reset();
    EXPECT_EQ(timer.m_bRunning, 0);
    EXPECT_EQ(timer.m_nCount, 0);
    EXPECT_EQ(timer.m_nLatch, 0u);
    EXPECT_EQ(timer.m_nReload, 0u);
    EXPECT_EQ(timer.m_nReloadEven, 0u);
    EXPECT_EQ(timer.m_bLatched, 0);
    EXPECT_EQ(timer.m_bOut, 1);
    EXPECT_EQ(timer.m_nMode, 0);
    EXPECT_EQ(timer.m_bReadLsb, 1);
    EXPECT_EQ(timer.m_bGate, 0);
    EXPECT_EQ(g_Sim.m_TimerResidue[4], 0);
    EXPECT_EQ(timer.m_nIrqRoute, 6);
    EXPECT_EQ(timer.m_bBcd, 1);
    EXPECT_EQ(timer.m_nRwMode, 2);
    EXPECT_EQ(g_Sim.m_TimerPrescaler[4], 9);
    EXPECT_EQ(g_Sim.m_TimerPulses[4], 5);
}

TEST(TimerSlots, PowerOnPerChipState) {
    StartFromPowerOn();
    for (int chip = 0; chip < kMaxChips; ++chip) {
        EXPECT_EQ(g_Sim.m_8253Select[chip], 3);
        for (int counter = 0; counter < 4; ++counter) {
            EXPECT_EQ(g_Sim.m_8253RwMode[chip][counter], 3);
            EXPECT_EQ(g_Sim.m_8253Bcd[chip][counter], 0);
            EXPECT_EQ(g_Sim.m_8253MsbNext[chip][counter], 0);
        }
    }
    for (int slot = 0; slot < kTimerSlots; ++slot) {
        EXPECT_EQ(g_Sim.m_TimerPrescaler[slot], 1);
        EXPECT_EQ(g_Sim.m_TimerResidue[slot], 0);
    }
}

TEST(TimerSlots, PrescalerDividesWithoutLosingTStates) {
    StartFromPowerOn();
    g_Sim.m_TimerPrescaler[2] = 3;
    g_Sim.m_TimerPrescaler[9] = 0;
    const u16 tStates[] = {4, 4, 7};
    const u16 pulses[] = {1, 1, 3};
    const u16 residues[] = {1, 2, 0};
    for (int i = 0; i < 3; ++i) {
        Tick(tStates[i]);
        EXPECT_EQ(g_Sim.m_TimerPulses[2], pulses[i]) << i;
        EXPECT_EQ(g_Sim.m_TimerResidue[2], residues[i]) << i;
    }
    // Prescaler 0 counts as 1 and is written back as 1.
    EXPECT_EQ(g_Sim.m_TimerPrescaler[9], 1);
    EXPECT_EQ(g_Sim.m_TimerPulses[9], 7);
    EXPECT_EQ(g_Sim.m_TimerResidue[9], 0);
}

TEST(TimerSlots, ResidueLargerThanANewPrescalerIsDividedOut) {
    StartFromPowerOn();
    g_Sim.m_TimerPrescaler[0] = 1;
    g_Sim.m_TimerResidue[0] = 0xFFF0;  // left by an earlier, larger prescaler
    Tick(0x20);
    EXPECT_EQ(g_Sim.m_TimerPulses[0], 0xFFFF);
    EXPECT_EQ(g_Sim.m_TimerResidue[0], 0x11);
}

TEST(TimerControlWord, SetsModeFormatAndOutWithoutTouchingTheCount) {
    StartWithOneChip();
    CounterState& timer = g_Sim.m_Timer[1];
    timer.m_nCount = 77;
    timer.m_nReload = 88;
    timer.m_bRunning = 1;
    g_Sim.TimersWritten();
    Out(kControl, 0x40 | 0x20 | (4 << 1) | 1);  // counter 1, RL 2, mode 4, BCD
    EXPECT_EQ(g_Sim.m_8253Select[0], 1);
    EXPECT_EQ(g_Sim.m_8253RwMode[0][1], 2);
    EXPECT_EQ(timer.m_nRwMode, 2);
    EXPECT_EQ(g_Sim.m_8253Bcd[0][1], 1);
    EXPECT_EQ(timer.m_bBcd, 1);
    EXPECT_EQ(timer.m_nMode, 4);
    EXPECT_EQ(g_Sim.m_8253MsbNext[0][1], 1);
    EXPECT_EQ(timer.m_bOut, 1);
    EXPECT_EQ(timer.m_nCount, 77);
    EXPECT_EQ(timer.m_nReload, 88u);
    EXPECT_EQ(timer.m_bRunning, 1);

    Out(kControl, ControlWord(1, 0));
    EXPECT_EQ(timer.m_bOut, 0);
    EXPECT_EQ(g_Sim.m_8253MsbNext[0][1], 0);
}

TEST(TimerControlWord, SelectThreeOnlySetsTheSelectByte) {
    StartWithOneChip();
    g_Sim.m_8253Select[0] = 1;
    const CounterState before = g_Sim.m_Timer[2];
    Out(kControl, 0xFF);
    EXPECT_EQ(g_Sim.m_8253Select[0], 3);
    for (int counter = 0; counter < 3; ++counter) EXPECT_EQ(g_Sim.m_8253RwMode[0][counter], 3);
    EXPECT_EQ(g_Sim.m_Timer[2].m_nMode, before.m_nMode);
    EXPECT_EQ(g_Sim.m_Timer[2].m_bOut, before.m_bOut);
}

TEST(TimerCountLoad, LowThenHighLoadsOnlyOnTheSecondByte) {
    StartWithOneChip();
    g_Sim.m_Timer[0].m_bGate = 1;
    g_Sim.TimersWritten();
    Out(kControl, ControlWord(0, 0));
    Out(kBase, 0x34);
    EXPECT_EQ(g_Sim.m_Timer[0].m_nReload, 0x34u);
    EXPECT_EQ(g_Sim.m_Timer[0].m_bRunning, 0);
    EXPECT_EQ(g_Sim.m_8253MsbNext[0][0], 1);
    Out(kBase, 0x12);
    EXPECT_EQ(g_Sim.m_Timer[0].m_nReload, 0x1234u);
    EXPECT_EQ(g_Sim.m_Timer[0].m_nCount, 0x1234);
    EXPECT_EQ(g_Sim.m_Timer[0].m_bRunning, 1);
    EXPECT_EQ(g_Sim.m_8253MsbNext[0][0], 0);
    EXPECT_EQ(g_Sim.m_8253Select[0], 0);
}

TEST(TimerCountLoad, SingleByteFormatsKeepTheOtherByte) {
    StartWithOneChip();
    Program(2, 4, 0x1234);
    Out(kControl, ControlWord(2, 4, 1));
    Out(kBase + 2, 0x56);
    EXPECT_EQ(g_Sim.m_Timer[2].m_nReload, 0x1256u);
    EXPECT_EQ(g_Sim.m_Timer[2].m_nCount, 0x1256);
    Out(kControl, ControlWord(2, 4, 2));
    Out(kBase + 2, 0x78);
    EXPECT_EQ(g_Sim.m_Timer[2].m_nReload, 0x7856u);
    EXPECT_EQ(g_Sim.m_Timer[2].m_nCount, 0x7856);
}

TEST(TimerCountLoad, LoadEffectByMode) {
    CounterState& timer = StartWithGateOpen();

    Program(0, 3, 7);
    EXPECT_EQ(timer.m_bRunning, 1);
    EXPECT_EQ(timer.m_nCount, 7);
    EXPECT_EQ(timer.m_nReloadEven, 6u);
    EXPECT_EQ(timer.m_bOut, 1);

    for (int mode : {1, 2, 5}) {
        timer.m_bRunning = 0;
        timer.m_nCount = 3;
        g_Sim.TimersWritten();
        Program(0, mode, 9);
        EXPECT_EQ(timer.m_bRunning, 0) << mode;  // the gate input starts these
        EXPECT_EQ(timer.m_nCount, 3) << mode;
        EXPECT_EQ(timer.m_bOut, 1) << mode;
    }

    Program(0, 4, 12);
    EXPECT_EQ(timer.m_bRunning, 1);
    EXPECT_EQ(timer.m_nCount, 12);
    EXPECT_EQ(timer.m_bOut, 1);
}

TEST(TimerCountLoad, GateLowAfterResetKeepsTheCountStill) {
    StartWithOneChip();
    for (int mode : {0, 3, 4}) {
        Program(0, mode, 10);
        EXPECT_EQ(g_Sim.m_Timer[0].m_bRunning, 0) << mode;
        Tick();
        EXPECT_EQ(g_Sim.m_Timer[0].m_nCount, 10) << mode;
    }
}

TEST(TimerCountLoad, ModesSixAndSevenAreInert) {
    CounterState& timer = StartWithGateOpen();
    for (int mode : {6, 7}) {
        Program(0, mode, 10);
        EXPECT_EQ(timer.m_nMode, mode);
        EXPECT_EQ(timer.m_bRunning, 0);
        EXPECT_EQ(timer.m_nCount, 0);
        timer.m_bRunning = 1;
        timer.m_nCount = 5;
        Tick();
        EXPECT_EQ(timer.m_nCount, 5) << mode;
        timer.m_bRunning = 0;
        timer.m_nCount = 0;
        g_Sim.TimersWritten();
    }
}

TEST(TimerRead, AlternatesBytesOfTheLiveCount) {
    StartWithOneChip();
    g_Sim.m_Timer[1].m_nCount = 0xABCD;
    g_Sim.TimersWritten();
    EXPECT_EQ(In(kBase + 1), 0xCD);
    EXPECT_EQ(In(kBase + 1), 0xAB);
    EXPECT_EQ(In(kBase + 1), 0xCD);
    EXPECT_EQ(g_Sim.m_8253Select[0], 3);  // reads do not select
}

TEST(TimerRead, LatchKeepsProgrammingAndReleasesAfterTheHighByte) {
    StartWithOneChip();
    CounterState& timer = g_Sim.m_Timer[0];
    Out(kControl, ControlWord(0, 3) | 1);
    timer.m_nCount = 0x1234;
    g_Sim.TimersWritten();
    Out(kControl, 0x00);  // counter 0 latch command
    EXPECT_EQ(timer.m_bLatched, 1);
    EXPECT_EQ(timer.m_nLatch, 0x1234u);
    EXPECT_EQ(timer.m_nRwMode, 3);
    EXPECT_EQ(timer.m_nMode, 3);
    EXPECT_EQ(timer.m_bBcd, 1);
    EXPECT_EQ(timer.m_bOut, 1);
    EXPECT_EQ(g_Sim.m_8253RwMode[0][0], 3);

    timer.m_nCount = 0x5678;
    g_Sim.TimersWritten();
    EXPECT_EQ(In(kBase), 0x34);
    EXPECT_EQ(In(kBase), 0x12);
    EXPECT_EQ(timer.m_bLatched, 0);
    EXPECT_EQ(In(kBase), 0x78);

    // The count is still taken low byte then high byte after the latch.
    Out(kBase, 0x22);
    EXPECT_EQ(timer.m_nReload, 0x22u);
    Out(kBase, 0x11);
    EXPECT_EQ(timer.m_nReload, 0x1122u);
}

TEST(TimerModes, ModeZeroRaisesOutAfterTheCountOnceOnTrap) {
    CounterState& timer = StartWithGateOpen();
    timer.m_nIrqRoute = 4;
    g_Sim.TimersWritten();
    Program(0, 0, 10);
    EXPECT_EQ(timer.m_bOut, 0);
    const TickRecord record = RecordTicks(9, g_Sim.m_pendTrap);
    EXPECT_EQ(record.out, std::vector<int>(9, 0));
    EXPECT_TRUE(record.requestTicks.empty());
    Tick();
    ExpectCountEnded(timer);
    EXPECT_EQ(g_Sim.m_pendTrap, 1);
    g_Sim.m_pendTrap = 0;
    Tick();
    EXPECT_EQ(g_Sim.m_pendTrap, 0);
}

TEST(TimerModes, ModeOneOvershootStopsAtZero) {
    StartWithOneChip();
    CounterState& timer = Counting(0, 1, 3, 0);
    g_Sim.m_TimerPrescaler[0] = 1;
    Tick(7);
    ExpectCountEnded(timer);
}

TEST(TimerModes, ModeTwoRequestsEverySixthTickWithOutHigh) {
    StartWithOneChip();
    CounterState& timer = g_Sim.m_Timer[0];
    timer.m_nIrqRoute = 7;
    g_Sim.TimersWritten();
    Program(0, 2, 5);
    // The gate input starts mode 2 by loading the count.
    timer.m_bGate = 1;
    timer.m_bRunning = 1;
    timer.m_nCount = static_cast<i32>(timer.m_nReload);
    const TickRecord record = RecordTicks(18, g_Sim.m_pendRst75);
    EXPECT_EQ(record.out, std::vector<int>(18, 1));
    EXPECT_EQ(record.requestTicks, (std::vector<int>{6, 12, 18}));
}

TEST(TimerModes, ModeThreeOddCountIsOneTickLongerHigh) {
    StartWithGateOpen();
    Program(0, 3, 5);
    // The load itself is the first high tick.
    EXPECT_EQ(RecordTicks(10, g_Sim.m_pendRst75).out, (std::vector<int>{1, 1, 0, 0, 1, 1, 1, 0, 0, 1}));
}

TEST(TimerModes, ModeThreeEvenCountIsSymmetric) {
    StartWithGateOpen();
    Program(0, 3, 4);
    EXPECT_EQ(RecordTicks(8, g_Sim.m_pendRst75).out, (std::vector<int>{1, 0, 0, 1, 1, 0, 0, 1}));
}

TEST(TimerModes, ModeThreeCarriesTheOvershootIntoTheNextHalf) {
    CounterState& timer = StartWithGateOpen();
    Program(0, 3, 10);
    g_Sim.m_TimerPrescaler[0] = 1;
    Tick(4);  // 10 - 8 = 2
    EXPECT_EQ(timer.m_nCount, 2);
    Tick(4);  // 2 - 8 = -6: three pulses past the end go into the low half
    EXPECT_EQ(timer.m_bOut, 0);
    EXPECT_EQ(g_Sim.m_TimerPulses[0], 3);
    EXPECT_EQ(timer.m_nCount, 10 - 6);
    Tick(4);  // 4 - 8 = -4: two pulses carried into the high half
    EXPECT_EQ(timer.m_bOut, 1);
    EXPECT_EQ(timer.m_nCount, 10 - 4);

    Program(0, 3, 9);  // odd: the first high step takes one
    Tick(4);           // 9 - 7 = 2
    EXPECT_EQ(timer.m_nCount, 2);
    Tick(4);  // 2 - 8 = -6 -> low, 8 - 6
    EXPECT_EQ(timer.m_bOut, 0);
    EXPECT_EQ(timer.m_nCount, 2);
    Tick(4);  // 2 - 8 = -6 -> high, 9 - (2 * 3 - 1)
    EXPECT_EQ(timer.m_bOut, 1);
    EXPECT_EQ(timer.m_nCount, 4);
}

TEST(TimerModes, ModesFourAndFiveRequestAtTheEndWithoutMovingOut) {
    StartWithOneChip();
    for (int mode : {4, 5}) {
        CounterState& timer = Counting(0, mode, 2, 1, 7);
        Tick();
        EXPECT_EQ(g_Sim.m_pendRst75, 0) << mode;
        Tick();
        EXPECT_EQ(g_Sim.m_pendRst75, 1) << mode;
        {
            SCOPED_TRACE(mode);
            ExpectCountEnded(timer);
        }
        EXPECT_EQ(timer.m_nReload, mode == 4 ? 0u : 2u) << mode;
        g_Sim.m_pendRst75 = 0;
    }
}

TEST(TimerModes, CountEndRequestsGoOnlyToEdgeInputs) {
    StartWithOneChip();
    Counting(0, 2, 0, 0, 6);  // OUT low keeps the level route quiet
    Tick();
    EXPECT_EQ(g_Sim.m_pendRst65, 0);
    EXPECT_EQ(g_Sim.m_pendTrap, 0);
    EXPECT_EQ(g_Sim.m_pendRst75, 0);
}

TEST(TimerRoutes, LevelRouteOfAnIdleSlotRequestsEveryTickAndNeverClears) {
    StartFromPowerOn();
    g_Sim.m_Timer[3].m_nIrqRoute = 5;
    g_Sim.m_Timer[15].m_nIrqRoute = 6;
    for (int tick = 0; tick < 3; ++tick) {
        g_Sim.m_pendRst55 = 0;
        g_Sim.m_pendRst65 = 0;
        Tick();
        EXPECT_EQ(g_Sim.m_pendRst55, 1);
        EXPECT_EQ(g_Sim.m_pendRst65, 1);
    }
    g_Sim.m_Timer[3].m_bOut = 0;
    g_Sim.m_Timer[15].m_bOut = 0;
    Tick();
    EXPECT_EQ(g_Sim.m_pendRst55, 1);
    EXPECT_EQ(g_Sim.m_pendRst65, 1);
}

TEST(TimerRoutes, EdgeRoutesNeedARiseWithinTheTick) {
    StartFromPowerOn();
    g_Sim.m_Timer[0].m_nIrqRoute = 4;
    g_Sim.m_Timer[1].m_nIrqRoute = 7;
    Tick();  // OUT high but steady
    EXPECT_EQ(g_Sim.m_pendTrap, 0);
    EXPECT_EQ(g_Sim.m_pendRst75, 0);
    g_Sim.m_Timer[1].m_bOut = 0;  // a fall is no request either
    Tick();
    EXPECT_EQ(g_Sim.m_pendRst75, 0);
}

TEST(TimerRoutes, UnknownRouteCodesDoNothing) {
    CounterState& timer = StartWithGateOpen();
    timer.m_nIrqRoute = 3;
    g_Sim.TimersWritten();
    Program(0, 0, 1);
    Tick();
    EXPECT_EQ(timer.m_bOut, 1);
    EXPECT_EQ(g_Sim.m_pendTrap + g_Sim.m_pendRst55 + g_Sim.m_pendRst65 + g_Sim.m_pendRst75, 0);
}

TEST(Timer8155Slot, CountsByTheModeRulesOfItsTimerBits) {
    StartFromPowerOn();
    g_Sim.m_TimerPrescaler[15] = 1;
    // Timer mode bits 01 as written by the 8155's count high byte: counted once.
    CounterState& timer = Counting(15, 1, 0x10, 0, 4);
    Tick(8);
    EXPECT_EQ(timer.m_nCount, 8);
    Tick(8);
    ExpectCountEnded(timer);
    EXPECT_EQ(g_Sim.m_pendTrap, 1);

    // Mode bits 11: square wave.
    Counting(15, 3, 4, 1, 4);
    timer.m_nReloadEven = 4;
    Tick(2);
    EXPECT_EQ(timer.m_bOut, 0);
    EXPECT_EQ(timer.m_nCount, 4);
    EXPECT_EQ(timer.m_bRunning, 1);
}

TEST(TimerSlots, ExtremeCountsFromAFileWrapInsteadOfOverflowing) {
    StartFromPowerOn();
    for (int mode = 0; mode <= 5; ++mode) {
        CounterState& timer = g_Sim.m_Timer[mode];
        timer.m_nMode = static_cast<u8>(mode);
        timer.m_bRunning = 1;
        timer.m_nCount = INT_MIN + 1;
        timer.m_nReload = 0xFFFFFFFFu;
        timer.m_nReloadEven = 0;
    }
    Tick(18);
    Tick(18);
    // Far below zero, the count wraps to a large positive one and runs on.
    EXPECT_EQ(g_Sim.m_Timer[0].m_nCount, INT_MAX - 34);
    EXPECT_EQ(g_Sim.m_Timer[0].m_bRunning, 1);
}

TEST(Timer8155Slot, ProgrammedThroughThe8155PortsAndCounted) {
    StartFromPowerOn();
    g_Sim.m_b8155Connected = 1;
    g_Sim.m_n8155Address = 0x20;
    g_Sim.m_TimerPrescaler[15] = 2;
    g_Sim.m_Timer[15].m_nIrqRoute = 7;
    g_Sim.m_Timer[15].m_bOut = 0;
    g_Sim.TimersWritten();
    Out(0x24, 0x10);
    Out(0x25, 0x40);  // count bits 13-8 zero, timer mode bits 01
    Out(0x20, 0xC0);  // start
    CounterState& timer = g_Sim.m_Timer[15];
    EXPECT_EQ(timer.m_nMode, 1);
    EXPECT_EQ(timer.m_nCount, 0x10);
    EXPECT_EQ(timer.m_bRunning, 1);
    for (int tick = 0; tick < 7; ++tick) Tick(4);  // two pulses each
    EXPECT_EQ(timer.m_nCount, 2);
    EXPECT_EQ(g_Sim.m_pendRst75, 0);
    Tick(4);
    ExpectCountEnded(timer);
    EXPECT_EQ(g_Sim.m_pendRst75, 1);
}

TEST(TimerRoutes, SquareWaveRequestsTheEdgeInputAtEveryRise) {
    CounterState& timer = StartWithGateOpen();
    timer.m_nIrqRoute = 7;
    g_Sim.TimersWritten();
    Program(0, 3, 4);
    EXPECT_EQ(RecordTicks(8, g_Sim.m_pendRst75).requestTicks, (std::vector<int>{4, 8}));
    EXPECT_EQ(g_Sim.m_pendTrap, 0);
}

TEST(TimerRoutes, CountEndsOfModesTwoFourAndFiveRequestTrap) {
    for (int mode : {2, 4, 5}) {
        StartWithOneChip();
        const CounterState& timer = Counting(1, mode, 1, 1, 4);
        Tick();  // count 0: the end for modes 4 and 5, not yet for mode 2
        EXPECT_EQ(g_Sim.m_pendTrap, mode == 2 ? 0 : 1) << mode;
        g_Sim.m_pendTrap = 0;
        Tick();
        EXPECT_EQ(g_Sim.m_pendTrap, mode == 2 ? 1 : 0) << mode;
        EXPECT_EQ(g_Sim.m_pendRst75, 0) << mode;
        EXPECT_EQ(timer.m_bOut, 1) << mode;
    }
}

TEST(TimerSlots, OnlyARunningByteOfOneCounts) {
    StartWithOneChip();
    CounterState& timer = Counting(0, 0, 5, 0, 4);
    timer.m_bRunning = 2;  // as a hand-edited configuration file may hold
    Tick();
    EXPECT_EQ(timer.m_nCount, 5);
    EXPECT_EQ(timer.m_bRunning, 2);
    timer.m_bRunning = 1;
    Tick();
    EXPECT_EQ(timer.m_nCount, 4);
}

TEST(TimerSlots, TickWritesAZeroPrescalerBackAsOne) {
    StartFromPowerOn();
    g_Sim.m_TimerPrescaler[7] = 0;
    Tick(6);
    EXPECT_EQ(g_Sim.m_TimerPrescaler[7], 1);
    EXPECT_EQ(g_Sim.m_TimerPulses[7], 6);
    EXPECT_EQ(g_Sim.m_TimerResidue[7], 0);
}
