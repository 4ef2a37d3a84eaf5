// 8251 USART chips (up to five, chips 0 to count - 1 present).
//
//   OUT base      transmit data (latched only: there is no serial line)
//   OUT base + 1  mode instruction after reset, command instruction after that
//   IN  base      received data (clears RxRDY)
//   IN  base + 1  status: bit 0 TxRDY, 1 RxRDY, 2 TxEMPTY, 3 parity, 4 overrun,
//                 5 framing error
//
// Received bytes come from the I/O watch window through Input8251Byte; the
// RxRDY bit is the chip's interrupt line.
#include <cstddef>
#include <cstring>

#include "periph/InterruptRoutes.h"
#include "sim/Simulator.h"

namespace {
constexpr int kDataPort = 0;
constexpr int kControlPort = 1;

constexpr u8 kStatusReset = 0x05;  // TxRDY and TxEMPTY
constexpr u8 kStatusRxReady = 0x02;
constexpr u8 kStatusOverrun = 0x10;
constexpr u8 kStatusKeepOnErrorReset = 0xC7;

constexpr u8 kResetMode = 0x4D;
constexpr u16 kResetStopCode = 1;
constexpr u8 kResetCharBits = 8;

constexpr u8 kModeFactorBits = 0x03;
constexpr u8 kModeLengthBits = 0x0C;
constexpr u8 kModeParityEnable = 0x10;
constexpr u8 kModeParityEven = 0x20;
constexpr int kModeStopShift = 6;
constexpr u8 kMinCharBits = 5;
// Baud-rate factor by mode bits 1-0 (00, the synchronous mode, counts as 1).
constexpr u16 kDivisorByFactor[4] = {1, 1, 16, 64};

constexpr u8 kCmdTxEnable = 0x01;
constexpr u8 kCmdRxEnable = 0x04;
constexpr u8 kCmdErrorReset = 0x10;
constexpr u8 kCmdInternalReset = 0x40;

void WriteMode8251(CSimulator& s, int chip, u8 a) {
    s.m_n8251Mode[chip] = a;
    s.m_b8251ExpectMode[chip] = 0;
    s.m_n8251Divisor[chip] = kDivisorByFactor[a & kModeFactorBits];
    s.m_n8251CharBits[chip] = static_cast<u8>(kMinCharBits + ((a & kModeLengthBits) >> 2));
    if (a & kModeParityEnable) {
        s.m_b8251ParityOn[chip] = 1;
        s.m_b8251ParityOdd[chip] = (a & kModeParityEven) ? 0 : 1;
    } else {
        s.m_b8251ParityOn[chip] = 0;
    }
    const u16 stopCode = a >> kModeStopShift;
    if (stopCode != 0) s.m_n8251StopCode[chip] = stopCode;
}

void WriteCommand8251(CSimulator& s, int chip, u8 a) {
    s.m_n8251Command[chip] = a;
    s.m_b8251TxEnable[chip] = (a & kCmdTxEnable) ? 1 : 0;
    s.m_b8251RxEnable[chip] = (a & kCmdRxEnable) ? 1 : 0;
    if (a & kCmdErrorReset) s.m_n8251Status[chip] &= kStatusKeepOnErrorReset;
    if (a & kCmdInternalReset) {
        s.m_b8251ExpectMode[chip] = 1;
        s.m_n8251Status[chip] = kStatusReset;
    }
}
}  // namespace

void CSimulator::Reset8251Chips() {
    for (int chip = 0; chip < kMaxChips; ++chip) {
        m_n8251Mode[chip] = kResetMode;
        m_b8251RxEnable[chip] = 0;
        m_b8251TxEnable[chip] = 0;
        m_b8251ParityOdd[chip] = 0;
        m_b8251ParityOn[chip] = 0;
        m_n8251Command[chip] = 0;
        m_n8251Status[chip] = kStatusReset;
        m_n8251PrevStatus[chip] = kStatusReset;
        m_n8251StopCode[chip] = kResetStopCode;
        m_n8251Divisor[chip] = 1;
        m_b8251ExpectMode[chip] = 1;
        m_n8251CharBits[chip] = kResetCharBits;
    }
}

