#include "sim/Simulator.h"

// A slot after CPU Reset is idle with OUT high. The route, BCD bit, read/load
// mode and prescaler are configuration and survive the reset.
void CSimulator::ResetTimerSlots() {
    SyncTimers();
    for (int slot = 0; slot < kTimerSlots; ++slot) {
        CounterState& timer = m_Timer[slot];
        m_TimerResidue[slot] = 0;
        timer.m_bLatched = 0;
        timer.m_bGate = 0;
        timer.m_nMode = 0;
        timer.m_bRunning = 0;
        timer.m_nCount = 0;
        timer.m_nLatch = 0;
        timer.m_nReload = 0;
        timer.m_nReloadEven = 0;
        timer.m_bOut = 1;
        timer.m_bReadLsb = 1;
    }
    TimersWritten();
}
