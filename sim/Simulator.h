// The one simulated machine: CPU, memory, run-control flags and the state of
// every peripheral chip, held in the single global object g_Sim.
//
// Members are public on purpose: the executor, the peripheral models, the
// windows and the dialogs all read and write them directly. Nothing depends
// on the object's memory layout; the configuration file is written field by
// field.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "sim/BreakpointMap.h"

using u8 = std::uint8_t;
using i8 = std::int8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;
using i32 = std::int32_t;
using u64 = std::uint64_t;
using i64 = std::int64_t;

constexpr u32 kMemorySize = 0x10000;
// HLT: the executor skips the tick after it, and Run stops after it.
constexpr u8 kOpcodeHlt = 0x76;
constexpr int kMaxListingLines = 65535;
constexpr int kMaxBreakpoints = 16;
constexpr int kMaxMemWatches = 6;
constexpr int kMaxIOWatches = 16;
constexpr int kMaxChips = 5;
constexpr int kTimerSlots = 16;
constexpr int kMaxMemBanks = 4;

// Bus-cycle records of the last executed instruction: the machine-cycle
// type in bits 31-24, the address in bits 23-8 and the data in bits 7-0.
constexpr int kMaxBusCycles = 5;
constexpr u32 kBusCycleTypeShift = 24;
constexpr u32 kBusCycleAddressShift = 8;
extern u32 g_busCycles[kMaxBusCycles];
extern u32 g_busCycleCount;

// Breakpoint count (entries 0 to count-1 of g_Sim.m_Breakpoints are valid).
extern u32 g_nBreakpointCount;
// I/O watch list: three parallel arrays, one entry across all three, entry 0
// the newest; the count is g_Sim.m_nIOWatchCount.
extern u16 g_IOWatchKind[kMaxIOWatches];
extern u16 g_IOWatchIndex[kMaxIOWatches];
extern u8 g_IOWatchValid[kMaxIOWatches];

// ==== peripheral types (timer slot record etc.) ============================

// One timer counter: an 8253 counter or the 8155 timer. The configuration
// file stores the fields one by one in an order of its own (25 bytes, live
// count included; periph/ConfigLayout.h).
struct CounterState {
    u8 m_bRunning;      // 1 = counts at each tick
    u8 m_bOut;          // OUT pin level
    u8 m_nIrqRoute;     // where OUT is wired (interrupt route code)
    u8 m_nMode;         // counter mode 0-5 (6, 7 kept as written, inert)
    i32 m_nCount;       // current count, compared as a signed number
    u32 m_nReload;      // initial count written by the program
    u32 m_nReloadEven;  // mode 3: initial count rounded down to even
    u32 m_nLatch;       // count captured by a latch command
    u8 m_bLatched;      // 1 = a latched value waits to be read
    u8 m_bReadLsb;      // 1 = next read returns the low byte
    u8 m_bGate;         // GATE input level
    u8 m_bBcd;          // BCD bit of the last control word, stored only
    u8 m_nRwMode;       // read/load bits of the last control word
};

// The timer tick's own bookkeeping (periph/TimerTick.cpp); nothing else
// reads it. A slot's members are brought up to date only when they are
// used or when the slot must be stepped (its count or square-wave half
// ends), so after an instruction they may hold the state of an earlier one:
// they were left at slotClock, and `left` keeps what they held then.
struct TimerSchedule {
    static constexpr u64 kEveryTick = 0;  // a due clock that every tick reaches
    static constexpr u64 kNever = ~u64{0};
    static constexpr u8 kLevelRst55 = 1;  // levelRequests bits
    static constexpr u8 kLevelRst65 = 2;

