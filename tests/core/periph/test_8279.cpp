#include <cstring>
#include <gtest/gtest.h>

#include "tests/support/PortIo.h"
#include "tests/support/PowerOn.h"

namespace {
constexpr u8 kBase = 0x10;
constexpr u8 kData = kBase;
constexpr u8 kCmd = kBase + 1;

void Connect8279(u8 base = kBase, u8 route = 0) {
    StartFromPowerOn();
    g_Sim.m_b8279Connected = 1;
    g_Sim.m_n8279Address = base;
    g_Irq8279Route = route;
}

void ExpectKeyCountInStatus(int count) {
    EXPECT_EQ(g_Sim.m_n8279FifoCount, count);
    EXPECT_EQ(g_Sim.m_n8279Status & 0x0F, count);
}
}  // namespace

TEST(Chip8279, ResetValuesAndWhatResetKeeps) {
    Connect8279(kBase, 6);
    g_Sim.m_8279SegTable[0x3F][0] = '0';
    Out(kCmd, 0x3A);  // program clock 0x1A
    Out(kCmd, 0x18);  // right entry, 16 digits
    Out(kCmd, 0x90);
    Out(kData, 0x77);
    g_Sim.Input8279Key(0x21);
    g_Sim.Reset();
    EXPECT_EQ(g_Sim.m_n8279Prescaler, 31);
    EXPECT_EQ(g_Sim.m_b8279LeftEntry, 1);
    EXPECT_EQ(g_Sim.m_n8279Digits, 16);
    EXPECT_EQ(g_Sim.m_n8279Mode, 0);
    EXPECT_EQ(g_Sim.m_n8279Status, 0);
    EXPECT_EQ(g_Sim.m_n8279FifoCount, 0);
    EXPECT_EQ(g_Sim.m_b8279WriteDisplay, 0);
    for (u8 byte : g_Sim.m_8279DisplayRam) EXPECT_EQ(byte, 0);
    for (u8 key : g_Sim.m_8279Fifo) EXPECT_EQ(key, 0);
    // Configuration and the last command survive.
    EXPECT_EQ(g_Sim.m_b8279Connected, 1);
    EXPECT_EQ(g_Sim.m_n8279Address, kBase);
    EXPECT_EQ(g_Sim.m_n8279LastCmd, 0x90);
    EXPECT_EQ(g_Irq8279Route, 6);
    EXPECT_EQ(g_Sim.m_8279SegTable[0x3F][0], '0');
}

TEST(Chip8279, CommandsSetTheirFields) {
    Connect8279();
    Out(kCmd, 0x3A);
    EXPECT_EQ(g_Sim.m_n8279Prescaler, 0x1A);
    Out(kCmd, 0x55);  // read FIFO, AI, address 5
    EXPECT_EQ(g_Sim.m_b8279ReadFifo, 1);
    EXPECT_EQ(g_Sim.m_b8279ReadDisplay, 0);
    EXPECT_EQ(g_Sim.m_n8279FifoAddr, 5);
    EXPECT_EQ(g_Sim.m_b8279FifoAutoInc, 1);
    Out(kCmd, 0x6B);  // read display, no AI, address 11
    EXPECT_EQ(g_Sim.m_b8279ReadFifo, 0);
    EXPECT_EQ(g_Sim.m_b8279ReadDisplay, 1);
    EXPECT_EQ(g_Sim.m_n8279DisplayAddr, 11);
    EXPECT_EQ(g_Sim.m_b8279DisplayAutoInc, 0);
    Out(kCmd, 0x93);  // write display leaves the read selection alone
    EXPECT_EQ(g_Sim.m_b8279WriteDisplay, 1);
    EXPECT_EQ(g_Sim.m_b8279ReadDisplay, 1);
    EXPECT_EQ(g_Sim.m_n8279DisplayAddr, 3);
    Out(kCmd, 0xA4);
    EXPECT_EQ(g_Sim.m_b8279InhibitWrite, 1);
    Out(kCmd, 0xA0);
    EXPECT_EQ(g_Sim.m_b8279InhibitWrite, 0);
    Out(kCmd, 0x1D);  // mode set clears the read selections
    EXPECT_EQ(g_Sim.m_n8279Mode, 0x1D);
    EXPECT_EQ(g_Sim.m_b8279LeftEntry, 0);
    EXPECT_EQ(g_Sim.m_n8279Digits, 16);
    EXPECT_EQ(g_Sim.m_b8279ReadDisplay, 0);
    EXPECT_EQ(g_Sim.m_b8279DisplayAutoInc, 0);
    EXPECT_EQ(g_Sim.m_n8279LastCmd, 0x1D);
    Out(kCmd, 0xE0);  // end interrupt: nothing
    EXPECT_EQ(g_Sim.m_n8279LastCmd, 0xE0);
    EXPECT_EQ(g_Sim.m_b8279Changed, 1);
}

