// The lazy tick against a plain, literal model of the timer rules that
// steps every slot at every tick, on random slot states and instruction
// lengths: both must agree on every field and every request latch whenever
// the members are read through SyncTimers().
#include <cstring>
#include <gtest/gtest.h>
#include <random>

#include "tests/support/PowerOn.h"

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
            case 0:
            case 1:
                t.m_nCount = Sub(t.m_nCount, p);
                if (t.m_nCount <= 0) {
                    t.m_bOut = 1;
                    t.m_bRunning = 0;
                    t.m_nCount = 0;
                }
                break;
            case 2:
                t.m_nCount = Sub(t.m_nCount, p);
                if (t.m_nCount < 0) {
                    countEnd();
                    t.m_nCount = static_cast<i32>(t.m_nReload);
                }
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
    g_Sim.SyncTimers();
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
    g_Sim.SyncTimers();
    for (int s = 0; s < kTimerSlots; ++s) {
        const CounterState& a = ref.timer[s];
        const CounterState& b = g_Sim.m_Timer[s];
        ASSERT_EQ(a.m_bRunning, b.m_bRunning) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_nCount, b.m_nCount) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_nLatch, b.m_nLatch) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_nReload, b.m_nReload) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_nReloadEven, b.m_nReloadEven) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_bLatched, b.m_bLatched) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_bOut, b.m_bOut) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_nMode, b.m_nMode) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_bReadLsb, b.m_bReadLsb) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_bGate, b.m_bGate) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_nIrqRoute, b.m_nIrqRoute) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_bBcd, b.m_bBcd) << "slot " << s << " step " << step;
        ASSERT_EQ(a.m_nRwMode, b.m_nRwMode) << "slot " << s << " step " << step;
        ASSERT_EQ(ref.prescaler[s], g_Sim.m_TimerPrescaler[s]) << "slot " << s << " step " << step;
        ASSERT_EQ(ref.residue[s], g_Sim.m_TimerResidue[s]) << "slot " << s << " step " << step;
        ASSERT_EQ(ref.pulses[s], g_Sim.m_TimerPulses[s]) << "slot " << s << " step " << step;
    }
    ASSERT_EQ(ref.trap, g_Sim.m_pendTrap) << step;
    ASSERT_EQ(ref.rst55, g_Sim.m_pendRst55) << step;
    ASSERT_EQ(ref.rst65, g_Sim.m_pendRst65) << step;
    ASSERT_EQ(ref.rst75, g_Sim.m_pendRst75) << step;
}

void ClearLatches() { g_Sim.m_pendTrap = g_Sim.m_pendRst55 = g_Sim.m_pendRst65 = g_Sim.m_pendRst75 = 0; }

// The tick steps a slot only at the tick where its count or square-wave
// half ends, or at every tick in the states its closed form leaves out, and
// takes an undivided clock without a division; so the random states come in
// kinds that reach each of these, their edges and the general path.
enum class SlotSetup {
    Anything,     // any byte values, wild counts, prescalers and left-overs
    AtRest,       // stopped, routed to nothing or TRAP; now and then one slot not
    SquareWaves,  // running square waves with long halves, ordinary clocks
};

struct Randomiser {
    std::mt19937& rng;
    u32 Pick(u32 n) { return static_cast<u32>(rng() % n); }
    bool OneIn(u32 n) { return Pick(n) == 0; }
    u8 Byte() { return static_cast<u8>(Pick(256)); }

    u8 Route() {
        const u8 routes[] = {0, 4, 5, 6, 7, 3, 200};
        return OneIn(4) ? Byte() : routes[Pick(sizeof routes)];
    }
    u8 Running() { return OneIn(4) ? 0 : OneIn(8) ? (OneIn(2) ? 2 : Byte()) : 1; }
    u16 Prescaler() {
        const u16 prescalers[] = {0, 1, 1, 2, 3, 7, 100, 65535};
        return OneIn(5) ? static_cast<u16>(Pick(0x10000)) : prescalers[Pick(sizeof prescalers / sizeof prescalers[0])];
    }
    // Usually below the prescaler, as ticks leave it; sometimes anything.
    u16 Residue(u16 prescaler) {
        if (OneIn(3) || prescaler <= 1) return static_cast<u16>(Pick(70000) % 65536);
        return static_cast<u16>(Pick(prescaler));
    }

