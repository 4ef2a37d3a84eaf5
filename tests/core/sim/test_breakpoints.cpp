#include <gtest/gtest.h>
#include <vector>

#include "tests/support/PowerOn.h"

namespace {
constexpr int kRemoved = 2;
constexpr int kAdded = 1;
constexpr int kFull = 0;

std::vector<u32> Table() { return std::vector<u32>(g_Sim.m_Breakpoints, g_Sim.m_Breakpoints + g_nBreakpointCount); }
}  // namespace

TEST(Breakpoints, FindOnEmptyTableAndOnFirstEntry) {
    StartFromPowerOn();
    EXPECT_EQ(g_Sim.FindBreakpoint(0x0000), 0u);
    EXPECT_EQ(g_Sim.FindBreakpoint(0x2000), 0u);
    ASSERT_EQ(g_Sim.ToggleBreakpoint(0x2000), kAdded);
    ASSERT_EQ(g_Sim.ToggleBreakpoint(0x3000), kAdded);
    EXPECT_EQ(g_Sim.FindBreakpoint(0x2000), 1u);
    EXPECT_EQ(g_Sim.FindBreakpoint(0x3000), 2u);
    EXPECT_EQ(g_Sim.FindBreakpoint(0x2001), 0u);
}

TEST(Breakpoints, EntriesBeyondTheCountAreNotFound) {
    // A removed address may still lie in the array past the count.
    StartFromPowerOn();
    g_Sim.ToggleBreakpoint(0x1111);
    g_Sim.ToggleBreakpoint(0x2222);
    ASSERT_EQ(g_Sim.ToggleBreakpoint(0x2222), kRemoved);
    EXPECT_EQ(g_Sim.m_Breakpoints[1], 0x2222u);
    EXPECT_EQ(g_Sim.FindBreakpoint(0x2222), 0u);
}

TEST(Breakpoints, ToggleTwiceRestoresTableInOrder) {
    StartFromPowerOn();
    for (u32 a : {0x0100u, 0x0200u, 0x0300u, 0x0400u}) ASSERT_EQ(g_Sim.ToggleBreakpoint(a), kAdded);
    const std::vector<u32> before = Table();

    EXPECT_EQ(g_Sim.ToggleBreakpoint(0x0200), kRemoved);
    EXPECT_EQ(Table(), (std::vector<u32>{0x0100, 0x0300, 0x0400}));
    EXPECT_EQ(g_Sim.ToggleBreakpoint(0x0200), kAdded);
    EXPECT_EQ(Table(), (std::vector<u32>{0x0100, 0x0300, 0x0400, 0x0200}));

    // A new address toggled on and off leaves the table exactly as it was.
    const std::vector<u32> middle = Table();
    EXPECT_EQ(g_Sim.ToggleBreakpoint(0x0500), kAdded);
    EXPECT_EQ(g_Sim.ToggleBreakpoint(0x0500), kRemoved);
    EXPECT_EQ(Table(), middle);
    EXPECT_EQ(before.size(), middle.size());
}

TEST(Breakpoints, RemovingFirstAndLastEntries) {
    StartFromPowerOn();
    for (u32 a : {1u, 2u, 3u}) g_Sim.ToggleBreakpoint(a);
    EXPECT_EQ(g_Sim.ToggleBreakpoint(1), kRemoved);
    EXPECT_EQ(Table(), (std::vector<u32>{2, 3}));
    EXPECT_EQ(g_Sim.ToggleBreakpoint(3), kRemoved);
    EXPECT_EQ(Table(), (std::vector<u32>{2}));
    EXPECT_EQ(g_Sim.ToggleBreakpoint(2), kRemoved);
    EXPECT_EQ(g_nBreakpointCount, 0u);
}

TEST(Breakpoints, FullTableRefusesSeventeenthAddress) {
    StartFromPowerOn();
    for (u32 i = 0; i < static_cast<u32>(kMaxBreakpoints); ++i)
        ASSERT_EQ(g_Sim.ToggleBreakpoint(0x1000 + i), kAdded) << i;
    const std::vector<u32> full = Table();
    ASSERT_EQ(full.size(), 16u);

    EXPECT_EQ(g_Sim.ToggleBreakpoint(0x9000), kFull);
    EXPECT_EQ(Table(), full);
    EXPECT_EQ(g_Sim.FindBreakpoint(0x9000), 0u);
    EXPECT_EQ(g_Sim.FindBreakpoint(0x100F), 16u);

    EXPECT_EQ(g_Sim.ToggleBreakpoint(0x1005), kRemoved);
    EXPECT_EQ(g_nBreakpointCount, 15u);
    EXPECT_EQ(g_Sim.ToggleBreakpoint(0x9000), kAdded);
    EXPECT_EQ(g_Sim.FindBreakpoint(0x9000), 16u);
}

TEST(Breakpoints, AddressesCompareAsFullValues) {
    // The table stores what it is given; the run loop passes 16-bit addresses.
    StartFromPowerOn();
    g_Sim.ToggleBreakpoint(0x12000);
    EXPECT_EQ(g_Sim.FindBreakpoint(0x2000), 0u);
    EXPECT_EQ(g_Sim.FindBreakpoint(0x12000), 1u);
}

TEST(Breakpoints, CountPastTheTableIsNotTrusted) {
    StartFromPowerOn();
    for (u32 i = 0; i < static_cast<u32>(kMaxBreakpoints); ++i) g_Sim.ToggleBreakpoint(0x100 + i);
    g_nBreakpointCount = 1000;
    // Searching stops at the table's end, so members after it never match.
    g_Sim.m_regA = 0x77;
    EXPECT_EQ(g_Sim.FindBreakpoint(0x77), 0u);
    EXPECT_EQ(g_Sim.ToggleBreakpoint(0x5000), kFull);
    EXPECT_EQ(g_Sim.ToggleBreakpoint(0x100), kRemoved);
    EXPECT_EQ(g_nBreakpointCount, 15u);
    EXPECT_EQ(g_Sim.m_Breakpoints[0], 0x101u);
    EXPECT_EQ(g_Sim.m_Breakpoints[14], 0x10Fu);
}
