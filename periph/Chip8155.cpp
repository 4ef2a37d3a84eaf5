// 8155 parallel ports and timer (the RAM is not modelled).
//
//   OUT base      command: port directions, timer start/stop; clears the port latches
//   OUT base + 1  port A        IN base + 1  port A latch
//   OUT base + 2  port B        IN base + 2  port B latch
//   OUT base + 3  port C (6 bits)  IN base + 3  port C latch
//   OUT base + 4  timer count, low byte
//   OUT base + 5  timer count bits 13-8 and the two timer-mode bits
//
// The timer is timer slot 15, counted by the same rules as the 8253 counters.
// Only the basic input/output mode exists: handshake and port C control
// functions have no effect.
#include "sim/Simulator.h"

namespace {
constexpr int kCommandPort = 0;
constexpr int kPortA = 0;
constexpr int kPortB = 1;
constexpr int kPortC = 2;
constexpr int kPortCount = 3;
constexpr int kFirstPortOffset = 1;  // ports A, B, C at base + 1 .. + 3
constexpr int kTimerLowPort = 4;
constexpr int kTimerHighPort = 5;
constexpr int kTimerSlot = kTimerSlots - 1;  // the slot after the 8253 counters

constexpr u8 kCmdPortAOutput = 0x01;
constexpr u8 kCmdPortBOutput = 0x02;
constexpr u8 kCmdPortCBits = 0x0C;
constexpr int kCmdTimerShift = 6;
constexpr u8 kTimerStop = 1;
constexpr u8 kTimerStart = 3;

constexpr u8 kPortCMask = 0x3F;
constexpr u32 kReloadHighMask = 0x3F00;  // bits 13-8 of the 14-bit count
constexpr u32 kReloadLowMask = 0x00FF;
constexpr u32 kReloadHighByte = 0xFF00;
constexpr int kTimerModeShift = 6;

void Command8155(CSimulator& s, u8 a) {
    s.m_n8155Command = a;
    const int timer = a >> kCmdTimerShift;
    if (timer == kTimerStop) s.m_Timer[kTimerSlot].m_bRunning = 0;
    if (timer == kTimerStart) s.m_Timer[kTimerSlot].m_bRunning = 1;
    s.m_8155PortIsInput[kPortA] = (a & kCmdPortAOutput) ? 0 : 1;
    s.m_8155PortIsInput[kPortB] = (a & kCmdPortBOutput) ? 0 : 1;
    s.m_8155PortIsInput[kPortC] = (a & kCmdPortCBits) ? 0 : 1;
    for (u8& latch : s.m_8155Port) latch = 0;
}

void WritePort8155(CSimulator& s, int index, u8 a) {
    if (s.m_8155PortIsInput[index]) return;
    s.m_8155Port[index] = index == kPortC ? static_cast<u8>(a & kPortCMask) : a;
}

void WriteTimerLow8155(CounterState& timer, u8 a) {
    timer.m_nReload = (timer.m_nReload & kReloadHighByte) | a;
    timer.m_nCount = static_cast<i32>(timer.m_nReload);
}

// The high byte's top bits are the timer mode; the slot then counts by the
// 8253 rules for that mode number. OUT and the gate stay as they were.
void WriteTimerHigh8155(CounterState& timer, u8 a) {
    timer.m_nReload = (timer.m_nReload & kReloadLowMask) + ((static_cast<u32>(a) << 8) & kReloadHighMask);
    timer.m_nCount = static_cast<i32>(timer.m_nReload);
    timer.m_nMode = static_cast<u8>(a >> kTimerModeShift);
}
}  // namespace

void CSimulator::Reset8155() {
    for (int port = 0; port < kPortCount; ++port) {
        m_8155Port[port] = 0;
        m_8155PortIsInput[port] = 1;
    }
    m_n8155Command = 0;
}

void CSimulator::Out8155Section(int port) {
    if (!m_b8155Connected) return;
    const int base = m_n8155Address;
    // The command starts and stops the timer; the count ports load it.
    const bool timerPort = DecodesPort(base, port, kCommandPort) || DecodesPort(base, port, kTimerLowPort) ||
                           DecodesPort(base, port, kTimerHighPort);
    if (timerPort) SyncTimerSlot(kTimerSlot);
    if (DecodesPort(base, port, kCommandPort)) {
        Command8155(*this, m_regA);
        m_b8155Changed = 1;
    }
    for (int index = 0; index < kPortCount; ++index) {
        if (DecodesPort(base, port, kFirstPortOffset + index)) {
            WritePort8155(*this, index, m_regA);
            m_b8155Changed = 1;
        }
    }
    if (DecodesPort(base, port, kTimerLowPort)) WriteTimerLow8155(m_Timer[kTimerSlot], m_regA);
    if (DecodesPort(base, port, kTimerHighPort)) WriteTimerHigh8155(m_Timer[kTimerSlot], m_regA);
    if (timerPort) TimerSlotWritten(kTimerSlot);
}

void CSimulator::In8155Section(int port) {
    if (!m_b8155Connected) return;
    for (int index = 0; index < kPortCount; ++index) {
        if (DecodesPort(m_n8155Address, port, kFirstPortOffset + index)) m_regA = m_8155Port[index];
    }
}