    void Anything(CounterState& t) {
        t.m_bRunning = Running();
        t.m_nMode = static_cast<u8>(OneIn(16) ? Byte() : Pick(9));
        t.m_nReload = OneIn(6) ? Pick(4) : Pick(0x10000);
        t.m_nCount = static_cast<i32>(OneIn(3) ? t.m_nReload : Pick(0x10000));
        if (OneIn(20)) t.m_nCount = -static_cast<i32>(Pick(100));
        if (OneIn(40)) t.m_nCount = static_cast<i32>(rng());
        t.m_nReloadEven = OneIn(10) ? Pick(0x10000) : t.m_nReload & ~1u;
        t.m_bOut = static_cast<u8>(OneIn(10) ? Byte() : Pick(2));
        t.m_nIrqRoute = Route();
    }

    void AtRest(CounterState& t) {
        Anything(t);
        t.m_bRunning = 0;
        t.m_nIrqRoute = OneIn(2) ? 0 : 4;
        if (OneIn(24)) t.m_bRunning = OneIn(2) ? 1 : Byte();
        if (OneIn(24)) t.m_nIrqRoute = Route();
    }

    void SquareWave(CounterState& t) {
        Anything(t);
        if (OneIn(10)) return;
        t.m_bRunning = 1;
        t.m_nMode = 3;
        t.m_nReload = 40 + Pick(0x10000 - 40);
        t.m_nReloadEven = t.m_nReload & ~1u;
        t.m_nCount = static_cast<i32>(OneIn(4) ? t.m_nReload : 1 + Pick(t.m_nReload));
        t.m_bOut = static_cast<u8>(Pick(2));
        t.m_nIrqRoute = static_cast<u8>(5 + Pick(3));
    }

    void Slots(SlotSetup setup, bool allUndivided) {
        for (int s = 0; s < kTimerSlots; ++s) {
            CounterState& t = g_Sim.m_Timer[s];
            switch (setup) {
            case SlotSetup::Anything: Anything(t); break;
            case SlotSetup::AtRest: AtRest(t); break;
            case SlotSetup::SquareWaves: SquareWave(t); break;
            }
            t.m_nLatch = rng();
            t.m_bLatched = Byte();
            t.m_bReadLsb = Byte();
            t.m_bGate = Byte();
            t.m_bBcd = Byte();
            t.m_nRwMode = Byte();
            const u16 prescaler = setup == SlotSetup::SquareWaves ? static_cast<u16>(OneIn(2) ? 1 : 3) : Prescaler();
            g_Sim.m_TimerPrescaler[s] = allUndivided ? 1 : prescaler;
            g_Sim.m_TimerResidue[s] = allUndivided ? 0 : Residue(prescaler);
        }
        g_Sim.TimersWritten();
        ClearLatches();
    }
};

// Instructions of 4, 7, 10, 6, 16, 13 and 10 T-states; no stack is ever
// loaded, so no request is accepted and the latches stay as the tick left them.
const u8 kProgram[] = {
    0x00,              // NOP
    0x3E, 0x12,        // MVI A,12
    0x21, 0x34, 0x12,  // LXI H,1234
    0x23,              // INX H
    0x2A, 0x00, 0x20,  // LHLD 2000
    0x32, 0x00, 0x21,  // STA 2100
    0xC3, 0x00, 0x00,  // JMP 0000
};

void StartProgram() {
    StartFromPowerOn();
    std::memcpy(g_Sim.m_pMemory, kProgram, sizeof kProgram);
}

