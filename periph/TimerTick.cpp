// The 8253 and 8155 timer slots' tick.
//
// Each slot's prescaler divides the T-states of every instruction into
// counter clock pulses, and a running slot counts them down by the rules of
// its mode (StepSlot). Between the ends of its counts a slot changes in a
// way that follows in closed form from the T-states that passed: a stopped
// slot only divides its clock, a running one only counts down, and neither
// moves OUT or requests an interrupt. So the tick steps a slot only at the
// tick where its count or square-wave half ends (its due clock), and at
// every tick in the few states the closed form does not cover; in between
// it adds the T-states to one clock. The slot's members are brought up to
// date when someone reads or writes them (SyncTimers, TimersWritten, the
// chips' own ports) or when it is due, and then hold exactly what stepping
// every tick would have left there.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "periph/InterruptRoutes.h"

namespace {

constexpr u8 kSquareWaveMode = 3;
constexpr u8 kLastMode = 5;  // 6 and 7 are kept as written and make a slot inert
constexpr u8 kRunning = 1;
constexpr u8 kOutHigh = 1;
constexpr u32 kMaxPulses = 0xFFFF;  // the pulse counter's range; only an undivided clock reaches it

// ---- the counting rules, one slot, one tick ---------------------------------

// Counts wrap as 32-bit values rather than overflow, whatever a file loaded.
i32 Minus(i32 count, u32 amount) { return static_cast<i32>(static_cast<u32>(count) - amount); }

bool Counts(const CounterState& timer) { return timer.m_bRunning == kRunning && timer.m_nMode <= kLastMode; }

// Mode 3 steps by two; the first step of a high half of an odd count takes
// one, so an odd count gives one pulse more high than low.
i32 SquareWaveStep(const CounterState& timer, u32 p) {
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
    if (timer.m_bOut == kOutHigh) {
        timer.m_nCount = static_cast<i32>(timer.m_nReload);
        timer.m_nReloadEven = timer.m_nReload & ~1u;
        if (carried != 0) timer.m_nCount = Minus(timer.m_nCount, 2 * carried - (oddReload ? 1 : 0));
    } else {
        timer.m_nCount = static_cast<i32>(timer.m_nReloadEven - 2 * carried);
    }
}

// Counts a running slot by its mode; true when a count of mode 2, 4 or 5
// ended, which requests the slot's edge input.
bool CountSlot(CounterState& timer, u16& pulses) {
    switch (timer.m_nMode) {
    case 0:
    case 1:
        timer.m_nCount = Minus(timer.m_nCount, pulses);
        if (timer.m_nCount <= 0) {
            timer.m_bOut = 1;
            timer.m_bRunning = 0;
            timer.m_nCount = 0;
        }
        return false;
    case 2:
        timer.m_nCount = Minus(timer.m_nCount, pulses);
        if (timer.m_nCount >= 0) return false;
        timer.m_nCount = static_cast<i32>(timer.m_nReload);
        return true;
    case kSquareWaveMode:
        timer.m_nCount = SquareWaveStep(timer, pulses);
        if (timer.m_nCount <= 0) EndSquareWaveHalf(timer, pulses);
        return false;
    case 4:
    case 5:
        timer.m_nCount = Minus(timer.m_nCount, pulses);
        if (timer.m_nCount > 0) return false;
        timer.m_bRunning = 0;
        timer.m_nCount = 0;
        if (timer.m_nMode == 4) timer.m_nReload = 0;
        return true;
    default: return false;
    }
}

// The edge inputs, TRAP and RST 7.5, take a rising OUT or an ended count.
void RequestEdge(CSimulator& sim, u8 route) {
    if (route == IrqRoute::kTrap) sim.m_pendTrap = 1;
    if (route == IrqRoute::kRst75) sim.m_pendRst75 = 1;
}

// One tick of one slot on pulses already divided. The level inputs are
// raised from the summary of every slot's OUT (LevelRequests).
void StepSlot(CSimulator& sim, CounterState& timer, u16& pulses) {
    if (timer.m_bRunning != kRunning) return;
    const u8 outBefore = timer.m_bOut;
    if (CountSlot(timer, pulses)) RequestEdge(sim, timer.m_nIrqRoute);
    if (outBefore == 0 && timer.m_bOut == kOutHigh) RequestEdge(sim, timer.m_nIrqRoute);
}

u8 LevelRequests(const CounterState& timer) {
    if (timer.m_bOut != kOutHigh) return 0;
    if (timer.m_nIrqRoute == IrqRoute::kRst55) return TimerSchedule::kLevelRst55;
    if (timer.m_nIrqRoute == IrqRoute::kRst65) return TimerSchedule::kLevelRst65;
    return 0;
}

// One tick's T-states plus the left-over from earlier ones, divided into
// counter clock pulses; nothing is lost across instructions. A prescaler of
// 0 counts as 1 and is written back as 1.
void DivideClock(u16& prescaler, u16& residue, u16& pulses, u32 tStates) {
    if (prescaler == 0) prescaler = 1;
    const u32 total = tStates + residue;
    const u32 whole = std::min(total / prescaler, kMaxPulses);
    pulses = static_cast<u16>(whole);
    residue = static_cast<u16>(total - whole * prescaler);
}

// ---- many ticks at once ---------------------------------------------------

// The pulses of all the ticks in `elapsed` T-states, the last of which took
// lastTStates, for a slot whose left-over is below its prescaler: no tick's
// division then reaches the cap, so the left-over carries every T-state and
// the ticks' pulses add up to one division of the total. Leaves the last
// tick's pulses and left-over in the slot, as its division did.
struct ElapsedPulses {
    u64 all;
    u16 last;
};

template <class Word> ElapsedPulses DivideTotal(Word total, u16 prescaler, u16& residue, u16& pulses, u16 lastTStates) {
    const Word beforeLast = total - lastTStates;
    pulses = static_cast<u16>((beforeLast % prescaler + lastTStates) / prescaler);
    residue = static_cast<u16>(total % prescaler);
    return {total / prescaler, pulses};
}

ElapsedPulses DivideElapsed(u16 prescaler, u16& residue, u16& pulses, u64 elapsed, u16 lastTStates) {
    // An undivided clock (left-over 0) and a total in 32 bits save the
    // divisions or their width; the slots' ends come often.
    if (prescaler == 1) {
        pulses = lastTStates;
        return {elapsed, lastTStates};
    }
    const u64 total = residue + elapsed;
    if (total <= UINT32_MAX) return DivideTotal(static_cast<u32>(total), prescaler, residue, pulses, lastTStates);
    return DivideTotal(total, prescaler, residue, pulses, lastTStates);
}

// Counts a slot down by pulses among which none ends its count.
void CountDown(CounterState& timer, u64 pulses) {
    if (!Counts(timer)) return;
    const u64 step = timer.m_nMode == kSquareWaveMode ? 2 * pulses : pulses;
    timer.m_nCount = Minus(timer.m_nCount, static_cast<u32>(step));
}

// The first step of an odd count's high half takes one less; a count that
// may still meet it is stepped tick by tick.
bool OddFirstHighStepAhead(const CounterState& timer) {
    const u32 count = static_cast<u32>(timer.m_nCount);
    return (timer.m_nReload & 1) != 0 && (count & 1) != 0 && count >= timer.m_nReload;
}

// The clock of the tick at which a slot's count or square-wave half ends,
// for a slot whose members hold its state at `clock`. Every tick for the
// states the closed form leaves out: a prescaler of 0 (written back at the
// next tick), a left-over not below the prescaler (a new, smaller
// prescaler), a count that ends at the next tick or wraps past the most
// negative value, and a square wave that may meet its odd first step.
u64 DueClock(const CounterState& timer, u16 prescaler, u16 residue, u64 clock) {
    if (prescaler == 0 || residue >= prescaler) return TimerSchedule::kEveryTick;
    if (!Counts(timer)) return TimerSchedule::kNever;
    const i64 count = timer.m_nCount;
    i64 pulsesToEnd = count;                          // modes 0, 1, 4 and 5 end at zero
    if (timer.m_nMode == 2) pulsesToEnd = count + 1;  // below zero
    if (timer.m_nMode == kSquareWaveMode) {
        if (OddFirstHighStepAhead(timer)) return TimerSchedule::kEveryTick;
        pulsesToEnd = (count + 1) / 2;  // two per pulse
    }
    if (pulsesToEnd <= 0) return TimerSchedule::kEveryTick;
    return clock + static_cast<u64>(pulsesToEnd) * prescaler - residue;
}

[[maybe_unused]] bool SameRecord(const CounterState& a, const CounterState& b) {
    return a.m_bRunning == b.m_bRunning && a.m_bOut == b.m_bOut && a.m_nIrqRoute == b.m_nIrqRoute &&
           a.m_nMode == b.m_nMode && a.m_nCount == b.m_nCount && a.m_nReload == b.m_nReload &&
           a.m_nReloadEven == b.m_nReloadEven && a.m_nLatch == b.m_nLatch && a.m_bLatched == b.m_bLatched &&
           a.m_bReadLsb == b.m_bReadLsb && a.m_bGate == b.m_bGate && a.m_bBcd == b.m_bBcd && a.m_nRwMode == b.m_nRwMode;
}

}  // namespace

