#include "tests/support/PowerOnState.h"

#include <cstring>

#include "sim/Disasm.h"
#include "sim/Simulator.h"
#include "timing/TimingModel.h"

void RestorePowerOnState() {
    // Held here rather than read back from g_Sim, which a caller may have
    // pointed elsewhere since the last call.
    static u8* memory = nullptr;
    g_Sim = CSimulator();
    if (memory == nullptr) {
        g_Sim.InitMemoryCleared();
        memory = g_Sim.m_pMemory;
    } else {
        g_Sim.m_pMemory = memory;
        std::memset(memory, 0, kMemorySize);
    }
    g_busCycleCount = 0;
    std::memset(g_busCycles, 0, sizeof g_busCycles);
    // Globals kept outside g_Sim return to their power-on values here too.
    g_nBreakpointCount = 0;
    g_Sim.BreakpointsChanged();
    g_DisasmOrigin = 0;
    std::memset(g_IOWatchKind, 0, sizeof g_IOWatchKind);
    std::memset(g_IOWatchIndex, 0, sizeof g_IOWatchIndex);
    std::memset(g_IOWatchValid, 0, sizeof g_IOWatchValid);
    g_nPortCount = 0;
    g_nSampleCount = 0;
    g_bTimeStarted = 0;
    g_Sim.Reset();
}
