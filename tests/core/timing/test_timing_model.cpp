// Waveforms built from the bus-cycle records of real instructions (the
// executor writes them) and from damaged lists, and the window's geometry.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tests/support/ProgramStart.h"
#include "timing/TimingLayoutModel.h"
#include "timing/TimingModel.h"

namespace {

constexpr int kFloating = -1;
constexpr int kMixed = -2;

u32 Record(u32 type, u16 address, u8 data) { return type << 24 | u32(address) << 8 | data; }

void SetRecords(std::initializer_list<u32> records) {
    g_busCycleCount = 0;
    for (u32 r : records) g_busCycles[g_busCycleCount++] = r;
}

// Executes one instruction at 0x4000 and builds its diagram.
void BuildFor(std::initializer_list<u8> bytes) {
    StartProgram(0x4000, bytes);
    g_Sim.ExecuteInstruction();
    CTimingModel::BuildWaveforms();
}

// A row's levels over every sample, one digit each.
std::string Levels(int row) {
    std::string text;
    for (int s = 0; s < g_nSampleCount; ++s) text += char('0' + CTimingModel::RowSamples(row)[s]);
    return text;
}

// Eight rows read as a byte, most significant first; kFloating when all
// float.
int Byte(int firstRow, int s) {
    int value = 0, floating = 0;
    for (int i = 0; i < 8; ++i) {
        const i32 level = CTimingModel::RowSamples(firstRow + i)[s];
        floating += level == kLevelFloat;
        value = value << 1 | (level == kLevelHigh);
    }
    return floating == 8 ? kFloating : floating > 0 ? kMixed : value;
}

// AD7-AD0 over samples [first, first + n), as bytes.
std::vector<int> AdBytes(int first, int n) {
    std::vector<int> bytes;
    for (int s = first; s < first + n; ++s) bytes.push_back(Byte(kRowAD7, s));
    return bytes;
}

class TimingModelTest : public ::testing::Test {
protected:
    void SetUp() override { StartFromPowerOn(); }
};

TEST_F(TimingModelTest, OpcodeFetchOfFourTStates) {
    BuildFor({0x3C});  // INR A
    ASSERT_EQ(g_nSampleCount, 8);
    EXPECT_EQ(CTimingModel::ColumnCount(), 128);
    EXPECT_EQ(g_TimePoints[kRowClk][CTimingModel::LastSegment()].x, 60 + 126);
    EXPECT_EQ(Levels(kRowClk), "01010101");  // four low-high periods
    EXPECT_EQ(AdBytes(0, 8), (std::vector<int>{0x00, 0x00, 0x3C, 0x3C, 0x3C, 0x3C, kFloating, kFloating}));
    for (int s = 0; s < 8; ++s) EXPECT_EQ(Byte(kRowA15, s), 0x40);
    EXPECT_EQ(Levels(kRowRd), "11000011");
    EXPECT_EQ(Levels(kRowIoM), "00000000");
    EXPECT_EQ(g_bTimeStarted, 1);
}

TEST_F(TimingModelTest, CallFetchesSixTStatesReadsTwiceAndPushesTwice) {
    BuildFor({0xCD, 0x34, 0x12});  // CALL 1234
    ASSERT_EQ(g_nSampleCount, 36);
    EXPECT_EQ(CTimingModel::ColumnCount(), 576);
    // T1 the low address byte, T2 and T3 the opcode, T4 to T6 floating.
    EXPECT_EQ(AdBytes(0, 12), (std::vector<int>{0x00, 0x00, 0xCD, 0xCD, 0xCD, 0xCD, kFloating, kFloating, kFloating,
                                                kFloating, kFloating, kFloating}));
    EXPECT_EQ(AdBytes(12, 6), (std::vector<int>{0x01, 0x01, kFloating, 0x34, 0x34, kFloating}));
    EXPECT_EQ(AdBytes(18, 6), (std::vector<int>{0x02, 0x02, kFloating, 0x12, 0x12, kFloating}));
    // The return address 4003 pushed high byte first below SP 3000.
    EXPECT_EQ(AdBytes(24, 6), (std::vector<int>{0xFF, 0xFF, 0x40, 0x40, 0x40, kFloating}));
    EXPECT_EQ(AdBytes(30, 6), (std::vector<int>{0xFE, 0xFE, 0x03, 0x03, 0x03, kFloating}));
    EXPECT_EQ(Byte(kRowA15, 25), 0x2F);
    EXPECT_EQ(Levels(kRowWr),
              "111111111111"
              "111111"
              "111111"
              "110001"
              "110001");
    EXPECT_EQ(Levels(kRowS0),
              "111111111111"
              "000000"
              "000000"
              "111111"
              "111111");
    EXPECT_EQ(Levels(kRowAle),
              "100000000000"
              "100000"
              "100000"
              "100000"
              "100000");
}

TEST_F(TimingModelTest, MemoryReadShowsAddressThenFloatDataFloat) {
    SetRecords({Record(CSimulator::kCycleMemRead, 0xABCD, 0x77)});
    CTimingModel::BuildWaveforms();
    ASSERT_EQ(g_nSampleCount, 6);
    EXPECT_EQ(AdBytes(0, 6), (std::vector<int>{0xCD, 0xCD, kFloating, 0x77, 0x77, kFloating}));
    EXPECT_EQ(Levels(kRowRd), "110001");
    for (int s = 0; s < 6; ++s) EXPECT_EQ(Byte(kRowA15, s), 0xAB);
}

TEST_F(TimingModelTest, IoReadShowsThePortOnBothHalvesOfTheAddress) {
    StartProgram(0x4000, {0xDB, 0x20});  // IN 20 from an unused port keeps A
    g_Sim.m_regA = 0x5A;
    g_Sim.ExecuteInstruction();
    CTimingModel::BuildWaveforms();
    ASSERT_EQ(g_nSampleCount, 20);
    const int io = 14;  // after the fetch and the operand read
    for (int s = io; s < io + 6; ++s) EXPECT_EQ(Byte(kRowA15, s), 0x20);
    EXPECT_EQ(AdBytes(io, 6), (std::vector<int>{0x20, 0x20, kFloating, 0x5A, 0x5A, kFloating}));
    EXPECT_EQ(Levels(kRowIoM),
              "00000000"
              "000000"
              "111111");
}

TEST_F(TimingModelTest, ChangesOfLevelAreSlopesOverEightColumns) {
    // A slope between low and high climbs 2 pixels per column, one to or from
    // floating 1 pixel; the column after it is at the later level.
    const i32 levels[] = {kLevelLow,  kLevelHigh,  kLevelLow,  kLevelFloat, kLevelLow,
                          kLevelHigh, kLevelFloat, kLevelHigh, kLevelHigh};
    const int n = sizeof levels / sizeof levels[0];
    i32 out[kColumnsPerSample * n];
    CTimingModel::ExpandSignal(levels, out, n);
    for (int k = 1; k < n; ++k) {
        const i32 from = CTimingModel::LevelOffset(levels[k - 1]);
        const i32 to = CTimingModel::LevelOffset(levels[k]);
        const int first = kColumnsPerSample * k - 4;
        for (int j = 0; j < 8; ++j) EXPECT_EQ(out[first + j], from + (to - from) / 8 * j) << k << ' ' << j;
        EXPECT_EQ(out[first + 8], to);
    }
    EXPECT_EQ(out[kColumnsPerSample * n - 1], CTimingModel::LevelOffset(levels[n - 1]));
    for (int c = 0; c < 4; ++c) EXPECT_EQ(out[c], 0);  // the first sample starts flat
    EXPECT_EQ(CTimingModel::EdgeOffset(kLevelLow, kLevelHigh, 14), -4);
    EXPECT_EQ(CTimingModel::EdgeOffset(kLevelFloat, kLevelHigh, 3), -15);
    EXPECT_EQ(CTimingModel::EdgeOffset(7, kLevelHigh, 14), 0);
    EXPECT_EQ(CTimingModel::LevelOffset(-3), 0);
}

TEST_F(TimingModelTest, TheLastPointRepeatsTheThirdLast) {
    BuildFor({0xCD, 0x34, 0x12});
    const int n = CTimingModel::ColumnCount();
    for (int row = 0; row < kTimingRows; ++row) {
        EXPECT_EQ(g_TimePoints[row][n - 1].x, g_TimePoints[row][n - 3].x);
        EXPECT_EQ(g_TimePoints[row][n - 1].y, g_TimePoints[row][n - 3].y);
        EXPECT_EQ(g_TimePoints[row][n - 2].x, 60 + n - 2);
        EXPECT_EQ(g_TimePoints[row][5].y, 30 + 25 * row + g_RowOffsets[row][5]);
    }
}

TEST_F(TimingModelTest, DamagedListsStayInsideTheTables) {
    // A later build replaces an earlier one; an empty list leaves nothing.
    BuildFor({0xCD, 0x34, 0x12});
    SetRecords({});
    CTimingModel::BuildWaveforms();
    EXPECT_EQ(g_nSampleCount, 0);
    EXPECT_EQ(TimingLastDrawnSegment(10), -1);

    // An unknown type adds nothing; a count past the list's five records
    // reads five.
    SetRecords({Record(7, 0x1111, 1), Record(0xFF, 0x2222, 2), Record(CSimulator::kCycleMemRead, 0x3333, 3)});
    CTimingModel::BuildWaveforms();
    EXPECT_EQ(g_nSampleCount, 6);
    SetRecords({Record(5, 0, 0), Record(5, 0, 0), Record(5, 0, 0), Record(5, 0, 0), Record(5, 0, 0)});
    g_busCycleCount = 200;
    CTimingModel::BuildWaveforms();
    EXPECT_EQ(g_nSampleCount, 60);
    EXPECT_EQ(Levels(kRowClk).substr(48), "010101010101");

    // Records appended one by one stop where the columns end.
    for (int i = 0; i < 20; ++i) CTimingModel::AddMachineCycle(Record(CSimulator::kCycleMemRead, 0, 0));
    EXPECT_LE(g_nSampleCount, kMaxSampleCount);
    CTimingModel::ExpandSignal(g_ClockPattern.data(), g_RowOffsets[kRowClk], 5000);
}

TEST(TimingLayoutTest, AxesGridLabelsAndBarsStandWhereTheRowsAre) {
    const auto grid = TimingGridLines();
    int horizontal = 0, vertical = 0;
    for (const TimingLine& line : grid) {
        if (line.from.y == line.to.y) {
            EXPECT_EQ(line.from.y, 30 + 25 * horizontal++);
            EXPECT_EQ(line.to.x, 860);
        } else {
            EXPECT_EQ(line.from.x, 92 + 32 * vertical++);
            EXPECT_EQ(line.to.y, kDiagramBottom);
        }
    }
    EXPECT_EQ(horizontal, 24);
    EXPECT_EQ(vertical, 25);
    for (int row = 0; row < kTimingRows; ++row) {
        const TimingLabel label = TimingLabelOf(row);
        EXPECT_EQ(label.topLeft.y, 20 + 25 * row);
        const bool bus = std::string(label.text).find('A') == 0 && row != kRowAle;
        EXPECT_EQ(label.ink, bus ? TimingInk::BusLabel : TimingInk::ControlLabel) << label.text;
    }
    EXPECT_STREQ(TimingLabelOf(kRowIoM).text, "IO/M");
    EXPECT_EQ(TimingBarPosition(kTimingBars[0], 20).x, 25);
    EXPECT_EQ(TimingBarPosition(kTimingBars[0], 20).y, 455);
    EXPECT_EQ(TimingBarPosition(kTimingBars[1], 20).x, 6);
    EXPECT_EQ(TimingBarPosition(kTimingBars[1], 20).y, 480);
}

TEST(TimingLayoutTest, FloatingStretchesAreDrawnAsPixelsExceptOnTheClock) {
    StartFromPowerOn();
    SetRecords({Record(CSimulator::kCycleMemRead, 0xABCD, 0x77)});
    CTimingModel::BuildWaveforms();
    const int inFloat = 2 * kColumnsPerSample + 6;  // sample 2, past its slope
    EXPECT_TRUE(TimingSegmentOf(kRowAD0, inFloat).bFloatingPixel);
    EXPECT_FALSE(TimingSegmentOf(kRowAD0, inFloat - 10).bFloatingPixel);
    EXPECT_FALSE(TimingSegmentOf(kRowRd, inFloat).bFloatingPixel);
    // Even a clock point on the half-way line is drawn as a line.
    g_TimePoints[kRowClk][3] = g_TimePoints[kRowClk][4] = {63, 30 - 8};
    EXPECT_FALSE(TimingSegmentOf(kRowClk, 3).bFloatingPixel);
    EXPECT_EQ(TimingLastDrawnSegment(0), -1);
    EXPECT_EQ(TimingLastDrawnSegment(40), 40);
    EXPECT_EQ(TimingLastDrawnSegment(500), 6 * 16 - 2);
}

TEST(TimingLayoutTest, ScrollSizesFollowTheScreen) {
    const TimingScrollSizes sizes = TimingScrollSizesFor(1920, 1080);
    EXPECT_EQ(sizes.total.width, 7680);
    EXPECT_EQ(sizes.total.height, 2160);
    EXPECT_EQ(sizes.page.width, 3840);
    EXPECT_EQ(sizes.page.height, 1080);
    EXPECT_EQ(sizes.line.width, 76);
    EXPECT_EQ(sizes.line.height, 21);
}

}  // namespace
