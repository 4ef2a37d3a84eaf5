#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "tests/support/PortIo.h"
#include "tests/support/PowerOn.h"

namespace {
// Counter formats that load on one byte, so a single OUT shows up in the reload.
void ProgramLowByteCounters(int chip) {
    for (int counter = 0; counter < 3; ++counter) {
        g_Sim.m_8253RwMode[chip][counter] = 1;
        g_Sim.m_Timer[chip * 3 + counter].m_nRwMode = 1;
    }
    g_Sim.TimersWritten();
}

std::vector<u32> PortList() { return std::vector<u32>(g_Sim.m_Ports, g_Sim.m_Ports + g_nPortCount); }
}  // namespace

TEST(PortMatching, ComparesWholeNumbersWithoutWrapping) {
    EXPECT_TRUE(CSimulator::DecodesPort(0xFE, 0xFF, 1));
    EXPECT_FALSE(CSimulator::DecodesPort(0xFE, 0x00, 2));
    EXPECT_FALSE(CSimulator::DecodesPort(0xFF, 0x00, 1));
    EXPECT_TRUE(CSimulator::DecodesPort(0x10, 0x110, 0));  // only the port's low 8 bits count
}

TEST(PortMatching, TimerAtTheTopOfThePortSpace) {
    StartFromPowerOn();
    g_Sim.m_n8253Count = 1;
    g_Sim.m_8253Address[0] = 0xFE;
    ProgramLowByteCounters(0);
    Out(0xFE, 0x11);
    Out(0xFF, 0x22);
    EXPECT_EQ(g_Sim.m_Timer[0].m_nReload, 0x11u);
    EXPECT_EQ(g_Sim.m_Timer[1].m_nReload, 0x22u);
    // Counter 2 and the control word would be 0x100 and 0x101: never reached.
    Out(0x00, 0x33);
    Out(0x01, 0xC0);
    EXPECT_EQ(g_Sim.m_Timer[2].m_nReload, 0u);
    EXPECT_EQ(g_Sim.m_8253Select[0], 1);

    g_Sim.m_8253Address[0] = 0xFF;
    Out(0xFF, 0x44);
    EXPECT_EQ(g_Sim.m_Timer[0].m_nReload, 0x44u);
    EXPECT_EQ(g_Sim.m_Timer[1].m_nReload, 0x22u);
}

TEST(PortMatching, UndecodedPortsChangeNothing) {
    StartFromPowerOn();
    g_Sim.m_n8253Count = 5;
    for (int chip = 0; chip < kMaxChips; ++chip) g_Sim.m_8253Address[chip] = static_cast<u8>(0x10 * (chip + 1));
    g_Sim.m_n8255Count = 1;
    g_Sim.m_8255Address[0] = 0x80;
    CounterState timersBefore[kTimerSlots];
    std::memcpy(timersBefore, g_Sim.m_Timer, sizeof timersBefore);
    u8 selectBefore[kMaxChips];
    std::memcpy(selectBefore, g_Sim.m_8253Select, sizeof selectBefore);
    const u8 portABefore = g_Sim.m_8255PortA[0];
    Out(0x07, 0x99);
    EXPECT_EQ(std::memcmp(timersBefore, g_Sim.m_Timer, sizeof timersBefore), 0);
    EXPECT_EQ(std::memcmp(selectBefore, g_Sim.m_8253Select, sizeof selectBefore), 0);
    EXPECT_EQ(g_Sim.m_8255PortA[0], portABefore);
    EXPECT_EQ(In(0x07, 0x5A), 0x5A);
    EXPECT_EQ(In(0x13, 0xA5), 0xA5);  // a timer's control port has no read path
}

