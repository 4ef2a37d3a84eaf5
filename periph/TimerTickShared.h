// What the timer tick's kernels share: the gathering of interrupt requests,
// the record's leading fields read together, the full step of one slot, and
// the kernels themselves. Each kernel divides every slot's clock or steps
// every slot exactly as the full rules do; they differ only in how many
// slots they handle at once. periph/TimerTick.cpp chooses among them.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>

#include "periph/InterruptRoutes.h"

namespace timer_tick {

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

// The running byte, OUT, the route and the mode lead the record, followed by
// the count: one word read checks the four bytes, one 8-byte read fetches
// them with the count.
static_assert(offsetof(CounterState, m_bRunning) == 0 && offsetof(CounterState, m_bOut) == 1 &&
                  offsetof(CounterState, m_nIrqRoute) == 2 && offsetof(CounterState, m_nMode) == 3 &&
                  offsetof(CounterState, m_nCount) == 4,
              "the fields the tick reads together lead the timer record");

inline u32 LeadingWord(const CounterState& timer) {
    u32 word;
    std::memcpy(&word, &timer, sizeof word);
    return word;
}

// The word those four fields make, in the host's byte order.
inline u32 LeadingWordOf(u8 running, u8 out, u8 route, u8 mode) {
    const u8 bytes[sizeof(u32)] = {running, out, route, mode};
    u32 word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The full step of one slot on pulses already divided: any running byte,
// mode, route and count (periph/TimerTick.cpp).
void StepSlot(CounterState& timer, u16& pulses, TickRequests& requests);

// Kernels. Divide: every slot's T-states plus left-over, divided by its
// prescaler (0 counts as 1 and is written back as 1). Step: every slot, on
// the pulses just divided, latches included.
using DivideKernel = void (*)(u16* prescalers, u16* residues, u16* pulses, u32 tStates);
using StepKernel = void (*)(CSimulator& sim);

void DivideClocksOneByOne(u16* prescalers, u16* residues, u16* pulses, u32 tStates);
void StepSlotsOneByOne(CSimulator& sim);
#if defined(__SSE2__)
void DivideClocksFourAtATime(u16* prescalers, u16* residues, u16* pulses, u32 tStates);
void StepSlotsFourAtATime(CSimulator& sim);
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#define TORVAN_TIMER_TICK_AVX512 1
bool HasSixteenLaneVectors();
void DivideClocksSixteenAtATime(u16* prescalers, u16* residues, u16* pulses, u32 tStates);
void StepSlotsSixteenAtATime(CSimulator& sim);
#endif

}  // namespace timer_tick
