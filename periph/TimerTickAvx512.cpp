// Timer tick kernels on AVX-512: all sixteen slots in one vector. Compiled
// for AVX-512 function by function, and run only when the processor has it
// (HasSixteenLaneVectors), so the program still runs on any x86-64.
#include "periph/TimerTickShared.h"

#if defined(TORVAN_TIMER_TICK_AVX512)
#include <immintrin.h>

// GCC 12's AVX-512 header functions start some results from an undefined
// value, which its uninitialised-use warning reports once they are inlined.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#define TORVAN_AVX512 __attribute__((target("avx512f,avx2")))

namespace timer_tick {
namespace {

TORVAN_AVX512 __m256i Load256(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
TORVAN_AVX512 void Store256(void* p, __m256i v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }
TORVAN_AVX512 __m512i Word32(u32 value) { return _mm512_set1_epi32(static_cast<int>(value)); }

// Byte offsets of the sixteen records from the first.
TORVAN_AVX512 __m512i RecordOffsets() {
    return _mm512_mullo_epi32(_mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15),
                              Word32(sizeof(CounterState)));
}

// The pulses as two 16-byte reads: the tick may have just written them as
// two 16-byte halves, and a read spanning both would wait for those writes
// to reach the cache.
TORVAN_AVX512 __m512i LoadPulses(const u16* pulses) {
    const __m128i low = _mm_loadu_si128(static_cast<const __m128i*>(static_cast<const void*>(pulses)));
    const __m128i high = _mm_loadu_si128(static_cast<const __m128i*>(static_cast<const void*>(pulses + 8)));
    return _mm512_cvtepu16_epi32(_mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1));
}

// Steps the slots that are not running or stay within a square-wave half,
// as the four-lane kernel does, and adds their level requests; returns the
// slots left for the full step, one bit per slot.
TORVAN_AVX512 u32 StepWithinHalves(CSimulator& sim, TickRequests& requests) {
    const __m512i offsets = RecordOffsets();
    void* countBase = &sim.m_Timer[0].m_nCount;
    const __m512i leading = _mm512_i32gather_epi32(offsets, static_cast<const void*>(&sim.m_Timer[0]), 1);
    const __m512i count = _mm512_i32gather_epi32(offsets, countBase, 1);
    const __m512i p = LoadPulses(sim.m_TimerPulses);

    // An odd count may be the first step of an odd count's high half, which
    // takes one less: it is left to the full step.
    const __m512i stepped = _mm512_sub_epi32(count, _mm512_add_epi32(p, p));
    const __mmask16 evenCount = _mm512_testn_epi32_mask(count, Word32(1));
    const __mmask16 squareWave =
        _mm512_cmpeq_epi32_mask(_mm512_and_si512(leading, Word32(LeadingWordOf(kAnyValue, 0, 0, kAnyValue))),
                                Word32(LeadingWordOf(kRunning, 0, 0, kSquareWaveMode)));
    const __mmask16 withinHalf = squareWave & evenCount & _mm512_cmpgt_epi32_mask(stepped, _mm512_setzero_si512());
    const __mmask16 running = _mm512_cmpeq_epi32_mask(
        _mm512_and_si512(leading, Word32(LeadingWordOf(kAnyValue, 0, 0, 0))), Word32(LeadingWordOf(kRunning, 0, 0, 0)));
    const __mmask16 fullStep = running & static_cast<__mmask16>(~withinHalf);
    _mm512_mask_i32scatter_epi32(countBase, withinHalf, offsets, stepped, 1);

    const __mmask16 others = static_cast<__mmask16>(~fullStep);
    const __m512i outAndRoute = _mm512_and_si512(leading, Word32(LeadingWordOf(0, kAnyValue, kAnyValue, 0)));
    if (_mm512_mask_cmpeq_epi32_mask(others, outAndRoute, Word32(LeadingWordOf(0, kOutHigh, IrqRoute::kRst55, 0))))
        requests.level |= 1u << IrqRoute::kRst55;
    if (_mm512_mask_cmpeq_epi32_mask(others, outAndRoute, Word32(LeadingWordOf(0, kOutHigh, IrqRoute::kRst65, 0))))
        requests.level |= 1u << IrqRoute::kRst65;
    return fullStep;
}

}  // namespace

bool HasSixteenLaneVectors() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx2");
}

// As the four-lane kernel, on one vector; the cap at 0xFFFF comes from the
// unsigned saturating narrowing.
TORVAN_AVX512 void DivideClocksSixteenAtATime(u16* prescalers, u16* residues, u16* pulses, u32 tStates) {
    __m256i prescaler = Load256(prescalers);
    prescaler = _mm256_sub_epi16(prescaler, _mm256_cmpeq_epi16(prescaler, _mm256_setzero_si256()));
    Store256(prescalers, prescaler);
    const __m256i residue = Load256(residues);
    const __m512i total = _mm512_add_epi32(Word32(tStates), _mm512_cvtepu16_epi32(residue));
    const __m512 quotient =
        _mm512_div_ps(_mm512_cvtepi32_ps(total), _mm512_cvtepi32_ps(_mm512_cvtepu16_epi32(prescaler)));
    const __m256i whole = _mm512_cvtusepi32_epi16(_mm512_cvttps_epi32(quotient));
    Store256(pulses, whole);
    const __m256i tStates16 = _mm256_set1_epi16(static_cast<short>(tStates));
    Store256(residues, _mm256_sub_epi16(_mm256_add_epi16(tStates16, residue), _mm256_mullo_epi16(whole, prescaler)));
}

TORVAN_AVX512 void StepSlotsSixteenAtATime(CSimulator& sim) {
    TickRequests requests;
    const u32 fullStep = StepWithinHalves(sim, requests);
    for (u32 slots = fullStep; slots != 0; slots &= slots - 1) {
        const int slot = __builtin_ctz(slots);
        StepSlot(sim.m_Timer[slot], sim.m_TimerPulses[slot], requests);
    }
    requests.Apply(sim);
}

}  // namespace timer_tick

#pragma GCC diagnostic pop
#endif
