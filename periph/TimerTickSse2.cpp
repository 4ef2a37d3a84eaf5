// Timer tick kernels on SSE2's 128-bit vectors: clocks divided eight slots
// at a time, slots stepped four at a time.
#include "periph/TimerTickShared.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace timer_tick {
namespace {

constexpr int kGroupSlots = 4;  // 32-bit lanes: slot fields
constexpr int kClockLanes = 8;  // 16-bit lanes: prescalers, residues, pulses

__m128i Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
void Store(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }
__m128i Word32(u32 value) { return _mm_set1_epi32(static_cast<int>(value)); }

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
    const __m128i p =
        _mm_unpacklo_epi16(_mm_loadl_epi64(static_cast<const __m128i*>(static_cast<const void*>(pulses))), zero);

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

}  // namespace

void DivideClocksFourAtATime(u16* prescalers, u16* residues, u16* pulses, u32 tStates) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i tStates32 = Word32(tStates);
    const __m128i tStates16 = _mm_set1_epi16(static_cast<short>(tStates));
    for (int first = 0; first < kTimerSlots; first += kClockLanes) {
        __m128i prescaler = Load(prescalers + first);
        prescaler = _mm_sub_epi16(prescaler, _mm_cmpeq_epi16(prescaler, zero));
        Store(prescalers + first, prescaler);
        const __m128i residue = Load(residues + first);
        const __m128i low =
            Quotients(_mm_add_epi32(tStates32, _mm_unpacklo_epi16(residue, zero)), _mm_unpacklo_epi16(prescaler, zero));
        const __m128i high =
            Quotients(_mm_add_epi32(tStates32, _mm_unpackhi_epi16(residue, zero)), _mm_unpackhi_epi16(prescaler, zero));
        const __m128i whole = PackUnsigned16(low, high);
        Store(pulses + first, whole);
        // The left-over is below 2^16, so arithmetic modulo 2^16 gives it exactly.
        Store(residues + first, _mm_sub_epi16(_mm_add_epi16(tStates16, residue), _mm_mullo_epi16(whole, prescaler)));
    }
}

void StepSlotsFourAtATime(CSimulator& sim) {
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

}  // namespace timer_tick
#endif
