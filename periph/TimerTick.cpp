// The 8253 and 8155 timer slots' tick: counting rules, the shortcuts that
// need no kernel, and the choice of kernel (periph/TimerTickShared.h).
#include "periph/TimerTickPaths.h"
#include "periph/TimerTickShared.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// This runs after every instruction for all sixteen slots, so the common
// cases (every clock undivided, every slot at rest, a square wave that does
// not reach the end of its half) take short, branch-free paths. Windows,
// dialogs and loaded files write the slot members directly at any time, so
// every shortcut is decided afresh from the live members on each call; no
// summary is kept between calls.

namespace timer_tick {
namespace {

// The request bit of OUT held high, by route code: only the level inputs
// act on a level; a table makes the check one load.
constexpr std::array<u8, 256> MakeLevelRequestBits() {
    std::array<u8, 256> bits{};
    bits[IrqRoute::kRst55] = 1u << IrqRoute::kRst55;
    bits[IrqRoute::kRst65] = 1u << IrqRoute::kRst65;
    return bits;
}
constexpr std::array<u8, 256> kLevelRequestBit = MakeLevelRequestBits();

// ---- counting rules, one slot -----------------------------------------------

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
    default: break;
    }
    return countEnd;
}

}  // namespace

void StepSlot(CounterState& timer, u16& pulses, TickRequests& requests) {
    if (timer.m_bRunning == kRunning) {
        const u8 outBefore = timer.m_bOut;
        requests.edge |= CountSlot(timer, pulses);
        const bool rose = outBefore == 0 && timer.m_bOut == kOutHigh;
        requests.edge |= TickRequests::BitIf(rose, TickRequests::Bit(timer.m_nIrqRoute));
    }
    if (timer.m_bOut == kOutHigh) requests.level |= kLevelRequestBit[timer.m_nIrqRoute];
}

// ---- one slot at a time ---------------------------------------------------------

void DivideClocksOneByOne(u16* prescalers, u16* residues, u16* pulses, u32 tStates) {
    constexpr u32 kMaxPulses = 0xFFFF;  // only an undivided clock can exceed it
    for (int slot = 0; slot < kTimerSlots; ++slot) {
        if (prescalers[slot] == 0) prescalers[slot] = 1;
        const u32 total = tStates + residues[slot];
        u32 whole = total / prescalers[slot];
        if (whole > kMaxPulses) whole = kMaxPulses;
        pulses[slot] = static_cast<u16>(whole);
        residues[slot] = static_cast<u16>(total - whole * prescalers[slot]);
    }
}

void StepSlotsOneByOne(CSimulator& sim) {
    TickRequests requests;
    for (int slot = 0; slot < kTimerSlots; ++slot) StepSlot(sim.m_Timer[slot], sim.m_TimerPulses[slot], requests);
    requests.Apply(sim);
}

