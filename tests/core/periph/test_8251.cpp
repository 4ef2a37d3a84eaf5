#include <gtest/gtest.h>

#include "tests/support/PortIo.h"
#include "tests/support/PowerOn.h"

namespace {
constexpr u8 kBase0 = 0x30;
constexpr u8 kBase1 = 0x40;

void Connect8251(int count = 1) {
    StartFromPowerOn();
    g_Sim.m_n8251Count = static_cast<u8>(count);
    g_Sim.m_n8251Address[0] = kBase0;
    g_Sim.m_n8251Address[1] = kBase1;
}

// Mode 0x4E, then a command enabling the receiver.
void ProgramReceiver(u8 base) {
    Out(base + 1, 0x4E);
    Out(base + 1, 0x04);
}

// Chip 0 after mode 0x4E with every status bit set, so what the command
// clears shows.
void CommandOverFullStatus(u8 command) {
    Out(kBase0 + 1, 0x4E);
    g_Sim.m_n8251Status[0] = 0x3F;
    Out(kBase0 + 1, command);
}

// Chip 0 reset by command, then given a new mode.
void Remode(u8 mode) {
    Out(kBase0 + 1, 0x40);
    Out(kBase0 + 1, mode);
}

struct ModeFields {
    int divisor, charBits, parityOn, parityOdd, stopCode;
};

void ExpectModeFields(const ModeFields& expected) {
    EXPECT_EQ(g_Sim.m_n8251Divisor[0], expected.divisor);
    EXPECT_EQ(g_Sim.m_n8251CharBits[0], expected.charBits);
    EXPECT_EQ(g_Sim.m_b8251ParityOn[0], expected.parityOn);
    EXPECT_EQ(g_Sim.m_b8251ParityOdd[0], expected.parityOdd);
    EXPECT_EQ(g_Sim.m_n8251StopCode[0], expected.stopCode);
}
}  // namespace

TEST(Chip8251, ResetValues) {
    Connect8251();
    for (int chip = 0; chip < kMaxChips; ++chip) {
        EXPECT_EQ(g_Sim.m_n8251Mode[chip], 0x4D);
        EXPECT_EQ(g_Sim.m_n8251Command[chip], 0);
        EXPECT_EQ(g_Sim.m_n8251Status[chip], 5);
        EXPECT_EQ(g_Sim.m_n8251PrevStatus[chip], 5);
        EXPECT_EQ(g_Sim.m_n8251StopCode[chip], 1);
        EXPECT_EQ(g_Sim.m_n8251Divisor[chip], 1);
        EXPECT_EQ(g_Sim.m_b8251ExpectMode[chip], 1);
        EXPECT_EQ(g_Sim.m_n8251CharBits[chip], 8);
        EXPECT_EQ(g_Sim.m_b8251ParityOn[chip], 0);
        EXPECT_EQ(g_Sim.m_b8251TxFull[chip], 0);
    }
}

TEST(Chip8251, ModeThenCommandSequence) {
    Connect8251();
    Out(kBase0 + 1, 0x4E);
    EXPECT_EQ(g_Sim.m_n8251Mode[0], 0x4E);
    EXPECT_EQ(g_Sim.m_b8251ExpectMode[0], 0);
    EXPECT_EQ(g_Sim.m_n8251Divisor[0], 16);
    EXPECT_EQ(g_Sim.m_n8251CharBits[0], 8);
    EXPECT_EQ(g_Sim.m_b8251ParityOn[0], 0);
    EXPECT_EQ(g_Sim.m_n8251StopCode[0], 1);
    Out(kBase0 + 1, 0x05);  // a command now, not a mode
    EXPECT_EQ(g_Sim.m_n8251Mode[0], 0x4E);
    EXPECT_EQ(g_Sim.m_n8251Command[0], 0x05);
    EXPECT_EQ(g_Sim.m_b8251TxEnable[0], 1);
    EXPECT_EQ(g_Sim.m_b8251RxEnable[0], 1);
    Out(kBase0 + 1, 0x27);
    EXPECT_EQ(g_Sim.m_n8251Command[0], 0x27);
}