// ---- the slots' members and the summary -------------------------------------

// Records the slot's members as the core leaves them, at the current clock,
// and when the slot is due next; counts the level inputs its OUT holds.
void CSimulator::LeaveTimerSlot(int slot) {
    TimerSchedule& schedule = m_timerSchedule;
    const u8 levelsBefore = LevelRequests(schedule.left[slot]), levelsNow = LevelRequests(m_Timer[slot]);
    if (levelsBefore != levelsNow) {
        schedule.holdingRst55 +=
            ((levelsNow & TimerSchedule::kLevelRst55) != 0) - ((levelsBefore & TimerSchedule::kLevelRst55) != 0);
        schedule.holdingRst65 +=
            ((levelsNow & TimerSchedule::kLevelRst65) != 0) - ((levelsBefore & TimerSchedule::kLevelRst65) != 0);
        schedule.levelRequests = (schedule.holdingRst55 != 0 ? TimerSchedule::kLevelRst55 : 0) |
                                 (schedule.holdingRst65 != 0 ? TimerSchedule::kLevelRst65 : 0);
    }
    schedule.left[slot] = m_Timer[slot];
    schedule.leftPulses[slot] = m_TimerPulses[slot];
    schedule.leftResidue[slot] = m_TimerResidue[slot];
    schedule.leftPrescaler[slot] = m_TimerPrescaler[slot];
    schedule.slotClock[slot] = schedule.clock;
    schedule.slotDue[slot] = DueClock(m_Timer[slot], m_TimerPrescaler[slot], m_TimerResidue[slot], schedule.clock);
}

