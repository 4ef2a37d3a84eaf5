// The 8279, 8155, 8255, 8251 and LCD configured on one base port: every
// section runs whatever matched before it, a write reaches all of them, and
// on a read the later section's value stands (8279, 8155, 8255, 8251 order).
#include <gtest/gtest.h>

#include "tests/support/PortIo.h"
#include "tests/support/PowerOn.h"

namespace {
constexpr u8 kBase = 0x40;

void ConnectAllAtOneBase() {
    StartFromPowerOn();
    g_Sim.m_b8279Connected = 1;
    g_Sim.m_n8279Address = kBase;
    g_Sim.m_b8155Connected = 1;
    g_Sim.m_n8155Address = kBase;
    g_Sim.m_n8255Count = 1;
    g_Sim.m_8255Address[0] = kBase;
    g_Sim.m_n8251Count = 1;
    g_Sim.m_n8251Address[0] = kBase;
    g_Sim.m_bLcdConnected = 1;
    g_Sim.m_nLcdAddress = kBase;
}
}  // namespace

TEST(SharedPorts, OneWriteReachesEveryChipOnThePort) {
    ConnectAllAtOneBase();
    g_Sim.m_b8279WriteDisplay = 1;  // left entry, address 0
    g_Sim.m_8255PortAIsInput[0] = 0;
    g_Sim.m_8255PortBIsInput[0] = 0;

    Out(kBase, 0x03);
    EXPECT_EQ(g_Sim.m_8279DisplayRam[0], 0x03);  // 8279 display data
    EXPECT_EQ(g_Sim.m_n8155Command, 0x03);       // 8155 command: A and B output
    EXPECT_EQ(g_Sim.m_8155PortIsInput[0], 0);
    EXPECT_EQ(g_Sim.m_8255PortA[0], 0x03);    // 8255 port A
    EXPECT_EQ(g_Sim.m_n8251TxData[0], 0x03);  // 8251 transmit data
    EXPECT_EQ(g_Sim.m_b8251TxFull[0], 1);
    EXPECT_EQ(g_Sim.m_nLcdLastCmd, 0x03);  // LCD instruction (return home)

    Out(kBase + 1, 0x5A);
    EXPECT_EQ(g_Sim.m_n8279LastCmd, 0x5A);  // 8279 command: read FIFO
    EXPECT_EQ(g_Sim.m_b8279ReadFifo, 1);
    EXPECT_EQ(g_Sim.m_8155Port[0], 0x5A);   // 8155 port A
    EXPECT_EQ(g_Sim.m_8255PortB[0], 0x5A);  // 8255 port B
    EXPECT_EQ(g_Sim.m_n8251Mode[0], 0x5A);  // 8251 mode instruction
    EXPECT_EQ(g_Sim.m_b8251ExpectMode[0], 0);
    EXPECT_EQ(g_Sim.m_LcdRam[0], 0x5A);  // LCD data
    EXPECT_EQ(g_Sim.m_nLcdAddr, 1);
}

TEST(SharedPorts, ReadTakesTheLastDecodingSectionsValue) {
    ConnectAllAtOneBase();
    g_Sim.m_n8279Status = 0x00;
    g_Sim.m_8155Port[0] = 0x15;
    g_Sim.m_8255PortB[0] = 0x25;
    g_Sim.m_n8251Status[0] = 0x05;
    // base + 1: 8279 status, 8155 port A, 8255 port B, 8251 status.
    EXPECT_EQ(In(kBase + 1), 0x05);
    g_Sim.m_n8251Count = 0;
    EXPECT_EQ(In(kBase + 1), 0x25);
    g_Sim.m_n8255Count = 0;
    EXPECT_EQ(In(kBase + 1), 0x15);
    g_Sim.m_b8155Connected = 0;
    EXPECT_EQ(In(kBase + 1), 0x00);
}

TEST(SharedPorts, EveryDecodingSectionActsOnARead) {
    ConnectAllAtOneBase();
    g_Sim.m_b8279ReadFifo = 1;
    g_Sim.Input8279Key(0x31);
    g_Sim.Input8279Key(0x32);
    g_Sim.m_8255PortA[0] = 0x77;
    g_Sim.m_n8251RxData[0] = 0x61;
    g_Sim.m_n8251Status[0] |= 0x02;
    // base: 8279 FIFO, (8155 command: no read), 8255 port A, 8251 received data.
    EXPECT_EQ(In(kBase), 0x61);
    EXPECT_EQ(g_Sim.m_n8279FifoCount, 1);  // the 8279 still gave up a key
    EXPECT_EQ(g_Sim.m_8279Fifo[0], 0x32);
    EXPECT_EQ(g_Sim.m_n8251Status[0] & 0x02, 0);
    g_Sim.m_n8251Count = 0;
    EXPECT_EQ(In(kBase), 0x77);
    EXPECT_EQ(g_Sim.m_n8279FifoCount, 0);
    g_Sim.m_n8255Count = 0;
    EXPECT_EQ(In(kBase, 0xAB), 0xAB);  // 8279 FIFO empty: underrun, A kept
    EXPECT_EQ(g_Sim.m_n8279Status, 0x10);
}

TEST(SharedPorts, LcdAndTimerPortsOfThe8155Overlap) {
    StartFromPowerOn();
    g_Sim.m_b8155Connected = 1;
    g_Sim.m_n8155Address = kBase;
    g_Sim.m_bLcdConnected = 1;
    g_Sim.m_nLcdAddress = kBase + 4;  // instruction on the timer's low byte, data on its high byte
    Out(kBase + 4, 0x01);
    EXPECT_EQ(g_Sim.m_Timer[15].m_nReload, 0x01u);
    EXPECT_EQ(g_Sim.m_nLcdLastCmd, 0x01);
    Out(kBase + 5, 'K');
    EXPECT_EQ(g_Sim.m_Timer[15].m_nReload, 0x0B01u);  // 'K' = 0x4B: bits 5-0 high, mode 1
    EXPECT_EQ(g_Sim.m_Timer[15].m_nMode, 1);
    EXPECT_EQ(g_Sim.m_LcdRam[0], 'K');
    EXPECT_EQ(In(kBase + 4, 0x42), 0x42);  // neither has a read path there
}
