// The one simulated machine: CPU, memory, run-control flags and the state of
// every peripheral chip, held in the single global object g_Sim.
//
// Members are public on purpose: the executor, the peripheral models, the
// windows and the dialogs all read and write them directly. Nothing depends
// on the object's memory layout; the configuration file is written field by
// field.
#pragma once

#include <cstdint>
#include <cstddef>

using u8 = std::uint8_t;
using i8 = std::int8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;
using i32 = std::int32_t;

constexpr u32 kMemorySize = 0x10000;
constexpr int kMaxListingLines = 65535;
constexpr int kMaxBreakpoints = 16;
constexpr int kMaxMemWatches = 6;
constexpr int kMaxIOWatches = 16;
constexpr int kMaxChips = 5;
constexpr int kTimerSlots = 16;
constexpr int kMaxMemBanks = 4;

// Bus-cycle records of the last executed instruction (type << 24 | address << 8 | data).
constexpr int kMaxBusCycles = 5;
extern u32 g_busCycles[kMaxBusCycles];
extern u32 g_busCycleCount;

// ==== peripheral types (timer slot record etc.) ============================

class CSimulator {
public:
    CSimulator();

    // ==== 1. paths and listing storage =====================================
    char m_szStartupCfgPath[500];
    char m_szProgramPath[500];
    char m_szProgramName[81];
    u32 m_LineAddress[kMaxListingLines];
    char m_szLineText[500];

    // ==== 2. memory map (configuration only) ===============================
    u16 m_EpromStart[8], m_EpromEnd[8], m_RamStart[8], m_RamEnd[8];
    u8 m_nEpromBanks, m_nRamBanks;

    // ==== 3. run-control flags =============================================
    u32 m_bRebuildPortsOnStep;
    u32 m_bRebuildPortsOnRun;
    u32 m_bRunning;
    u32 m_bStopRequest;

    // ==== 4./5. port list and breakpoints ==================================
    u32 m_Ports[64];
    u32 m_Breakpoints[kMaxBreakpoints];

    // ==== 6. CPU registers and interrupt state =============================
    u8 m_regA, m_regB, m_regC, m_regD, m_regE, m_regH, m_regL;
    u8 m_flagS, m_flagZ, m_flagCY, m_flagAC, m_flagP, m_flagX5, m_flagV;
    u8 m_intEnable;
    u8 m_mask75, m_mask65, m_mask55;
    u8 m_eiDelay;
    u8 m_rimPending75, m_rimPending65, m_rimPending55;
    i8 m_trapSavedIE;
    u16 m_pc, m_sp;
    u16 m_lineCount;
    u8* m_pMemory;
    u8 m_sid;

    // ==== 7. watch lists ===================================================
    u16 m_MemWatchAddr[kMaxMemWatches];
    u8 m_nMemWatchCount, m_nIOWatchCount;

    // ==== 8. counters and interrupt latches ================================
    u32 m_tStates;
    u8 m_pendRst55, m_pendRst65, m_pendRst75, m_pendTrap;
    u8 m_stackValid;

    // ==== 9. peripheral state and configuration ============================
    // ---- 8279 ----
    // ---- 8155 ----
    // ---- LCD ----
    // ---- 8253 ----
    u16 m_lastTStates;  // T-states of the last instruction: the timers' clock
    // ---- timer slots ----
    // ---- 8251 ----
    // ---- 8255 ----

    // ==== 10. stack depth ==================================================
    u16 m_maxStackDepth, m_stackDepth;

    // ==== 11. changed flags ================================================
    u8 m_b8279Changed, m_b8155Changed, m_bLcdChanged;

    // ==== machine set-up ===================================================
    void Reset();
    bool InitMemoryCleared();
    bool InitMemory(bool bClear);
    void* AllocBlock(std::size_t size, std::size_t count);
    static void FillHuge(void* p, int value, std::size_t count);
    [[noreturn]] static void OutOfMemory();

    // Validation and notification points that dialogs and windows call; each
    // has a fixed result.
    bool ValidateHexInput(void* dialog, int controlId, int count) const { return true; }
    bool IsValidHexText(const char* text) const { return true; }
    bool ValidateDecInput(void* dialog, int controlId, int digits) const { return true; }
    void ReportBadInput(void* dialog, const char* text, int controlId) {}
    void OnConfigChanged() {}
    void OnClearIOWatches() {}
    void OnClearMemWatches() {}
    void ForceInterrupt(int which) {}
    void PutSerialInput(u8 value, int ninthBit) {}

    // ==== instruction executor, ALU, flags and stack =======================
    void Push(u8 high, u8 low);
    u16 Pop();

    // ==== disassembler, breakpoints and watch-list slots ===================

    // ==== I/O dispatch, tick and interrupts ================================
    // A device decodes base + offset as a whole number, without wrapping at
    // 256: a device at base 0xFF has only its first port.
    static bool DecodesPort(int base, int port, int offset) { return base + offset == (port & 0xFF); }
    void OutPort(int port);
    void InPort(int port);
    bool IsStackValid() const { return m_stackValid != 0; }
    void TickPeripherals();
    void CheckInterrupts();

    // ==== timers ===========================================================

    // ==== 8279, 8251, 8155/8255, LCD =======================================
    // Device sections of OutPort/InPort, run in a fixed order by the dispatch;
    // each checks its own presence and decodes the port itself.
    void Out8279Section(int port);
    void In8279Section(int port);
    void Out8155Section(int port);
    void In8155Section(int port);
    void Out8255Section(int port);
    void In8255Section(int port);
    void Out8251Section(int port);
    void In8251Section(int port);
    void OutLcdSection(int port);
    void Update8279Irq();
    void Update8251Irq();
    void Reset8279();
    void Reset8155();
    void Reset8255Chips();
    void Reset8251Chips();

    // ==== configuration file ===============================================
};

extern CSimulator g_Sim;

// Shows a fatal message to the user; the application installs a GUI version.
// The default prints to stderr.
using FatalMessageHandler = void (*)(const char* text);
extern FatalMessageHandler g_fatalMessageHandler;
