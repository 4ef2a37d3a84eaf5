#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "tests/support/PortIo.h"
#include "tests/support/PowerOn.h"

namespace {
constexpr u8 kBase = 0x60;
constexpr u8 kInstr = kBase;
constexpr u8 kData = kBase + 1;

void ConnectLcd(u8 logical, u8 physical) {
    StartFromPowerOn();
    g_Sim.m_bLcdConnected = 1;
    g_Sim.m_nLcdAddress = kBase;
    g_Sim.m_nLcdCharsLogical = logical;
    g_Sim.m_nLcdCharsPhysical = physical;
}

void WriteText(const char* text) {
    for (const char* c = text; *c != '\0'; ++c) Out(kData, static_cast<u8>(*c));
}

struct Lines {
    CSimulator::LcdText text[4];
    Lines() {
        // A marker past each text's end shows whether anything ran over.
        std::memset(text, '#', sizeof text);
        g_Sim.GetLcdLines(text[0], text[1], text[2], text[3]);
    }
    std::string operator[](int n) const { return text[n]; }
};

const std::string kBlank40(40, ' ');
}  // namespace

TEST(Lcd, PowerOnValuesAndResetLeavesTheLcdAlone) {
    StartFromPowerOn();
    EXPECT_EQ(g_Sim.m_nLcdCharsLogical, 8);
    EXPECT_EQ(g_Sim.m_nLcdCharsPhysical, 16);
    EXPECT_EQ(g_Sim.m_bLcdDisplayOn, 1);
    EXPECT_EQ(g_Sim.m_bLcdCursorOn, 1);
    EXPECT_EQ(g_Sim.m_bLcdBlink, 1);
    EXPECT_EQ(g_Sim.m_bLcdIncrement, 1);
    for (char c : g_Sim.m_LcdRam) EXPECT_EQ(c, ' ');
    g_Sim.m_bLcdConnected = 1;
    g_Sim.m_nLcdAddress = kBase;
    WriteText("AB");
    Out(kInstr, 0x08);
    g_Sim.Reset();
    EXPECT_EQ(g_Sim.m_LcdRam[0], 'A');
    EXPECT_EQ(g_Sim.m_nLcdAddr, 2);
    EXPECT_EQ(g_Sim.m_bLcdDisplayOn, 0);
}

TEST(Lcd, PowerOnShowsOneBlankSixteenCharacterLine) {
    StartFromPowerOn();
    Lines lines;
    EXPECT_EQ(lines[0], std::string(16, ' '));
    EXPECT_EQ(lines[1], std::string(16, ' '));
    EXPECT_EQ(lines[2], kBlank40);
    EXPECT_EQ(lines[3], kBlank40);
}

TEST(Lcd, ClearBlanksTheRamAndHomesTheAddress) {
    ConnectLcd(16, 16);
    WriteText("HELLO");
    Out(kInstr, 0x01);
    for (char c : g_Sim.m_LcdRam) EXPECT_EQ(c, ' ');
    EXPECT_EQ(g_Sim.m_nLcdAddr, 0);
    EXPECT_EQ(g_Sim.m_nLcdCursor, 0);
    Out(kData, 'X');
    EXPECT_EQ(g_Sim.m_LcdRam[0], 'X');
    EXPECT_EQ(g_Sim.m_nLcdLastCmd, 0x01);
    EXPECT_EQ(g_Sim.m_bLcdChanged, 1);
}

TEST(Lcd, ReturnHomeKeepsTheText) {
    ConnectLcd(16, 16);
    WriteText("AB");
    Out(kInstr, 0x03);  // highest bit 0x02: home
    EXPECT_EQ(g_Sim.m_nLcdAddr, 0);
    EXPECT_EQ(g_Sim.m_LcdRam[1], 'B');
}

TEST(Lcd, DataWritesRunRoundWithinThePhysicalLine) {
    ConnectLcd(16, 16);
    Out(kInstr, 0x80);
    WriteText("0123456789ABCDEFZ");
    EXPECT_EQ(g_Sim.m_LcdRam[0], 'Z');
    EXPECT_EQ(std::string(g_Sim.m_LcdRam + 1, 15), "123456789ABCDEF");
    EXPECT_EQ(g_Sim.m_LcdRam[16], ' ');
    EXPECT_EQ(g_Sim.m_nLcdAddr, 1);
    Out(kInstr, 0xCF);  // line 2, last position
    WriteText("xy");
    EXPECT_EQ(g_Sim.m_LcdRam[64 + 15], 'x');
    EXPECT_EQ(g_Sim.m_LcdRam[64], 'y');
    EXPECT_EQ(g_Sim.m_nLcdCursor, 65);
}

