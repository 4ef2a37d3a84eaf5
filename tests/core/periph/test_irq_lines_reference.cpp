// The keyboard and serial interrupt lines against a plain, literal model of
// their route rules, on random statuses, previous statuses, routes, chip
// counts and latches. Routes are drawn mostly from the four CPU inputs so
// that the keyboard and several serial chips often share one input, where
// the order of the sources decides.
#include <gtest/gtest.h>
#include <random>

#include "periph/InterruptRoutes.h"
#include "tests/support/PowerOn.h"

namespace {

constexpr u8 kRxReady = 0x02;
constexpr u8 kKeyCount = 0x0F;

struct Lines {
    u8 connected8279, status8279, prev8279, route8279;
    u8 count8251, status8251[kMaxChips], prev8251[kMaxChips], route8251[kMaxChips];
    u8 trap, rst55, rst65, rst75;
};

// One source's effect, straight from the route table: edge inputs are only
// ever raised, level inputs are written with the source's level.
void ApplyRoute(Lines& m, u8 route, bool level, bool rose) {
    switch (route) {
    case 4:
        if (rose) m.trap = 1;
        break;
    case 7:
        if (rose) m.rst75 = 1;
        break;
    case 5: m.rst55 = level ? 1 : 0; break;
    case 6: m.rst65 = level ? 1 : 0; break;
    default: break;
    }
}

void ReferenceLines(Lines& m) {
    if (m.connected8279 != 0) {
        const int keys = m.status8279 & kKeyCount, keysBefore = m.prev8279 & kKeyCount;
        ApplyRoute(m, m.route8279, keys != 0, keys > keysBefore);
        m.prev8279 = m.status8279;
    }
    const int chips = m.count8251 < kMaxChips ? m.count8251 : kMaxChips;
    for (int i = 0; i < chips; ++i) {
        const bool ready = (m.status8251[i] & kRxReady) != 0;
        const bool readyBefore = (m.prev8251[i] & kRxReady) != 0;
        ApplyRoute(m, m.route8251[i], ready, ready && !readyBefore);
        m.prev8251[i] = m.status8251[i];
    }
}

void Store(const Lines& m) {
    g_Sim.m_b8279Connected = m.connected8279;
    g_Sim.m_n8279Status = m.status8279;
    g_Sim.m_n8279PrevStatus = m.prev8279;
    g_Irq8279Route = m.route8279;
    g_Sim.m_n8251Count = m.count8251;
    for (int i = 0; i < kMaxChips; ++i) {
        g_Sim.m_n8251Status[i] = m.status8251[i];
        g_Sim.m_n8251PrevStatus[i] = m.prev8251[i];
        g_Irq8251Route[i] = m.route8251[i];
    }
    g_Sim.m_pendTrap = m.trap;
    g_Sim.m_pendRst55 = m.rst55;
    g_Sim.m_pendRst65 = m.rst65;
    g_Sim.m_pendRst75 = m.rst75;
}

void ExpectMachineMatches(const Lines& m, int round) {
    SCOPED_TRACE(round);
    EXPECT_EQ(g_Sim.m_n8279Status, m.status8279);
    EXPECT_EQ(g_Sim.m_n8279PrevStatus, m.prev8279);
    for (int i = 0; i < kMaxChips; ++i) {
        EXPECT_EQ(g_Sim.m_n8251Status[i], m.status8251[i]) << "chip " << i;
        EXPECT_EQ(g_Sim.m_n8251PrevStatus[i], m.prev8251[i]) << "chip " << i;
    }
    EXPECT_EQ(g_Sim.m_pendTrap, m.trap);
    EXPECT_EQ(g_Sim.m_pendRst55, m.rst55);
    EXPECT_EQ(g_Sim.m_pendRst65, m.rst65);
    EXPECT_EQ(g_Sim.m_pendRst75, m.rst75);
}

class RandomLines {
public:
    explicit RandomLines(unsigned seed) : m_random(seed) {}

