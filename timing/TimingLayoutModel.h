// Where everything of the timing window stands, apart from painting: the
// axes, the grid, the signal labels with the bars over the active-low
// names, the segments of the waveforms that a repaint draws, and the scroll
// sizes. The painter only maps these to pens, colours and a font.
#pragma once

#include <array>

#include "timing/TimingModel.h"

// What a line or a text is drawn with; the painter gives each its colour.
enum class TimingInk { Axis, Grid, Waveform, Floating, ControlLabel, BusLabel };

struct TimingLine {
    TimePoint from;
    TimePoint to;
};

// The extent of the drawing: the axes end at x 1000 and y 630.
constexpr int kDiagramWidth = 1000;
constexpr int kDiagramBottom = 630;
constexpr int kAxisPenWidth = 3;
constexpr int kDiagramHeight = kDiagramBottom + kAxisPenWidth;

constexpr std::array<TimingLine, 2> kTimingAxes = {{
    {{kDiagramLeft, 0}, {kDiagramLeft, kDiagramBottom}},
    {{0, kDiagramBottom}, {kDiagramWidth, kDiagramBottom}},
}};

// 24 horizontal lines on the rows' base lines and 25 vertical lines at the
// ends of the T-states, in the order they are drawn.
constexpr int kGridLineCount = kTimingRows + kTimingRows + 1;
std::array<TimingLine, kGridLineCount> TimingGridLines();

// A row's name, placed by its top-left corner.
struct TimingLabel {
    const char* text;
    TimePoint topLeft;
    TimingInk ink;
};
TimingLabel TimingLabelOf(int row);

// A bar "__" over an active-low name (or over the M of IO/M): written over
// the label's characters from firstChar on, nChars underscores long.
struct TimingBar {
    int row;
    int firstChar;
    int nChars;
};
constexpr std::array<TimingBar, 4> kTimingBars = {{{kRowIoM, 3, 1}, {kRowRd, 0, 2}, {kRowWr, 0, 2}, {kRowCs, 0, 2}}};
constexpr const char* kTimingBarText = "__";
// Top-left corner of a bar, given the width of the label's characters
// before it in the label font.
TimePoint TimingBarPosition(const TimingBar& bar, int prefixWidth);

// One step of a row's waveform: a line from P to Q, or, where the row
// floats on both ends, the single pixel at P.
struct TimingSegment {
    bool bFloatingPixel;
    TimePoint from;
    TimePoint to;
};
TimingSegment TimingSegmentOf(int row, int s);
// The last segment a repaint draws for the redraw limit: segments 0 to it,
// never past the end; -1 when it draws none.
int TimingLastDrawnSegment(int redrawLimit);

// Scroll sizes of the view: four times the screen's width and twice its
// height in all, half the total per page, a hundredth per line.
struct TimingSize {
    int width;
    int height;
};
struct TimingScrollSizes {
    TimingSize total;
    TimingSize page;
    TimingSize line;
};
TimingScrollSizes TimingScrollSizesFor(int screenWidth, int screenHeight);