TEST(Lcd, AddressesBeyondTheLineContinueOnLinesThreeAndFour) {
    ConnectLcd(16, 16);
    Out(kInstr, 0x90);
    EXPECT_EQ(g_Sim.m_nLcdAddr, 128);
    Out(kInstr, 0xD0);
    EXPECT_EQ(g_Sim.m_nLcdAddr, 192);
    Out(kInstr, 0x8F);
    EXPECT_EQ(g_Sim.m_nLcdAddr, 15);
    Out(kInstr, 0xFF);  // a = 127
    EXPECT_EQ(g_Sim.m_nLcdAddr, 127 - 16 + 128);
    ConnectLcd(20, 20);
    const u8 starts[4][2] = {{0x80, 0}, {0xC0, 64}, {0x94, 128}, {0xD4, 192}};
    for (const auto& s : starts) {
        Out(kInstr, s[0]);
        EXPECT_EQ(g_Sim.m_nLcdAddr, s[1]) << int(s[0]);
        EXPECT_EQ(g_Sim.m_nLcdCursor, s[1]);
    }
}

TEST(Lcd, EntryModeWithoutIncrementOverwritesOnePosition) {
    ConnectLcd(16, 16);
    Out(kInstr, 0x85);
    Out(kInstr, 0x04);
    EXPECT_EQ(g_Sim.m_bLcdIncrement, 0);
    WriteText("abc");
    EXPECT_EQ(g_Sim.m_LcdRam[5], 'c');
    EXPECT_EQ(g_Sim.m_LcdRam[6], ' ');
    EXPECT_EQ(g_Sim.m_nLcdAddr, 5);
    Out(kInstr, 0x07);  // display-shift bit is ignored
    EXPECT_EQ(g_Sim.m_bLcdIncrement, 1);
}

TEST(Lcd, CursorShiftMovesTheAddressDisplayShiftDoesNothing) {
    ConnectLcd(16, 16);
    Out(kInstr, 0x85);
    Out(kInstr, 0x18);
    Out(kInstr, 0x1C);
    EXPECT_EQ(g_Sim.m_nLcdAddr, 5);
    Out(kInstr, 0x10);
    EXPECT_EQ(g_Sim.m_nLcdAddr, 4);
    Out(kInstr, 0x14);
    Out(kInstr, 0x14);
    EXPECT_EQ(g_Sim.m_nLcdAddr, 6);
    Out(kInstr, 0x80);
    Out(kInstr, 0x10);  // back from 0 wraps to 255
    EXPECT_EQ(g_Sim.m_nLcdAddr, 255);
    Out(kData, 'q');
    EXPECT_EQ(g_Sim.m_LcdRam[255], 'q');
    EXPECT_EQ(g_Sim.m_nLcdAddr, 0);
}

TEST(Lcd, FunctionSetCharacterGeneratorAndZeroChangeNothing) {
    ConnectLcd(16, 16);
    Out(kInstr, 0x83);
    for (u8 instr : {u8(0x00), u8(0x38), u8(0x40), u8(0x7F)}) {
        Out(kInstr, instr);
        EXPECT_EQ(g_Sim.m_nLcdAddr, 3) << int(instr);
        EXPECT_EQ(g_Sim.m_nLcdLastCmd, instr);
    }
    EXPECT_EQ(g_Sim.m_bLcdIncrement, 1);
    EXPECT_EQ(g_Sim.m_bLcdDisplayOn, 1);
}

TEST(Lcd, DisplayOffBlanksTheTextsButKeepsTheRam) {
    ConnectLcd(16, 16);
    WriteText("KEEP");
    Out(kInstr, 0x08);
    EXPECT_EQ(g_Sim.m_bLcdDisplayOn, 0);
    EXPECT_EQ(g_Sim.m_bLcdCursorOn, 0);
    EXPECT_EQ(g_Sim.m_bLcdBlink, 0);
    {
        Lines lines;
        for (int n = 0; n < 4; ++n) EXPECT_EQ(lines[n], kBlank40);
    }
    Out(kInstr, 0x0C);
    EXPECT_EQ(g_Sim.m_bLcdCursorOn, 0);
    Lines lines;
    EXPECT_EQ(lines[0], "KEEP            ");
}

