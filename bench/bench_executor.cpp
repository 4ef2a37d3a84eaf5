// Executor throughput: instructions per second, and speed relative to a real
// 8085 clocked at 3.072 MHz (simulated T-states per second / 3,072,000).
#include "sim/Simulator.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <initializer_list>

namespace {

constexpr double kReal8085Hz = 3'072'000.0;
constexpr int kInstructionsPerBatch = 1024;

void LoadProgram(std::initializer_list<u8> bytes) {
    static bool memoryReady = false;
    if (!memoryReady) {
        g_Sim.InitMemoryCleared();
        memoryReady = true;
    }
    std::memset(g_Sim.m_pMemory, 0, kMemorySize);
    g_Sim.Reset();
    u16 address = 0;
    for (u8 b : bytes) g_Sim.m_pMemory[address++] = b;
}

// The ratio is timed here rather than as a library rate so that it prints as
// a plain number.
void RunProgram(benchmark::State& state) {
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
}

// (a) Register arithmetic, logic and a conditional branch.
void BM_AluBranchLoop(benchmark::State& state) {
    LoadProgram({
        0x06, 0x03,        // 0000 MVI B,03
        0x0E, 0x00,        // 0002 MVI C,00
        0x80,              // 0004 loop: ADD B
        0xA9,              // 0005 XRA C
        0xB2,              // 0006 ORA D
        0xE6, 0x7F,        // 0007 ANI 7F
        0x1C,              // 0009 INR E
        0x0F,              // 000A RRC
        0x91,              // 000B SUB C
        0x0D,              // 000C DCR C
        0xC2, 0x04, 0x00,  // 000D JNZ loop
        0xC3, 0x04, 0x00,  // 0010 JMP loop
    });
    RunProgram(state);
}
BENCHMARK(BM_AluBranchLoop);

// (b) Memory and stack traffic: MOV M, CALL/RET, PUSH/POP, XTHL.
void BM_MemoryStackLoop(benchmark::State& state) {
    LoadProgram({
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
    });
    RunProgram(state);
}
BENCHMARK(BM_MemoryStackLoop);

}  // namespace