namespace {

// ---- shortcuts before any kernel --------------------------------------------

// With every prescaler 1 and nothing left over, every slot's pulses are the
// T-states themselves.
bool AllClocksUndivided(const u16* prescalers, const u16* residues) {
#if defined(__SSE2__)
    const __m128i one = _mm_set1_epi16(1), zero = _mm_setzero_si128();
    __m128i undivided = _mm_set1_epi16(-1);
    constexpr int kLanes = 8;
    for (int first = 0; first < kTimerSlots; first += kLanes) {
        const __m128i prescaler =
            _mm_loadu_si128(static_cast<const __m128i*>(static_cast<const void*>(prescalers + first)));
        const __m128i residue =
            _mm_loadu_si128(static_cast<const __m128i*>(static_cast<const void*>(residues + first)));
        undivided =
            _mm_and_si128(undivided, _mm_and_si128(_mm_cmpeq_epi16(prescaler, one), _mm_cmpeq_epi16(residue, zero)));
    }
    return _mm_movemask_epi8(undivided) == 0xFFFF;
#else
    u32 differences = 0;
    for (int slot = 0; slot < kTimerSlots; ++slot) differences |= (prescalers[slot] ^ 1u) | residues[slot];
    return differences == 0;
#endif
}

// True when no slot can act in this tick: none has a nonzero running byte,
// and every route is none or TRAP. A stopped slot never moves OUT, so an
// edge route raises nothing and only a level route could. One OR per slot;
// whatever this leaves out (a stopped slot routed to RST 7.5, running bytes
// other than 0 and 1) takes a kernel, which is exact in every case.
bool AllSlotsAtRest(const CounterState (&timers)[kTimerSlots]) {
    u32 seen = 0;
#pragma GCC unroll 16
    for (const CounterState& timer : timers) seen |= LeadingWord(timer);
    return (seen & LeadingWordOf(kAnyValue, 0, static_cast<u8>(~IrqRoute::kTrap), 0)) == 0;
}

// ---- choice of kernel ---------------------------------------------------------

struct Kernels {
    DivideKernel divide;
    StepKernel step;
};

bool IsAvailable(TimerTickPath path) {
    switch (path) {
    case TimerTickPath::OneByOne: return true;
#if defined(__SSE2__)
    case TimerTickPath::FourAtATime: return true;
#endif
#if defined(TORVAN_TIMER_TICK_AVX512)
    case TimerTickPath::SixteenAtATime: return HasSixteenLaneVectors();
#endif
    default: return false;
    }
}

Kernels KernelsOf(TimerTickPath path) {
    switch (path) {
#if defined(TORVAN_TIMER_TICK_AVX512)
    case TimerTickPath::SixteenAtATime: return {DivideClocksSixteenAtATime, StepSlotsSixteenAtATime};
#endif
#if defined(__SSE2__)
    case TimerTickPath::FourAtATime: return {DivideClocksFourAtATime, StepSlotsFourAtATime};
#endif
    default: return {DivideClocksOneByOne, StepSlotsOneByOne};
    }
}

TimerTickPath WidestAvailable() {
    for (TimerTickPath path : {TimerTickPath::SixteenAtATime, TimerTickPath::FourAtATime})
        if (IsAvailable(path)) return path;
    return TimerTickPath::OneByOne;
}

// Constant-initialised, so that a tick run before start-up's choice below
// (from another file's start-up code) is already exact.
TimerTickPath g_path = TimerTickPath::OneByOne;
Kernels g_kernels = {DivideClocksOneByOne, StepSlotsOneByOne};

}  // namespace
}  // namespace timer_tick

bool IsTimerTickPathAvailable(TimerTickPath path) { return timer_tick::IsAvailable(path); }

bool UseTimerTickPath(TimerTickPath path) {
    if (!timer_tick::IsAvailable(path)) return false;
    timer_tick::g_path = path;
    timer_tick::g_kernels = timer_tick::KernelsOf(path);
    return true;
}

TimerTickPath CurrentTimerTickPath() { return timer_tick::g_path; }

namespace {
[[maybe_unused]] const bool g_widestPathChosen = UseTimerTickPath(timer_tick::WidestAvailable());
}  // namespace

// T-states of this tick plus the left-over from earlier ones, divided into
// counter clock pulses; nothing is lost across instructions.
void CSimulator::Divide8253Clocks() {
    timer_tick::g_kernels.divide(m_TimerPrescaler, m_TimerResidue, m_TimerPulses, m_lastTStates);
}

// All slots are divided before any is stepped, as no slot's division
// depends on another slot's step.
void CSimulator::Tick8253() {
    using namespace timer_tick;
    if (AllClocksUndivided(m_TimerPrescaler, m_TimerResidue)) {
        for (u16& pulses : m_TimerPulses) pulses = m_lastTStates;
    } else {
        Divide8253Clocks();
    }
    if (AllSlotsAtRest(m_Timer)) return;
    g_kernels.step(*this);
}
