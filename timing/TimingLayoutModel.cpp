#include "timing/TimingLayoutModel.h"

#include <algorithm>

namespace {
constexpr int kLabelX = 5;
constexpr int kFirstLabelY = 20;
constexpr int kBarRise = 15;   // a bar stands this far above its label
constexpr int kBarIndent = 1;  // a bar over a whole name starts one pixel in
constexpr int kGridRight = 860;
constexpr int kGridFirstX = 92;  // the end of the first T-state
constexpr int kTStateWidth = 2 * kColumnsPerSample;
constexpr int kPageDivisor = 2;
constexpr int kLineDivisor = 100;
constexpr int kTotalWidthScreens = 4;
constexpr int kTotalHeightScreens = 2;

constexpr const char* kRowNames[kTimingRows] = {"CLK", "A15", "A14",  "A13", "A12", "A11", "A10", "A9",
                                                "A8",  "AD7", "AD6",  "AD5", "AD4", "AD3", "AD2", "AD1",
                                                "AD0", "ALE", "IO/M", "RD",  "WR",  "CS",  "S0",  "S1"};

bool IsBusRow(int row) { return row >= kRowA15 && row <= kRowAD0; }
}  // namespace

std::array<TimingLine, kGridLineCount> TimingGridLines() {
    std::array<TimingLine, kGridLineCount> lines{};
    int n = 0;
    for (int i = 0; i <= kTimingRows; ++i) {
        if (i < kTimingRows) {
            const int y = CTimingModel::BaseLine(i);
            lines[n++] = {{kDiagramLeft, y}, {kGridRight, y}};
        }
        const int x = kGridFirstX + kTStateWidth * i;
        lines[n++] = {{x, 0}, {x, kDiagramBottom}};
    }
    return lines;
}

TimingLabel TimingLabelOf(int row) {
    const int r = std::clamp(row, 0, kTimingRows - 1);
    return {kRowNames[r],
            {kLabelX, kFirstLabelY + kRowPitch * r},
            IsBusRow(r) ? TimingInk::BusLabel : TimingInk::ControlLabel};
}

TimePoint TimingBarPosition(const TimingBar& bar, int prefixWidth) {
    const TimingLabel label = TimingLabelOf(bar.row);
    const int x = label.topLeft.x + (bar.firstChar == 0 ? kBarIndent : prefixWidth);
    return {x, label.topLeft.y - kBarRise};
}

TimingSegment TimingSegmentOf(int row, int s) {
    const int r = std::clamp(row, 0, kTimingRows - 1);
    const int k = std::clamp(s, 0, kMaxColumns - 2);
    const TimePoint p = g_TimePoints[r][k];
    const TimePoint q = g_TimePoints[r][k + 1];
    const int floating = CTimingModel::BaseLine(r) + kFloatOffset;
    // The clock never floats: its row is always drawn with lines.
    const bool bFloating = r != kRowClk && p.y == floating && q.y == floating;
    return {bFloating, p, q};
}

int TimingLastDrawnSegment(int redrawLimit) {
    if (!g_bTimeStarted || redrawLimit <= 0) return -1;
    return std::max(-1, std::min(redrawLimit, CTimingModel::LastSegment()));
}

TimingScrollSizes TimingScrollSizesFor(int screenWidth, int screenHeight) {
    const TimingSize total = {kTotalWidthScreens * screenWidth, kTotalHeightScreens * screenHeight};
    return {total,
            {total.width / kPageDivisor, total.height / kPageDivisor},
            {total.width / kLineDivisor, total.height / kLineDivisor}};
}
