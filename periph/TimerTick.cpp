#include "periph/InterruptRoutes.h"

#include <array>
#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// This runs after every instruction for all sixteen slots, so the common
// cases (every clock undivided, every slot at rest, a square wave that does
// not reach the end of its half) take short, branch-free paths, four slots
// at a time where the processor has SSE2 (every x86-64 has). Windows,
// dialogs and loaded files write the slot members directly at any time, so
// every shortcut is decided afresh from the live members on each call; no
// summary is kept between calls.

namespace {
constexpr u8 kSquareWaveMode = 3;
constexpr u8 kRunning = 1;
constexpr u8 kOutHigh = 1;
constexpr u8 kAnyValue = 0xFF;

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

// The request bit of OUT held high, by route code: only the level inputs
// act on a level; a table makes the check one load.
constexpr std::array<u8, 256> MakeLevelRequestBits() {
    std::array<u8, 256> bits{};
    bits[IrqRoute::kRst55] = 1u << IrqRoute::kRst55;
    bits[IrqRoute::kRst65] = 1u << IrqRoute::kRst65;
    return bits;
}
constexpr std::array<u8, 256> kLevelRequestBit = MakeLevelRequestBits();

// ---- the record's leading fields, read together ----------------------------

// The running byte, OUT, the route and the mode lead the record, followed by
// the count, the reload value and its even form: one word read checks the
// four bytes, one 16-byte read fetches all a square-wave step needs.
static_assert(offsetof(CounterState, m_bRunning) == 0 && offsetof(CounterState, m_bOut) == 1 &&
                  offsetof(CounterState, m_nIrqRoute) == 2 && offsetof(CounterState, m_nMode) == 3 &&
                  offsetof(CounterState, m_nCount) == 4 && offsetof(CounterState, m_nReload) == 8 &&
                  offsetof(CounterState, m_nReloadEven) == 12,
              "the fields the tick reads together lead the timer record");

u32 LeadingWord(const CounterState& timer) {
    u32 word;
    std::memcpy(&word, &timer, sizeof word);
    return word;
}

// The word those four fields make, in the host's byte order.
u32 LeadingWordOf(u8 running, u8 out, u8 route, u8 mode) {
    const u8 bytes[sizeof(u32)] = {running, out, route, mode};
    u32 word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// True when no slot can act in this tick: none has a nonzero running byte,
// and every route is none or TRAP. A stopped slot never moves OUT, so an
// edge route raises nothing and only a level route could. One OR per slot;
// whatever this leaves out (a stopped slot routed to RST 7.5, running bytes
// other than 0 and 1) takes the full step, which is exact in every case.
bool AllSlotsAtRest(const CounterState (&timers)[kTimerSlots]) {
    u32 seen = 0;
#pragma GCC unroll 16
    for (const CounterState& timer : timers) seen |= LeadingWord(timer);
    return (seen & LeadingWordOf(kAnyValue, 0, static_cast<u8>(~IrqRoute::kTrap), 0)) == 0;
}

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
    default:
        break;
    }
    return countEnd;
}

// The full step of one slot on pulses already divided: any running byte,
// mode, route and count.
void StepSlot(CounterState& timer, u16& pulses, TickRequests& requests) {
    if (timer.m_bRunning == kRunning) {
        const u8 outBefore = timer.m_bOut;
        requests.edge |= CountSlot(timer, pulses);
        const bool rose = outBefore == 0 && timer.m_bOut == kOutHigh;
        requests.edge |= TickRequests::BitIf(rose, TickRequests::Bit(timer.m_nIrqRoute));
    }
    if (timer.m_bOut == kOutHigh) requests.level |= kLevelRequestBit[timer.m_nIrqRoute];
}

#if defined(__SSE2__)
// ---- four slots at a time ---------------------------------------------------

constexpr int kGroupSlots = 4;
constexpr int kClockLanes = 8;  // u16 lanes: prescalers, residues, pulses

__m128i Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
void Store(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }
__m128i Word32(u32 value) { return _mm_set1_epi32(static_cast<int>(value)); }

bool AllClocksUndivided(const u16* prescalers, const u16* residues) {
    const __m128i one = _mm_set1_epi16(1), zero = _mm_setzero_si128();
    __m128i undivided = _mm_set1_epi16(-1);
    for (int first = 0; first < kTimerSlots; first += kClockLanes) {
        undivided = _mm_and_si128(undivided, _mm_cmpeq_epi16(Load(prescalers + first), one));
        undivided = _mm_and_si128(undivided, _mm_cmpeq_epi16(Load(residues + first), zero));
    }
    return _mm_movemask_epi8(undivided) == 0xFFFF;
}

// floor(totals / divisors) for totals below 2^17 and divisors from 1 up. A
// single-precision quotient truncates to the exact floor: both operands are
// exact, and its rounding error (below totals * 2^-24 / divisors) is smaller
// than the distance 1 / divisors from any quotient that is not whole to the
// next whole number.
__m128i Quotients(__m128i totals, __m128i divisors) {
    return _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(totals), _mm_cvtepi32_ps(divisors)));
}

