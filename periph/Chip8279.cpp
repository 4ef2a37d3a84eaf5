// 8279 keyboard and display controller.
//
//   OUT base      display data (into display RAM when a write-display command is active)
//   OUT base + 1  command
//   IN  base      FIFO key or display RAM byte, as the last read command chose
//   IN  base + 1  FIFO status: bits 0-3 key count, 0x10 underrun, 0x20 overrun
//
// Scanning, debounce and the keyboard modes are not modelled; keys arrive from
// the I/O watch window through Input8279Key. The key count in the status byte
// always equals the FIFO's count, so the interrupt line (keys waiting) can be
// read from either.
#include <cstring>

#include "periph/InterruptRoutes.h"
#include "sim/Simulator.h"

namespace {
constexpr int kDataPort = 0;
constexpr int kCommandPort = 1;

constexpr u8 kCommandMask = 0xE0;
constexpr u8 kCmdModeSet = 0x00;
constexpr u8 kCmdProgramClock = 0x20;
constexpr u8 kCmdReadFifo = 0x40;
constexpr u8 kCmdReadDisplay = 0x60;
constexpr u8 kCmdWriteDisplay = 0x80;
constexpr u8 kCmdBlanking = 0xA0;
constexpr u8 kCmdClear = 0xC0;

constexpr u8 kBitAutoInc = 0x10;  // read/write commands
constexpr u8 kModeRightEntry = 0x10;
constexpr u8 kModeSixteenDigits = 0x08;
constexpr u16 kSmallDisplay = 8;
constexpr u8 kPrescalerMask = 0x1F;
constexpr u8 kFifoAddrMask = 0x07;
constexpr u8 kDisplayAddrMask = 0x0F;
constexpr u8 kBlankInhibitBits = 0x0C;
constexpr u8 kBlankNibbleBits = 0x03;
constexpr u8 kClearCodeBits = 0x0C;
constexpr u8 kClearDisplayBit = 0x10;
constexpr u8 kClearFifoBit = 0x02;
constexpr u8 kClearAllBit = 0x01;

constexpr u8 kStatusCountMask = 0x0F;
constexpr u8 kStatusUnderrun = 0x10;
constexpr u8 kStatusOverrun = 0x20;

// Keep-masks for the blanking command, by its two nibble-blank bits.
constexpr u8 kBlankKeepMask[4] = {0xFF, 0xF0, 0x0F, 0x00};
// Blank codes for the clear command, by bits 3-2.
constexpr u8 kClearCode[4] = {0x00, 0x00, 0x20, 0xFF};

// The display size bounds every loop over the display RAM, whatever was stored.
int DisplayDigits(u16 digits) { return digits < CSimulator::k8279DisplaySize ? digits : CSimulator::k8279DisplaySize; }

int FifoCount(u16 count) { return count < CSimulator::k8279FifoSize ? count : CSimulator::k8279FifoSize; }

u8 WithKeyCount(u8 status, int count) { return static_cast<u8>((status & ~kStatusCountMask) | count); }

void Command8279(CSimulator& s, u8 a) {
    const bool autoInc = (a & kBitAutoInc) != 0;
    const int digits = DisplayDigits(s.m_n8279Digits);
    switch (a & kCommandMask) {
    case kCmdModeSet:
        s.m_n8279Mode = a;
        s.m_b8279LeftEntry = (a & kModeRightEntry) ? 0 : 1;
        s.m_n8279Digits = (a & kModeSixteenDigits) ? CSimulator::k8279DisplaySize : kSmallDisplay;
        s.m_b8279ReadDisplay = 0;
        s.m_b8279ReadFifo = 0;
        s.m_b8279DisplayAutoInc = 0;
        s.m_b8279FifoAutoInc = 0;
        // Error flags go, but the key count stays that of the FIFO: a count of
        // 0 with keys still queued would underflow on the next read.
        s.m_n8279Status = static_cast<u8>(FifoCount(s.m_n8279FifoCount));
        break;
    case kCmdProgramClock: s.m_n8279Prescaler = a & kPrescalerMask; break;
    case kCmdReadFifo:
        s.m_b8279ReadFifo = 1;
        s.m_b8279ReadDisplay = 0;
        s.m_n8279FifoAddr = a & kFifoAddrMask;
        s.m_b8279FifoAutoInc = autoInc;
        break;
    case kCmdReadDisplay:
        s.m_b8279ReadFifo = 0;
        s.m_b8279ReadDisplay = 1;
        s.m_n8279DisplayAddr = a & kDisplayAddrMask;
        s.m_b8279DisplayAutoInc = autoInc;
        break;
    case kCmdWriteDisplay:
        s.m_b8279WriteDisplay = 1;
        s.m_n8279DisplayAddr = a & kDisplayAddrMask;
        s.m_b8279DisplayAutoInc = autoInc;
        break;
    case kCmdBlanking: {
        s.m_b8279InhibitWrite = (a & kBlankInhibitBits) ? 1 : 0;
        const u8 keep = kBlankKeepMask[a & kBlankNibbleBits];
        for (int i = 0; i < digits; ++i) {
            u8& digit = s.m_8279DisplayRam[i];
            digit = s.m_b8279BlankHigh ? static_cast<u8>(digit | ~keep) : static_cast<u8>(digit & keep);
        }
        break;
    }
    case kCmdClear: {
        const int codeIndex = (a & kClearCodeBits) >> 2;
        const u8 code = kClearCode[codeIndex];
        s.m_b8279BlankHigh = code != 0 ? 1 : 0;
        if (a & (kClearDisplayBit | kClearAllBit)) std::memset(s.m_8279DisplayRam, code, digits);
        if (a & (kClearFifoBit | kClearAllBit)) {
            std::memset(s.m_8279Fifo, 0, sizeof s.m_8279Fifo);
            s.m_n8279FifoCount = 0;
            s.m_n8279Status = 0;
        }
        break;
    }
    default:  // end interrupt / error mode
        break;
    }
}

void WriteDisplay8279(CSimulator& s, u8 a) {
    if (!s.m_b8279WriteDisplay) return;
    const int digits = DisplayDigits(s.m_n8279Digits);
    const int addr = s.m_n8279DisplayAddr & kDisplayAddrMask;
    if (s.m_b8279LeftEntry) {
        s.m_8279DisplayRam[addr] = a;
        if (s.m_b8279DisplayAutoInc) {
            const int next = addr + 1;
            s.m_n8279DisplayAddr = static_cast<u16>(next >= digits ? 0 : next);
        }
        return;
    }
    // Right entry: an address outside the display would place the byte before
    // its first digit, so such a write is dropped.
    if (addr >= digits) return;
    const u8 first = s.m_8279DisplayRam[0];
    std::memmove(s.m_8279DisplayRam, s.m_8279DisplayRam + 1, digits - 1);
    s.m_8279DisplayRam[digits - 1] = first;
    s.m_8279DisplayRam[digits - 1 - addr] = a;
}

void ReadData8279(CSimulator& s) {
    if (s.m_b8279ReadFifo) {
        const int count = FifoCount(s.m_n8279FifoCount);
        if (count == 0) {
            s.m_n8279Status |= kStatusUnderrun;
            return;
        }
        s.m_regA = s.m_8279Fifo[0];
        std::memmove(s.m_8279Fifo, s.m_8279Fifo + 1, CSimulator::k8279FifoSize - 1);
        s.m_n8279FifoCount = static_cast<u16>(count - 1);
        s.m_n8279Status = WithKeyCount(s.m_n8279Status, count - 1);
    } else if (s.m_b8279ReadDisplay) {
        const int addr = s.m_n8279DisplayAddr & kDisplayAddrMask;
        s.m_regA = s.m_8279DisplayRam[addr];
        // Reads advance without regard to the display size but stay in the RAM.
        if (s.m_b8279DisplayAutoInc) s.m_n8279DisplayAddr = (addr + 1) & kDisplayAddrMask;
    }
}

}  // namespace

