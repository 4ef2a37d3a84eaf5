#include "watch/IORowText.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "periph/InterruptRoutes.h"
#include "sim/Simulator.h"
#include "watch/IOWatchKinds.h"

namespace {
// Words of the rows, indexed by a flag taken as 0 or 1.
const char* const kDirection[2] = {"O/P", "I/P"};
const char* const kEnable[2] = {"DS", "EN"};
const char* const kLevel[2] = {"LO", "HI"};
const char* DirectionOf(u16 flag) { return kDirection[flag != 0]; }
const char* LevelOf(u8 flag) { return kLevel[flag != 0]; }

constexpr u8 kModeLengthBits = 0x0C;
constexpr int kModeLengthShift = 2;
constexpr int kMinCharBits = 5;
constexpr u8 kCmdTxEnable = 0x01;
constexpr u8 kCmdRxEnable = 0x04;
constexpr u16 kStopOne = 1;
constexpr u16 kStopOneAndHalf = 2;
constexpr int kCountersPer8253 = 3;

// Appends printf-formatted text to a fixed buffer, never past its end.
class RowWriter {
public:
    RowWriter(char* text, std::size_t size) : m_text(text), m_size(size) { m_text[0] = '\0'; }
    void Add(const char* format, ...) {
        if (m_length + 1 >= m_size) return;
        va_list args;
        va_start(args, format);
        const int written = std::vsnprintf(m_text + m_length, m_size - m_length, format, args);
        va_end(args);
        if (written > 0) m_length = std::min(m_size - 1, m_length + std::size_t(written));
    }

private:
    char* m_text;
    std::size_t m_size;
    std::size_t m_length = 0;
};

bool ChipPresent(int chip, u8 count) { return chip < PresentChips(count); }

void Write8279(RowWriter& row) {
    if (!g_Sim.m_b8279Connected) return row.Add("  8279 not connected !");
    row.Add("  8279 Display : ");
    const int digits = std::min<int>(g_Sim.m_n8279Digits, CSimulator::k8279DisplaySize);
    for (int i = 0; i < digits; ++i) {
        const u8 code = g_Sim.m_8279DisplayRam[i];
        char segments[CSimulator::k8279SegTextSize];
        g_Sim.Get8279SegmentText(code, segments);
        if (i > 0) row.Add(" ");
        if (segments[0] != '\0') row.Add("%-2s", segments);
        else row.Add("%02X", unsigned(code));
    }
}

void WriteLcd(RowWriter& row, int line) {
    if (!g_Sim.m_bLcdConnected) return row.Add("  LCD not connected !");
    CSimulator::LcdText lines[CSimulator::kLcdLines];
    g_Sim.GetLcdLines(lines[0], lines[1], lines[2], lines[3]);
    row.Add("  LCD Line #%d : %s", line, lines[line - 1]);
}

void Write8155(RowWriter& row) {
    if (!g_Sim.m_b8155Connected) return row.Add("  8155 not connected !");
    const u16* input = g_Sim.m_8155PortIsInput;
    const u8* port = g_Sim.m_8155Port;
    row.Add("  8155 : PA (%s) = %02X, PB (%s) = %02X, PC (%s) = %02X", DirectionOf(input[0]), unsigned(port[0]),
            DirectionOf(input[1]), unsigned(port[1]), DirectionOf(input[2]), unsigned(port[2]));
}

void Write8255(RowWriter& row, int chip) {
    if (!ChipPresent(chip, g_Sim.m_n8255Count)) return row.Add("  8255 #%d not connected !", chip + 1);
    const CSimulator& s = g_Sim;
    row.Add("  8255 #%d : PA (%s) = %02X, PB (%s) = %02X, PC (%s,%s) = %02X", chip + 1,
            DirectionOf(s.m_8255PortAIsInput[chip]), unsigned(s.m_8255PortA[chip]),
            DirectionOf(s.m_8255PortBIsInput[chip]), unsigned(s.m_8255PortB[chip]),
            DirectionOf(s.m_8255PortCHighIsInput[chip]), DirectionOf(s.m_8255PortCLowIsInput[chip]),
            unsigned(s.m_8255PortC[chip]));
}

void Write8251(RowWriter& row, int chip) {
    if (!ChipPresent(chip, g_Sim.m_n8251Count)) return row.Add("  8251 #%d not connected !", chip + 1);
    const CSimulator& s = g_Sim;
    const char* parity = !s.m_b8251ParityOn[chip] ? "NONE" : s.m_b8251ParityOdd[chip] ? "ODD" : "EVEN";
    const int bits = ((s.m_n8251Mode[chip] & kModeLengthBits) >> kModeLengthShift) + kMinCharBits;
    const u16 stop = s.m_n8251StopCode[chip];
    const char* stopBits = stop == kStopOne ? "1" : stop == kStopOneAndHalf ? "1.5" : "2";
    const u8 command = s.m_n8251Command[chip];
    row.Add("  8251 #%d : Divisor=%d, %s, %d Bits, %s Bit, Tx=%s, Rx=%s, Stat=%02X", chip + 1,
            int(s.m_n8251Divisor[chip]), parity, bits, stopBits, kEnable[(command & kCmdTxEnable) != 0],
            kEnable[(command & kCmdRxEnable) != 0], unsigned(s.m_n8251Status[chip]));
    if (s.m_b8251TxFull[chip]) row.Add(", O/p=%02X", unsigned(s.m_n8251TxData[chip]));
}

void Write8253(RowWriter& row, int chip) {
    if (!ChipPresent(chip, g_Sim.m_n8253Count)) return row.Add("  8253 #%d not connected !", chip + 1);
    row.Add("  8253 #%d : ", chip + 1);
    for (int j = 0; j < kCountersPer8253; ++j) {
        const CounterState& counter = g_Sim.m_Timer[chip * kCountersPer8253 + j];
        row.Add("%s(T%d:Md=%d,Gt=%d,O/p=%s)", j > 0 ? "," : "", j, int(counter.m_nMode), int(counter.m_bGate),
                LevelOf(counter.m_bOut));
    }
}
}  // namespace

void FormatIOWatchRow(int entry, char* text, std::size_t size) {
    RowWriter row(text, size);
    if (entry < 0 || entry >= kMaxIOWatches) return;
    const u16 kind = g_IOWatchKind[entry];
    const int index = g_IOWatchIndex[entry];
    if (!g_IOWatchValid[entry]) return row.Add("Not a valid peripheral!");
    if (IOWatchKind::IsLcdLine(kind)) return WriteLcd(row, IOWatchKind::kLcdBase - kind);
    switch (kind) {
    case IOWatchKind::k8279: return Write8279(row);
    case IOWatchKind::k8155: return Write8155(row);
    case IOWatchKind::k8255: return Write8255(row, index);
    case IOWatchKind::k8251: return Write8251(row, index);
    case IOWatchKind::k8253: return Write8253(row, index);
    default: return row.Add("  Peripheral %d # %d", int(kind), index + 1);
    }
}
