// Where every configuration field lies in the file. One routine names each
// field once with its offset; the reader and the writer both walk it, so the
// two can never disagree about the layout.
#pragma once

#include <type_traits>

#include "periph/ConfigFile.h"

namespace ConfigOffset {
constexpr std::size_t k8279Address = 0;
constexpr std::size_t k8279Connected = 1;
constexpr std::size_t k8279Route = 2;
constexpr std::size_t k8279SegTable = 3;
constexpr std::size_t kLcdAddress = 771;
constexpr std::size_t kLcdConnected = 772;
constexpr std::size_t kLcdCharsLogical = 773;
constexpr std::size_t kLcdCharsPhysical = 774;
constexpr std::size_t k8155Address = 775;
constexpr std::size_t k8155Connected = 776;
constexpr std::size_t k8253Count = 777;
constexpr std::size_t k8253Address = 778;
constexpr std::size_t kTimerPrescaler = 783;
constexpr std::size_t kTimer = 815;
constexpr std::size_t k8251Address = 1215;
constexpr std::size_t k8251Count = 1220;
constexpr std::size_t k8251Route = 1221;
constexpr std::size_t k8255Address = 1226;
constexpr std::size_t k8255Count = 1231;
constexpr std::size_t kEpromStart = 1232;
constexpr std::size_t kEpromEnd = 1240;
constexpr std::size_t kRamStart = 1248;
constexpr std::size_t kRamEnd = 1256;
constexpr std::size_t kEpromBanks = 1264;
constexpr std::size_t kRamBanks = 1265;
constexpr std::size_t kIOWatchKind = 1266;
constexpr std::size_t kIOWatchIndex = 1298;
constexpr std::size_t kIOWatchValid = 1330;
constexpr std::size_t kIOWatchCount = 1346;
constexpr std::size_t kMemWatchAddr = 1347;
constexpr std::size_t kMemWatchCount = 1359;

static_assert(k8279SegTable + 256 * 3 == kLcdAddress, "segment table size");
static_assert(kMemWatchCount + 1 == kConfigFileSize, "file ends with the memory watch count");

// One timer record.
constexpr std::size_t kTimerRecordSize = 25;
constexpr std::size_t kRecRunning = 0;
constexpr std::size_t kRecCount = 1;
constexpr std::size_t kRecLatch = 5;
constexpr std::size_t kRecReload = 9;
constexpr std::size_t kRecReloadEven = 13;
constexpr std::size_t kRecLatched = 17;
constexpr std::size_t kRecOut = 18;
constexpr std::size_t kRecMode = 19;
constexpr std::size_t kRecReadLsb = 20;
constexpr std::size_t kRecGate = 21;
constexpr std::size_t kRecRoute = 22;
constexpr std::size_t kRecBcd = 23;
constexpr std::size_t kRecRwMode = 24;
}  // namespace ConfigOffset

static_assert(ConfigOffset::kTimer + kTimerSlots * ConfigOffset::kTimerRecordSize == ConfigOffset::k8251Address,
              "sixteen timer records");

// Bytes a field takes in the file.
template <class T> constexpr std::size_t FileSize() { return sizeof(T); }
template <> constexpr std::size_t FileSize<CounterState>() { return ConfigOffset::kTimerRecordSize; }

template <class Io, class Record> void ExchangeTimerRecord(Io& io, std::size_t at, Record& timer) {
    using namespace ConfigOffset;
    io.Field(at + kRecRunning, timer.m_bRunning);
    io.Field(at + kRecCount, timer.m_nCount);
    io.Field(at + kRecLatch, timer.m_nLatch);
    io.Field(at + kRecReload, timer.m_nReload);
    io.Field(at + kRecReloadEven, timer.m_nReloadEven);
    io.Field(at + kRecLatched, timer.m_bLatched);
    io.Field(at + kRecOut, timer.m_bOut);
    io.Field(at + kRecMode, timer.m_nMode);
    io.Field(at + kRecReadLsb, timer.m_bReadLsb);
    io.Field(at + kRecGate, timer.m_bGate);
    io.Field(at + kRecRoute, timer.m_nIrqRoute);
    io.Field(at + kRecBcd, timer.m_bBcd);
    io.Field(at + kRecRwMode, timer.m_nRwMode);
}

// Walks count elements of an array, each at its own offset.
template <class Io, class T> void ExchangeArray(Io& io, std::size_t at, T* items, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) io.Field(at + i * FileSize<std::remove_cv_t<T>>(), items[i]);
}

// Sim is CSimulator for loading and const CSimulator for saving. Only the
// first four memory-map banks are stored.
template <class Io, class Sim> void ExchangeConfig(Io& io, Sim& sim) {
    using namespace ConfigOffset;
    io.Field(k8279Address, sim.m_n8279Address);
    io.Field(k8279Connected, sim.m_b8279Connected);
    io.Field(k8279Route, g_Irq8279Route);
    for (std::size_t code = 0; code < CSimulator::k8279SegCodes; ++code)
        ExchangeArray(io, k8279SegTable + code * CSimulator::k8279SegTextSize, sim.m_8279SegTable[code],
                      CSimulator::k8279SegTextSize);
    io.Field(kLcdAddress, sim.m_nLcdAddress);
    io.Field(kLcdConnected, sim.m_bLcdConnected);
    io.Field(kLcdCharsLogical, sim.m_nLcdCharsLogical);
    io.Field(kLcdCharsPhysical, sim.m_nLcdCharsPhysical);
    io.Field(k8155Address, sim.m_n8155Address);
    io.Field(k8155Connected, sim.m_b8155Connected);
    io.Field(k8253Count, sim.m_n8253Count);
    ExchangeArray(io, k8253Address, sim.m_8253Address, kMaxChips);
    ExchangeArray(io, kTimerPrescaler, sim.m_TimerPrescaler, kTimerSlots);
    ExchangeArray(io, kTimer, sim.m_Timer, kTimerSlots);
    ExchangeArray(io, k8251Address, sim.m_n8251Address, kMaxChips);
    io.Field(k8251Count, sim.m_n8251Count);
    ExchangeArray(io, k8251Route, g_Irq8251Route, kMaxChips);
    ExchangeArray(io, k8255Address, sim.m_8255Address, kMaxChips);
    io.Field(k8255Count, sim.m_n8255Count);
    ExchangeArray(io, kEpromStart, sim.m_EpromStart, kMaxMemBanks);
    ExchangeArray(io, kEpromEnd, sim.m_EpromEnd, kMaxMemBanks);
    ExchangeArray(io, kRamStart, sim.m_RamStart, kMaxMemBanks);
    ExchangeArray(io, kRamEnd, sim.m_RamEnd, kMaxMemBanks);
    io.Field(kEpromBanks, sim.m_nEpromBanks);
    io.Field(kRamBanks, sim.m_nRamBanks);
    ExchangeArray(io, kIOWatchKind, g_IOWatchKind, kMaxIOWatches);
    ExchangeArray(io, kIOWatchIndex, g_IOWatchIndex, kMaxIOWatches);
    ExchangeArray(io, kIOWatchValid, g_IOWatchValid, kMaxIOWatches);
    io.Field(kIOWatchCount, sim.m_nIOWatchCount);
    ExchangeArray(io, kMemWatchAddr, sim.m_MemWatchAddr, kMaxMemWatches);
    io.Field(kMemWatchCount, sim.m_nMemWatchCount);
}
