// (c) The memory and stack loop with every peripheral present and busy, so
// the per-instruction peripheral tick is measured on top of the executor.
#include "BenchHarness.h"
#include "tests/support/PortIo.h"

namespace {

constexpr int kCountersPerChip = 3;
constexpr int k8155TimerSlot = 15;
constexpr u8 kMode3LowThenHigh = 0x36;  // counter 0, RL 3, mode 3, binary

// All interrupt inputs stay masked after Reset and IE stays off, so the
// routed lines keep raising requests without diverting the loop; no route
// names TRAP, which cannot be masked.
void ConnectEveryPeripheral() {
    g_Sim.m_n8253Count = kMaxChips;
    for (int chip = 0; chip < kMaxChips; ++chip) {
        const u8 base = static_cast<u8>(0x10 + 4 * chip);
        g_Sim.m_8253Address[chip] = base;
        for (int counter = 0; counter < kCountersPerChip; ++counter) {
            const int slot = chip * kCountersPerChip + counter;
            g_Sim.m_TimerPrescaler[slot] = slot % 2 == 0 ? 1 : 3;
            g_Sim.m_Timer[slot].m_nIrqRoute = static_cast<u8>(5 + slot % 3);
            g_Sim.m_Timer[slot].m_bGate = 1;
            g_Sim.TimersWritten();
            const u16 count = static_cast<u16>(0x0800 + 0x123 * slot);
            Out(base + 3, static_cast<u8>(kMode3LowThenHigh | counter << 6));
            Out(base + counter, static_cast<u8>(count & 0xFF));
            Out(base + counter, static_cast<u8>(count >> 8));
        }
    }

    g_Sim.m_b8155Connected = 1;
    g_Sim.m_n8155Address = 0x40;
    CounterState& timer8155 = g_Sim.m_Timer[k8155TimerSlot];
    timer8155.m_nMode = 3;
    timer8155.m_nReload = 500;
    timer8155.m_nCount = 500;
    timer8155.m_nReloadEven = 500;
    timer8155.m_bRunning = 1;
    timer8155.m_nIrqRoute = 7;
    g_Sim.TimersWritten();

    g_Sim.m_b8279Connected = 1;
    g_Sim.m_n8279Address = 0x50;
    g_Irq8279Route = 5;

    g_Sim.m_n8251Count = kMaxChips;
    for (int chip = 0; chip < kMaxChips; ++chip) {
        g_Sim.m_n8251Address[chip] = static_cast<u8>(0x60 + 2 * chip);
        g_Irq8251Route[chip] = static_cast<u8>(5 + chip % 3);
    }
    g_Sim.UpdatePortList();
}

void BM_MemoryStackLoopWithBusyPeripherals(benchmark::State& state) {
    bench::LoadProgram(bench::kMemoryStackLoop);
    ConnectEveryPeripheral();
    bench::RunProgram(state);
    // A timer that stopped would make the figure meaningless.
    g_Sim.SyncTimers();
    for (int slot = 0; slot < kTimerSlots; ++slot)
        if (!g_Sim.m_Timer[slot].m_bRunning) state.SkipWithError("a timer slot stopped");
}
BENCHMARK(BM_MemoryStackLoopWithBusyPeripherals);

}  // namespace
