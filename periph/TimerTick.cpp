#include "periph/InterruptRoutes.h"

namespace {
constexpr u32 kMaxPulses = 0xFFFF;

// T-states of this tick plus the left-over from earlier ones, divided into
// counter clock pulses; nothing is lost across instructions.
inline void DivideSlotClock(u16& prescaler, u16& residue, u16& pulses, u32 tStates) {
    if (prescaler == 0) prescaler = 1;
    const u32 total = tStates + residue;
    u32 whole;
    if (prescaler == 1) {
        whole = total;
    } else if (total < prescaler) {
        whole = 0;
    } else {
        whole = total / prescaler;
    }
    if (whole > kMaxPulses) whole = kMaxPulses;
    pulses = static_cast<u16>(whole);
    residue = static_cast<u16>(total - whole * prescaler);
}

// Counts wrap as 32-bit values rather than overflow, whatever a file loaded.
inline i32 Minus(i32 count, u32 amount) { return static_cast<i32>(static_cast<u32>(count) - amount); }

// Square wave counting by two. An odd count gives one pulse more high than
// low; the overshoot past zero is carried into the next half.
void CountSquareWave(CounterState& timer, u16& pulses) {
    const u32 p = pulses;
    const bool oddReload = (timer.m_nReload & 1) != 0;
    const bool firstHighStep = oddReload && static_cast<u32>(timer.m_nCount) == timer.m_nReload;
    timer.m_nCount = Minus(timer.m_nCount, firstHighStep ? 2 * p - 1 : 2 * p);
    if (timer.m_nCount > 0) return;
    const u16 overshoot = static_cast<u16>(0u - static_cast<u32>(timer.m_nCount));
    const u32 carried = (overshoot + 1u) / 2;
    pulses = static_cast<u16>(carried);
    timer.m_bOut = timer.m_bOut ? 0 : 1;
    if (timer.m_bOut == 1) {
        timer.m_nCount = static_cast<i32>(timer.m_nReload);
        timer.m_nReloadEven = timer.m_nReload & ~1u;
        if (carried != 0) timer.m_nCount = Minus(timer.m_nCount, oddReload ? 2 * carried - 1 : 2 * carried);
    } else {
        timer.m_nCount = static_cast<i32>(timer.m_nReloadEven - 2 * carried);
    }
}

// The end-of-count request of modes 2, 4 and 5 goes only to the edge inputs.
inline void RequestCountEnd(CSimulator& sim, u8 route) {
    if (route == IrqRoute::kTrap)
        sim.m_pendTrap = 1;
    else if (route == IrqRoute::kRst75)
        sim.m_pendRst75 = 1;
}

void CountSlot(CSimulator& sim, CounterState& timer, u16& pulses) {
    switch (timer.m_nMode) {
    case 0:
    case 1:
        timer.m_nCount = Minus(timer.m_nCount, pulses);
        if (timer.m_nCount <= 0) {
            timer.m_bOut = 1;
            timer.m_bRunning = 0;
            timer.m_nCount = 0;
        }
        break;
    case 2:
        timer.m_nCount = Minus(timer.m_nCount, pulses);
        if (timer.m_nCount < 0) {
            RequestCountEnd(sim, timer.m_nIrqRoute);
            timer.m_nCount = static_cast<i32>(timer.m_nReload);
        }
        break;
    case 3:
        CountSquareWave(timer, pulses);
        break;
    case 4:
    case 5:
        timer.m_nCount = Minus(timer.m_nCount, pulses);
        if (timer.m_nCount <= 0) {
            RequestCountEnd(sim, timer.m_nIrqRoute);
            timer.m_bRunning = 0;
            timer.m_nCount = 0;
            if (timer.m_nMode == 4) timer.m_nReload = 0;
        }
        break;
    default:
        break;
    }
}

// Edge inputs see a rising OUT within this step; level inputs see OUT high.
// A slot only ever raises a request, never withdraws one.
inline void DriveSlotRoute(CSimulator& sim, u8 route, u8 outBefore, u8 out) {
    switch (route) {
    case IrqRoute::kTrap:
        if (outBefore == 0 && out == 1) sim.m_pendTrap = 1;
        break;
    case IrqRoute::kRst75:
        if (outBefore == 0 && out == 1) sim.m_pendRst75 = 1;
        break;
    case IrqRoute::kRst55:
        if (out == 1) sim.m_pendRst55 = 1;
        break;
    case IrqRoute::kRst65:
        if (out == 1) sim.m_pendRst65 = 1;
        break;
    default:
        break;
    }
}
}  // namespace

void CSimulator::Divide8253Clocks() {
    for (int slot = 0; slot < kTimerSlots; ++slot)
        DivideSlotClock(m_TimerPrescaler[slot], m_TimerResidue[slot], m_TimerPulses[slot], m_lastTStates);
}

void CSimulator::Tick8253() {
    Divide8253Clocks();
    for (int slot = 0; slot < kTimerSlots; ++slot) {
        CounterState& timer = m_Timer[slot];
        const u8 outBefore = timer.m_bOut;
        if (timer.m_bRunning == 1) CountSlot(*this, timer, m_TimerPulses[slot]);
        DriveSlotRoute(*this, timer.m_nIrqRoute, outBefore, timer.m_bOut);
    }
}