    u64 clock;                      // T-states of every tick so far
    u64 due;                        // the earliest due clock of any slot
    u16 lastTStates;                // T-states of the last tick
    u8 levelRequests;               // the level inputs some slot's OUT holds high
    u8 holdingRst55, holdingRst65;  // how many slots hold each
    u64 slotClock[kTimerSlots];     // when the slot's members were left
    u64 slotDue[kTimerSlots];       // the clock of the tick at which the slot must be stepped
    CounterState left[kTimerSlots];
    u16 leftPulses[kTimerSlots], leftResidue[kTimerSlots], leftPrescaler[kTimerSlots];
};

// What the 8251 chips' interrupt lines drove at the last tick that worked
// them out (periph/Chip8251.cpp), and what that was worked out from: the
// chip count, previous statuses and statuses (side by side in CSimulator)
// and the routes. While these stay as they were, the lines drive the same.
struct SerialLinesSeen {
    u8 chips[1 + 2 * kMaxChips];
    u8 routes[kMaxChips];
    u8 drivesRst55, drivesRst65;  // 1 = some chip is routed to the input
    u8 rst55, rst65;              // the level it drives
};

// Interrupt routes of the 8279 and the 8251 chips, and the number of entries
// in the port list; they live outside g_Sim.
extern u8 g_Irq8279Route;
extern u8 g_Irq8251Route[kMaxChips];
extern u32 g_nPortCount;

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
    // The table's addresses as bits, for Run's test after every instruction.
    CBreakpointMap m_breakpointMap;

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

    // ==== 8. interrupt latches =============================================
    u8 m_pendRst55, m_pendRst65, m_pendRst75, m_pendTrap;
    u8 m_stackValid;

    // ==== 9. peripheral state and configuration ============================
    // ---- 8279 ----
    static constexpr int k8279DisplaySize = 16;  // display RAM bytes
    static constexpr int k8279FifoSize = 8;      // keys the FIFO holds
    static constexpr int k8279SegCodes = 256;    // one segment text per byte value
    static constexpr int k8279SegTextSize = 3;   // two characters and a NUL
    static constexpr u8 k8279DefaultPrescaler = 31;
    u8 m_n8279LastCmd;  // last command byte; nothing reads it
    u8 m_n8279Address;  // base port: data at base, command/status at base + 1
    u8 m_b8279Connected;
    u8 m_n8279PrevStatus;  // status at the previous tick (interrupt edge)
    u8 m_n8279Status;      // bits 0-3 key count, 0x10 underrun, 0x20 overrun
    u16 m_b8279LeftEntry;  // 1 = left entry, 0 = right entry
    u16 m_n8279Digits;     // display size, 8 or 16
    u16 m_b8279ReadFifo;
    u16 m_b8279ReadDisplay;
    u16 m_n8279FifoAddr;     // stored only
    u16 m_b8279FifoAutoInc;  // stored only
    u16 m_n8279DisplayAddr;  // 0 to 15
    u16 m_b8279DisplayAutoInc;
    u16 m_b8279WriteDisplay;
    u16 m_b8279InhibitWrite;  // stored only
    u16 m_n8279FifoCount;     // 0 to 8
    u16 m_b8279BlankHigh;     // last clear chose blank code 0x20 or 0xFF
    u8 m_8279DisplayRam[k8279DisplaySize];
    u8 m_8279Fifo[k8279FifoSize];  // oldest key first
    u8 m_n8279Mode;                // last mode-set byte; nothing reads it
    u8 m_n8279Prescaler;           // program-clock value; nothing reads it
    char m_8279SegTable[k8279SegCodes][k8279SegTextSize];
    // ---- 8155 ----
    u8 m_n8155Address;  // command at base, ports A-C at +1..+3, timer at +4, +5
    u8 m_b8155Connected;
    u8 m_8155Port[3];          // latches of ports A, B, C (C has 6 bits)
    u8 m_n8155Command;         // last command byte; nothing reads it
    u16 m_8155PortIsInput[3];  // nonzero = input
    // ---- LCD ----
    static constexpr int kLcdRamSize = 256;  // four lines of 64 bytes
    static constexpr int kLcdRamLine = 64;
    static constexpr int kLcdLines = 4;
    static constexpr int kLcdTextChars = 40;  // width of a shown text line
    u8 m_nLcdAddress;                         // instruction at base, data at base + 1
    u8 m_bLcdConnected;
    u8 m_nLcdCharsLogical;
    u8 m_nLcdCharsPhysical;
    u8 m_nLcdLastCmd;  // nothing reads it
    u8 m_bLcdDisplayOn;
    u8 m_bLcdCursorOn;   // stored only
    u8 m_bLcdBlink;      // stored only
    u8 m_nLcdAddr;       // address counter: RAM position of the next data write
    u8 m_bLcdIncrement;  // I/D of the entry mode
    u8 m_nLcdCursor;
    char m_LcdRam[kLcdRamSize];
    // ---- 8253 ----
    u8 m_n8253Count;                 // chips 0 to count - 1 present
    u8 m_8253Address[kMaxChips];     // base port per chip
    u8 m_8253Select[kMaxChips];      // counter addressed last (3 = none)
    u8 m_8253RwMode[kMaxChips][4];   // RL field per counter
    u8 m_8253Bcd[kMaxChips][4];      // BCD bit per counter
    u8 m_8253MsbNext[kMaxChips][4];  // RL 3: next data byte is the high one
    u16 m_lastTStates;               // T-states of the last instruction: the timers' clock
    // ---- timer slots ----
    // Slot chip * 3 + counter for the 8253 counters, slot 15 for the 8155 timer.
    u16 m_TimerPulses[kTimerSlots];     // counter clock pulses of this tick
    u16 m_TimerResidue[kTimerSlots];    // T-states left from the last division
    u16 m_TimerPrescaler[kTimerSlots];  // T-states per counter clock pulse
    CounterState m_Timer[kTimerSlots];
    TimerSchedule m_timerSchedule;
    // The timers' clock when the T-state count was 0, less the T-states of
    // every HLT since: see TStates.
    u64 m_tStatesOrigin;
    // ---- 8251 ----
    u8 m_n8251Address[kMaxChips];     // data at base, mode/command/status at base + 1
    u8 m_n8251Count;                  // chips 0 to count - 1 present
    u8 m_n8251PrevStatus[kMaxChips];  // status at the previous tick (interrupt edge)
    u8 m_n8251Status[kMaxChips];      // bit 0 TxRDY, 1 RxRDY, 2 TxEMPTY, 3-5 errors
    u8 m_n8251TxData[kMaxChips];
    u8 m_b8251TxFull[kMaxChips];       // a byte has been transmitted since power-on
    u16 m_b8251ExpectMode[kMaxChips];  // next control write is a mode instruction
    u16 m_n8251Divisor[kMaxChips];     // 1, 16 or 64
    u16 m_b8251ParityOn[kMaxChips];
    u16 m_b8251ParityOdd[kMaxChips];
    u16 m_n8251StopCode[kMaxChips];  // 1, 2 or 3: 1, 1.5 or 2 stop bits
    u16 m_b8251TxEnable[kMaxChips];  // stored only
    u16 m_b8251RxEnable[kMaxChips];  // stored only
    u8 m_n8251RxData[kMaxChips];
    u8 m_n8251CharBits[kMaxChips];  // stored only
    u8 m_n8251Mode[kMaxChips];
    u8 m_n8251Command[kMaxChips];
    SerialLinesSeen m_8251LinesSeen;
    // ---- 8255 ----
    u8 m_8255Address[kMaxChips];  // ports A-C at base + 0..2, control at + 3
    u8 m_n8255Count;              // chips 0 to count - 1 present
    u8 m_8255PortA[kMaxChips], m_8255PortB[kMaxChips], m_8255PortC[kMaxChips];
    u8 m_8255Control[kMaxChips];  // last control byte; nothing reads it
    u16 m_8255PortAIsInput[kMaxChips], m_8255PortBIsInput[kMaxChips];
    u16 m_8255PortCLowIsInput[kMaxChips], m_8255PortCHighIsInput[kMaxChips];

    // ==== 10. stack depth ==================================================
    u16 m_maxStackDepth, m_stackDepth;

    // ==== 11. changed flags and the dialogs' working copies ================
    u8 m_b8279Changed, m_b8155Changed, m_bLcdChanged;
    // What a configuration dialog edits while it is open; OK copies them to
    // the live members above, Cancel leaves them for the next opening to
    // reload. The 32-bit entries hold the whole number typed, the live
    // members its low bits.
    u8 m_nWork8251Count;
    u32 m_Work8251Address[kMaxChips];
    u32 m_Work8251Route[kMaxChips];
    u8 m_nWork8253Count, m_nWork8255Count;
    u16 m_WorkEpromStart[8], m_WorkEpromEnd[8], m_WorkRamStart[8], m_WorkRamEnd[8];
    u8 m_nWorkEpromBanks, m_nWorkRamBanks;
    u32 m_Work8253Prescaler[kTimerSlots];
    u32 m_Work8253Route[kTimerSlots];

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
    // Machine-cycle types held in bits 31-24 of a bus-cycle record.
    enum BusCycleType : u32 {
        kCycleFetch4 = 0,
        kCycleMemRead = 1,
        kCycleMemWrite = 2,
        kCycleIoRead = 3,
        kCycleIoWrite = 4,
        kCycleFetch6 = 5
    };
    static constexpr u32 BusCycleRecord(u32 type, u16 address, u8 data) {
        return type << kBusCycleTypeShift | u32(address) << kBusCycleAddressShift | data;
    }
    // No instruction records more than five cycles (the executor's tests run
    // every opcode), and Push, the one record added after an instruction's
    // own, checks the room itself; so an append finds room without a check
    // on the path every instruction takes. Debug builds check all the same.
    static void AppendBusCycle(u32 type, u16 address, u8 data) {
        assert(g_busCycleCount < kMaxBusCycles);
        g_busCycles[g_busCycleCount++] = BusCycleRecord(type, address, data);
    }
    // Two bytes as a 16-bit value, each read on its own. Registers and memory
    // are mostly written a byte at a time, and a processor cannot pass two
    // pending byte writes on to one 16-bit read, which then waits until they
    // reach the cache; a compiler would otherwise merge the two reads.
    static u16 Word(u8 high, u8 low) {
#if defined(__GNUC__)
        __asm__("" : "+r"(low));
#endif
        return u16(high << 8 | low);
    }
    u16 PairHL() const { return Word(m_regH, m_regL); }

    void ExecuteInstruction();
    // T-states since the last reset, in 64 bits, which no run wraps. Every
    // instruction but HLT adds its T-states to the timers' clock, so the
    // count is read off that clock instead of being kept a second time on
    // the executor's path; a HLT's are counted by moving the origin back.
    u64 TStates() const { return m_timerSchedule.clock - m_tStatesOrigin; }
    void SetTStates(u64 count) { m_tStatesOrigin = m_timerSchedule.clock - count; }
    // The flag, ALU, register-field and stack routines are defined in
    // sim/AluInline.h so that the executor compiles them in place; a caller
    // includes it.
    inline void Push(u8 high, u8 low);
    inline u16 Pop();
    inline void SetSZP(u8 value);
    inline void Add(u8* dst, u8 operand, bool withCarry);
    inline void Sub(u8* dst, u8 operand, bool withBorrow);
    inline void Compare(u8 a, u8 operand);
    inline void And(u8* dst, u8 operand);
    inline void Or(u8* dst, u8 operand);
    inline void Xor(u8* dst, u8 operand);
    inline void Inr(u8* byte);
    inline void Dcr(u8* byte);
    inline void Inx(u8* high, u8* low);
    inline void Dcx(u8* high, u8* low);
    inline void Dad(u8* h, u8* l, u8 high, u8 low);
    inline void Daa();
    inline u8 GetReg8(u8 field) const;
    inline void SetReg8(u8 value, u8 opcode);
    inline void ExecMov(u8 opcode);
    inline void ExecAddGroup(u8 opcode);
    inline void ExecSubGroup(u8 opcode);
    inline void ExecAnaGroup(u8 opcode);
    inline void ExecXraGroup(u8 opcode);
    inline void ExecOraGroup(u8 opcode);
    inline void ExecCmpGroup(u8 opcode);

    // ==== disassembler, breakpoints and watch-list slots ===================
    static int GetInstrLength(u8 opcode);
    // Writes the listing line of the instruction at the low 16 bits of
    // *address into buffer (kDisasmBufferSize characters, sim/Disasm.h).
    // Returns 1 and advances *address by the instruction's length, or 0 at the
    // end of memory with *address unchanged.
    int DisassembleLine(u32* address, char* buffer);
    // Index + 1 of the entry holding address, or 0.
    u32 FindBreakpoint(u32 address) const;
    // 2: removed, 1: added, 0: table full and unchanged.
    int ToggleBreakpoint(u32 address);
    // Whether a program counter is in the table, by its bit in the map.
    bool IsBreakpointAt(u16 pc) const { return m_breakpointMap.Test(pc); }
    // Every writer of m_Breakpoints or g_nBreakpointCount calls this after
    // it, so that the map follows the table.
    void BreakpointsChanged();
    // Slot routines of the watch lists. Each returns false, changing nothing,
    // when the list is full (insert) or index or count lie outside the list;
    // on true the caller stores the new entry at index and raises its count
    // (insert) or lowers its count (delete).
    static bool InsertSlot(u16* list, int index, int count, int capacity);
    static bool DeleteSlot(u16* list, int index, int count, int capacity);
    static bool InsertSlot3(u16 (&kinds)[kMaxIOWatches], u16 (&indexes)[kMaxIOWatches], u8 (&valid)[kMaxIOWatches],
                            int index, int count);
    static bool DeleteSlot3(u16 (&kinds)[kMaxIOWatches], u16 (&indexes)[kMaxIOWatches], u8 (&valid)[kMaxIOWatches],
                            int index, int count);

    // ==== I/O dispatch, tick and interrupts ================================
    // A device decodes base + offset as a whole number, without wrapping at
    // 256: a device at base 0xFF has only its first port.
    static bool DecodesPort(int base, int port, int offset) { return base + offset == (port & 0xFF); }
    void OutPort(int port);
    void InPort(int port);
    bool IsStackValid() const { return m_stackValid != 0; }
    // Both run after every instruction, so the common cases (a device absent,
    // no request latched that IE lets through) return here without a call.
    void TickPeripherals() {
        if (m_b8279Connected) Update8279Irq();
        if (m_n8251Count != 0) Update8251Irq();
        Tick8253();
    }
    void CheckInterrupts() {
        if (m_intEnable == 1 ? AnyRequestLatched() : m_pendTrap != 0) AcceptInterrupt();
    }
    // The four latches read as one word. Only where IE is set: a tick that
    // has just written one of them (a level route, every tick) would make
    // the wider read wait for that write.
    bool AnyRequestLatched() const {
        static_assert(offsetof(CSimulator, m_pendTrap) == offsetof(CSimulator, m_pendRst55) + 3,
                      "the request latches lie side by side");
        u32 latches;
        std::memcpy(&latches, &m_pendRst55, sizeof latches);
        return latches != 0;
    }
    // Accepts at most one pending request, in priority order.
    void AcceptInterrupt();
    void CollectPeripheralPorts(u32* ports, u32& count) const;
    void UpdatePortList();

    // ==== timers ===========================================================
    // The timer slots (m_Timer, m_TimerPulses, m_TimerResidue,
    // m_TimerPrescaler) as seen from outside the core: a window, dialog or
    // test calls SyncTimers() before it reads them and TimersWritten() after
    // it writes them, as the tick keeps them up to date lazily. What was
    // written counts from that moment; the other fields keep counting as if
    // the tick had kept them up to date all along. Debug builds stop at the
    // next tick or sync when a write was not announced.
    void SyncTimers();
    void TimersWritten();
    void Out8253Section(int port);
    void In8253Section(int port);
    void Load8253Counter(int slot);
    // Runs after every instruction but HLT. Most ticks only add the
    // T-states to the timers' clock.
    void Tick8253() {
#ifndef NDEBUG
        CheckTimersAsLeft();
#endif
        TimerSchedule& schedule = m_timerSchedule;
        const u16 tStates = m_lastTStates;
        if (tStates == 0) return TickTimersWithoutTime();
        schedule.lastTStates = tStates;
        schedule.clock += tStates;
        if (schedule.clock >= schedule.due) StepDueTimers();
        if (schedule.levelRequests != 0) RaiseTimerLevelRequests();
    }
    void ResetTimerSlots();
    // The core's own users of one slot: SyncTimerSlot before reading or
    // writing it, TimerSlotWritten after writing.
    void SyncTimerSlot(int slot);
    void TimerSlotWritten(int slot);

