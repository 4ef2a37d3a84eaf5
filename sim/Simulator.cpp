#include "sim/Simulator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

CSimulator g_Sim;

namespace {
void PrintFatalMessage(const char* text) { std::fprintf(stderr, "%s\n", text); }

constexpr u16 kResetSp = 0xFFF0;
constexpr u16 kDefaultEpromEnd = 0x1FFF;
constexpr u16 kDefaultRamStart = 0xE000;
constexpr u16 kDefaultRamEnd = 0xFFFF;
constexpr std::size_t kFillPiece = 32767;
}  // namespace

FatalMessageHandler g_fatalMessageHandler = PrintFatalMessage;

CSimulator::CSimulator() {
    // Every member not set below starts at zero, as it would in static storage;
    // clearing here also gives tests a true power-on state from a fresh object.
    std::memset(static_cast<void*>(this), 0, sizeof(*this));

    for (int bank = 0; bank < kMaxMemBanks; ++bank) {
        m_EpromStart[bank] = 0;
        m_EpromEnd[bank] = 0;
        m_RamStart[bank] = kDefaultRamStart;
        m_RamEnd[bank] = kDefaultRamEnd;
    }
    m_EpromEnd[0] = kDefaultEpromEnd;
    m_nEpromBanks = 1;
    m_nRamBanks = 1;

    // Peripheral power-on values.
    m_n8279Prescaler = k8279DefaultPrescaler;
    m_nLcdCharsLogical = 8;
    m_nLcdCharsPhysical = 16;
    m_bLcdDisplayOn = 1;
    m_bLcdCursorOn = 1;
    m_bLcdBlink = 1;
    m_bLcdIncrement = 1;
    std::memset(m_LcdRam, ' ', sizeof m_LcdRam);
    g_Irq8279Route = 0;
    for (int chip = 0; chip < kMaxChips; ++chip) {
        g_Irq8251Route[chip] = 0;
        m_8253Select[chip] = 3;
        for (int counter = 0; counter < 4; ++counter) m_8253RwMode[chip][counter] = 3;
    }
    for (int slot = 0; slot < kTimerSlots; ++slot) {
        m_TimerResidue[slot] = 0;
        m_TimerPrescaler[slot] = 1;
    }
    TimersWritten();
}

void CSimulator::Reset() {
    m_stackValid = 0;
    m_sp = kResetSp;
    m_pc = 0x0000;

    m_flagP = m_flagZ = m_flagAC = m_flagCY = m_flagS = 0;
    m_regL = m_regH = m_regE = m_regD = m_regC = m_regB = m_regA = 0;

    m_mask55 = m_mask65 = m_mask75 = 1;
    m_pendTrap = m_pendRst75 = m_pendRst65 = m_pendRst55 = 0;

    // Device reset values, then the T-state count, then the timer slots.
    Reset8251Chips();
    Reset8279();
    Reset8255Chips();
    Reset8155();
    SetTStates(0);
    ResetTimerSlots();
}

bool CSimulator::InitMemoryCleared() { return InitMemory(true); }

bool CSimulator::InitMemory(bool bClear) {
    m_pMemory = static_cast<u8*>(AllocBlock(kMemorySize, 1));
    if (m_pMemory == nullptr) OutOfMemory();
    if (bClear) FillHuge(m_pMemory, 0, kMemorySize);
    return true;
}

void* CSimulator::AllocBlock(std::size_t size, std::size_t count) {
    // The block lives until the process ends, like the machine itself.
    return std::calloc(count, size);
}

void CSimulator::FillHuge(void* p, int value, std::size_t count) {
    auto* bytes = static_cast<u8*>(p);
    while (count > 0) {
        const std::size_t piece = count < kFillPiece ? count : kFillPiece;
        std::memset(bytes, value, piece);
        bytes += piece;
        count -= piece;
    }
}

void CSimulator::OutOfMemory() {
    g_fatalMessageHandler("Not enough memory");
    std::exit(0);
}