    Lines Next() {
        Lines m{};
        m.connected8279 = OneIn(4) ? 0 : Byte();
        m.status8279 = Byte();
        m.prev8279 = OneIn(3) ? m.status8279 : Byte();
        m.route8279 = Route();
        m.count8251 = OneIn(8) ? Byte() : static_cast<u8>(Below(kMaxChips + 1));
        for (int i = 0; i < kMaxChips; ++i) {
            m.status8251[i] = Byte();
            m.prev8251[i] = OneIn(3) ? m.status8251[i] : Byte();
            m.route8251[i] = Route();
        }
        // Latches hold any byte: one a source leaves alone keeps its value.
        m.trap = Latch();
        m.rst55 = Latch();
        m.rst65 = Latch();
        m.rst75 = Latch();
        return m;
    }

    // One field as a window, a dialog or the menu writes it between ticks;
    // often none, so that the lines stand still for several ticks.
    void ChangeOneField(Lines& m) {
        const int chip = static_cast<int>(Below(kMaxChips));
        switch (Below(10)) {
        case 0: m.status8251[chip] = Byte(); break;
        case 1: m.prev8251[chip] = Byte(); break;
        case 2: m.route8251[chip] = Route(); break;
        case 3: m.count8251 = static_cast<u8>(Below(kMaxChips + 1)); break;
        case 4: m.rst55 = m.rst65 = 0; break;
        case 5: m.status8279 = Byte(); break;
        default: break;
        }
    }

private:
    u32 Below(u32 n) { return std::uniform_int_distribution<u32>(0, n - 1)(m_random); }
    bool OneIn(u32 n) { return Below(n) == 0; }
    u8 Byte() { return static_cast<u8>(Below(256)); }
    u8 Latch() { return OneIn(4) ? Byte() : static_cast<u8>(Below(2)); }
    u8 Route() {
        static constexpr u8 kCommon[] = {0, 4, 5, 6, 7};
        return OneIn(5) ? Byte() : kCommon[Below(sizeof kCommon)];
    }

    std::mt19937 m_random;
};

// One tick of the model and of the machine in the tick's order, the
// keyboard's line, then the serial chips' lines; false once they differ.
bool TickAndCompare(Lines& expected, int round) {
    ReferenceLines(expected);
    g_Sim.Update8279Irq();
    g_Sim.Update8251Irq();
    ExpectMachineMatches(expected, round);
    return !::testing::Test::HasFailure();
}

}  // namespace

TEST(InterruptLinesReference, KeyboardThenSerialChipsMatchTheRouteRules) {
    StartFromPowerOn();
    RandomLines random(20261207);
    constexpr int kRounds = 200000;
    for (int round = 0; round < kRounds; ++round) {
        Lines expected = random.Next();
        Store(expected);
        if (!TickAndCompare(expected, round)) return;
    }
}

// A second tick on unchanged statuses: previous statuses now equal them, so
// no edge fires again and level routes write the same values.
TEST(InterruptLinesReference, RepeatedTicksOnUnchangedStatuses) {
    StartFromPowerOn();
    RandomLines random(85);
    constexpr int kRounds = 20000;
    for (int round = 0; round < kRounds; ++round) {
        Lines expected = random.Next();
        Store(expected);
        if (!TickAndCompare(expected, round) || !TickAndCompare(expected, round)) return;
    }
}

// Statuses, routes and counts written one at a time between ticks, and long
// stretches of ticks without a change, which the serial lines take without
// working them out again.
TEST(InterruptLinesReference, SingleFieldWritesBetweenTicks) {
    StartFromPowerOn();
    RandomLines random(8251);
    Lines expected = random.Next();
    constexpr int kRounds = 100000;
    for (int round = 0; round < kRounds; ++round) {
        random.ChangeOneField(expected);
        Store(expected);
        if (!TickAndCompare(expected, round)) return;
    }
}
