// 8255 parallel interfaces (up to five, chips 0 to count - 1 present).
//
//   OUT base      port A        IN base      port A latch
//   OUT base + 1  port B        IN base + 1  port B latch
//   OUT base + 2  port C        IN base + 2  port C latch
//   OUT base + 3  control: mode set (bit 7 = 1) or port C bit set/reset
//
// Every port is a plain latch with a direction (port C by halves); the mode
// numbers and handshake functions have no effect. Reads return the latch
// whatever the direction; input latches are set by the input dialog.
#include "periph/InterruptRoutes.h"
#include "sim/Simulator.h"

namespace {
constexpr int kPortAOffset = 0;
constexpr int kPortBOffset = 1;
constexpr int kPortCOffset = 2;
constexpr int kControlOffset = 3;

constexpr u8 kModeSetFlag = 0x80;
constexpr u8 kModeCLowInput = 0x01;
constexpr u8 kModeBInput = 0x02;
constexpr u8 kModeCHighInput = 0x08;
constexpr u8 kModeAInput = 0x10;

constexpr u8 kBitSetFlag = 0x01;
constexpr u8 kBitNumberMask = 0x0E;

constexpr u8 kLowHalf = 0x0F;
constexpr u8 kHighHalf = 0xF0;

// Writes value into port C, but only the halves that are outputs.
void WritePortC(CSimulator& s, int chip, u8 value) {
    u8 writable = 0;
    if (!s.m_8255PortCLowIsInput[chip]) writable |= kLowHalf;
    if (!s.m_8255PortCHighIsInput[chip]) writable |= kHighHalf;
    s.m_8255PortC[chip] = static_cast<u8>((s.m_8255PortC[chip] & ~writable) | (value & writable));
}

void Control8255(CSimulator& s, int chip, u8 a) {
    s.m_8255Control[chip] = a;
    if (a & kModeSetFlag) {
        s.m_8255PortCLowIsInput[chip] = (a & kModeCLowInput) ? 1 : 0;
        s.m_8255PortBIsInput[chip] = (a & kModeBInput) ? 1 : 0;
        s.m_8255PortCHighIsInput[chip] = (a & kModeCHighInput) ? 1 : 0;
        s.m_8255PortAIsInput[chip] = (a & kModeAInput) ? 1 : 0;
        s.m_8255PortC[chip] = 0;
        s.m_8255PortB[chip] = 0;
        s.m_8255PortA[chip] = 0;
        return;
    }
    const u8 bit = static_cast<u8>(1u << ((a & kBitNumberMask) >> 1));
    const u8 portC = s.m_8255PortC[chip];
    WritePortC(s, chip, (a & kBitSetFlag) ? static_cast<u8>(portC | bit) : static_cast<u8>(portC & ~bit));
}
}  // namespace

void CSimulator::Reset8255Chips() {
    for (int chip = 0; chip < kMaxChips; ++chip) {
        m_8255Control[chip] = 0;
        m_8255PortA[chip] = 0;
        m_8255PortB[chip] = 0;
        m_8255PortC[chip] = 0;
        m_8255PortAIsInput[chip] = 1;
        m_8255PortBIsInput[chip] = 1;
        m_8255PortCLowIsInput[chip] = 1;
        m_8255PortCHighIsInput[chip] = 1;
    }
}

void CSimulator::Out8255Section(int port) {
    const int chips = PresentChips(m_n8255Count);
    for (int chip = 0; chip < chips; ++chip) {
        const int base = m_8255Address[chip];
        if (DecodesPort(base, port, kPortAOffset) && !m_8255PortAIsInput[chip]) m_8255PortA[chip] = m_regA;
        if (DecodesPort(base, port, kPortBOffset) && !m_8255PortBIsInput[chip]) m_8255PortB[chip] = m_regA;
        if (DecodesPort(base, port, kPortCOffset)) WritePortC(*this, chip, m_regA);
        if (DecodesPort(base, port, kControlOffset)) Control8255(*this, chip, m_regA);
    }
}

void CSimulator::In8255Section(int port) {
    const int chips = PresentChips(m_n8255Count);
    for (int chip = 0; chip < chips; ++chip) {
        const int base = m_8255Address[chip];
        if (DecodesPort(base, port, kPortAOffset)) m_regA = m_8255PortA[chip];
        if (DecodesPort(base, port, kPortBOffset)) m_regA = m_8255PortB[chip];
        if (DecodesPort(base, port, kPortCOffset)) m_regA = m_8255PortC[chip];
    }
}
