// Executor throughput: instructions per second, and speed relative to a real
// 8085 clocked at 3.072 MHz (simulated T-states per second / 3,072,000).
#include "BenchHarness.h"

namespace {

// (a) Register arithmetic, logic and a conditional branch.
const u8 kAluBranchLoop[] = {
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
};

void BM_AluBranchLoop(benchmark::State& state) {
    bench::LoadProgram(kAluBranchLoop);
    bench::RunProgram(state);
}
BENCHMARK(BM_AluBranchLoop);

// (b) Memory and stack traffic.
void BM_MemoryStackLoop(benchmark::State& state) {
    bench::LoadProgram(bench::kMemoryStackLoop);
    bench::RunProgram(state);
}
BENCHMARK(BM_MemoryStackLoop);

}  // namespace