void CSimulator::Reset8279() {
    m_n8279Mode = 0;
    m_b8279LeftEntry = 1;
    m_n8279Digits = k8279DisplaySize;
    m_n8279Prescaler = k8279DefaultPrescaler;
    m_n8279Status = 0;
    m_n8279PrevStatus = 0;
    m_b8279ReadFifo = 0;
    m_b8279ReadDisplay = 0;
    m_n8279FifoAddr = 0;
    m_b8279FifoAutoInc = 0;
    m_n8279DisplayAddr = 0;
    m_b8279DisplayAutoInc = 0;
    m_b8279WriteDisplay = 0;
    m_b8279InhibitWrite = 0;
    m_n8279FifoCount = 0;
    m_b8279BlankHigh = 0;
    std::memset(m_8279DisplayRam, 0, sizeof m_8279DisplayRam);
    std::memset(m_8279Fifo, 0, sizeof m_8279Fifo);
}

void CSimulator::Out8279Section(int port) {
    if (!m_b8279Connected) return;
    if (DecodesPort(m_n8279Address, port, kDataPort)) {
        WriteDisplay8279(*this, m_regA);
        m_b8279Changed = 1;
    }
    if (DecodesPort(m_n8279Address, port, kCommandPort)) {
        m_n8279LastCmd = m_regA;
        Command8279(*this, m_regA);
        m_b8279Changed = 1;
    }
}

void CSimulator::In8279Section(int port) {
    if (!m_b8279Connected) return;
    if (DecodesPort(m_n8279Address, port, kCommandPort)) m_regA = m_n8279Status;
    if (DecodesPort(m_n8279Address, port, kDataPort)) {
        ReadData8279(*this);
        m_b8279Changed = 1;
    }
}

void CSimulator::Input8279Key(u8 scanCode) {
    m_b8279Changed = 1;
    const int count = FifoCount(m_n8279FifoCount);
    if (count >= k8279FifoSize) {
        m_n8279Status |= kStatusOverrun;
        return;
    }
    m_8279Fifo[count] = scanCode;
    m_n8279FifoCount = static_cast<u16>(count + 1);
    m_n8279Status = WithKeyCount(m_n8279Status, count + 1);
}

void CSimulator::Update8279Irq() {
    if (!m_b8279Connected) return;
    const int keys = m_n8279Status & kStatusCountMask;
    const int keysBefore = m_n8279PrevStatus & kStatusCountMask;
    switch (g_Irq8279Route) {
    case IrqRoute::kTrap:
        if (keys > keysBefore) m_pendTrap = 1;
        break;
    case IrqRoute::kRst75:
        if (keys > keysBefore) m_pendRst75 = 1;
        break;
    case IrqRoute::kRst55: m_pendRst55 = keys != 0 ? 1 : 0; break;
    case IrqRoute::kRst65: m_pendRst65 = keys != 0 ? 1 : 0; break;
    default: break;
    }
    m_n8279PrevStatus = m_n8279Status;
}

void CSimulator::Get8279SegmentText(u8 displayByte, char (&text)[k8279SegTextSize]) const {
    const char* entry = m_8279SegTable[displayByte];
    int length = 0;
    while (length < k8279SegTextSize - 1 && entry[length] != '\0') {
        text[length] = entry[length];
        ++length;
    }
    text[length] = '\0';
}
