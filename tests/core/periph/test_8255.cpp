#include <gtest/gtest.h>

#include "tests/support/PortIo.h"
#include "tests/support/PowerOn.h"

namespace {
constexpr u8 kBase = 0x80;
constexpr u8 kPortA = kBase;
constexpr u8 kPortB = kBase + 1;
constexpr u8 kPortC = kBase + 2;
constexpr u8 kControl = kBase + 3;

void Connect8255(int count = 1) {
    StartFromPowerOn();
    g_Sim.m_n8255Count = static_cast<u8>(count);
    for (int chip = 0; chip < kMaxChips; ++chip) g_Sim.m_8255Address[chip] = static_cast<u8>(kBase + 4 * chip);
}

void ExpectDirections(int chip, int a, int b, int cLow, int cHigh) {
    EXPECT_EQ(g_Sim.m_8255PortAIsInput[chip], a);
    EXPECT_EQ(g_Sim.m_8255PortBIsInput[chip], b);
    EXPECT_EQ(g_Sim.m_8255PortCLowIsInput[chip], cLow);
    EXPECT_EQ(g_Sim.m_8255PortCHighIsInput[chip], cHigh);
}
}  // namespace

TEST(Chip8255, ResetMakesEveryPortAnInput) {
    Connect8255();
    Out(kControl, 0x80);
    Out(kPortA, 0x12);
    g_Sim.Reset();
    for (int chip = 0; chip < kMaxChips; ++chip) {
        ExpectDirections(chip, 1, 1, 1, 1);
        EXPECT_EQ(g_Sim.m_8255PortA[chip], 0);
        EXPECT_EQ(g_Sim.m_8255Control[chip], 0);
    }
    EXPECT_EQ(g_Sim.m_n8255Count, 1);
    EXPECT_EQ(g_Sim.m_8255Address[0], kBase);
}

TEST(Chip8255, ModeWordsSetDirectionsAndClearLatches) {
    Connect8255();
    g_Sim.m_8255PortA[0] = 1;
    g_Sim.m_8255PortB[0] = 2;
    g_Sim.m_8255PortC[0] = 3;
    Out(kControl, 0x80);
    ExpectDirections(0, 0, 0, 0, 0);
    EXPECT_EQ(g_Sim.m_8255PortA[0], 0);
    EXPECT_EQ(g_Sim.m_8255PortB[0], 0);
    EXPECT_EQ(g_Sim.m_8255PortC[0], 0);
    EXPECT_EQ(g_Sim.m_8255Control[0], 0x80);
    Out(kControl, 0x9B);
    ExpectDirections(0, 1, 1, 1, 1);
    Out(kControl, 0xE4);  // mode bits 6-5 and 2 are ignored: all outputs
    ExpectDirections(0, 0, 0, 0, 0);
}

TEST(Chip8255, OutputPortsStoreInputPortsIgnore) {
    Connect8255();
    Out(kControl, 0x90);          // A input, the rest output
    g_Sim.m_8255PortA[0] = 0x77;  // as the input dialog gives it
    Out(kPortA, 0x11);
    Out(kPortB, 0x22);
    Out(kPortC, 0x33);
    EXPECT_EQ(In(kPortA), 0x77);
    EXPECT_EQ(In(kPortB), 0x22);
    EXPECT_EQ(In(kPortC), 0x33);
    EXPECT_EQ(In(kControl, 0x42), 0x42);
}

TEST(Chip8255, BitSetResetOnAnOutputPortC) {
    Connect8255();
    Out(kControl, 0x80);
    Out(kPortC, 0xFF);
    Out(kControl, 0x0E);
    EXPECT_EQ(g_Sim.m_8255PortC[0], 0x7F);
    Out(kPortC, 0x00);
    Out(kControl, 0x01);
    EXPECT_EQ(g_Sim.m_8255PortC[0], 0x01);
    Out(kControl, 0x09);  // bit 4
    EXPECT_EQ(g_Sim.m_8255PortC[0], 0x11);
    EXPECT_EQ(g_Sim.m_8255Control[0], 0x09);
}

TEST(Chip8255, PortCHalvesFollowTheirDirections) {
    Connect8255();
    Out(kControl, 0x81);  // port C lower input, the rest output
    g_Sim.m_8255PortC[0] = 0x05;
    Out(kPortC, 0xAB);
    EXPECT_EQ(g_Sim.m_8255PortC[0], 0xA5);
    Out(kControl, 0x05);  // set bit 2: an input bit, unchanged
    EXPECT_EQ(g_Sim.m_8255PortC[0], 0xA5);
    Out(kControl, 0x0F);  // set bit 7: the output half
    EXPECT_EQ(g_Sim.m_8255PortC[0], 0xA5 | 0x80);
    Out(kControl, 0x88);  // upper input, lower output
    g_Sim.m_8255PortC[0] = 0x50;
    Out(kPortC, 0xAB);
    EXPECT_EQ(g_Sim.m_8255PortC[0], 0x5B);
    Out(kControl, 0x0C);  // clear bit 6 of the input half: unchanged
    EXPECT_EQ(g_Sim.m_8255PortC[0], 0x5B);
}

TEST(Chip8255, ChipsAreIndependentAndOnlyPresentOnesDecode) {
    Connect8255(2);
    Out(kBase + 4 + 3, 0x80);
    ExpectDirections(1, 0, 0, 0, 0);
    ExpectDirections(0, 1, 1, 1, 1);
    Out(kBase + 8 + 3, 0x80);  // chip 2 is not present
    ExpectDirections(2, 1, 1, 1, 1);
    EXPECT_EQ(In(kBase + 8, 0x42), 0x42);
}

TEST(Chip8255, OverlappingChipsBothTakeTheWriteLaterOneIsRead) {
    Connect8255(2);
    g_Sim.m_8255Address[1] = kBase;
    Out(kControl, 0x80);
    Out(kPortA, 0x5A);
    EXPECT_EQ(g_Sim.m_8255PortA[0], 0x5A);
    EXPECT_EQ(g_Sim.m_8255PortA[1], 0x5A);
    g_Sim.m_8255PortB[1] = 0x99;
    EXPECT_EQ(In(kPortB), 0x99);
}

TEST(Chip8255, CountBeyondTheArraysIsBounded) {
    Connect8255(1);
    g_Sim.m_n8255Count = 255;
    Out(kBase + 16 + 3, 0x80);  // chip 4
    ExpectDirections(4, 0, 0, 0, 0);
    Out(kBase + 20 + 3, 0x80);  // would be a sixth chip
    EXPECT_EQ(In(kBase + 20, 0x42), 0x42);
}