TEST(Chip8251, InternalResetExpectsAModeAgain) {
    Connect8251();
    CommandOverFullStatus(0x40);
    EXPECT_EQ(g_Sim.m_b8251ExpectMode[0], 1);
    EXPECT_EQ(g_Sim.m_n8251Status[0], 5);
    Out(kBase0 + 1, 0xFF);
    EXPECT_EQ(g_Sim.m_n8251Mode[0], 0xFF);
    ExpectModeFields({64, 8, 1, 0, 3});
}

TEST(Chip8251, ErrorResetClearsOnlyTheErrorBits) {
    Connect8251();
    CommandOverFullStatus(0x15);
    EXPECT_EQ(g_Sim.m_n8251Status[0], 0x07);
    EXPECT_EQ(In(kBase0 + 1), 0x07);
}

TEST(Chip8251, ModeFieldsDecode) {
    Connect8251();
    Out(kBase0 + 1, 0x0C);  // factor bits 00
    EXPECT_EQ(g_Sim.m_n8251Divisor[0], 1);
    EXPECT_EQ(g_Sim.m_n8251CharBits[0], 8);
    Remode(0x91);  // factor 1, 5 bits, odd parity, stop code 2
    ExpectModeFields({1, 5, 1, 1, 2});
    Remode(0x06);  // parity off keeps the odd flag; stop bits 00 keep the code
    ExpectModeFields({16, 6, 0, 1, 2});
}

TEST(Chip8251, TransmitLatchKeepsTheLastByteAcrossReset) {
    Connect8251();
    Out(kBase0, 0x41);
    Out(kBase0, 0x42);
    EXPECT_EQ(g_Sim.m_n8251TxData[0], 0x42);
    EXPECT_EQ(g_Sim.m_b8251TxFull[0], 1);
    EXPECT_EQ(g_Sim.m_n8251Status[0], 5);
    g_Sim.Reset();
    EXPECT_EQ(g_Sim.m_n8251TxData[0], 0x42);
    EXPECT_EQ(g_Sim.m_b8251TxFull[0], 1);
}

TEST(Chip8251, ReceiveNeedsTheReceiverEnabled) {
    Connect8251();
    EXPECT_FALSE(g_Sim.Is8251ReceiverEnabled(0));
    EXPECT_FALSE(g_Sim.Input8251Byte(0, 0x55));
    EXPECT_EQ(g_Sim.m_n8251Status[0], 5);
    ProgramReceiver(kBase0);
    EXPECT_TRUE(g_Sim.Is8251ReceiverEnabled(0));
    EXPECT_FALSE(g_Sim.Is8251ReceiverEnabled(1));  // not present
    EXPECT_FALSE(g_Sim.Is8251ReceiverEnabled(-1));
    EXPECT_FALSE(g_Sim.Is8251ReceiverEnabled(kMaxChips));
    EXPECT_FALSE(g_Sim.Input8251Byte(7, 0x55));
}

TEST(Chip8251, ReceivedByteAndOverrun) {
    Connect8251();
    ProgramReceiver(kBase0);
    EXPECT_TRUE(g_Sim.Input8251Byte(0, 0x61));
    EXPECT_EQ(In(kBase0 + 1), 0x07);
    EXPECT_TRUE(g_Sim.Input8251Byte(0, 0x62));
    EXPECT_EQ(g_Sim.m_n8251Status[0], 0x17);
    EXPECT_EQ(In(kBase0), 0x62);
    EXPECT_EQ(g_Sim.m_n8251Status[0], 0x15);
    // Reading again gives the same byte; RxRDY stays clear.
    EXPECT_EQ(In(kBase0), 0x62);
    EXPECT_EQ(g_Sim.m_n8251Status[0], 0x15);
}

TEST(Chip8251, ChipsAreIndependentAndOnlyPresentOnesDecode) {
    Connect8251(1);
    g_Sim.m_n8251Address[1] = kBase1;
    Out(kBase1 + 1, 0x4E);
    EXPECT_EQ(g_Sim.m_b8251ExpectMode[1], 1);
    EXPECT_EQ(In(kBase1 + 1, 0x99), 0x99);
    g_Sim.m_n8251Count = 2;
    Out(kBase1 + 1, 0x4E);
    EXPECT_EQ(g_Sim.m_b8251ExpectMode[1], 0);
    EXPECT_EQ(g_Sim.m_b8251ExpectMode[0], 1);
}

