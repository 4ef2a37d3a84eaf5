// The optimised tick against a plain, literal model of the timer rules, on
// random slot states and instruction lengths: both must agree on every field
// and every request latch after every tick.
#include "PowerOn.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {
struct Machine {
    CounterState timer[kTimerSlots];
    u16 prescaler[kTimerSlots], residue[kTimerSlots], pulses[kTimerSlots];
    u8 trap, rst55, rst65, rst75;
};

i32 Sub(i32 a, u32 b) { return static_cast<i32>(static_cast<u32>(a) - b); }

void ReferenceTick(Machine& m, u32 tStates) {
    for (int s = 0; s < kTimerSlots; ++s) {
        if (m.prescaler[s] == 0) m.prescaler[s] = 1;
        const u32 total = tStates + m.residue[s];
        u32 p = total / m.prescaler[s];
        if (p > 0xFFFF) p = 0xFFFF;
        m.pulses[s] = static_cast<u16>(p);
        m.residue[s] = static_cast<u16>(total - p * m.prescaler[s]);
    }
    for (int s = 0; s < kTimerSlots; ++s) {
        CounterState& t = m.timer[s];
        const u8 out0 = t.m_bOut;
        const u32 p = m.pulses[s];
        auto countEnd = [&] {
            if (t.m_nIrqRoute == 4) m.trap = 1;
            else if (t.m_nIrqRoute == 7) m.rst75 = 1;
        };
        if (t.m_bRunning == 1 && t.m_nMode <= 5) {
            switch (t.m_nMode) {
            case 0: case 1:
                t.m_nCount = Sub(t.m_nCount, p);
                if (t.m_nCount <= 0) { t.m_bOut = 1; t.m_bRunning = 0; t.m_nCount = 0; }
                break;
            case 2:
                t.m_nCount = Sub(t.m_nCount, p);
                if (t.m_nCount < 0) { countEnd(); t.m_nCount = static_cast<i32>(t.m_nReload); }
                break;
            case 3: {
                const bool odd = t.m_nReload & 1;
                if (odd && static_cast<u32>(t.m_nCount) == t.m_nReload) t.m_nCount = Sub(t.m_nCount, 2 * p - 1);
                else t.m_nCount = Sub(t.m_nCount, 2 * p);
                if (t.m_nCount <= 0) {
                    const u16 q = static_cast<u16>(0u - static_cast<u32>(t.m_nCount));
                    const u32 p2 = (q + 1u) / 2;
                    m.pulses[s] = static_cast<u16>(p2);
                    t.m_bOut = t.m_bOut ? 0 : 1;
                    if (t.m_bOut == 1) {
                        t.m_nCount = static_cast<i32>(t.m_nReload);
                        t.m_nReloadEven = t.m_nReload & ~1u;
                        if (p2) t.m_nCount = Sub(t.m_nCount, odd ? 2 * p2 - 1 : 2 * p2);
                    } else {
                        t.m_nCount = static_cast<i32>(t.m_nReloadEven - 2 * p2);
                    }
                }
                break;
            }
            default:
                t.m_nCount = Sub(t.m_nCount, p);
                if (t.m_nCount <= 0) {
                    countEnd();
                    t.m_bRunning = 0;
                    t.m_nCount = 0;
                    if (t.m_nMode == 4) t.m_nReload = 0;
                }
                break;
            }
        }
        const bool rose = out0 == 0 && t.m_bOut == 1;
        if (t.m_nIrqRoute == 4 && rose) m.trap = 1;
        if (t.m_nIrqRoute == 7 && rose) m.rst75 = 1;
        if (t.m_nIrqRoute == 5 && t.m_bOut == 1) m.rst55 = 1;
        if (t.m_nIrqRoute == 6 && t.m_bOut == 1) m.rst65 = 1;
    }
}

Machine Capture() {
    Machine m;
    std::memcpy(m.timer, g_Sim.m_Timer, sizeof m.timer);
    std::memcpy(m.prescaler, g_Sim.m_TimerPrescaler, sizeof m.prescaler);
    std::memcpy(m.residue, g_Sim.m_TimerResidue, sizeof m.residue);
    std::memcpy(m.pulses, g_Sim.m_TimerPulses, sizeof m.pulses);
    m.trap = g_Sim.m_pendTrap;
    m.rst55 = g_Sim.m_pendRst55;
    m.rst65 = g_Sim.m_pendRst65;
    m.rst75 = g_Sim.m_pendRst75;
    return m;
}