void CheckTickAgainstLiteralRules() {
    std::mt19937 rng(8253);
    Randomiser random{rng};
    const u16 lengths[] = {4, 5, 6, 7, 10, 12, 13, 16, 18, 0, 1000, 65535};
    const SlotSetup setups[] = {SlotSetup::Anything, SlotSetup::AtRest, SlotSetup::SquareWaves};
    for (int round = 0; round < 600; ++round) {
        StartFromPowerOn();
        random.Slots(setups[round % 3], round % 4 == 0);
        for (int step = 0; step < 200; ++step) {
            Machine ref = Capture();
            const u16 t = lengths[rng() % (sizeof lengths / sizeof lengths[0])];
            ReferenceTick(ref, t);
            g_Sim.m_lastTStates = t;
            g_Sim.Tick8253();
            ExpectSame(ref, step);
            if (step % 50 == 49) ClearLatches();
        }
    }
}

// Windows, dialogs and files write the slot members directly between
// instructions; the very next instruction's tick must act on what they wrote.
void CheckDirectWritesBetweenInstructions() {
    std::mt19937 rng(8155);
    Randomiser random{rng};
    for (int round = 0; round < 60; ++round) {
        StartProgram();
        random.Slots(SlotSetup::AtRest, true);
        for (int step = 0; step < 400; ++step) {
            // One field at a time, so that a single write is what moves the
            // machine off (or onto) a shortcut.
            const int slot = static_cast<int>(random.Pick(kTimerSlots));
            CounterState& t = g_Sim.m_Timer[slot];
            switch (random.Pick(12)) {
            case 0: t.m_bRunning = random.Running(); break;
            case 1: t.m_bOut = static_cast<u8>(random.OneIn(8) ? random.Byte() : random.Pick(2)); break;
            case 2: t.m_nIrqRoute = random.Route(); break;
            case 3: t.m_nMode = static_cast<u8>(random.Pick(8)); break;
            case 4: t.m_nCount = static_cast<i32>(random.Pick(0x400)); break;
            case 5: t.m_nReload = random.Pick(0x400); break;
            case 6: g_Sim.m_TimerPrescaler[slot] = random.Prescaler(); break;
            case 7: g_Sim.m_TimerResidue[slot] = random.Residue(g_Sim.m_TimerPrescaler[slot]); break;
            case 8: random.AtRest(t); break;
            case 9: random.SquareWave(t); break;
            case 10: ClearLatches(); break;
            default: break;  // nothing written: the state the tick itself left
            }
            g_Sim.TimersWritten();
            Machine ref = Capture();
            g_Sim.ExecuteInstruction();
            ReferenceTick(ref, g_Sim.m_lastTStates);
            ExpectSame(ref, step);
        }
    }
}

// A field as a dialog writes it, into the machine and into the model alike.
struct FieldWrite {
    enum Field { kCount, kResidue, kReload, kRunning, kMode, kOut, kRoute, kGate, kPrescaler, kFields };
    Field field;
    u32 value;

    void To(CounterState& t, u16& prescaler, u16& residue) const {
        switch (field) {
        case kCount: t.m_nCount = static_cast<i32>(value); break;
        case kResidue: residue = static_cast<u16>(value); break;
        case kReload: t.m_nReload = value; break;
        case kRunning: t.m_bRunning = static_cast<u8>(value); break;
        case kMode: t.m_nMode = static_cast<u8>(value); break;
        case kOut: t.m_bOut = static_cast<u8>(value); break;
        case kRoute: t.m_nIrqRoute = static_cast<u8>(value); break;
        case kGate: t.m_bGate = static_cast<u8>(value); break;
        default: prescaler = static_cast<u16>(value); break;
        }
    }
};

