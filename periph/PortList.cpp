#include "periph/InterruptRoutes.h"

u32 g_nPortCount;

namespace {
constexpr u32 k8279Ports = 2;
constexpr u32 k8155Ports = 8;  // the chip's full window, though only six are decoded
constexpr u32 kLcdPorts = 2;
constexpr u32 k8253Ports = 4;
constexpr u32 k8251Ports = 2;
constexpr u32 k8255Ports = 4;
constexpr int k8155TimerSlot = 15;
constexpr int kCountersPer8253 = 3;

// Ports are whole-number sums: a base of 0xFE lists 0x100 and 0x101 too.
void AppendPorts(u32* ports, u32& count, u8 base, u32 n) {
    for (u32 offset = 0; offset < n; ++offset) ports[count++] = base + offset;
}

void PutSlotAtRest(CounterState& timer) {
    timer.m_nIrqRoute = IrqRoute::kTrap;
    timer.m_bRunning = 0;
}
}  // namespace

static_assert(k8279Ports + k8155Ports + kLcdPorts + kMaxChips * (k8253Ports + k8251Ports + k8255Ports) <=
                  sizeof(CSimulator::m_Ports) / sizeof(CSimulator::m_Ports[0]),
              "every configured port fits in the port list");

// With at most five chips of each kind the list holds at most 62 entries.
void CSimulator::CollectPeripheralPorts(u32* ports, u32& count) const {
    count = 0;
    if (m_b8279Connected) AppendPorts(ports, count, m_n8279Address, k8279Ports);
    if (m_b8155Connected) AppendPorts(ports, count, m_n8155Address, k8155Ports);
    if (m_bLcdConnected) AppendPorts(ports, count, m_nLcdAddress, kLcdPorts);
    for (int chip = 0; chip < PresentChips(m_n8253Count); ++chip)
        AppendPorts(ports, count, m_8253Address[chip], k8253Ports);
    for (int chip = 0; chip < PresentChips(m_n8251Count); ++chip)
        AppendPorts(ports, count, m_n8251Address[chip], k8251Ports);
    for (int chip = 0; chip < PresentChips(m_n8255Count); ++chip)
        AppendPorts(ports, count, m_8255Address[chip], k8255Ports);
}

// Besides the list, stops the timer slots whose chip is absent and wires them
// to TRAP; a stopped slot never moves OUT, so that route stays silent.
void CSimulator::UpdatePortList() {
    CollectPeripheralPorts(m_Ports, g_nPortCount);
    SyncTimers();
    for (int slot = PresentChips(m_n8253Count) * kCountersPer8253; slot < k8155TimerSlot; ++slot)
        PutSlotAtRest(m_Timer[slot]);
    if (!m_b8155Connected) PutSlotAtRest(m_Timer[k8155TimerSlot]);
    TimersWritten();
}
