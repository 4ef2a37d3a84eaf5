#include "periph/InterruptRoutes.h"

#include <cstdint>

// This runs after every instruction for all sixteen slots, so the common
// cases (prescaler 1, a stopped slot, a square wave that does not reach the
// end of its half) take short, division-free paths.

namespace {
using u64 = std::uint64_t;
constexpr u32 kMaxPulses = 0xFFFF;
constexpr int kReciprocalShift = 40;
constexpr u8 kSquareWaveMode = 3;

// Requests raised by the slots in one tick, one bit per route code. A slot
// only ever raises a latch and no slot reads one, so gathering them and
// setting the latches once after the last slot gives the same result as
// setting them as they occur. Bits rather than bytes keep the gathering in
// registers.
struct TickRequests {
    static constexpr u32 kRouteCodes = 8;
    u32 level = 0;  // OUT high: consulted for the level inputs
    u32 edge = 0;   // OUT rose or the count ended: consulted for the edge inputs

    static u32 Bit(u8 route) { return route < kRouteCodes ? 1u << route : 1u << IrqRoute::kNone; }
    static u32 BitIf(bool condition, u32 bit) { return condition ? bit : 0; }

    void Apply(CSimulator& sim) const {
        if (edge & Bit(IrqRoute::kTrap)) sim.m_pendTrap = 1;
        if (edge & Bit(IrqRoute::kRst75)) sim.m_pendRst75 = 1;
        if (level & Bit(IrqRoute::kRst55)) sim.m_pendRst55 = 1;
        if (level & Bit(IrqRoute::kRst65)) sim.m_pendRst65 = 1;
    }
};

// floor(n / d) as a multiply for n < 2^17 and 2 <= d < 2^16: with a 40-bit
// reciprocal rounded up, the error stays below one step for every such n.
// Each slot keeps the reciprocal of the prescaler it last saw, so a
// prescaler changed by a dialog or a loaded file is picked up at once.
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
// counter clock pulses; nothing is lost across instructions. A prescaler of
// 0 counts as 1 and is written back as 1.
inline u32 DivideSlotClock(int slot, u16* prescalers, u16* residues, u16* pulses, u32 tStates) {
    u32 prescaler = prescalers[slot];
    const u32 residue = residues[slot];
    if (prescaler == 1 && residue == 0) {
        pulses[slot] = static_cast<u16>(tStates);
        return tStates;
    }
    const u32 total = tStates + residue;
    u32 whole;
    if (prescaler <= 1) {
        // Only an undivided clock can exceed the pulse counter's range.
        prescalers[slot] = 1;
        prescaler = 1;
        whole = total < kMaxPulses ? total : kMaxPulses;
    } else if (total < prescaler) {
        whole = 0;
    } else {
        whole = DivideByPrescaler(slot, total, prescaler);
    }
    pulses[slot] = static_cast<u16>(whole);
    residues[slot] = static_cast<u16>(total - whole * prescaler);
    return whole;
}

// Counts wrap as 32-bit values rather than overflow, whatever a file loaded.
inline i32 Minus(i32 count, u32 amount) { return static_cast<i32>(static_cast<u32>(count) - amount); }

// Mode 3 steps by two; the first step of a high half of an odd count takes
// one, so an odd count gives one pulse more high than low.
inline i32 SquareWaveStep(const CounterState& timer, u32 p) {
    const bool firstHighStep = (timer.m_nReload & 1) != 0 && static_cast<u32>(timer.m_nCount) == timer.m_nReload;
    return Minus(timer.m_nCount, 2 * p - (firstHighStep ? 1 : 0));
}

// End of a square-wave half: OUT flips and the overshoot past zero is
// carried into the next half.
void EndSquareWaveHalf(CounterState& timer, u16& pulses) {
    const bool oddReload = (timer.m_nReload & 1) != 0;
    const u16 overshoot = static_cast<u16>(0u - static_cast<u32>(timer.m_nCount));
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

// Returns the edge request of a count that ended (route bit), else 0.
u32 CountSlot(CounterState& timer, u16& pulses) {
    u32 countEnd = 0;
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
            countEnd = TickRequests::Bit(timer.m_nIrqRoute);
            timer.m_nCount = static_cast<i32>(timer.m_nReload);
        }
        break;
    case kSquareWaveMode:
        timer.m_nCount = SquareWaveStep(timer, pulses);
        if (timer.m_nCount <= 0) EndSquareWaveHalf(timer, pulses);
        break;
    case 4:
    case 5:
        timer.m_nCount = Minus(timer.m_nCount, pulses);
        if (timer.m_nCount <= 0) {
            countEnd = TickRequests::Bit(timer.m_nIrqRoute);
            timer.m_bRunning = 0;
            timer.m_nCount = 0;
            if (timer.m_nMode == 4) timer.m_nReload = 0;
        }
        break;
    default:
        break;
    }
    return countEnd;
}