TEST(Chip8279, LeftEntryWrapsAtTheDisplaySize) {
    Connect8279();
    Out(kCmd, 0x00);  // 8 characters, left entry
    Out(kCmd, 0x90);  // write display, address 0, auto-increment
    for (u8 v = 1; v <= 8; ++v) Out(kData, v);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(g_Sim.m_8279DisplayRam[i], i + 1);
    EXPECT_EQ(g_Sim.m_n8279DisplayAddr, 0);
    Out(kData, 9);
    EXPECT_EQ(g_Sim.m_8279DisplayRam[0], 9);
    for (int i = 8; i < 16; ++i) EXPECT_EQ(g_Sim.m_8279DisplayRam[i], 0);
}

TEST(Chip8279, LeftEntryAddressBeyondTheDisplayWrapsToZero) {
    Connect8279();
    Out(kCmd, 0x00);  // 8 characters
    Out(kCmd, 0x9C);  // address 12, auto-increment
    Out(kData, 0xAA);
    EXPECT_EQ(g_Sim.m_8279DisplayRam[12], 0xAA);
    EXPECT_EQ(g_Sim.m_n8279DisplayAddr, 0);
    Out(kData, 0xBB);
    EXPECT_EQ(g_Sim.m_8279DisplayRam[0], 0xBB);
}

TEST(Chip8279, WithoutWriteCommandDataIsDropped) {
    Connect8279();
    Out(kData, 0x55);
    for (u8 byte : g_Sim.m_8279DisplayRam) EXPECT_EQ(byte, 0);
    EXPECT_EQ(g_Sim.m_b8279Changed, 1);
}

TEST(Chip8279, RightEntryShiftsInFromTheRight) {
    Connect8279();
    Out(kCmd, 0x10);  // 8 characters, right entry
    Out(kCmd, 0x80);
    Out(kData, 1);
    Out(kData, 2);
    Out(kData, 3);
    const u8 expected[16] = {0, 0, 0, 0, 0, 1, 2, 3};
    EXPECT_EQ(std::memcmp(g_Sim.m_8279DisplayRam, expected, 16), 0);
    EXPECT_EQ(g_Sim.m_n8279DisplayAddr, 0);
}

TEST(Chip8279, RightEntryRotatesAndStoresAtItsAddress) {
    Connect8279();
    Out(kCmd, 0x10);
    for (int i = 0; i < 16; ++i) g_Sim.m_8279DisplayRam[i] = static_cast<u8>(0x10 + i);
    Out(kCmd, 0x82);  // address 2
    Out(kData, 0xEE);
    // Bytes 0-7 rotate left (0x10 to the end), then 0xEE lands at 8 - 1 - 2.
    const u8 expected[16] = {0x11, 0x12, 0x13, 0x14, 0x15, 0xEE, 0x17, 0x10,
                             0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F};
    EXPECT_EQ(std::memcmp(g_Sim.m_8279DisplayRam, expected, 16), 0);
}

TEST(Chip8279, RightEntryAddressBeyondTheDisplayIsIgnored) {
    Connect8279();
    Out(kCmd, 0x10);  // 8 characters, right entry
    for (int i = 0; i < 16; ++i) g_Sim.m_8279DisplayRam[i] = static_cast<u8>(i);
    u8 before[16];
    std::memcpy(before, g_Sim.m_8279DisplayRam, 16);
    for (u8 cmd = 0x88; cmd <= 0x8F; ++cmd) {
        Out(kCmd, cmd);
        Out(kData, 0x99);
    }
    EXPECT_EQ(std::memcmp(g_Sim.m_8279DisplayRam, before, 16), 0);
}