private:
    void RaiseTimerLevelRequests() {
        const u8 levels = m_timerSchedule.levelRequests;
        if (levels & TimerSchedule::kLevelRst55) m_pendRst55 = 1;
        if (levels & TimerSchedule::kLevelRst65) m_pendRst65 = 1;
    }
    void StepDueTimers();
    void TickTimersWithoutTime();
    void ReconcileTimerSlot(int slot);
    void LeaveTimerSlot(int slot);
    void FindNextDueTimer();
    void StepTimerSlot(int slot);
    void CheckTimerSlotAsLeft(int slot) const;
    void CheckTimersAsLeft() const;

public:
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

    // Inputs the I/O watch window gives to the chips.
    // A key scan code into the 8279's FIFO; a full FIFO loses it and flags overrun.
    void Input8279Key(u8 scanCode);
    // Whether chip (0-based) is present and its last command enabled the receiver.
    bool Is8251ReceiverEnabled(int chip) const;
    // A received byte for chip; false (nothing stored) unless the receiver is enabled.
    bool Input8251Byte(int chip, u8 value);
    // The segment text shown for a display byte: at most two characters and a NUL,
    // also when the stored entry lacks its NUL. Empty when the entry is empty.
    void Get8279SegmentText(u8 displayByte, char (&text)[k8279SegTextSize]) const;

    // The four LCD text lines for display lines 1 to 4, each NUL-terminated and
    // at most kLcdTextChars characters long.
    using LcdText = char[kLcdTextChars + 1];
    void GetLcdLines(LcdText& line1, LcdText& line2, LcdText& line3, LcdText& line4) const;

    // ==== configuration file ===============================================
    // What a load or save did; ConfigResultMessage (periph/ConfigFile.h) gives
    // the text the user is shown for a failure.
    enum class ConfigResult { Loaded, Created, Saved, NotValid, CannotWrite };
    // Both bring the timer slots up to date first: a save writes their live
    // counts, and a load keeps the pulses and left-overs the file lacks.
    ConfigResult LoadConfig(const char* path);
    ConfigResult SaveConfig(const char* path);

private:
    // Update8251Irq's work once a chip, route or count has changed.
    void WorkOut8251Lines();
};

extern CSimulator g_Sim;

// Shows a fatal message to the user; the application installs a GUI version.
// The default prints to stderr.
using FatalMessageHandler = void (*)(const char* text);
extern FatalMessageHandler g_fatalMessageHandler;
