// Character LCD with an HD44780-style instruction set (write-only).
//
//   OUT base      instruction register
//   OUT base + 1  data register: the character at the address counter
//
// The display RAM holds four lines of 64 bytes (line n at (n - 1) * 64). The
// physical width P bounds data writes (the address runs round within a line of
// P characters) and remaps addresses beyond a line onto lines 3 and 4. When
// the logical width L differs from P, a shown line is two RAM lines side by
// side. Shifting the display, the character generator and the function set
// are accepted and ignored, and I/D = 0 leaves the address where it is.
#include <cstring>

#include "sim/Simulator.h"

namespace {
constexpr int kInstructionPort = 0;
constexpr int kDataPort = 1;

constexpr u8 kInstrClear = 0x01;
constexpr u8 kInstrHome = 0x02;
constexpr u8 kInstrEntryMode = 0x04;
constexpr u8 kInstrDisplayControl = 0x08;
constexpr u8 kInstrShift = 0x10;
constexpr u8 kInstrFunctionSet = 0x20;
constexpr u8 kInstrCgramAddress = 0x40;
constexpr u8 kInstrDdramAddress = 0x80;

constexpr u8 kEntryIncrement = 0x02;
constexpr u8 kControlDisplay = 0x04;
constexpr u8 kControlCursor = 0x02;
constexpr u8 kControlBlink = 0x01;
constexpr u8 kShiftDisplay = 0x08;
constexpr u8 kShiftRight = 0x04;
constexpr u8 kDdramAddressMask = 0x7F;

constexpr int kLine2Start = CSimulator::kLcdRamLine;      // 64
constexpr int kLine3Start = 2 * CSimulator::kLcdRamLine;  // 128
constexpr char kBlank = ' ';

// The highest set bit of a nonzero instruction byte names the instruction.
u8 InstructionOf(u8 a) {
    u8 bit = kInstrDdramAddress;
    while (bit != 0 && (a & bit) == 0) bit >>= 1;
    return bit;
}

// Addresses beyond the physical width of line 1 continue on line 3, those
// beyond line 2 on line 4 (a - 64 - P + 192 = a - P + 128).
u8 RemapDdramAddress(u8 a, int physical) {
    const int addr = a & kDdramAddressMask;
    const int lineEnd = addr < kLine2Start ? physical : physical + kLine2Start;
    return static_cast<u8>(addr >= lineEnd ? addr - physical + kLine3Start : addr);
}

void Instruction(CSimulator& s, u8 a) {
    switch (InstructionOf(a)) {
    case kInstrClear:
        std::memset(s.m_LcdRam, kBlank, sizeof s.m_LcdRam);
        s.m_nLcdAddr = 0;
        break;
    case kInstrHome: s.m_nLcdAddr = 0; break;
    case kInstrEntryMode: s.m_bLcdIncrement = (a & kEntryIncrement) ? 1 : 0; break;
    case kInstrDisplayControl:
        s.m_bLcdDisplayOn = (a & kControlDisplay) ? 1 : 0;
        s.m_bLcdCursorOn = (a & kControlCursor) ? 1 : 0;
        s.m_bLcdBlink = (a & kControlBlink) ? 1 : 0;
        break;
    case kInstrShift:
        if (!(a & kShiftDisplay)) s.m_nLcdAddr = static_cast<u8>(s.m_nLcdAddr + ((a & kShiftRight) ? 1 : -1));
        break;
    case kInstrDdramAddress: s.m_nLcdAddr = RemapDdramAddress(a, s.m_nLcdCharsPhysical); break;
    case kInstrFunctionSet:
    case kInstrCgramAddress:
    default: break;
    }
    s.m_nLcdCursor = s.m_nLcdAddr;
}

void WriteData(CSimulator& s, u8 a) {
    s.m_LcdRam[s.m_nLcdAddr] = static_cast<char>(a);
    if (s.m_bLcdIncrement) {
        const u8 next = static_cast<u8>(s.m_nLcdAddr + 1);
        const int lineStart = next - next % CSimulator::kLcdRamLine;
        // Writing runs round within one line of the physical width.
        s.m_nLcdAddr = next >= lineStart + s.m_nLcdCharsPhysical ? static_cast<u8>(lineStart) : next;
    }
    s.m_nLcdCursor = s.m_nLcdAddr;
}

// Appends up to count characters of a RAM line to text, never past the RAM
// line nor past the text's width. Returns the new length.
int AppendRamLine(const CSimulator& s, char* text, int length, int line, int count) {
    const int fromLine = count < CSimulator::kLcdRamLine ? count : CSimulator::kLcdRamLine;
    const int room = CSimulator::kLcdTextChars - length;
    const int n = fromLine < room ? fromLine : room;
    if (n <= 0) return length;
    std::memcpy(text + length, s.m_LcdRam + line * CSimulator::kLcdRamLine, n);
    return length + n;
}

void BlankText(CSimulator::LcdText& text) {
    std::memset(text, kBlank, CSimulator::kLcdTextChars);
    text[CSimulator::kLcdTextChars] = '\0';
}
}  // namespace

void CSimulator::OutLcdSection(int port) {
    if (!m_bLcdConnected) return;
    if (DecodesPort(m_nLcdAddress, port, kInstructionPort)) {
        m_nLcdLastCmd = m_regA;
        Instruction(*this, m_regA);
        m_bLcdChanged = 1;
    }
    if (DecodesPort(m_nLcdAddress, port, kDataPort)) {
        WriteData(*this, m_regA);
        m_bLcdChanged = 1;
    }
}

void CSimulator::GetLcdLines(LcdText& line1, LcdText& line2, LcdText& line3, LcdText& line4) const {
    LcdText* texts[kLcdLines] = {&line1, &line2, &line3, &line4};
    for (LcdText* text : texts) BlankText(*text);
    if (!m_bLcdDisplayOn) return;

    const int logical = m_nLcdCharsLogical;
    const int physical = m_nLcdCharsPhysical;
    if (logical != physical) {
        // Each shown line is two RAM lines side by side: 1 + 2, then 3 + 4.
        for (int shown = 0; shown < 2; ++shown) {
            char* text = *texts[shown];
            int length = AppendRamLine(*this, text, 0, 2 * shown, logical);
            length = AppendRamLine(*this, text, length, 2 * shown + 1, logical);
            text[length] = '\0';
        }
        return;
    }
    for (int line = 0; line < kLcdLines; ++line) {
        char* text = *texts[line];
        text[AppendRamLine(*this, text, 0, line, physical)] = '\0';
    }
}