TEST(PortMatching, AbsentChipsBeyondTheCountAreDeaf) {
    StartFromPowerOn();
    g_Sim.m_n8253Count = 1;
    g_Sim.m_8253Address[0] = 0x20;
    g_Sim.m_8253Address[1] = 0x30;
    ProgramLowByteCounters(1);
    g_Sim.m_Timer[3].m_nCount = 0x77;
    g_Sim.TimersWritten();
    Out(0x30, 0x12);
    EXPECT_EQ(g_Sim.m_Timer[3].m_nReload, 0u);
    EXPECT_EQ(In(0x30, 0x5A), 0x5A);
}

TEST(NoEarlyExit, OverlappingTimersBothTakeTheWriteAndTheLaterOneAnswers) {
    StartFromPowerOn();
    g_Sim.m_n8253Count = 2;
    g_Sim.m_8253Address[0] = 0x40;
    g_Sim.m_8253Address[1] = 0x40;
    ProgramLowByteCounters(0);
    ProgramLowByteCounters(1);
    Out(0x41, 0x66);
    EXPECT_EQ(g_Sim.m_Timer[1].m_nReload, 0x66u);
    EXPECT_EQ(g_Sim.m_Timer[4].m_nReload, 0x66u);
    g_Sim.m_Timer[1].m_nCount = 0x1111;
    g_Sim.m_Timer[4].m_nCount = 0x2222;
    g_Sim.TimersWritten();
    EXPECT_EQ(In(0x41), 0x22);
    EXPECT_EQ(g_Sim.m_Timer[1].m_bReadLsb, 0);  // both sections read
}

TEST(NoEarlyExit, ParallelAndSerialChipsOnTheSamePorts) {
    StartFromPowerOn();
    g_Sim.m_n8255Count = 1;
    g_Sim.m_8255Address[0] = 0x60;
    g_Sim.m_n8251Count = 1;
    g_Sim.m_n8251Address[0] = 0x60;
    Out(0x63, 0x80);  // 8255: all ports output
    Out(0x60, 0xC3);
    EXPECT_EQ(g_Sim.m_8255PortA[0], 0xC3);
    EXPECT_EQ(g_Sim.m_n8251TxData[0], 0xC3);
    EXPECT_EQ(g_Sim.m_b8251TxFull[0], 1);
    g_Sim.m_n8251RxData[0] = 0x3C;
    EXPECT_EQ(In(0x60), 0x3C);
}

TEST(NoEarlyExit, ParallelChipAndTimerOnTheSamePorts) {
    StartFromPowerOn();
    g_Sim.m_n8255Count = 1;
    g_Sim.m_8255Address[0] = 0x70;
    g_Sim.m_n8253Count = 1;
    g_Sim.m_8253Address[0] = 0x70;
    ProgramLowByteCounters(0);
    Out(0x73, 0x80);
    Out(0x71, 0x5D);
    EXPECT_EQ(g_Sim.m_8255PortB[0], 0x5D);
    EXPECT_EQ(g_Sim.m_Timer[1].m_nReload, 0x5Du);
    g_Sim.m_Timer[1].m_nCount = 0x0042;
    g_Sim.TimersWritten();
    EXPECT_EQ(In(0x71), 0x42);
}

TEST(PortList, ListsConfiguredDevicesInOrderAsWholeNumbers) {
    StartFromPowerOn();
    g_Sim.m_b8279Connected = 1;
    g_Sim.m_n8279Address = 0xFE;
    g_Sim.m_b8155Connected = 1;
    g_Sim.m_n8155Address = 0x20;
    g_Sim.m_bLcdConnected = 1;
    g_Sim.m_nLcdAddress = 0x30;
    g_Sim.m_n8253Count = 1;
    g_Sim.m_8253Address[0] = 0x40;
    g_Sim.m_n8251Count = 2;
    g_Sim.m_n8251Address[0] = 0x50;
    g_Sim.m_n8251Address[1] = 0x52;
    g_Sim.m_n8255Count = 1;
    g_Sim.m_8255Address[0] = 0xFD;
    g_Sim.UpdatePortList();
    const std::vector<u32> expected = {0xFE, 0xFF, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x30, 0x31,
                                       0x40, 0x41, 0x42, 0x43, 0x50, 0x51, 0x52, 0x53, 0xFD, 0xFE, 0xFF, 0x100};
    EXPECT_EQ(PortList(), expected);
}

