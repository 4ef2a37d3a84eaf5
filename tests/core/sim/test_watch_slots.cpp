#include <gtest/gtest.h>
#include <vector>

#include "tests/support/PowerOn.h"

namespace {
// Adds a memory watch the way the memory watch window does: open slot 0,
// store, raise the count; refused when the list is full.
bool AddMemWatch(u16 address) {
    if (!CSimulator::InsertSlot(g_Sim.m_MemWatchAddr, 0, g_Sim.m_nMemWatchCount, kMaxMemWatches)) return false;
    g_Sim.m_MemWatchAddr[0] = address;
    ++g_Sim.m_nMemWatchCount;
    return true;
}

bool AddIOWatch(u16 kind, u16 index, u8 valid) {
    if (!CSimulator::InsertSlot3(g_IOWatchKind, g_IOWatchIndex, g_IOWatchValid, 0, g_Sim.m_nIOWatchCount)) return false;
    g_IOWatchKind[0] = kind;
    g_IOWatchIndex[0] = index;
    g_IOWatchValid[0] = valid;
    ++g_Sim.m_nIOWatchCount;
    return true;
}

std::vector<u16> MemWatches() {
    return std::vector<u16>(g_Sim.m_MemWatchAddr, g_Sim.m_MemWatchAddr + g_Sim.m_nMemWatchCount);
}

struct IOEntry {
    u16 kind, index;
    u8 valid;
    bool operator==(const IOEntry& o) const { return kind == o.kind && index == o.index && valid == o.valid; }
};

std::vector<IOEntry> IOWatches() {
    std::vector<IOEntry> entries;
    for (int i = 0; i < g_Sim.m_nIOWatchCount; ++i)
        entries.push_back({g_IOWatchKind[i], g_IOWatchIndex[i], g_IOWatchValid[i]});
    return entries;
}
}  // namespace

TEST(WatchSlots, InsertAtFrontMovesEntriesUp) {
    StartFromPowerOn();
    for (u16 a : {0x1000, 0x2000, 0x3000}) ASSERT_TRUE(AddMemWatch(a));
    EXPECT_EQ(MemWatches(), (std::vector<u16>{0x3000, 0x2000, 0x1000}));
    ASSERT_TRUE(CSimulator::InsertSlot(g_Sim.m_MemWatchAddr, 0, 3, kMaxMemWatches));
    EXPECT_EQ(g_Sim.m_MemWatchAddr[1], 0x3000);
    EXPECT_EQ(g_Sim.m_MemWatchAddr[2], 0x2000);
    EXPECT_EQ(g_Sim.m_MemWatchAddr[3], 0x1000);
}

TEST(WatchSlots, InsertInMiddleAndAtEnd) {
    u16 list[kMaxMemWatches] = {1, 2, 3, 4, 0, 0};
    ASSERT_TRUE(CSimulator::InsertSlot(list, 2, 4, kMaxMemWatches));
    EXPECT_EQ((std::vector<u16>(list, list + 5)), (std::vector<u16>{1, 2, 3, 3, 4}));
    ASSERT_TRUE(CSimulator::InsertSlot(list, 5, 5, kMaxMemWatches));
    EXPECT_EQ((std::vector<u16>(list, list + 5)), (std::vector<u16>{1, 2, 3, 3, 4}));
}

TEST(WatchSlots, InsertIntoEmptyListMovesNothing) {
    u16 list[kMaxMemWatches] = {7, 7, 7, 7, 7, 7};
    ASSERT_TRUE(CSimulator::InsertSlot(list, 0, 0, kMaxMemWatches));
    for (u16 v : list) EXPECT_EQ(v, 7);
}

TEST(WatchSlots, DeleteMovesLaterEntriesDown) {
    u16 list[kMaxMemWatches] = {10, 11, 12, 13, 99, 99};
    ASSERT_TRUE(CSimulator::DeleteSlot(list, 1, 4, kMaxMemWatches));
    EXPECT_EQ(list[0], 10);
    EXPECT_EQ(list[1], 12);
    EXPECT_EQ(list[2], 13);
    EXPECT_EQ(list[4], 99);  // nothing past the old count is touched

    ASSERT_TRUE(CSimulator::DeleteSlot(list, 2, 3, kMaxMemWatches));  // last entry
    EXPECT_EQ(list[0], 10);
    EXPECT_EQ(list[1], 12);
}

TEST(WatchSlots, FullMemoryWatchListRefusesAndKeepsEverything) {
    StartFromPowerOn();
    for (u16 i = 0; i < kMaxMemWatches; ++i) ASSERT_TRUE(AddMemWatch(0x100 * (i + 1)));
    const std::vector<u16> full = MemWatches();
    ASSERT_EQ(full.size(), 6u);
    const u8 countBefore = g_Sim.m_nMemWatchCount;

    EXPECT_FALSE(AddMemWatch(0xBEEF));
    EXPECT_EQ(MemWatches(), full);
    EXPECT_EQ(g_Sim.m_nMemWatchCount, countBefore);
}

