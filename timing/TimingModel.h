// The bus signals of the last executed instruction as waveforms.
//
// The instruction's bus-cycle records become samples of half a T-state for
// 24 signals, the samples become one y offset per pixel column (a change of
// level drawn as a slope over 8 columns), and the offsets become one
// polyline per signal in view coordinates. All of it is built once, when
// the user starts the diagram; an animation step then only draws.
//
// The storage is fixed and static, sized for the longest instruction with
// room to spare; nothing is allocated, and no input writes or reads outside
// it.
#pragma once

#include <array>

#include "sim/Simulator.h"

// Signal levels.
constexpr i32 kLevelLow = 0;
constexpr i32 kLevelHigh = 1;
constexpr i32 kLevelFloat = 2;  // high impedance, drawn half-way

// Rows, in the order of drawing, top to bottom: CLK, A15 to A8, AD7 to AD0,
// ALE, IO/M, RD, WR, CS, S0, S1.
constexpr int kTimingRows = 24;
constexpr int kRowClk = 0;
constexpr int kRowA15 = 1;
constexpr int kRowA8 = 8;
constexpr int kRowAD7 = 9;
constexpr int kRowAD0 = 16;
constexpr int kRowAle = 17;
constexpr int kRowIoM = 18;
constexpr int kRowRd = 19;
constexpr int kRowWr = 20;
constexpr int kRowCs = 21;
constexpr int kRowS0 = 22;
constexpr int kRowS1 = 23;

constexpr int kMaxSamples = 100;   // entries of a row's sample array
constexpr int kMaxColumns = 1000;  // entries of a row's offsets and points
constexpr int kColumnsPerSample = 16;
// The most samples the column arrays can hold; the executor's longest
// instruction (CALL) has 36.
constexpr int kMaxSampleCount = kMaxColumns / kColumnsPerSample;

// Geometry in view coordinates (y grows downwards).
constexpr int kDiagramLeft = 60;    // x of column 0
constexpr int kFirstBaseLine = 30;  // y of row 0's low level
constexpr int kRowPitch = 25;
constexpr int kHighOffset = -16;
constexpr int kFloatOffset = -8;

struct TimePoint {
    i32 x;
    i32 y;
};

extern i32 g_nSampleCount;
// Level of each row during each sample; the CLK row reads g_ClockPattern
// instead of its entry here.
extern i32 g_SignalSamples[kTimingRows][kMaxSamples];
extern const std::array<i32, kMaxSamples> g_ClockPattern;
extern i32 g_RowOffsets[kTimingRows][kMaxColumns];
extern TimePoint g_TimePoints[kTimingRows][kMaxColumns];
// Set once point lists exist; never cleared.
extern i32 g_bTimeStarted;

// The model's operations. The timing view derives from this class, so they
// are the view's operations too; none needs a window.
class CTimingModel {
public:
    // Builds everything from g_busCycles / g_busCycleCount as they are now.
    static void BuildWaveforms();
    // Appends one record's samples. A record of no known type, or one that
    // would not fit the arrays, adds nothing.
    static void AddMachineCycle(u32 record);
    // Writes the offsets of 16 x count columns (count clamped to what the
    // arrays hold).
    static void ExpandSignal(const i32* samples, i32* out, i32 count);
    static i32 LevelOffset(i32 level);
    // Offset of a column on the slope from level a to level b; phase is the
    // column's position 0-15 within its sample.
    static i32 EdgeOffset(i32 a, i32 b, i32 phase);
    static i32 BitLevel(u32 value) { return value != 0 ? 1 : 0; }
    static void BuildPointLists();

    // Pixel columns of every row: N = 16 x the sample count.
    static i32 ColumnCount() { return kColumnsPerSample * g_nSampleCount; }
    // Index of the last polyline segment, N - 2 (negative without samples).
    static i32 LastSegment() { return ColumnCount() - 2; }
    static i32 BaseLine(int row) { return kFirstBaseLine + kRowPitch * row; }
    static const i32* RowSamples(int row) { return row == kRowClk ? g_ClockPattern.data() : g_SignalSamples[row]; }
};
