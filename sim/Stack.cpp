#include "sim/Simulator.h"

void CSimulator::Push(u8 high, u8 low) {
    const u16 highAddress = u16(m_sp - 1);
    const u16 lowAddress = u16(m_sp - 2);
    m_pMemory[highAddress] = high;
    m_pMemory[lowAddress] = low;
    m_sp = lowAddress;

    m_stackDepth = u16(m_stackDepth + 2);
    if (m_stackDepth > m_maxStackDepth) m_maxStackDepth = m_stackDepth;

    // The list keeps room for at most five cycles: an instruction that already
    // has four or five (or none yet) records no pushes of its own.
    constexpr u32 kMaxRecordsBeforePush = 3;
    if (g_busCycleCount >= 1 && g_busCycleCount <= kMaxRecordsBeforePush) {
        AppendBusCycle(kCycleMemWrite, highAddress, high);
        AppendBusCycle(kCycleMemWrite, lowAddress, low);
    }
}

u16 CSimulator::Pop() {
    const u8 low = m_pMemory[m_sp];
    const u8 high = m_pMemory[u16(m_sp + 1)];
    m_sp = u16(m_sp + 2);
    m_stackDepth = u16(m_stackDepth - 2);
    return u16(high << 8 | low);
}