TEST(Chip8279, DisplayReadsAutoIncrementWithinTheRam) {
    Connect8279();
    for (int i = 0; i < 16; ++i) g_Sim.m_8279DisplayRam[i] = static_cast<u8>(0xA0 + i);
    Out(kCmd, 0x00);  // 8 characters: reads still cover all 16 bytes
    Out(kCmd, 0x7E);  // read display, address 14, auto-increment
    EXPECT_EQ(In(kData), 0xAE);
    EXPECT_EQ(In(kData), 0xAF);
    EXPECT_EQ(In(kData), 0xA0);
    EXPECT_EQ(g_Sim.m_n8279DisplayAddr, 1);
    Out(kCmd, 0x65);  // no auto-increment
    EXPECT_EQ(In(kData), 0xA5);
    EXPECT_EQ(In(kData), 0xA5);
}

TEST(Chip8279, ReadWithNothingSelectedKeepsA) {
    Connect8279();
    g_Sim.Input8279Key(0x12);
    EXPECT_EQ(In(kData, 0x5A), 0x5A);
    EXPECT_EQ(g_Sim.m_n8279FifoCount, 1);
}

TEST(Chip8279, ClearAllEmptiesDisplayAndFifo) {
    Connect8279();
    std::memset(g_Sim.m_8279DisplayRam, 0x77, 16);
    g_Sim.Input8279Key(1);
    g_Sim.Input8279Key(2);
    Out(kCmd, 0xD1);
    for (u8 byte : g_Sim.m_8279DisplayRam) EXPECT_EQ(byte, 0);
    for (u8 key : g_Sim.m_8279Fifo) EXPECT_EQ(key, 0);
    EXPECT_EQ(g_Sim.m_n8279FifoCount, 0);
    EXPECT_EQ(g_Sim.m_n8279Status, 0);
    EXPECT_EQ(g_Sim.m_b8279BlankHigh, 0);
}

TEST(Chip8279, ClearCodesAndTheirReach) {
    Connect8279();
    Out(kCmd, 0x00);  // 8 characters: only the first 8 bytes are cleared
    std::memset(g_Sim.m_8279DisplayRam, 0x77, 16);
    g_Sim.Input8279Key(1);
    Out(kCmd, 0xD8);  // clear display with 0x20, FIFO kept
    for (int i = 0; i < 8; ++i) EXPECT_EQ(g_Sim.m_8279DisplayRam[i], 0x20);
    for (int i = 8; i < 16; ++i) EXPECT_EQ(g_Sim.m_8279DisplayRam[i], 0x77);
    EXPECT_EQ(g_Sim.m_b8279BlankHigh, 1);
    EXPECT_EQ(g_Sim.m_n8279FifoCount, 1);
    Out(kCmd, 0xC2);  // clear FIFO only, code 00
    EXPECT_EQ(g_Sim.m_n8279FifoCount, 0);
    EXPECT_EQ(g_Sim.m_8279DisplayRam[0], 0x20);
    EXPECT_EQ(g_Sim.m_b8279BlankHigh, 0);
}

TEST(Chip8279, BlankingWithHighBlankCodeSetsEveryByte) {
    Connect8279();
    for (int i = 0; i < 16; ++i) g_Sim.m_8279DisplayRam[i] = static_cast<u8>(i * 7);
    Out(kCmd, 0xCC);  // blank code 0xFF, nothing cleared
    EXPECT_EQ(g_Sim.m_8279DisplayRam[3], 21);
    Out(kCmd, 0xA3);
    for (u8 byte : g_Sim.m_8279DisplayRam) EXPECT_EQ(byte, 0xFF);
}

TEST(Chip8279, BlankingOneNibble) {
    Connect8279();
    std::memset(g_Sim.m_8279DisplayRam, 0x5A, 16);
    Out(kCmd, 0xA1);  // low code 0: blank the low nibble to zero
    for (u8 byte : g_Sim.m_8279DisplayRam) EXPECT_EQ(byte, 0x50);
    Out(kCmd, 0xC8);  // blank code 0x20 (high), nothing cleared
    Out(kCmd, 0xA2);  // high nibble blanked to ones
    for (u8 byte : g_Sim.m_8279DisplayRam) EXPECT_EQ(byte, 0xF0);
}

