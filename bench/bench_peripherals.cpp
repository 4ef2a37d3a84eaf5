// (c) The memory and stack loop with every peripheral present and busy, so
// the per-instruction peripheral tick is measured on top of the executor.
#include "sim/Simulator.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>

namespace {

constexpr double kReal8085Hz = 3'072'000.0;
constexpr int kInstructionsPerBatch = 1024;
constexpr int kCountersPerChip = 3;
constexpr int k8155TimerSlot = 15;
constexpr u8 kMode3LowThenHigh = 0x36;  // counter 0, RL 3, mode 3, binary

const u8 kMemoryStackLoop[] = {
    0x31, 0x00, 0xF0,  // 0000 LXI SP,F000
    0x21, 0x00, 0x80,  // 0003 LXI H,8000
    0x77,              // 0006 loop: MOV M,A
    0x46,              // 0007 MOV B,M
    0x2C,              // 0008 INR L
    0xC5,              // 0009 PUSH B
    0xE5,              // 000A PUSH H
    0xE3,              // 000B XTHL
    0xE1,              // 000C POP H
    0xC1,              // 000D POP B
    0xCD, 0x14, 0x00,  // 000E CALL sub
    0xC3, 0x06, 0x00,  // 0011 JMP loop
    0x7E,              // 0014 sub: MOV A,M
    0x34,              // 0015 INR M
    0xC9,              // 0016 RET
};

void Out(int port, u8 value) {
    g_Sim.m_regA = value;
    g_Sim.OutPort(port);
}

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
    g_Sim.InitMemoryCleared();
    std::memcpy(g_Sim.m_pMemory, kMemoryStackLoop, sizeof kMemoryStackLoop);
    g_Sim.Reset();
    ConnectEveryPeripheral();

    double tStates = 0;
    std::chrono::steady_clock::duration elapsed{};
    for (auto _ : state) {
        const u32 before = g_Sim.m_tStates;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kInstructionsPerBatch; ++i) g_Sim.ExecuteInstruction();
        elapsed += std::chrono::steady_clock::now() - start;
        tStates += u32(g_Sim.m_tStates - before);
    }
    state.SetItemsProcessed(state.iterations() * kInstructionsPerBatch);
    const double seconds = std::chrono::duration<double>(elapsed).count();
    if (seconds > 0) state.counters["x_real_8085"] = tStates / seconds / kReal8085Hz;
    // A timer that stopped would make the figure meaningless.
    for (int slot = 0; slot < kTimerSlots; ++slot)
        if (!g_Sim.m_Timer[slot].m_bRunning) state.SkipWithError("a timer slot stopped");
}
BENCHMARK(BM_MemoryStackLoopWithBusyPeripherals);

}  // namespace