void ExpectSame(const Machine& ref, int step) {
    for (int s = 0; s < kTimerSlots; ++s) {
        const CounterState& a = ref.timer[s];
        const CounterState& b = g_Sim.m_Timer[s];
        ASSERT_EQ(a.m_bRunning, b.m_bRunning) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_nCount, b.m_nCount) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_nReload, b.m_nReload) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_nReloadEven, b.m_nReloadEven) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_bOut, b.m_bOut) << "slot " << s << " step " << step;
        ASSERT_EQ(ref.prescaler[s], g_Sim.m_TimerPrescaler[s]) << "slot " << s << " step " << step;
        ASSERT_EQ(ref.residue[s], g_Sim.m_TimerResidue[s]) << "slot " << s << " step " << step;
        ASSERT_EQ(ref.pulses[s], g_Sim.m_TimerPulses[s]) << "slot " << s << " step " << step;
    }
    ASSERT_EQ(ref.trap, g_Sim.m_pendTrap) << step;
    ASSERT_EQ(ref.rst55, g_Sim.m_pendRst55) << step;
    ASSERT_EQ(ref.rst65, g_Sim.m_pendRst65) << step;
    ASSERT_EQ(ref.rst75, g_Sim.m_pendRst75) << step;
}

void Randomise(std::mt19937& rng, bool allUndivided) {
    auto pick = [&](u32 n) { return static_cast<u32>(rng() % n); };
    const u8 routes[] = {0, 4, 5, 6, 7, 3, 200};
    for (int s = 0; s < kTimerSlots; ++s) {
        CounterState& t = g_Sim.m_Timer[s];
        t.m_bRunning = static_cast<u8>(pick(4) == 0 ? 0 : (pick(8) == 0 ? 2 : 1));
        t.m_nMode = static_cast<u8>(pick(9));
        t.m_nReload = pick(6) == 0 ? pick(4) : pick(0x10000);
        t.m_nCount = static_cast<i32>(pick(3) == 0 ? t.m_nReload : pick(0x10000));
        if (pick(20) == 0) t.m_nCount = -static_cast<i32>(pick(100));
        t.m_nReloadEven = t.m_nReload & ~1u;
        t.m_bOut = static_cast<u8>(pick(10) == 0 ? 2 : pick(2));
        t.m_nIrqRoute = routes[pick(sizeof routes)];
        const u16 prescalers[] = {0, 1, 1, 2, 3, 7, 100, 65535};
        g_Sim.m_TimerPrescaler[s] = allUndivided ? 1 : prescalers[pick(8)];
        g_Sim.m_TimerResidue[s] = allUndivided ? 0 : static_cast<u16>(pick(70000) % 65536);
    }
    g_Sim.m_pendTrap = g_Sim.m_pendRst55 = g_Sim.m_pendRst65 = g_Sim.m_pendRst75 = 0;
}
}  // namespace

TEST(TimerReference, TickAgreesWithTheLiteralRulesOnRandomStates) {
    std::mt19937 rng(8253);
    const u16 lengths[] = {4, 5, 6, 7, 10, 12, 13, 16, 18, 0, 1000};
    for (int round = 0; round < 300; ++round) {
        StartFromPowerOn();
        Randomise(rng, round % 3 == 0);
        for (int step = 0; step < 200; ++step) {
            Machine ref = Capture();
            const u16 t = lengths[rng() % (sizeof lengths / sizeof lengths[0])];
            ReferenceTick(ref, t);
            g_Sim.m_lastTStates = t;
            g_Sim.Tick8253();
            ExpectSame(ref, step);
            if (step % 50 == 49) g_Sim.m_pendTrap = g_Sim.m_pendRst55 = g_Sim.m_pendRst65 = g_Sim.m_pendRst75 = 0;
        }
    }
}

TEST(TimerReference, DivideAloneCoversEverySlot) {
    StartFromPowerOn();
    std::mt19937 rng(85);
    for (int s = 0; s < kTimerSlots; ++s) {
        g_Sim.m_TimerPrescaler[s] = static_cast<u16>(rng() % 5);
        g_Sim.m_TimerResidue[s] = static_cast<u16>(rng() % 7);
    }
    Machine ref = Capture();
    g_Sim.m_lastTStates = 10;
    g_Sim.Divide8253Clocks();
    for (int s = 0; s < kTimerSlots; ++s) {
        const u32 prescaler = ref.prescaler[s] == 0 ? 1 : ref.prescaler[s];
        const u32 total = 10u + ref.residue[s];
        EXPECT_EQ(g_Sim.m_TimerPrescaler[s], prescaler);
        EXPECT_EQ(g_Sim.m_TimerPulses[s], total / prescaler);
        EXPECT_EQ(g_Sim.m_TimerResidue[s], total % prescaler);
    }
}