TEST(Chip8279, FifoReadsOldestFirstThenUnderrun) {
    Connect8279();
    g_Sim.Input8279Key(0x11);
    g_Sim.Input8279Key(0x22);
    g_Sim.Input8279Key(0x33);
    ExpectKeyCountInStatus(3);
    EXPECT_EQ(In(kCmd), 3);
    Out(kCmd, 0x40);
    EXPECT_EQ(In(kData), 0x11);
    ExpectKeyCountInStatus(2);
    EXPECT_EQ(In(kData), 0x22);
    EXPECT_EQ(In(kData), 0x33);
    ExpectKeyCountInStatus(0);
    EXPECT_EQ(In(kData, 0x5A), 0x5A);
    EXPECT_EQ(g_Sim.m_n8279Status, 0x10);
    EXPECT_EQ(g_Sim.m_n8279FifoCount, 0);
}

TEST(Chip8279, EighthKeySetsBitThreeNinthIsLost) {
    Connect8279();
    for (u8 k = 1; k <= 7; ++k) g_Sim.Input8279Key(k);
    EXPECT_EQ(g_Sim.m_n8279Status, 0x07);
    g_Sim.Input8279Key(8);
    EXPECT_EQ(g_Sim.m_n8279Status, 0x08);
    g_Sim.Input8279Key(9);
    EXPECT_EQ(g_Sim.m_n8279Status, 0x28);
    EXPECT_EQ(g_Sim.m_n8279FifoCount, 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(g_Sim.m_8279Fifo[i], i + 1);
    // The overrun flag stays while keys are read out.
    Out(kCmd, 0x40);
    EXPECT_EQ(In(kData), 1);
    EXPECT_EQ(g_Sim.m_n8279Status, 0x27);
}

TEST(Chip8279, ModeSetKeepsTheKeyCountOfTheFifo) {
    Connect8279(kBase, 4);
    g_Sim.Input8279Key(0x41);
    g_Sim.Input8279Key(0x42);
    g_Sim.TickPeripherals();
    g_Sim.m_pendTrap = 0;
    Out(kCmd, 0x40);
    In(kData);
    In(kData);
    In(kData);  // underrun flag
    g_Sim.Input8279Key(0x43);
    g_Sim.Input8279Key(0x44);
    g_Sim.Input8279Key(0x45);
    g_Sim.TickPeripherals();
    g_Sim.m_pendTrap = 0;
    Out(kCmd, 0x08);  // mode set with three keys waiting
    ExpectKeyCountInStatus(3);
    EXPECT_EQ(g_Sim.m_n8279Status & 0x30, 0);
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendTrap, 0);
    Out(kCmd, 0x40);
    for (u8 key = 0x43; key <= 0x45; ++key) {
        EXPECT_EQ(In(kData), key);
        g_Sim.TickPeripherals();
        EXPECT_EQ(g_Sim.m_pendTrap, 0) << "no key arrived";
    }
    ExpectKeyCountInStatus(0);
}

TEST(Chip8279, LevelRouteFollowsWaitingKeys) {
    Connect8279(kBase, 6);
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst65, 0);
    g_Sim.Input8279Key(1);
    g_Sim.Input8279Key(2);
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst65, 1);
    g_Sim.m_pendRst65 = 0;  // as if accepted: the level raises it again
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst65, 1);
    Out(kCmd, 0x40);
    In(kData);
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst65, 1);
    In(kData);
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst65, 0);
}

TEST(Chip8279, LevelRouteRst55ClearsAMenuRequest) {
    Connect8279(kBase, 5);
    g_Sim.m_pendRst55 = 1;
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst55, 0);
}

TEST(Chip8279, EdgeRoutesRaiseOncePerArrival) {
    for (u8 route : {u8(4), u8(7)}) {
        Connect8279(kBase, route);
        u8& latch = route == 4 ? g_Sim.m_pendTrap : g_Sim.m_pendRst75;
        g_Sim.Input8279Key(1);
        g_Sim.Input8279Key(2);
        g_Sim.TickPeripherals();
        EXPECT_EQ(latch, 1);
        latch = 0;
        g_Sim.TickPeripherals();
        EXPECT_EQ(latch, 0);
        g_Sim.Input8279Key(3);
        g_Sim.TickPeripherals();
        EXPECT_EQ(latch, 1);
        latch = 0;
        // Reading a key and the source's own inactivity never clear the latch.
        Out(kCmd, 0x40);
        In(kData);
        latch = 1;
        g_Sim.TickPeripherals();
        EXPECT_EQ(latch, 1);
    }
}