// Packs non-negative 32-bit lanes into 16-bit lanes, capped at 0xFFFF (the
// pulse counter's range, which only an undivided clock can exceed). SSE2's
// pack saturates signed values, so the range is shifted down and back; the
// saturation makes the cap.
__m128i PackUnsigned16(__m128i low, __m128i high) {
    const __m128i bias32 = Word32(0x8000);
    const __m128i packed = _mm_packs_epi32(_mm_sub_epi32(low, bias32), _mm_sub_epi32(high, bias32));
    return _mm_xor_si128(packed, _mm_set1_epi16(static_cast<short>(0x8000)));
}

// Every slot's T-states plus left-over, divided by its prescaler; a
// prescaler of 0 counts as 1 and is written back as 1.
void DivideAllClocks(u16* prescalers, u16* residues, u16* pulses, u32 tStates) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i tStates32 = Word32(tStates);
    const __m128i tStates16 = _mm_set1_epi16(static_cast<short>(tStates));
    for (int first = 0; first < kTimerSlots; first += kClockLanes) {
        __m128i prescaler = Load(prescalers + first);
        prescaler = _mm_sub_epi16(prescaler, _mm_cmpeq_epi16(prescaler, zero));
        Store(prescalers + first, prescaler);
        const __m128i residue = Load(residues + first);
        const __m128i low = Quotients(_mm_add_epi32(tStates32, _mm_unpacklo_epi16(residue, zero)),
                                      _mm_unpacklo_epi16(prescaler, zero));
        const __m128i high = Quotients(_mm_add_epi32(tStates32, _mm_unpackhi_epi16(residue, zero)),
                                       _mm_unpackhi_epi16(prescaler, zero));
        const __m128i whole = PackUnsigned16(low, high);
        Store(pulses + first, whole);
        // The left-over is below 2^16, so arithmetic modulo 2^16 gives it exactly.
        Store(residues + first, _mm_sub_epi16(_mm_add_epi16(tStates16, residue), _mm_mullo_epi16(whole, prescaler)));
    }
}

// The leading word and the count of four consecutive records, transposed:
// lanes 0-3 hold slots 0-3. They are the record's first eight bytes.
struct SlotColumns {
    __m128i leading, count;
};

__m128i LoadFirstEightBytes(const CounterState& timer) {
    return _mm_loadl_epi64(static_cast<const __m128i*>(static_cast<const void*>(&timer)));
}

void StoreFirstEightBytes(CounterState& timer, __m128i bytes) {
    _mm_storel_epi64(static_cast<__m128i*>(static_cast<void*>(&timer)), bytes);
}

SlotColumns LoadColumns(const CounterState* timers) {
    const __m128i pairs01 = _mm_unpacklo_epi32(LoadFirstEightBytes(timers[0]), LoadFirstEightBytes(timers[1]));
    const __m128i pairs23 = _mm_unpacklo_epi32(LoadFirstEightBytes(timers[2]), LoadFirstEightBytes(timers[3]));
    return {_mm_unpacklo_epi64(pairs01, pairs23), _mm_unpackhi_epi64(pairs01, pairs23)};
}

// Writes the first eight bytes back whole (the leading word as it was read),
// so the next tick's reads are served straight from these writes.
void StoreColumns(CounterState* timers, const SlotColumns& columns) {
    const __m128i pairs01 = _mm_unpacklo_epi32(columns.leading, columns.count);
    const __m128i pairs23 = _mm_unpackhi_epi32(columns.leading, columns.count);
    StoreFirstEightBytes(timers[0], pairs01);
    StoreFirstEightBytes(timers[1], _mm_unpackhi_epi64(pairs01, pairs01));
    StoreFirstEightBytes(timers[2], pairs23);
    StoreFirstEightBytes(timers[3], _mm_unpackhi_epi64(pairs23, pairs23));
}

// Level requests of the slots stepped as a group, one lane per slot.
struct GroupLevels {
    __m128i rst55 = _mm_setzero_si128();
    __m128i rst65 = _mm_setzero_si128();

    // All lanes but those left for the full step, which adds its own.
    void Add(__m128i leading, __m128i fullStep) {
        const __m128i outAndRoute = _mm_and_si128(leading, Word32(LeadingWordOf(0, kAnyValue, kAnyValue, 0)));
        const __m128i high55 = _mm_cmpeq_epi32(outAndRoute, Word32(LeadingWordOf(0, kOutHigh, IrqRoute::kRst55, 0)));
        const __m128i high65 = _mm_cmpeq_epi32(outAndRoute, Word32(LeadingWordOf(0, kOutHigh, IrqRoute::kRst65, 0)));
        rst55 = _mm_or_si128(rst55, _mm_andnot_si128(fullStep, high55));
        rst65 = _mm_or_si128(rst65, _mm_andnot_si128(fullStep, high65));
    }
    u32 Bits() const {
        return (_mm_movemask_epi8(rst55) != 0 ? 1u << IrqRoute::kRst55 : 0) |
               (_mm_movemask_epi8(rst65) != 0 ? 1u << IrqRoute::kRst65 : 0);
    }
};