TEST(WatchSlots, BadIndexOrCountIsRefused) {
    u16 list[kMaxMemWatches] = {1, 2, 3, 4, 5, 6};
    const std::vector<u16> before(list, list + kMaxMemWatches);
    auto unchanged = [&] { return std::vector<u16>(list, list + kMaxMemWatches) == before; };

    EXPECT_FALSE(CSimulator::InsertSlot(list, -1, 2, kMaxMemWatches));
    EXPECT_FALSE(CSimulator::InsertSlot(list, 3, 2, kMaxMemWatches));  // past the end of the list
    EXPECT_FALSE(CSimulator::InsertSlot(list, 0, -1, kMaxMemWatches));
    EXPECT_FALSE(CSimulator::InsertSlot(list, 0, 200, kMaxMemWatches));  // count as a damaged file gives
    EXPECT_FALSE(CSimulator::DeleteSlot(list, 2, 2, kMaxMemWatches));    // no such entry
    EXPECT_FALSE(CSimulator::DeleteSlot(list, -1, 2, kMaxMemWatches));
    EXPECT_FALSE(CSimulator::DeleteSlot(list, 0, 0, kMaxMemWatches));
    EXPECT_FALSE(CSimulator::DeleteSlot(list, 0, 200, kMaxMemWatches));
    EXPECT_TRUE(unchanged());

    EXPECT_TRUE(CSimulator::DeleteSlot(list, 5, 6, kMaxMemWatches));  // the last entry of a full list
    EXPECT_TRUE(unchanged());
}

TEST(WatchSlots, IOWatchArraysMoveTogether) {
    StartFromPowerOn();
    ASSERT_TRUE(AddIOWatch(8279, 0, 1));
    ASSERT_TRUE(AddIOWatch(8255, 2, 1));
    ASSERT_TRUE(AddIOWatch(9998, 0, 0));
    ASSERT_TRUE(AddIOWatch(8253, 4, 1));
    EXPECT_EQ(IOWatches(), (std::vector<IOEntry>{{8253, 4, 1}, {9998, 0, 0}, {8255, 2, 1}, {8279, 0, 1}}));

    ASSERT_TRUE(CSimulator::DeleteSlot3(g_IOWatchKind, g_IOWatchIndex, g_IOWatchValid, 1, g_Sim.m_nIOWatchCount));
    --g_Sim.m_nIOWatchCount;
    EXPECT_EQ(IOWatches(), (std::vector<IOEntry>{{8253, 4, 1}, {8255, 2, 1}, {8279, 0, 1}}));

    ASSERT_TRUE(CSimulator::DeleteSlot3(g_IOWatchKind, g_IOWatchIndex, g_IOWatchValid, 0, g_Sim.m_nIOWatchCount));
    --g_Sim.m_nIOWatchCount;
    EXPECT_EQ(IOWatches(), (std::vector<IOEntry>{{8255, 2, 1}, {8279, 0, 1}}));
}

TEST(WatchSlots, FullIOWatchListRefusesAndKeepsEverything) {
    StartFromPowerOn();
    for (u16 i = 0; i < kMaxIOWatches; ++i) ASSERT_TRUE(AddIOWatch(8251, i, static_cast<u8>(i & 1)));
    const std::vector<IOEntry> full = IOWatches();
    ASSERT_EQ(full.size(), 16u);

    EXPECT_FALSE(AddIOWatch(8279, 0, 1));
    EXPECT_EQ(IOWatches(), full);
    EXPECT_EQ(g_Sim.m_nIOWatchCount, kMaxIOWatches);

    // Refused calls with impossible positions change nothing either.
    EXPECT_FALSE(CSimulator::DeleteSlot3(g_IOWatchKind, g_IOWatchIndex, g_IOWatchValid, 16, 16));
    EXPECT_FALSE(CSimulator::DeleteSlot3(g_IOWatchKind, g_IOWatchIndex, g_IOWatchValid, 0, 17));
    EXPECT_FALSE(CSimulator::InsertSlot3(g_IOWatchKind, g_IOWatchIndex, g_IOWatchValid, 0, 255));
    EXPECT_EQ(IOWatches(), full);

    // After one delete there is room for one new entry, at the front.
    ASSERT_TRUE(CSimulator::DeleteSlot3(g_IOWatchKind, g_IOWatchIndex, g_IOWatchValid, 15, 16));
    --g_Sim.m_nIOWatchCount;
    ASSERT_TRUE(AddIOWatch(8279, 0, 1));
    EXPECT_EQ(IOWatches().front(), (IOEntry{8279, 0, 1}));
    EXPECT_EQ(IOWatches()[15], full[14]);
}
