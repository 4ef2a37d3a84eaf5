#include <gtest/gtest.h>

#include "tests/support/PortIo.h"
#include "tests/support/PowerOn.h"

namespace {
constexpr u8 kBase = 0x20;
constexpr u8 kCommand = kBase;
constexpr u8 kPortA = kBase + 1;
constexpr u8 kPortB = kBase + 2;
constexpr u8 kPortC = kBase + 3;
constexpr u8 kTimerLow = kBase + 4;
constexpr u8 kTimerHigh = kBase + 5;

void Connect8155() {
    StartFromPowerOn();
    g_Sim.m_b8155Connected = 1;
    g_Sim.m_n8155Address = kBase;
}

const CounterState& Timer() {
    g_Sim.SyncTimers();
    return g_Sim.m_Timer[15];
}

// A write to either count register sets the count along with the reload.
void ExpectLoaded(u32 count) {
    EXPECT_EQ(Timer().m_nReload, count);
    EXPECT_EQ(Timer().m_nCount, static_cast<i32>(count));
}
}  // namespace

TEST(Chip8155, ResetMakesEveryPortAnInputWithClearLatches) {
    Connect8155();
    Out(kCommand, 0x0F);
    Out(kPortA, 0x12);
    g_Sim.Reset();
    for (int port = 0; port < 3; ++port) {
        EXPECT_EQ(g_Sim.m_8155Port[port], 0);
        EXPECT_EQ(g_Sim.m_8155PortIsInput[port], 1);
    }
    EXPECT_EQ(g_Sim.m_n8155Command, 0);
    EXPECT_EQ(g_Sim.m_b8155Connected, 1);
    EXPECT_EQ(g_Sim.m_n8155Address, kBase);
}

TEST(Chip8155, CommandSetsDirectionsAndClearsLatches) {
    Connect8155();
    Out(kCommand, 0x03);  // A and B output, C input
    EXPECT_EQ(g_Sim.m_8155PortIsInput[0], 0);
    EXPECT_EQ(g_Sim.m_8155PortIsInput[1], 0);
    EXPECT_EQ(g_Sim.m_8155PortIsInput[2], 1);
    Out(kPortA, 0xA5);
    Out(kPortB, 0x5A);
    Out(kPortC, 0x3C);
    EXPECT_EQ(In(kPortA), 0xA5);
    EXPECT_EQ(In(kPortB), 0x5A);
    EXPECT_EQ(In(kPortC), 0x00);
    EXPECT_EQ(g_Sim.m_b8155Changed, 1);
    for (u8 bits : {u8(0x04), u8(0x08), u8(0x0C)}) {
        Out(kCommand, bits);
        EXPECT_EQ(g_Sim.m_8155PortIsInput[2], 0) << int(bits);
        EXPECT_EQ(g_Sim.m_8155PortIsInput[0], 1);
    }
}

TEST(Chip8155, PortCKeepsSixBits) {
    Connect8155();
    Out(kCommand, 0x0C);
    Out(kPortC, 0xFF);
    EXPECT_EQ(In(kPortC), 0x3F);
}

TEST(Chip8155, InputLatchesReadWhateverTheDialogGave) {
    Connect8155();
    g_Sim.m_8155Port[0] = 0x77;
    Out(kPortA, 0x11);  // input: ignored
    EXPECT_EQ(In(kPortA), 0x77);
    // The command and timer ports have no read path.
    EXPECT_EQ(In(kCommand, 0x42), 0x42);
    EXPECT_EQ(In(kTimerLow, 0x42), 0x42);
    EXPECT_EQ(In(kTimerHigh, 0x42), 0x42);
}

TEST(Chip8155, TimerStartStopAndLatchClear) {
    Connect8155();
    Out(kCommand, 0x03);
    Out(kPortA, 0x12);
    Out(kPortB, 0x34);
    Out(kCommand, 0xC3);
    EXPECT_EQ(Timer().m_bRunning, 1);
    EXPECT_EQ(g_Sim.m_8155Port[0], 0);
    EXPECT_EQ(g_Sim.m_8155Port[1], 0);
    Out(kCommand, 0x83);  // 10: no change
    EXPECT_EQ(Timer().m_bRunning, 1);
    Out(kCommand, 0x43);
    EXPECT_EQ(Timer().m_bRunning, 0);
    Out(kCommand, 0x03);  // 00: no change
    EXPECT_EQ(Timer().m_bRunning, 0);
    EXPECT_EQ(g_Sim.m_n8155Command, 0x03);
}

TEST(Chip8155, TimerCountAndMode) {
    Connect8155();
    g_Sim.m_b8155Changed = 0;
    Out(kTimerLow, 0x10);
    ExpectLoaded(0x0010);
    Out(kTimerHigh, 0x40);
    ExpectLoaded(0x0010);
    EXPECT_EQ(Timer().m_nMode, 1);
    EXPECT_EQ(Timer().m_bOut, 1);
    EXPECT_EQ(g_Sim.m_b8155Changed, 0);
    Out(kTimerHigh, 0xFF);
    ExpectLoaded(0x3F10);
    EXPECT_EQ(Timer().m_nMode, 3);
    Out(kTimerLow, 0xAB);
    ExpectLoaded(0x3FAB);
    Out(kTimerHigh, 0x02);
    EXPECT_EQ(Timer().m_nReload, 0x02ABu);
    EXPECT_EQ(Timer().m_nMode, 0);
    // A record restored from a file may hold more than 16 bits: the low
    // byte write keeps only bits 15-8 of it.
    g_Sim.m_Timer[15].m_nReload = 0x12345;
    g_Sim.TimersWritten();
    Out(kTimerLow, 0x10);
    EXPECT_EQ(Timer().m_nReload, 0x2310u);
}

TEST(Chip8155, TimerCountsOnceInModeOne) {
    Connect8155();
    Out(kTimerLow, 0x03);
    Out(kTimerHigh, 0x40);
    Out(kCommand, 0xC0);
    g_Sim.m_Timer[15].m_bOut = 0;
    g_Sim.TimersWritten();
    for (int tick = 0; tick < 3; ++tick) {
        g_Sim.m_lastTStates = 1;
        g_Sim.TickPeripherals();
    }
    EXPECT_EQ(Timer().m_bRunning, 0);
    EXPECT_EQ(Timer().m_bOut, 1);
    EXPECT_EQ(Timer().m_nCount, 0);
}

TEST(Chip8155, AbsentChipDecodesNothing) {
    StartFromPowerOn();
    g_Sim.m_n8155Address = kBase;
    Out(kCommand, 0xC3);
    Out(kTimerLow, 0x10);
    EXPECT_EQ(Timer().m_bRunning, 0);
    EXPECT_EQ(Timer().m_nReload, 0u);
    EXPECT_EQ(g_Sim.m_8155PortIsInput[0], 1);
    EXPECT_EQ(In(kPortA, 0x42), 0x42);
    EXPECT_EQ(g_Sim.m_b8155Changed, 0);
}

TEST(Chip8155, HighBaseDecodesOnlyPortsBelow256) {
    StartFromPowerOn();
    g_Sim.m_b8155Connected = 1;
    g_Sim.m_n8155Address = 0xFD;
    Out(0xFD, 0x03);
    Out(0xFE, 0x12);
    Out(0xFF, 0x34);
    Out(0x00, 0x20);  // base + 3 would be 0x100
    EXPECT_EQ(g_Sim.m_8155Port[0], 0x12);
    EXPECT_EQ(g_Sim.m_8155Port[1], 0x34);
    EXPECT_EQ(g_Sim.m_8155Port[2], 0);
}
