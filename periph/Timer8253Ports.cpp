#include "periph/InterruptRoutes.h"

namespace {
constexpr int kControlOffset = 3;
constexpr int kCountersPerChip = 3;
constexpr u8 kSelectNone = 3;

// Read/load field of a control word.
constexpr u8 kRlLatch = 0;
constexpr u8 kRlLowOnly = 1;
constexpr u8 kRlHighOnly = 2;
constexpr u8 kRlLowThenHigh = 3;

u32 WithLowByte(u32 value, u8 low) { return (value & 0xFF00) | low; }
u32 WithHighByte(u32 value, u8 high) { return (value & 0x00FF) | (static_cast<u32>(high) << 8); }
u8 LowByte(u32 value) { return static_cast<u8>(value & 0xFF); }
u8 HighByte(u32 value) { return static_cast<u8>((value >> 8) & 0xFF); }

// The counter's programming; a latch command (RL 0) changes none of it.
void WriteControlWord(CSimulator& s, int chip, int counter, u8 data) {
    CounterState& timer = s.m_Timer[chip * kCountersPerChip + counter];
    const u8 rl = (data >> 4) & 3;
    if (rl == kRlLatch) {
        timer.m_nLatch = static_cast<u32>(timer.m_nCount);
        timer.m_bLatched = 1;
        return;
    }
    s.m_8253RwMode[chip][counter] = rl;
    timer.m_nRwMode = rl;
    s.m_8253Bcd[chip][counter] = data & 1;
    timer.m_bBcd = data & 1;
    timer.m_nMode = (data >> 1) & 7;
    s.m_8253MsbNext[chip][counter] = rl == kRlHighOnly ? 1 : 0;
    timer.m_bOut = timer.m_nMode == 0 ? 0 : 1;
}

// A count completes on the last byte its read/load mode expects.
void WriteCount(CSimulator& s, int chip, int counter, u8 data) {
    const int slot = chip * kCountersPerChip + counter;
    CounterState& timer = s.m_Timer[slot];
    switch (s.m_8253RwMode[chip][counter]) {
    case kRlLowOnly:
        timer.m_nReload = WithLowByte(timer.m_nReload, data);
        s.Load8253Counter(slot);
        break;
    case kRlHighOnly:
        timer.m_nReload = WithHighByte(timer.m_nReload, data);
        s.Load8253Counter(slot);
        break;
    case kRlLowThenHigh:
        if (s.m_8253MsbNext[chip][counter] == 0) {
            timer.m_nReload = WithLowByte(timer.m_nReload, data);
            s.m_8253MsbNext[chip][counter] = 1;
        } else {
            timer.m_nReload = WithHighByte(timer.m_nReload, data);
            s.m_8253MsbNext[chip][counter] = 0;
            s.Load8253Counter(slot);
        }
        break;
    default: break;
    }
}
}  // namespace

void CSimulator::Out8253Section(int port) {
    const u8 data = m_regA;
    for (int chip = 0; chip < PresentChips(m_n8253Count); ++chip) {
        const int base = m_8253Address[chip];
        if (DecodesPort(base, port, kControlOffset)) {
            m_8253Select[chip] = data >> 6;
            if (m_8253Select[chip] == kSelectNone) continue;
            const int slot = chip * kCountersPerChip + m_8253Select[chip];
            SyncTimerSlot(slot);
            WriteControlWord(*this, chip, m_8253Select[chip], data);
            TimerSlotWritten(slot);
            continue;
        }
        for (int counter = 0; counter < kCountersPerChip; ++counter) {
            if (!DecodesPort(base, port, counter)) continue;
            m_8253Select[chip] = static_cast<u8>(counter);
            const int slot = chip * kCountersPerChip + counter;
            SyncTimerSlot(slot);
            WriteCount(*this, chip, counter, data);
            TimerSlotWritten(slot);
        }
    }
}

// Reads alternate low and high bytes whatever the read/load mode; a latched
// value is released once its high byte has been read.
void CSimulator::In8253Section(int port) {
    for (int chip = 0; chip < PresentChips(m_n8253Count); ++chip) {
        for (int counter = 0; counter < kCountersPerChip; ++counter) {
            if (!DecodesPort(m_8253Address[chip], port, counter)) continue;
            const int slot = chip * kCountersPerChip + counter;
            SyncTimerSlot(slot);
            CounterState& timer = m_Timer[slot];
            const u32 value = timer.m_bLatched ? timer.m_nLatch : static_cast<u32>(timer.m_nCount);
            if (timer.m_bReadLsb == 1) {
                m_regA = LowByte(value);
                timer.m_bReadLsb = 0;
            } else {
                m_regA = HighByte(value);
                timer.m_bReadLsb = 1;
                timer.m_bLatched = 0;
            }
            TimerSlotWritten(slot);
        }
    }
}

// Modes 1, 2 and 5 wait for the gate input to load and start the count.
void CSimulator::Load8253Counter(int slot) {
    CounterState& timer = m_Timer[slot];
    switch (timer.m_nMode) {
    case 0:
        timer.m_bRunning = timer.m_bGate;
        timer.m_nCount = static_cast<i32>(timer.m_nReload);
        timer.m_bOut = 0;
        break;
    case 1:
    case 2:
    case 5: timer.m_bOut = 1; break;
    case 3:
        timer.m_bRunning = timer.m_bGate;
        timer.m_nCount = static_cast<i32>(timer.m_nReload);
        timer.m_nReloadEven = timer.m_nReload & ~1u;
        timer.m_bOut = 1;
        break;
    case 4:
        timer.m_bRunning = timer.m_bGate;
        timer.m_nCount = static_cast<i32>(timer.m_nReload);
        timer.m_bOut = 1;
        break;
    default: break;
    }
}
