// Whole programs: (d) the 8085 instruction exerciser run through from start
// to end as a CP/M program, and (e) the counter example's loop with its
// 8155 timer requesting an interrupt every hundred timer pulses.
#include <fstream>
#include <string>

#include "BenchHarness.h"
#include "app/ProgramImage.h"
#include "tests/support/CpmProgram.h"

namespace {

// Some ten interrupt periods of the counter example.
constexpr int kInstructionsPerCheck = 1000;

void BM_Exerciser8085(benchmark::State& state) {
    const std::string image = cpm::ReadFile(std::string(TORVAN_TESTROMS) + "/8085EX1.COM");
    if (image.empty()) {
        state.SkipWithError("the exerciser is missing");
        return;
    }
    double instructions = 0, tStates = 0, seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const cpm::Run run = cpm::RunProgram(image);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!run.finished || run.printed.find("ERROR") != std::string::npos) {
            state.SkipWithError("the exerciser did not pass");
            return;
        }
        instructions += double(run.instructions);
        tStates += double(g_Sim.TStates());
    }
    state.counters["instr_per_s"] = instructions / seconds;
    state.counters["x_real_8085"] = tStates / seconds / bench::kReal8085Hz;
}
BENCHMARK(BM_Exerciser8085)->Unit(benchmark::kSecond)->Iterations(1);

// As opening the example does: its configuration, a reset, the image, and
// the port list the first Run rebuilds.
bool LoadCounterExample() {
    RestorePowerOnState();
    const std::string folder = std::string(TORVAN_EXAMPLES) + "/";
    if (g_Sim.LoadConfig((folder + "counter.cfg").c_str()) != CSimulator::ConfigResult::Loaded) return false;
    g_Sim.Reset();
    std::ifstream hex(folder + "counter.hex", std::ios::binary);
    if (ProgramImage::LoadHex(hex, g_Sim.m_pMemory) != ProgramImage::kHexLoaded) return false;
    g_Sim.UpdatePortList();
    return true;
}

void BM_CounterExampleLoop(benchmark::State& state) {
    if (!LoadCounterExample()) {
        state.SkipWithError("the counter example could not be loaded");
        return;
    }
    bench::RunProgram(state);
    // Register B counts the interrupts; a few periods more must move it.
    const u8 interrupts = g_Sim.m_regB;
    for (int i = 0; i < kInstructionsPerCheck; ++i) g_Sim.ExecuteInstruction();
    if (g_Sim.m_regB == interrupts) state.SkipWithError("the 8155 timer requests no interrupt");
}
BENCHMARK(BM_CounterExampleLoop);

}  // namespace
