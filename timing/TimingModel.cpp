#include "timing/TimingModel.h"

#include <algorithm>
#include <array>

i32 g_nSampleCount;
i32 g_SignalSamples[kTimingRows][kMaxSamples];
i32 g_RowOffsets[kTimingRows][kMaxColumns];
TimePoint g_TimePoints[kTimingRows][kMaxColumns];
i32 g_bTimeStarted;

namespace {
constexpr std::array<i32, kMaxSamples> ClockPattern() {
    // Low in the first half of every T-state, high in the second.
    std::array<i32, kMaxSamples> pattern{};
    for (int k = 0; k < kMaxSamples; ++k) pattern[k] = k % 2 == 0 ? kLevelLow : kLevelHigh;
    return pattern;
}
}  // namespace

const std::array<i32, kMaxSamples> g_ClockPattern = ClockPattern();

namespace {
// What the AD lines carry during a sample.
constexpr char kAdAddress = '0';  // the low byte of the address
constexpr char kAdData = '1';     // the data byte
constexpr char kAdFloat = '2';    // nothing: all eight float

constexpr int kAddressBits = 8;
constexpr u32 kByteMask = 0xFF;
constexpr u32 kAddressMask = 0xFFFF;

// The control lines and the AD bus sample by sample, one character per
// sample ('0' low, '1' high, '2' floating; for AD the mode above).
struct CycleShape {
    u32 type;
    const char* ale;
    const char* rd;
    const char* wr;
    const char* iom;
    const char* cs;
    const char* s0;
    const char* s1;
    const char* ad;
};

// clang-format off
constexpr CycleShape kCycleShapes[] = {
    // type                        ALE             RD              WR              IO/M            CS              S0              S1              AD
    {CSimulator::kCycleFetch4,   "10000000",     "11000011",     "11111111",     "00000000",     "00000011",     "11111111",     "11111111",     "00111122"},
    {CSimulator::kCycleFetch6,   "100000000000", "110000111111", "111111111111", "000000000000", "000000111111", "111111111111", "111111111111", "001111222222"},
    {CSimulator::kCycleMemRead,  "100000",       "110001",       "111111",       "000000",       "000001",       "000000",       "111111",       "002112"},
    {CSimulator::kCycleMemWrite, "100000",       "111111",       "110001",       "000000",       "000001",       "111111",       "000000",       "001112"},
    {CSimulator::kCycleIoRead,   "100000",       "110001",       "111111",       "111111",       "000001",       "000000",       "111111",       "002112"},
    {CSimulator::kCycleIoWrite,  "100000",       "111111",       "110001",       "111111",       "000001",       "111111",       "000000",       "001112"},
};
// clang-format on

const CycleShape* ShapeOf(u32 type) {
    for (const CycleShape& shape : kCycleShapes)
        if (shape.type == type) return &shape;
    return nullptr;
}

int SampleCountOf(const CycleShape& shape) {
    int n = 0;
    while (shape.ale[n] != '\0') ++n;
    return n;
}

i32 LevelAt(const char* pattern, int j) { return pattern[j] - '0'; }

bool IsLevel(i32 level) { return level >= kLevelLow && level <= kLevelFloat; }

// Slope columns: the last 4 of the earlier sample, the first 4 of the later.
constexpr int kSlopeColumns = 8;
constexpr int kSlopeStartPhase = 12;
constexpr int kSlopeEndPhase = 3;
constexpr int kPhaseWrap = kColumnsPerSample - kSlopeStartPhase;  // slope position of phase 0
}  // namespace

void CTimingModel::BuildWaveforms() {
    g_nSampleCount = 0;
    const u32 count = std::min<u32>(g_busCycleCount, kMaxBusCycles);
    for (u32 i = 0; i < count; ++i) AddMachineCycle(g_busCycles[i]);
    for (int row = 0; row < kTimingRows; ++row) ExpandSignal(RowSamples(row), g_RowOffsets[row], g_nSampleCount);
    BuildPointLists();
}

void CTimingModel::AddMachineCycle(u32 record) {
    const CycleShape* pShape = ShapeOf(record >> kBusCycleTypeShift);
    if (pShape == nullptr) return;
    const int n = SampleCountOf(*pShape);
    if (g_nSampleCount + n > kMaxSampleCount) return;
    const u32 address = (record >> kBusCycleAddressShift) & kAddressMask;
    const u32 data = record & kByteMask;
    const struct {
        int row;
        const char* pattern;
    } control[] = {{kRowAle, pShape->ale}, {kRowRd, pShape->rd}, {kRowWr, pShape->wr}, {kRowIoM, pShape->iom},
                   {kRowCs, pShape->cs},   {kRowS0, pShape->s0}, {kRowS1, pShape->s1}};
    for (int j = 0; j < n; ++j) {
        const int s = g_nSampleCount;
        for (const auto& line : control) g_SignalSamples[line.row][s] = LevelAt(line.pattern, j);
        const char mode = pShape->ad[j];
        for (int i = 0; i < kAddressBits; ++i) {
            i32& ad = g_SignalSamples[kRowAD0 - i][s];
            if (mode == kAdAddress) ad = BitLevel(address & (1u << i));
            else if (mode == kAdData) ad = BitLevel(data & (1u << i));
            else ad = kLevelFloat;
            g_SignalSamples[kRowA8 - i][s] = BitLevel(address & (1u << (kAddressBits + i)));
        }
        ++g_nSampleCount;
    }
}

void CTimingModel::ExpandSignal(const i32* samples, i32* out, i32 count) {
    const int n = std::clamp(count, 0, kMaxSampleCount);
    const int columns = kColumnsPerSample * n;
    for (int c = 0; c < columns; ++c) {
        const int k = c / kColumnsPerSample;
        const int phase = c % kColumnsPerSample;
        if (phase <= kSlopeEndPhase && k >= 1) out[c] = EdgeOffset(samples[k - 1], samples[k], phase);
        else if (phase >= kSlopeStartPhase && k <= n - 2) out[c] = EdgeOffset(samples[k], samples[k + 1], phase);
        else out[c] = LevelOffset(samples[k]);
    }
}

i32 CTimingModel::LevelOffset(i32 level) {
    switch (level) {
    case kLevelHigh: return kHighOffset;
    case kLevelFloat: return kFloatOffset;
    default: return 0;
    }
}

i32 CTimingModel::EdgeOffset(i32 a, i32 b, i32 phase) {
    if (!IsLevel(a) || !IsLevel(b)) return 0;
    // Position on the slope, 0 to 7; a column past either end of the slope
    // takes the level there.
    const int j = phase >= kSlopeColumns ? phase - kSlopeStartPhase : phase + kPhaseWrap;
    const int position = std::clamp(j, 0, kSlopeColumns);
    return LevelOffset(a) + (LevelOffset(b) - LevelOffset(a)) * position / kSlopeColumns;
}

void CTimingModel::BuildPointLists() {
    g_bTimeStarted = 1;
    const int columns = ColumnCount();
    if (columns < 3) return;
    for (int row = 0; row < kTimingRows; ++row) {
        TimePoint* points = g_TimePoints[row];
        for (int k = 0; k <= columns - 2; ++k) points[k] = {kDiagramLeft + k, BaseLine(row) + g_RowOffsets[row][k]};
        // The last point repeats the third-last, so the last segment ends
        // one column left of where it starts.
        points[columns - 1] = points[columns - 3];
    }
}