// The count and the left-over are the fields the tick keeps up to date
// lazily. Written without a read first, they take values the slot never
// held, so that the core can tell the write from its own stale value.
FieldWrite RandomFieldWrite(Randomiser& random, bool afterRead, u16 prescaler) {
    const auto field = static_cast<FieldWrite::Field>(random.Pick(FieldWrite::kFields));
    switch (field) {
    case FieldWrite::kCount: return {field, afterRead ? random.Pick(0x800) : 0x40000000 | random.Pick(0x10000)};
    case FieldWrite::kResidue: return {field, afterRead ? random.Residue(prescaler) : 0xF000 | random.Pick(0x1000)};
    case FieldWrite::kReload: return {field, random.Pick(0x800)};
    case FieldWrite::kRunning: return {field, random.Running()};
    case FieldWrite::kMode: return {field, random.Pick(8)};
    case FieldWrite::kOut:
    case FieldWrite::kGate: return {field, random.Pick(2)};
    case FieldWrite::kRoute: return {field, random.Route()};
    default: return {field, random.Prescaler()};
    }
}

// Many instructions pass between reads, so the members lag behind and are
// brought up to date in one go; now and then a dialog writes a field of a
// slot, running or not, between two instructions, mostly after reading the
// slots and sometimes without. What follows must be what stepping every slot
// at every instruction gives.
void CheckDialogWritesBetweenLongRuns() {
    std::mt19937 rng(6105);
    Randomiser random{rng};
    const SlotSetup setups[] = {SlotSetup::Anything, SlotSetup::SquareWaves};
    for (int round = 0; round < 40; ++round) {
        StartProgram();
        random.Slots(setups[round % 2], false);
        Machine ref = Capture();
        for (int step = 0; step < 4000; ++step) {
            if (random.OneIn(150)) {
                const bool read = !random.OneIn(4);
                if (read) ExpectSame(ref, step);
                const int slot = static_cast<int>(random.Pick(kTimerSlots));
                const FieldWrite write = RandomFieldWrite(random, read, ref.prescaler[slot]);
                write.To(g_Sim.m_Timer[slot], g_Sim.m_TimerPrescaler[slot], g_Sim.m_TimerResidue[slot]);
                write.To(ref.timer[slot], ref.prescaler[slot], ref.residue[slot]);
                g_Sim.TimersWritten();
            }
            g_Sim.ExecuteInstruction();
            ReferenceTick(ref, g_Sim.m_lastTStates);
            if (random.OneIn(300)) ExpectSame(ref, step);
            if (step % 1000 == 999) {
                ClearLatches();
                ref.trap = ref.rst55 = ref.rst65 = ref.rst75 = 0;
            }
        }
        ExpectSame(ref, -1);
    }
}

}  // namespace

TEST(TimerReference, TickAgreesWithTheLiteralRulesOnRandomStates) { CheckTickAgainstLiteralRules(); }

TEST(TimerReference, DirectWritesBetweenInstructionsTakeEffectAtTheNextTick) { CheckDirectWritesBetweenInstructions(); }

TEST(TimerReference, DialogWritesBetweenLongRunsActAsWithEveryInstructionStepped) {
    CheckDialogWritesBetweenLongRuns();
}

// A write the core was not told of would be half taken; debug builds stop
// at the next use of the slots.
TEST(TimerReferenceDeathTest, AnUnannouncedWriteStopsADebugBuild) {
#ifdef NDEBUG
    GTEST_SKIP() << "the check is built into debug builds only";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    StartFromPowerOn();
    g_Sim.m_Timer[3].m_nCount = 5;
    g_Sim.m_lastTStates = 4;
    EXPECT_DEATH(g_Sim.Tick8253(), "timer slot 3 was changed without TimersWritten");
    EXPECT_DEATH(g_Sim.SyncTimers(), "timer slot 3 was changed without TimersWritten");
    g_Sim.TimersWritten();
    g_Sim.Tick8253();
    g_Sim.SyncTimers();
    EXPECT_EQ(g_Sim.m_Timer[3].m_nCount, 5);
#endif
}