void CSimulator::FindNextDueTimer() {
    TimerSchedule& schedule = m_timerSchedule;
    u64 due = TimerSchedule::kNever;
    for (const u64 slotDue : schedule.slotDue) due = std::min(due, slotDue);
    schedule.due = due;
}

// Brings the slot's members up to date from where the core left them. A
// field that differs from what the core left was written since, and keeps
// what was written: the write happened now.
void CSimulator::ReconcileTimerSlot(int slot) {
    TimerSchedule& schedule = m_timerSchedule;
    const u64 elapsed = schedule.clock - schedule.slotClock[slot];
    if (elapsed != 0) {
        CounterState now = schedule.left[slot];
        u16 residue = schedule.leftResidue[slot], pulses = schedule.leftPulses[slot];
        CountDown(now, DivideElapsed(schedule.leftPrescaler[slot], residue, pulses, elapsed, schedule.lastTStates).all);
        CounterState& timer = m_Timer[slot];
        if (timer.m_nCount == schedule.left[slot].m_nCount) timer.m_nCount = now.m_nCount;
        if (m_TimerResidue[slot] == schedule.leftResidue[slot]) m_TimerResidue[slot] = residue;
        if (m_TimerPulses[slot] == schedule.leftPulses[slot]) m_TimerPulses[slot] = pulses;
    }
    LeaveTimerSlot(slot);
}

