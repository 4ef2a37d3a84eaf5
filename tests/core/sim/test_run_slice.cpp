// Run's inner loop and the breakpoint map it tests: the map follows every
// change of the table, and a run stops exactly where single steps say it
// must, however many time slices it spans.
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "sim/RunSlice.h"
#include "tests/support/PowerOn.h"

namespace {

// Every address of the 16-bit space, by the map and by the table.
void ExpectMapMatchesTable() {
    for (u32 a = 0; a < kMemorySize; ++a)
        ASSERT_EQ(g_Sim.IsBreakpointAt(u16(a)), g_Sim.FindBreakpoint(a) != 0) << std::hex << a;
}

// LXI SP,2000 / MVI C,04 / outer: MVI B,00 / inner: INR B / JNZ inner /
// DCR C / JNZ outer / NOP / HLT: 2,062 instructions up to the NOP at 000F.
const u8 kNestedLoops[] = {0x31, 0x00, 0x20, 0x0E, 0x04, 0x06, 0x00, 0x04, 0xC2,
                           0x07, 0x00, 0x0D, 0xC2, 0x05, 0x00, 0x00, 0x76};
constexpr u16 kNopAddress = 0x000F;
constexpr u16 kAfterHlt = 0x0011;

void LoadNestedLoops() {
    StartFromPowerOn();
    std::memcpy(g_Sim.m_pMemory, kNestedLoops, sizeof kNestedLoops);
}

struct Reference {
    u32 instructions = 0;
    u64 tStates = 0;
};

// Single steps from the program's start until the program counter reaches
// the address (after an instruction).
Reference StepTo(u16 address) {
    LoadNestedLoops();
    Reference ref;
    do {
        g_Sim.ExecuteInstruction();
        ++ref.instructions;
    } while (g_Sim.m_pc != address);
    ref.tStates = g_Sim.TStates();
    return ref;
}

}  // namespace

TEST(BreakpointMap, FollowsEveryChangeOfTheTable) {
    StartFromPowerOn();
    ExpectMapMatchesTable();
    const std::vector<u32> toggles = {0x0000, 0xFFFF, 0x1234, 0x12000, 0x1234, 0x0040, 0x0000};
    for (u32 a : toggles) {
        g_Sim.ToggleBreakpoint(a);
        ExpectMapMatchesTable();
    }
    for (u32 a = 0x3000; g_Sim.ToggleBreakpoint(a) != 0; ++a) {
    }
    ExpectMapMatchesTable();
    // The power-on state empties both.
    StartFromPowerOn();
    ExpectMapMatchesTable();
    EXPECT_FALSE(g_Sim.IsBreakpointAt(0x3000));
}

TEST(RunSlice, StopsExactlyWhereSingleStepsReachTheStop) {
    struct Case {
        const char* name;
        u16 breakpoint;  // 0: none, the HLT stops the run
        u16 stopsAt;
        SliceEnd end;
    };
    const Case cases[] = {
        {"breakpoint after many slices", kNopAddress, kNopAddress, SliceEnd::AtBreakpoint},
        {"HLT after many slices", 0, kAfterHlt, SliceEnd::HltExecuted},
        {"breakpoint inside the inner loop, reached first", 0x0007, 0x0007, SliceEnd::AtBreakpoint},
        {"breakpoint just after the HLT: the HLT tells", kAfterHlt, kAfterHlt, SliceEnd::HltExecuted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Reference ref = StepTo(c.stopsAt);
        LoadNestedLoops();
        if (c.breakpoint) g_Sim.ToggleBreakpoint(c.breakpoint);
        u32 timeChecks = 0;
        EXPECT_EQ(RunSlice(g_Sim, [&] { return ++timeChecks, false; }), c.end);
        EXPECT_EQ(g_Sim.m_pc, c.stopsAt);
        EXPECT_EQ(g_Sim.TStates(), ref.tStates);
        EXPECT_EQ(timeChecks, (ref.instructions - 1) / kInstructionsPerTimeCheck);
    }
}

TEST(RunSlice, ARunCutIntoSlicesEndsAsOneRun) {
    const Reference ref = StepTo(kNopAddress);
    ASSERT_GT(ref.instructions, 3u * kInstructionsPerTimeCheck);
    LoadNestedLoops();
    g_Sim.ToggleBreakpoint(kNopAddress);
    int slices = 0;
    // Every slice ends at its first time check.
    while (RunSlice(g_Sim, [] { return true; }) == SliceEnd::TimeUp) ++slices;
    EXPECT_EQ(slices, int(ref.instructions / kInstructionsPerTimeCheck));
    EXPECT_EQ(g_Sim.m_pc, kNopAddress);
    EXPECT_EQ(g_Sim.TStates(), ref.tStates);
}

TEST(RunSlice, ARunStartedOnABreakpointExecutesItAndGoesOn) {
    LoadNestedLoops();
    g_Sim.ToggleBreakpoint(0x0000);
    EXPECT_EQ(RunSlice(g_Sim, [] { return false; }), SliceEnd::HltExecuted);
    EXPECT_EQ(g_Sim.m_pc, kAfterHlt);
}