void CSimulator::Out8251Section(int port) {
    const int chips = PresentChips(m_n8251Count);
    for (int chip = 0; chip < chips; ++chip) {
        const int base = m_n8251Address[chip];
        if (DecodesPort(base, port, kControlPort)) {
            if (m_b8251ExpectMode[chip]) {
                WriteMode8251(*this, chip, m_regA);
            } else {
                WriteCommand8251(*this, chip, m_regA);
            }
        }
        if (DecodesPort(base, port, kDataPort)) {
            m_n8251TxData[chip] = m_regA;
            m_b8251TxFull[chip] = 1;
        }
    }
}

void CSimulator::In8251Section(int port) {
    const int chips = PresentChips(m_n8251Count);
    for (int chip = 0; chip < chips; ++chip) {
        const int base = m_n8251Address[chip];
        if (DecodesPort(base, port, kControlPort)) m_regA = m_n8251Status[chip];
        if (DecodesPort(base, port, kDataPort)) {
            m_regA = m_n8251RxData[chip];
            m_n8251Status[chip] &= static_cast<u8>(~kStatusRxReady);
        }
    }
}

bool CSimulator::Is8251ReceiverEnabled(int chip) const {
    return chip >= 0 && chip < PresentChips(m_n8251Count) && (m_n8251Command[chip] & kCmdRxEnable) != 0;
}

bool CSimulator::Input8251Byte(int chip, u8 value) {
    if (!Is8251ReceiverEnabled(chip)) return false;
    m_n8251RxData[chip] = value;
    // A byte the program has not read yet is overwritten and flagged as lost.
    if (m_n8251Status[chip] & kStatusRxReady) {
        m_n8251Status[chip] |= kStatusOverrun;
    } else {
        m_n8251Status[chip] |= kStatusRxReady;
    }
    return true;
}

static_assert(offsetof(CSimulator, m_n8251PrevStatus) == offsetof(CSimulator, m_n8251Count) + 1 &&
                  offsetof(CSimulator, m_n8251Status) == offsetof(CSimulator, m_n8251PrevStatus) + kMaxChips,
              "the chip count, previous statuses and statuses lie side by side");

// Runs after every instruction. Most ticks find the chips and routes as the
// last one left them: no line rose, and the level inputs take what they
// took then. Comparing is a few reads; working the lines out again is a
// loop over the chips.
void CSimulator::Update8251Irq() {
    SerialLinesSeen& seen = m_8251LinesSeen;
    if (std::memcmp(&m_n8251Count, seen.chips, sizeof seen.chips) != 0 ||
        std::memcmp(g_Irq8251Route, seen.routes, sizeof seen.routes) != 0)
        WorkOut8251Lines();
    if (seen.drivesRst65) m_pendRst65 = seen.rst65;
    if (seen.drivesRst55) m_pendRst55 = seen.rst55;
}

// The edge inputs are requested here, once per rise; the level inputs are
// kept in m_8251LinesSeen for every tick. A latch is never read here.
void CSimulator::WorkOut8251Lines() {
    constexpr int kUndriven = -1;
    bool trap = false, rst75 = false;          // an edge route's input rose
    int rst55 = kUndriven, rst65 = kUndriven;  // a level route's last value
    const int chips = PresentChips(m_n8251Count);
    for (int chip = 0; chip < chips; ++chip) {
        const u8 status = m_n8251Status[chip];
        const bool ready = (status & kStatusRxReady) != 0;
        const bool risen = ready && (m_n8251PrevStatus[chip] & kStatusRxReady) == 0;
        switch (g_Irq8251Route[chip]) {
        case IrqRoute::kTrap: trap = trap || risen; break;
        case IrqRoute::kRst75: rst75 = rst75 || risen; break;
        case IrqRoute::kRst55: rst55 = ready ? 1 : 0; break;
        case IrqRoute::kRst65: rst65 = ready ? 1 : 0; break;
        default: break;
        }
        m_n8251PrevStatus[chip] = status;
    }
    if (trap) m_pendTrap = 1;
    if (rst75) m_pendRst75 = 1;
    SerialLinesSeen& seen = m_8251LinesSeen;
    seen.drivesRst55 = rst55 != kUndriven;
    seen.drivesRst65 = rst65 != kUndriven;
    seen.rst55 = static_cast<u8>(rst55 == 1);
    seen.rst65 = static_cast<u8>(rst65 == 1);
    std::memcpy(seen.chips, &m_n8251Count, sizeof seen.chips);
    std::memcpy(seen.routes, g_Irq8251Route, sizeof seen.routes);
}