// Steps the slots of a group that are not running or stay within a
// square-wave half: OUT moves in neither, only the count of the second. The
// other slots are left as they were; returns them, one bit per lane, for the
// full step.
u32 StepGroupWithinHalves(CounterState* timers, const u16* pulses, GroupLevels& levels) {
    SlotColumns columns = LoadColumns(timers);
    const __m128i zero = _mm_setzero_si128(), one = Word32(1);
    const __m128i p = _mm_unpacklo_epi16(_mm_loadl_epi64(static_cast<const __m128i*>(static_cast<const void*>(pulses))), zero);

    // Within a half the count steps by two per pulse. Only the first step of
    // an odd count's high half takes one less, and it starts from the odd
    // reload value, while every other step of a square wave leaves the count
    // even; so an odd count is left to the full step, which knows the rule.
    const __m128i stepped = _mm_sub_epi32(columns.count, _mm_add_epi32(p, p));
    const __m128i evenCount = _mm_cmpeq_epi32(_mm_and_si128(columns.count, one), zero);

    const __m128i runningMode = _mm_and_si128(columns.leading, Word32(LeadingWordOf(kAnyValue, 0, 0, kAnyValue)));
    const __m128i squareWave = _mm_cmpeq_epi32(runningMode, Word32(LeadingWordOf(kRunning, 0, 0, kSquareWaveMode)));
    const __m128i withinHalf = _mm_and_si128(_mm_and_si128(squareWave, evenCount), _mm_cmpgt_epi32(stepped, zero));
    const __m128i running = _mm_cmpeq_epi32(_mm_and_si128(columns.leading, Word32(LeadingWordOf(kAnyValue, 0, 0, 0))),
                                            Word32(LeadingWordOf(kRunning, 0, 0, 0)));
    const __m128i fullStep = _mm_andnot_si128(withinHalf, running);

    columns.count = _mm_or_si128(_mm_and_si128(withinHalf, stepped), _mm_andnot_si128(withinHalf, columns.count));
    StoreColumns(timers, columns);
    levels.Add(columns.leading, fullStep);
    return static_cast<u32>(_mm_movemask_ps(_mm_castsi128_ps(fullStep)));
}

// Kept out of line so that the at-rest path of Tick8253 saves no registers.
[[gnu::noinline]] void StepSlots(CSimulator& sim) {
    TickRequests requests;
    GroupLevels levels;
    for (int first = 0; first < kTimerSlots; first += kGroupSlots) {
        const u32 fullStep = StepGroupWithinHalves(&sim.m_Timer[first], &sim.m_TimerPulses[first], levels);
        for (u32 lanes = fullStep; lanes != 0; lanes &= lanes - 1) {
            const int slot = first + __builtin_ctz(lanes);
            StepSlot(sim.m_Timer[slot], sim.m_TimerPulses[slot], requests);
        }
    }
    requests.level |= levels.Bits();
    requests.Apply(sim);
}

#else
// ---- one slot at a time -------------------------------------------------------

bool AllClocksUndivided(const u16* prescalers, const u16* residues) {
    u32 differences = 0;
    for (int slot = 0; slot < kTimerSlots; ++slot) differences |= (prescalers[slot] ^ 1u) | residues[slot];
    return differences == 0;
}

void DivideAllClocks(u16* prescalers, u16* residues, u16* pulses, u32 tStates) {
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

// Kept out of line so that the at-rest path of Tick8253 saves no registers.
[[gnu::noinline]] void StepSlots(CSimulator& sim) {
    TickRequests requests;
    for (int slot = 0; slot < kTimerSlots; ++slot) StepSlot(sim.m_Timer[slot], sim.m_TimerPulses[slot], requests);
    requests.Apply(sim);
}
#endif
}  // namespace

// T-states of this tick plus the left-over from earlier ones, divided into
// counter clock pulses; nothing is lost across instructions.
void CSimulator::Divide8253Clocks() {
    DivideAllClocks(m_TimerPrescaler, m_TimerResidue, m_TimerPulses, m_lastTStates);
}

// All slots are divided before any is stepped, as no slot's division
// depends on another slot's step.
void CSimulator::Tick8253() {
    if (AllClocksUndivided(m_TimerPrescaler, m_TimerResidue)) {
        for (u16& pulses : m_TimerPulses) pulses = m_lastTStates;
    } else {
        Divide8253Clocks();
    }
    if (AllSlotsAtRest(m_Timer)) return;
    StepSlots(*this);
}
