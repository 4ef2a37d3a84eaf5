#include "periph/InterruptRoutes.h"
#include "sim/AluInline.h"

u8 g_Irq8279Route;
u8 g_Irq8251Route[kMaxChips];

namespace {
constexpr u8 kTrapSavedMarker = 0x80;  // RIM sees a negative value: TRAP saved IE

// The maskable inputs in priority order.
struct MaskableInput {
    u8 CSimulator::*pending;
    u8 CSimulator::*mask;
    u16 vector;
};
constexpr MaskableInput kMaskableInputs[] = {
    {&CSimulator::m_pendRst75, &CSimulator::m_mask75, IrqVector::kRst75},
    {&CSimulator::m_pendRst65, &CSimulator::m_mask65, IrqVector::kRst65},
    {&CSimulator::m_pendRst55, &CSimulator::m_mask55, IrqVector::kRst55},
};
}  // namespace

// Accepts at most one request, TRAP first. Until the program has loaded SP,
// nothing is accepted and the highest eligible request blocks the rest, so
// no interrupt can push onto a stack that does not exist yet.
// CheckInterrupts (sim/Simulator.h) calls this only when TRAP is latched
// or IE is set and any request is; the masks are looked at here.
void CSimulator::AcceptInterrupt() {
    if (m_pendTrap != 0) {
        if (!IsStackValid()) return;
        Push(static_cast<u8>(m_pc >> 8), static_cast<u8>(m_pc & 0xFF));
        m_pc = IrqVector::kTrap;
        m_trapSavedIE = static_cast<i8>(kTrapSavedMarker + m_intEnable);
        m_pendTrap = 0;
        m_intEnable = 0;
        return;
    }
    for (const MaskableInput& input : kMaskableInputs) {
        if (this->*input.pending == 0 || m_intEnable != 1 || this->*input.mask != 0) continue;
        if (!IsStackValid()) return;
        Push(static_cast<u8>(m_pc >> 8), static_cast<u8>(m_pc & 0xFF));
        m_pc = input.vector;
        m_intEnable = 0;
        this->*input.pending = 0;
        return;
    }
}
