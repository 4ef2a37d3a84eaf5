// A machine with every chip connected, five of each multi-chip kind, and an
// I/O watch list of sixteen entries of every kind, as a configuration file
// could hold them (a chip index beyond the chips, a kind no chip has and an
// entry marked not valid included). Shared by the I/O watch tests and the
// Run benchmark. The 8155 and the first 8255 sit where the counter example
// has them.
#pragma once

#include "sim/Simulator.h"

namespace EveryChip {
constexpr u8 k8279Base = 0x60;
constexpr u8 k8155Base = 0x20;
constexpr u8 kLcdBase = 0x58;
constexpr u8 k8255Base = 0x40;  // chip k at 40H + 4k
constexpr u8 k8251Base = 0x30;  // chip k at 30H + 2k
constexpr u8 k8253Base = 0xA0;  // chip k at A0H + 4k
constexpr u8 kLcdChars = 16;
constexpr u16 kUnknownKind = 1234;

inline void Configure() {
    g_Sim.m_b8279Connected = 1;
    g_Sim.m_n8279Address = k8279Base;
    g_Sim.m_b8155Connected = 1;
    g_Sim.m_n8155Address = k8155Base;
    g_Sim.m_bLcdConnected = 1;
    g_Sim.m_nLcdAddress = kLcdBase;
    g_Sim.m_nLcdCharsLogical = kLcdChars;
    g_Sim.m_nLcdCharsPhysical = kLcdChars;
    g_Sim.m_n8255Count = kMaxChips;
    g_Sim.m_n8251Count = kMaxChips;
    g_Sim.m_n8253Count = kMaxChips;
    for (int k = 0; k < kMaxChips; ++k) {
        g_Sim.m_8255Address[k] = u8(k8255Base + 4 * k);
        g_Sim.m_n8251Address[k] = u8(k8251Base + 2 * k);
        g_Sim.m_8253Address[k] = u8(k8253Base + 4 * k);
    }
    g_Sim.UpdatePortList();
}

struct Entry {
    u16 kind, index;
    u8 valid;
};
// Top row first.
constexpr Entry kEntries[kMaxIOWatches] = {
    {8279, 0, 1}, {8155, 0, 1},   {9999, 0, 1},         {9998, 0, 1}, {9997, 0, 1}, {9996, 0, 1},
    {8255, 0, 1}, {8255, 1, 1},   {8251, 0, 1},         {8251, 1, 1}, {8253, 0, 1}, {8253, 1, 1},
    {8255, 5, 1}, {8253, 300, 1}, {kUnknownKind, 2, 1}, {8251, 0, 0},
};

inline void WatchEveryKind() {
    for (int i = 0; i < kMaxIOWatches; ++i) {
        g_IOWatchKind[i] = kEntries[i].kind;
        g_IOWatchIndex[i] = kEntries[i].index;
        g_IOWatchValid[i] = kEntries[i].valid;
    }
    g_Sim.m_nIOWatchCount = kMaxIOWatches;
}
}  // namespace EveryChip