TEST(Chip8279, AbsentChipIgnoresPortsAndDrivesNothing) {
    StartFromPowerOn();
    g_Sim.m_n8279Address = kBase;
    g_Irq8279Route = 5;
    g_Sim.m_pendRst55 = 1;
    Out(kCmd, 0x90);
    Out(kData, 0x42);
    EXPECT_EQ(g_Sim.m_b8279WriteDisplay, 0);
    EXPECT_EQ(g_Sim.m_8279DisplayRam[0], 0);
    EXPECT_EQ(In(kCmd, 0x5A), 0x5A);
    g_Sim.Update8279Irq();
    EXPECT_EQ(g_Sim.m_pendRst55, 1);
    EXPECT_EQ(g_Sim.m_b8279Changed, 0);
}

TEST(Chip8279, BaseFFDecodesOnlyItsDataPort) {
    Connect8279(0xFF);
    g_Sim.m_b8279WriteDisplay = 1;
    Out(0xFF, 0x42);
    EXPECT_EQ(g_Sim.m_8279DisplayRam[0], 0x42);
    EXPECT_EQ(g_Sim.m_n8279LastCmd, 0);
    Out(0x00, 0xD1);  // 0x100 would be the command port; port 0 is not it
    EXPECT_EQ(g_Sim.m_n8279LastCmd, 0);
    EXPECT_EQ(g_Sim.m_8279DisplayRam[0], 0x42);
}

TEST(Chip8279, SegmentTextIsAtMostTwoCharacters) {
    StartFromPowerOn();
    char text[CSimulator::k8279SegTextSize];
    g_Sim.Get8279SegmentText(0x06, text);
    EXPECT_STREQ(text, "");
    std::memcpy(g_Sim.m_8279SegTable[0x06], "1\0", 3);
    g_Sim.Get8279SegmentText(0x06, text);
    EXPECT_STREQ(text, "1");
    std::memcpy(g_Sim.m_8279SegTable[0x5B], "2b", 3);
    g_Sim.Get8279SegmentText(0x5B, text);
    EXPECT_STREQ(text, "2b");
    // An entry without its NUL (as a damaged file may hold) runs into the next.
    std::memcpy(g_Sim.m_8279SegTable[0xFF], "XYZ", 3);
    g_Sim.Get8279SegmentText(0xFF, text);
    EXPECT_STREQ(text, "XY");
}

TEST(Chip8279, ClearCodesZeroOneAndThree) {
    Connect8279();
    std::memset(g_Sim.m_8279DisplayRam, 0x77, 16);
    Out(kCmd, 0xDC);  // code 11: 0xFF, clear display
    for (u8 byte : g_Sim.m_8279DisplayRam) EXPECT_EQ(byte, 0xFF);
    EXPECT_EQ(g_Sim.m_b8279BlankHigh, 1);
    Out(kCmd, 0xD4);  // code 01: 0x00, like 00
    for (u8 byte : g_Sim.m_8279DisplayRam) EXPECT_EQ(byte, 0x00);
    EXPECT_EQ(g_Sim.m_b8279BlankHigh, 0);
    // Neither clear bit: only the blank code is chosen.
    g_Sim.Input8279Key(5);
    std::memset(g_Sim.m_8279DisplayRam, 0x12, 16);
    Out(kCmd, 0xC8);
    EXPECT_EQ(g_Sim.m_8279DisplayRam[0], 0x12);
    EXPECT_EQ(g_Sim.m_n8279FifoCount, 1);
    EXPECT_EQ(g_Sim.m_b8279BlankHigh, 1);
}