TEST(Chip8251, CountBeyondTheArraysIsBounded) {
    Connect8251(1);
    g_Sim.m_n8251Count = 200;  // as a damaged configuration could hold
    for (int chip = 0; chip < kMaxChips; ++chip) g_Sim.m_n8251Address[chip] = static_cast<u8>(0x50 + 2 * chip);
    g_Irq8251Route[4] = 5;
    Out(0x59, 0x4E);  // chip 4's control port
    EXPECT_EQ(g_Sim.m_n8251Mode[4], 0x4E);
    EXPECT_EQ(In(0x59), 5);
    g_Sim.Update8251Irq();
    EXPECT_EQ(g_Sim.m_pendRst55, 0);
}

TEST(Chip8251, LevelRouteFollowsRxReady) {
    Connect8251();
    g_Irq8251Route[0] = 5;
    ProgramReceiver(kBase0);
    g_Sim.m_pendRst55 = 1;  // a menu request is cleared by the idle line
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst55, 0);
    g_Sim.Input8251Byte(0, 0x31);
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst55, 1);
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst55, 1);
    In(kBase0);
    EXPECT_EQ(g_Sim.m_pendRst55, 1);
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst55, 0);
}

TEST(Chip8251, LastChipOnASharedLevelRouteDecides) {
    Connect8251(2);
    g_Irq8251Route[0] = 6;
    g_Irq8251Route[1] = 6;
    ProgramReceiver(kBase0);
    g_Sim.Input8251Byte(0, 0x31);
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst65, 0);
    g_Irq8251Route[1] = 0;
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst65, 1);
}

TEST(Chip8251, EdgeRoutesRaiseOncePerArrival) {
    for (u8 route : {u8(4), u8(7)}) {
        Connect8251();
        g_Irq8251Route[0] = route;
        u8& latch = route == 4 ? g_Sim.m_pendTrap : g_Sim.m_pendRst75;
        ProgramReceiver(kBase0);
        g_Sim.Input8251Byte(0, 0x31);
        g_Sim.TickPeripherals();
        EXPECT_EQ(latch, 1);
        latch = 0;
        g_Sim.Input8251Byte(0, 0x32);  // overrun: RxRDY was already set
        g_Sim.TickPeripherals();
        EXPECT_EQ(latch, 0);
        In(kBase0);
        g_Sim.TickPeripherals();
        g_Sim.Input8251Byte(0, 0x33);
        g_Sim.TickPeripherals();
        EXPECT_EQ(latch, 1);
    }
}

TEST(Chip8251, ErrorAndInternalResetTogether) {
    Connect8251();
    CommandOverFullStatus(0x55);  // error reset, internal reset, RxE, TxEN
    EXPECT_EQ(g_Sim.m_n8251Status[0], 0x05);
    EXPECT_EQ(g_Sim.m_b8251ExpectMode[0], 1);
    EXPECT_EQ(g_Sim.m_n8251Command[0], 0x55);
    EXPECT_EQ(g_Sim.m_b8251RxEnable[0], 1);
    EXPECT_EQ(g_Sim.m_b8251TxEnable[0], 1);
    // A command without RxE: the receiver input is refused again.
    Out(kBase0 + 1, 0x4E);
    Out(kBase0 + 1, 0x01);
    EXPECT_EQ(g_Sim.m_b8251RxEnable[0], 0);
    EXPECT_FALSE(g_Sim.Input8251Byte(0, 0x20));
}

TEST(Chip8251, ReadingTheByteWithdrawsTheLevelRequestBeforeTheCheck) {
    Connect8251();
    g_Irq8251Route[0] = 6;
    ProgramReceiver(kBase0);
    g_Sim.m_sp = 0xF000;
    g_Sim.m_stackValid = 1;
    g_Sim.m_intEnable = 1;
    g_Sim.m_mask65 = 0;
    g_Sim.Input8251Byte(0, 0x4B);
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst65, 1);
    g_Sim.m_pMemory[0] = 0xDB;  // IN kBase0
    g_Sim.m_pMemory[1] = kBase0;
    g_Sim.ExecuteInstruction();
    EXPECT_EQ(g_Sim.m_regA, 0x4B);
    EXPECT_EQ(g_Sim.m_pendRst65, 0);
    EXPECT_EQ(g_Sim.m_pc, 0x0002);
}