void CSimulator::SyncTimers() {
    CheckTimersAsLeft();
    TimersWritten();
}

void CSimulator::TimersWritten() {
    for (int slot = 0; slot < kTimerSlots; ++slot) ReconcileTimerSlot(slot);
    FindNextDueTimer();
}

void CSimulator::SyncTimerSlot(int slot) {
    CheckTimerSlotAsLeft(slot);
    ReconcileTimerSlot(slot);
}

void CSimulator::TimerSlotWritten(int slot) {
    ReconcileTimerSlot(slot);
    FindNextDueTimer();
}

// ---- the tick's steps -----------------------------------------------------

// Steps every slot due at this tick and finds the next due clock.
void CSimulator::StepDueTimers() {
    TimerSchedule& schedule = m_timerSchedule;
    u64 due = TimerSchedule::kNever;
    for (int slot = 0; slot < kTimerSlots; ++slot) {
        if (schedule.slotDue[slot] <= schedule.clock) StepTimerSlot(slot);
        due = std::min(due, schedule.slotDue[slot]);
    }
    schedule.due = due;
}

// One closed-form catch-up to the tick before, then this tick by the rules.
void CSimulator::StepTimerSlot(int slot) {
    TimerSchedule& schedule = m_timerSchedule;
    CounterState& timer = m_Timer[slot];
    if (schedule.slotDue[slot] == TimerSchedule::kEveryTick) {
        DivideClock(m_TimerPrescaler[slot], m_TimerResidue[slot], m_TimerPulses[slot], schedule.lastTStates);
    } else {
        const ElapsedPulses pulses = DivideElapsed(m_TimerPrescaler[slot], m_TimerResidue[slot], m_TimerPulses[slot],
                                                   schedule.clock - schedule.slotClock[slot], schedule.lastTStates);
        CountDown(timer, pulses.all - pulses.last);
    }
    StepSlot(*this, timer, m_TimerPulses[slot]);
    LeaveTimerSlot(slot);
}

// A tick of no T-states adds nothing to the clock that the closed form
// could see, but it still divides (a left-over, a prescaler of 0) and steps
// (a count at its end): every slot is brought up to date and takes it by
// the rules. Bringing a slot up to date divides the tick before this one,
// so that tick's T-states stay the last ones until every slot has been.
void CSimulator::TickTimersWithoutTime() {
    for (int slot = 0; slot < kTimerSlots; ++slot) {
        ReconcileTimerSlot(slot);
        DivideClock(m_TimerPrescaler[slot], m_TimerResidue[slot], m_TimerPulses[slot], 0);
        StepSlot(*this, m_Timer[slot], m_TimerPulses[slot]);
        LeaveTimerSlot(slot);
    }
    m_timerSchedule.lastTStates = 0;
    FindNextDueTimer();
    RaiseTimerLevelRequests();
}

// ---- the check of debug builds ------------------------------------------------

// Outside the core, a change to the timer members must be followed by
// TimersWritten(); one that is not would be lost or half taken. Debug builds
// look for it before every use of the members.
void CSimulator::CheckTimerSlotAsLeft(int slot) const {
#ifndef NDEBUG
    const TimerSchedule& schedule = m_timerSchedule;
    if (SameRecord(m_Timer[slot], schedule.left[slot]) && m_TimerPulses[slot] == schedule.leftPulses[slot] &&
        m_TimerResidue[slot] == schedule.leftResidue[slot] && m_TimerPrescaler[slot] == schedule.leftPrescaler[slot])
        return;
    std::fprintf(stderr, "timer slot %d was changed without TimersWritten()\n", slot);
    std::abort();
#endif
}

void CSimulator::CheckTimersAsLeft() const {
#ifndef NDEBUG
    for (int slot = 0; slot < kTimerSlots; ++slot) CheckTimerSlotAsLeft(slot);
#endif
}
