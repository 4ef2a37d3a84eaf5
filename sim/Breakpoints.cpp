#include "sim/Simulator.h"

u32 g_nBreakpointCount;

namespace {
// The count is a plain global; a value past the table's end is never used as
// a bound, so a stray write cannot make the searches leave the table.
u32 UsedBreakpoints() {
    return g_nBreakpointCount < static_cast<u32>(kMaxBreakpoints) ? g_nBreakpointCount
                                                                  : static_cast<u32>(kMaxBreakpoints);
}
}  // namespace

u32 CSimulator::FindBreakpoint(u32 address) const {
    const u32 used = UsedBreakpoints();
    for (u32 i = 0; i < used; ++i) {
        if (m_Breakpoints[i] == address) return i + 1;
    }
    return 0;
}

int CSimulator::ToggleBreakpoint(u32 address) {
    constexpr int kRemoved = 2;
    constexpr int kAdded = 1;
    constexpr int kTableFull = 0;

    const u32 found = FindBreakpoint(address);
    if (found != 0) {
        // Close the gap so the remaining entries keep their order.
        g_nBreakpointCount = UsedBreakpoints() - 1;
        for (u32 j = found - 1; j < g_nBreakpointCount; ++j) m_Breakpoints[j] = m_Breakpoints[j + 1];
        BreakpointsChanged();
        return kRemoved;
    }
    if (g_nBreakpointCount < static_cast<u32>(kMaxBreakpoints)) {
        m_Breakpoints[g_nBreakpointCount++] = address;
        BreakpointsChanged();
        return kAdded;
    }
    return kTableFull;
}

void CSimulator::BreakpointsChanged() { m_breakpointMap.Rebuild(m_Breakpoints, UsedBreakpoints()); }