// The general step of a running slot; returns its edge requests: a count
// that ended or a rising OUT.
u32 StepRunningSlot(CounterState& timer, u16& pulses) {
    const u8 outBefore = timer.m_bOut;
    const u32 countEnd = CountSlot(timer, pulses);
    const u32 route = TickRequests::Bit(timer.m_nIrqRoute);
    return countEnd | TickRequests::BitIf(outBefore == 0 && timer.m_bOut == 1, route);
}

inline bool IsLevelRoute(u8 route) { return route == IrqRoute::kRst55 || route == IrqRoute::kRst65; }

// With every prescaler 1 and nothing left over, every slot's pulses are the
// T-states themselves; this check and fill run over plain arrays, which the
// compiler turns into a few vector operations.
bool AllClocksUndivided(const u16* prescalers, const u16* residues) {
    u32 differences = 0;
    for (int slot = 0; slot < kTimerSlots; ++slot) differences |= (prescalers[slot] ^ 1u) | residues[slot];
    return differences == 0;
}

// Dividing and stepping slot by slot gives the same result as dividing all
// slots first: no slot's division depends on another slot's step.
template <bool kUndivided>
inline void TickSlot(CSimulator& sim, int slot, u32 tStates, TickRequests& requests) {
    const u32 pulses = kUndivided ? tStates
                                  : DivideSlotClock(slot, sim.m_TimerPrescaler, sim.m_TimerResidue,
                                                    sim.m_TimerPulses, tStates);
    CounterState& timer = sim.m_Timer[slot];
    if (timer.m_bRunning != 1) {
        // OUT cannot move in a stopped slot, so only a level route acts.
        if (IsLevelRoute(timer.m_nIrqRoute) && timer.m_bOut == 1)
            requests.level |= TickRequests::Bit(timer.m_nIrqRoute);
        return;
    }
    const u32 route = TickRequests::Bit(timer.m_nIrqRoute);
    if (timer.m_nMode == kSquareWaveMode) {
        // Within a half OUT does not move either.
        const i32 count = SquareWaveStep(timer, pulses);
        if (count > 0) {
            timer.m_nCount = count;
            requests.level |= TickRequests::BitIf(timer.m_bOut == 1, route);
            return;
        }
    }
    requests.edge |= StepRunningSlot(timer, sim.m_TimerPulses[slot]);
    requests.level |= TickRequests::BitIf(timer.m_bOut == 1, route);
}

// Unrolled, each slot's fields sit at fixed offsets and the branches of one
// slot get their own predictor entries.
template <bool kUndivided> void TickSlots(CSimulator& sim, u32 tStates) {
    TickRequests requests;
#pragma GCC unroll 16
    for (int slot = 0; slot < kTimerSlots; ++slot) TickSlot<kUndivided>(sim, slot, tStates, requests);
    requests.Apply(sim);
}
}  // namespace

void CSimulator::Divide8253Clocks() {
    for (int slot = 0; slot < kTimerSlots; ++slot)
        DivideSlotClock(slot, m_TimerPrescaler, m_TimerResidue, m_TimerPulses, m_lastTStates);
}

void CSimulator::Tick8253() {
    const u32 tStates = m_lastTStates;
    if (AllClocksUndivided(m_TimerPrescaler, m_TimerResidue)) {
        for (u16& pulses : m_TimerPulses) pulses = static_cast<u16>(tStates);
        TickSlots<true>(*this, tStates);
    } else {
        TickSlots<false>(*this, tStates);
    }
}
