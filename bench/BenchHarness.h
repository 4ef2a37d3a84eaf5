// What every benchmark shares: a program loaded into a machine at its
// power-on state, and the measured run that reports instructions per second
// and speed relative to a real 8085 clocked at 3.072 MHz.
#pragma once

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstddef>
#include <cstring>

#include "sim/Simulator.h"
#include "tests/support/PowerOnState.h"

namespace bench {

constexpr double kReal8085Hz = 3'072'000.0;
constexpr int kInstructionsPerBatch = 1024;

// Memory and stack traffic: MOV M, CALL/RET, PUSH/POP, XTHL.
inline constexpr u8 kMemoryStackLoop[] = {
    0x31, 0x00, 0xF0,  // 0000 LXI SP,F000
    0x21, 0x00, 0x80,  // 0003 LXI H,8000
    0x77,              // 0006 loop: MOV M,A
    0x46,              // 0007 MOV B,M
    0x2C,              // 0008 INR L (HL stays in 80xx)
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

// Starts from power-on so that nothing an earlier benchmark connected or
// programmed (peripherals, routes, the port list) is measured; which one ran
// earlier depends on link order.
template <std::size_t N> void LoadProgram(const u8 (&program)[N]) {
    static_assert(N <= kMemorySize, "program larger than memory");
    RestorePowerOnState();
    std::memcpy(g_Sim.m_pMemory, program, N);
}

// The ratio is timed here rather than as a library rate so that it prints as
// a plain number.
inline void RunProgram(benchmark::State& state) {
    double tStates = 0;
    std::chrono::steady_clock::duration elapsed{};
    for (auto _ : state) {
        const u64 before = g_Sim.TStates();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kInstructionsPerBatch; ++i) g_Sim.ExecuteInstruction();
        elapsed += std::chrono::steady_clock::now() - start;
        tStates += double(g_Sim.TStates() - before);
    }
    state.SetItemsProcessed(state.iterations() * kInstructionsPerBatch);
    const double seconds = std::chrono::duration<double>(elapsed).count();
    if (seconds > 0) state.counters["x_real_8085"] = tStates / seconds / kReal8085Hz;
}

}  // namespace bench