TEST(PortList, FullConfigurationFitsAndCountsStayBounded) {
    StartFromPowerOn();
    g_Sim.m_b8279Connected = g_Sim.m_b8155Connected = g_Sim.m_bLcdConnected = 1;
    g_Sim.m_n8253Count = 5;
    g_Sim.m_n8251Count = 5;
    g_Sim.m_n8255Count = 5;
    g_Sim.UpdatePortList();
    EXPECT_EQ(g_nPortCount, 62u);
    g_Sim.m_n8253Count = g_Sim.m_n8251Count = g_Sim.m_n8255Count = 200;  // a damaged value
    g_Sim.UpdatePortList();
    EXPECT_EQ(g_nPortCount, 62u);
}

TEST(PortList, AbsentTimersAreStoppedAndWiredToTrap) {
    StartFromPowerOn();
    g_Sim.m_n8253Count = 2;
    for (CounterState& timer : g_Sim.m_Timer) {
        timer.m_bRunning = 1;
        timer.m_nIrqRoute = 6;
    }
    g_Sim.TimersWritten();
    g_Sim.UpdatePortList();
    for (int slot = 0; slot < 6; ++slot) {
        EXPECT_EQ(g_Sim.m_Timer[slot].m_bRunning, 1) << slot;
        EXPECT_EQ(g_Sim.m_Timer[slot].m_nIrqRoute, 6) << slot;
    }
    for (int slot = 6; slot < kTimerSlots; ++slot) {
        EXPECT_EQ(g_Sim.m_Timer[slot].m_bRunning, 0) << slot;
        EXPECT_EQ(g_Sim.m_Timer[slot].m_nIrqRoute, 4) << slot;
    }
    // Stopped, OUT never rises, so the TRAP route stays silent.
    g_Sim.m_lastTStates = 10;
    g_Sim.Tick8253();
    EXPECT_EQ(g_Sim.m_pendTrap, 0);
}

TEST(PortList, ConnectedTimer8155KeepsItsSlot) {
    StartFromPowerOn();
    g_Sim.m_n8253Count = 5;
    g_Sim.m_b8155Connected = 1;
    g_Sim.m_Timer[15].m_bRunning = 1;
    g_Sim.m_Timer[15].m_nIrqRoute = 7;
    g_Sim.m_Timer[14].m_bRunning = 1;
    g_Sim.m_Timer[14].m_nIrqRoute = 5;
    g_Sim.TimersWritten();
    g_Sim.UpdatePortList();
    EXPECT_EQ(g_Sim.m_Timer[15].m_bRunning, 1);
    EXPECT_EQ(g_Sim.m_Timer[15].m_nIrqRoute, 7);
    EXPECT_EQ(g_Sim.m_Timer[14].m_bRunning, 1);
    EXPECT_EQ(g_Sim.m_Timer[14].m_nIrqRoute, 5);
}

TEST(PortMatching, KeyboardChipAtTheLastPortHasNoCommandPort) {
    StartFromPowerOn();
    g_Sim.m_b8279Connected = 1;
    g_Sim.m_n8279Address = 0xFF;
    g_Sim.m_n8279Status = 0x07;
    Out(0x00, 0xD1);  // would be the command port at 0x100
    EXPECT_EQ(g_Sim.m_n8279LastCmd, 0);
    EXPECT_EQ(g_Sim.m_b8279Changed, 0);
    EXPECT_EQ(In(0x00, 0x5A), 0x5A);
    Out(0xFF, 0x3C);  // the data port
    EXPECT_EQ(g_Sim.m_n8279LastCmd, 0);
    EXPECT_EQ(g_Sim.m_b8279Changed, 1);
    EXPECT_NE(In(0xFF, 0x5A), 0x07);  // data, not status
}
