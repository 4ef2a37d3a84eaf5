#include "periph/InterruptRoutes.h"

// This runs after every instruction for all sixteen slots, so the common
// cases (prescaler 1, an idle slot, a running slot that does not reach the
// end of its count) take short, division-free paths.

namespace {
using u64 = std::uint64_t;
constexpr u32 kMaxPulses = 0xFFFF;
constexpr int kReciprocalShift = 40;

// floor(n / d) as a multiply for n < 2^17 and 2 <= d < 2^16: with a 40-bit
// reciprocal rounded up, the error stays below one step for every such n.
struct Reciprocal {
    u32 divisor;
    u64 multiplier;
};
Reciprocal g_prescalerReciprocal[kTimerSlots];

inline u32 DivideByPrescaler(int slot, u32 total, u32 prescaler) {
    Reciprocal& r = g_prescalerReciprocal[slot];
    if (r.divisor != prescaler) {
        r.divisor = prescaler;
        r.multiplier = ((u64{1} << kReciprocalShift) / prescaler) + 1;
    }
    return static_cast<u32>((total * r.multiplier) >> kReciprocalShift);
}

// T-states of this tick plus the left-over from earlier ones, divided into
// counter clock pulses; nothing is lost across instructions.
inline u32 DivideSlotClock(int slot, u16* prescalers, u16* residues, u16* pulses, u32 tStates) {
    u32 prescaler = prescalers[slot];
    const u32 total = tStates + residues[slot];
    u32 whole;
    if (prescaler <= 1) {
        if (prescaler == 0) prescalers[slot] = 1;
        prescaler = 1;
        whole = total;
    } else if (total < prescaler) {
        whole = 0;
    } else {
        whole = DivideByPrescaler(slot, total, prescaler);
    }
    if (whole > kMaxPulses) whole = kMaxPulses;
    pulses[slot] = static_cast<u16>(whole);
    residues[slot] = static_cast<u16>(total - whole * prescaler);
    return whole;
}

// Counts wrap as 32-bit values rather than overflow, whatever a file loaded.
inline i32 Minus(i32 count, u32 amount) { return static_cast<i32>(static_cast<u32>(count) - amount); }

// Square wave counting by two. An odd count gives one pulse more high than
// low; the overshoot past zero is carried into the next half.
inline void CountSquareWave(CounterState& timer, u16& pulses) {
    const u32 p = pulses;
    const bool oddReload = (timer.m_nReload & 1) != 0;
    const bool firstHighStep = oddReload && static_cast<u32>(timer.m_nCount) == timer.m_nReload;
    const i32 count = Minus(timer.m_nCount, 2 * p - (firstHighStep ? 1 : 0));
    timer.m_nCount = count;
    if (count > 0) return;
    const u16 overshoot = static_cast<u16>(0u - static_cast<u32>(count));
    const u32 carried = (overshoot + 1u) / 2;
    pulses = static_cast<u16>(carried);
    timer.m_bOut = timer.m_bOut ? 0 : 1;
    if (timer.m_bOut == 1) {
        timer.m_nCount = static_cast<i32>(timer.m_nReload);
        timer.m_nReloadEven = timer.m_nReload & ~1u;
        if (carried != 0) timer.m_nCount = Minus(timer.m_nCount, 2 * carried - (oddReload ? 1 : 0));
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

inline void CountSlot(CSimulator& sim, CounterState& timer, u16& pulses) {
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

// Level inputs see OUT high. A slot only ever raises a request.
inline void DriveLevelRoute(CSimulator& sim, u8 route, u8 out) {
    if (out != 1) return;
    if (route == IrqRoute::kRst55)
        sim.m_pendRst55 = 1;
    else if (route == IrqRoute::kRst65)
        sim.m_pendRst65 = 1;
}

// Edge inputs see a rising OUT within this step.
inline void DriveSlotRoute(CSimulator& sim, u8 route, u8 outBefore, u8 out) {
    if (outBefore == 0 && out == 1) {
        if (route == IrqRoute::kTrap)
            sim.m_pendTrap = 1;
        else if (route == IrqRoute::kRst75)
            sim.m_pendRst75 = 1;
    }
    DriveLevelRoute(sim, route, out);
}
}  // namespace

void CSimulator::Divide8253Clocks() {
    for (int slot = 0; slot < kTimerSlots; ++slot)
        DivideSlotClock(slot, m_TimerPrescaler, m_TimerResidue, m_TimerPulses, m_lastTStates);
}

// Dividing and stepping slot by slot gives the same result as dividing all
// slots first: no slot's division depends on another slot's step.
void CSimulator::Tick8253() {
    const u32 tStates = m_lastTStates;
    for (int slot = 0; slot < kTimerSlots; ++slot) {
        DivideSlotClock(slot, m_TimerPrescaler, m_TimerResidue, m_TimerPulses, tStates);
        CounterState& timer = m_Timer[slot];
        if (timer.m_bRunning != 1) {
            // OUT cannot move in a stopped slot, so only a level route acts.
            DriveLevelRoute(*this, timer.m_nIrqRoute, timer.m_bOut);
            continue;
        }
        const u8 outBefore = timer.m_bOut;
        CountSlot(*this, timer, m_TimerPulses[slot]);
        DriveSlotRoute(*this, timer.m_nIrqRoute, outBefore, timer.m_bOut);
    }
}