TEST(Lcd, SameWidthsShowFourLines) {
    ConnectLcd(16, 16);
    const u8 starts[4] = {0x80, 0xC0, 0x90, 0xD0};
    const char* texts[4] = {"one", "two", "three", "four"};
    for (int n = 0; n < 4; ++n) {
        Out(kInstr, starts[n]);
        WriteText(texts[n]);
    }
    Lines lines;
    for (int n = 0; n < 4; ++n) {
        EXPECT_EQ(lines[n].size(), 16u);
        EXPECT_EQ(lines[n].substr(0, std::strlen(texts[n])), texts[n]);
    }
}

TEST(Lcd, DifferentWidthsPutTwoRamLinesSideBySide) {
    ConnectLcd(8, 16);
    WriteText("abcdefghIJ");
    Out(kInstr, 0xC0);
    WriteText("12345678");
    Out(kInstr, 0x90);
    WriteText("third");
    Out(kInstr, 0xD0);
    WriteText("fourth");
    Lines lines;
    EXPECT_EQ(lines[0], "abcdefgh12345678");
    EXPECT_EQ(lines[1], "third   fourth  ");
    EXPECT_EQ(lines[2], kBlank40);
    EXPECT_EQ(lines[3], kBlank40);
}

TEST(Lcd, ZeroWidthGivesEmptyTexts) {
    ConnectLcd(0, 0);
    Lines lines;
    for (int n = 0; n < 4; ++n) EXPECT_EQ(lines[n], "");
}

TEST(Lcd, WideConfigurationsStayWithinTextAndRam) {
    for (u8 physical : {u8(40), u8(41), u8(64), u8(99), u8(255)}) {
        ConnectLcd(physical, physical);
        for (int i = 0; i < CSimulator::kLcdRamSize; ++i) g_Sim.m_LcdRam[i] = static_cast<char>('A' + i / 64);
        Lines lines;
        for (int n = 0; n < 4; ++n) {
            EXPECT_EQ(lines[n], std::string(40, static_cast<char>('A' + n))) << int(physical);
            EXPECT_EQ(lines.text[n][40], '\0');
        }
    }
    // Logical 30 of physical 16: the 40 shown characters are 30 of line 1 and 10 of line 2.
    ConnectLcd(30, 16);
    for (int i = 0; i < CSimulator::kLcdRamSize; ++i) g_Sim.m_LcdRam[i] = static_cast<char>('a' + i / 64);
    Lines lines;
    EXPECT_EQ(lines[0], std::string(30, 'a') + std::string(10, 'b'));
    EXPECT_EQ(lines[1], std::string(30, 'c') + std::string(10, 'd'));
    ConnectLcd(99, 10);
    for (int i = 0; i < CSimulator::kLcdRamSize; ++i) g_Sim.m_LcdRam[i] = static_cast<char>('a' + i / 64);
    Lines wide;
    EXPECT_EQ(wide[0], std::string(40, 'a'));
}

TEST(Lcd, WideAndZeroWidthsKeepWritesInsideTheRam) {
    ConnectLcd(99, 99);
    Out(kInstr, 0xFF);  // a = 127, below 99 + 64: stays
    EXPECT_EQ(g_Sim.m_nLcdAddr, 127);
    for (int i = 0; i < 300; ++i) Out(kData, 'w');
    EXPECT_EQ(g_Sim.m_LcdRam[255], 'w');
    ConnectLcd(0, 0);
    Out(kInstr, 0xBF);  // a = 63: onto line 3
    EXPECT_EQ(g_Sim.m_nLcdAddr, 63 + 128);
    Out(kInstr, 0xFF);
    EXPECT_EQ(g_Sim.m_nLcdAddr, 255);
    Out(kInstr, 0xC5);  // a = 69: onto line 4
    EXPECT_EQ(g_Sim.m_nLcdAddr, 69 + 128);
    Out(kData, 'z');  // a zero-width line sends the address back to its start
    EXPECT_EQ(g_Sim.m_LcdRam[69 + 128], 'z');
    EXPECT_EQ(g_Sim.m_nLcdAddr, 192);
}

TEST(Lcd, AbsentLcdIgnoresWrites) {
    StartFromPowerOn();
    g_Sim.m_nLcdAddress = kBase;
    Out(kInstr, 0x01);
    Out(kData, 'X');
    Out(kInstr, 0x08);
    EXPECT_EQ(g_Sim.m_LcdRam[0], ' ');
    EXPECT_EQ(g_Sim.m_bLcdDisplayOn, 1);
    EXPECT_EQ(g_Sim.m_bLcdChanged, 0);
}