TEST(Chip8279, BlankingInhibitBitsAreStoredOnly) {
    Connect8279();
    Out(kCmd, 0xA8);  // inhibit A: stored, nothing blanked
    EXPECT_EQ(g_Sim.m_b8279InhibitWrite, 1);
    Out(kCmd, 0x90);
    Out(kData, 0x3C);  // writes still go through
    EXPECT_EQ(g_Sim.m_8279DisplayRam[0], 0x3C);
    Out(kCmd, 0xA1);  // with the low blank code 0 the low nibble goes to 0
    EXPECT_EQ(g_Sim.m_8279DisplayRam[0], 0x30);
    EXPECT_EQ(g_Sim.m_b8279InhibitWrite, 0);
}

TEST(Chip8279, ModeSetKeepsTheWriteSelection) {
    Connect8279();
    Out(kCmd, 0x92);  // write display, address 2, auto-increment
    Out(kCmd, 0x08);  // mode set: 16 digits, left entry
    EXPECT_EQ(g_Sim.m_b8279WriteDisplay, 1);
    EXPECT_EQ(g_Sim.m_b8279DisplayAutoInc, 0);
    Out(kData, 0x61);
    Out(kData, 0x62);
    EXPECT_EQ(g_Sim.m_8279DisplayRam[2], 0x62);
    EXPECT_EQ(g_Sim.m_n8279DisplayAddr, 2);
}

TEST(Chip8279, RightEntrySixteenDigitsHighestAddress) {
    Connect8279();
    Out(kCmd, 0x18);  // 16 characters, right entry
    for (int i = 0; i < 16; ++i) g_Sim.m_8279DisplayRam[i] = static_cast<u8>(i);
    Out(kCmd, 0x8F);  // address 15: the byte lands at position 0 after the shift
    Out(kData, 0xEE);
    const u8 expected[16] = {0xEE, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0};
    EXPECT_EQ(std::memcmp(g_Sim.m_8279DisplayRam, expected, 16), 0);
}

TEST(Chip8279, ErrorFlagsStayWhileKeysComeAndGo) {
    Connect8279();
    Out(kCmd, 0x40);
    In(kData);  // underrun
    EXPECT_EQ(g_Sim.m_n8279Status, 0x10);
    g_Sim.Input8279Key(0x07);
    EXPECT_EQ(g_Sim.m_n8279Status, 0x11);
    EXPECT_EQ(In(kCmd), 0x11);
    EXPECT_EQ(In(kData), 0x07);
    EXPECT_EQ(g_Sim.m_n8279Status, 0x10);
    Out(kCmd, 0xC2);  // clearing the FIFO clears the flags too
    EXPECT_EQ(g_Sim.m_n8279Status, 0x00);
}

TEST(Chip8279, SharedLevelRouteTheSerialChipDecidesAfterIt) {
    Connect8279(kBase, 6);
    g_Sim.m_n8251Count = 1;
    g_Irq8251Route[0] = 6;
    g_Sim.Input8279Key(1);
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst65, 0);  // the idle 8251 runs later and withdraws it
    g_Irq8251Route[0] = 0;
    g_Sim.TickPeripherals();
    EXPECT_EQ(g_Sim.m_pendRst65, 1);
}

TEST(Chip8279, ReadingTheLastKeyWithdrawsTheLevelRequestBeforeTheCheck) {
    for (int keys : {1, 2}) {
        Connect8279(kBase, 5);
        g_Sim.m_sp = 0xF000;
        g_Sim.m_stackValid = 1;
        g_Sim.m_intEnable = 1;
        g_Sim.m_mask55 = 0;
        for (int k = 0; k < keys; ++k) g_Sim.Input8279Key(static_cast<u8>(0x20 + k));
        g_Sim.m_b8279ReadFifo = 1;
        g_Sim.m_pendRst55 = 1;      // as the tick after the keys arrived left it
        g_Sim.m_pMemory[0] = 0xDB;  // IN kData
        g_Sim.m_pMemory[1] = kData;
        g_Sim.ExecuteInstruction();
        EXPECT_EQ(g_Sim.m_regA, 0x20);
        if (keys == 1) {
            EXPECT_EQ(g_Sim.m_pendRst55, 0);
            EXPECT_EQ(g_Sim.m_pc, 0x0002);
        } else {
            EXPECT_EQ(g_Sim.m_pc, 0x002C);  // a key still waits: taken
        }
    }
}
