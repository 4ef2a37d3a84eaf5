// The instruction executor: one 8085 instruction per call, with its T-states,
// its machine-cycle records and the end-of-instruction steps.
#include "sim/AluInline.h"
#include "sim/OpcodeTiming.h"
#include "sim/Simulator.h"

namespace {

constexpr u16 kRstVVector = 0x0040;
constexpr u8 kSignBit = 0x80;
constexpr u16 kSignBit16 = 0x8000;
constexpr u16 kMagnitude16 = 0x7FFF;
constexpr u8 kSimMaskEnable = 0x08;
constexpr u8 kEiDelayArmed = 2;

// PSW byte layout shared by PUSH PSW and POP PSW; bits 5, 3 and 1 stay zero.
constexpr int kPswS = 7, kPswZ = 6, kPswAC = 4, kPswP = 2, kPswCY = 0;

// Opcode fetches of 6 T-states differ from the 4-T-state record only in type.
void MarkFetch6() { g_busCycles[0] |= u32(CSimulator::kCycleFetch6) << kBusCycleTypeShift; }

// DSUB's parity: set for 2, 4, 6 or 8 one bits among the 16 result bits.
u8 DsubParity(u16 r) {
    int ones = 0;
    for (u16 v = r; v != 0; v &= u16(v - 1)) ++ones;
    return (ones >= 2 && ones <= 8 && ones % 2 == 0) ? 1 : 0;
}

u8 ReadByte(CSimulator& s, u16 address) {
    const u8 value = s.m_pMemory[address];
    CSimulator::AppendBusCycle(CSimulator::kCycleMemRead, address, value);
    return value;
}

void WriteByte(CSimulator& s, u16 address, u8 value) {
    s.m_pMemory[address] = value;
    CSimulator::AppendBusCycle(CSimulator::kCycleMemWrite, address, value);
}

// The 16-bit operand after the opcode at pc, low byte first.
u16 ReadOperand16(CSimulator& s, u16 pc) {
    const u8 low = ReadByte(s, u16(pc + 1));
    const u8 high = ReadByte(s, u16(pc + 2));
    return CSimulator::Word(high, low);
}

// Conditions of Jcc, Ccc and Rcc by opcode bits 5-3: NZ Z NC C PO PE P M.
// Bits 5-4 name the flag and bit 3 the value it must have; a look-up rather
// than a branch per condition, as these instructions are among the most run.
constexpr u8 CSimulator::*kConditionFlag[4] = {&CSimulator::m_flagZ, &CSimulator::m_flagCY, &CSimulator::m_flagP,
                                               &CSimulator::m_flagS};
bool Condition(const CSimulator& s, u8 opcode) {
    const bool set = s.*kConditionFlag[(opcode >> 4) & 3] != 0;
    return set == (((opcode >> 3) & 1) != 0);
}

u8 PackPsw(const CSimulator& s) {
    return u8(s.m_flagS << kPswS | s.m_flagZ << kPswZ | s.m_flagAC << kPswAC | s.m_flagP << kPswP |
              s.m_flagCY << kPswCY);
}

void UnpackPsw(CSimulator& s, u8 psw) {
    s.m_flagS = (psw >> kPswS) & 1;
    s.m_flagZ = (psw >> kPswZ) & 1;
    s.m_flagAC = (psw >> kPswAC) & 1;
    s.m_flagP = (psw >> kPswP) & 1;
    s.m_flagCY = (psw >> kPswCY) & 1;
}

// Pops a word with the two read records of its bytes.
u16 PopWithRecords(CSimulator& s) {
    const u16 sp = s.m_sp;
    const u16 word = s.Pop();
    CSimulator::AppendBusCycle(CSimulator::kCycleMemRead, sp, u8(word));
    CSimulator::AppendBusCycle(CSimulator::kCycleMemRead, u16(sp + 1), u8(word >> 8));
    return word;
}

void Return(CSimulator& s) { s.m_pc = PopWithRecords(s); }

void Call(CSimulator& s, u16 target, u16 returnAddress) {
    s.Push(u8(returnAddress >> 8), u8(returnAddress));
    s.m_pc = target;
}

// An EI's delay: armed at the end of the EI, IE set at the end of the next
// instruction. Any other value a register edit left counts on until it wraps.
void StepEiDelay(CSimulator& s) {
    if (s.m_eiDelay == kEiDelayArmed) {
        s.m_eiDelay = 0;
        s.m_intEnable = 1;
        return;
    }
    ++s.m_eiDelay;
}

u8 RimByte(CSimulator& s) {
    const u8 ie = s.m_trapSavedIE < 0 ? (s.m_trapSavedIE & 1) : s.m_intEnable;
    s.m_trapSavedIE = 0;
    return u8(s.m_sid << 7 | s.m_rimPending75 << 6 | s.m_rimPending65 << 5 | s.m_rimPending55 << 4 | ie << 3 |
              s.m_mask75 << 2 | s.m_mask65 << 1 | s.m_mask55);
}

void Dsub(CSimulator& s) {
    const u16 hl = s.PairHL();
    const u16 bc = CSimulator::Word(s.m_regB, s.m_regC);
    const u16 r = u16(hl - bc);
    const bool hlNeg = (hl & kSignBit16) != 0;
    const bool bcNeg = (bc & kSignBit16) != 0;
    s.m_flagX5 = ((r & kSignBit16) != 0 || (hlNeg && !bcNeg)) ? 1 : 0;
    s.m_flagV =
        ((hlNeg && !bcNeg && (hl & kMagnitude16) < bc) || (!hlNeg && bcNeg && (bc & kMagnitude16) < hl)) ? 1 : 0;
    s.m_flagCY = hl < bc ? 1 : 0;
    s.m_flagAC = 0;
    s.m_flagS = u8(r >> 15);
    s.m_flagZ = hl == bc ? 1 : 0;
    s.m_flagP = DsubParity(r);
    s.m_regH = u8(r >> 8);
    s.m_regL = u8(r);
}

}  // namespace

// Every routine the executor calls from this file and the inline headers is
// compiled in place, however large the switch grows: a call per instruction
// costs as much as the instruction's own work.
[[gnu::flatten]] void CSimulator::ExecuteInstruction() {
    const u16 pc = m_pc;
    const u8 op = m_pMemory[pc];
    g_busCycles[0] = BusCycleRecord(kCycleFetch4, pc, op);
    g_busCycleCount = 1;
    u8 t = kOpcodeTStates[op];

    const u16 next = u16(pc + 1);
    // INR r, DCR r and MVI r, by their destination field (opcode bits 5-3).
    const auto IncrementRegister = [this, next](u8 opcode) {
        u8 v = GetReg8(opcode >> 3);
        Inr(&v);
        SetReg8(v, opcode);
        m_pc = next;
    };
    const auto DecrementRegister = [this, next](u8 opcode) {
        u8 v = GetReg8(opcode >> 3);
        Dcr(&v);
        SetReg8(v, opcode);
        m_pc = next;
    };
    // POP B, D, H.
    const auto PopPair = [this, next](u8& high, u8& low) {
        const u16 v = PopWithRecords(*this);
        high = u8(v >> 8);
        low = u8(v);
        m_pc = next;
    };
    const auto MoveImmediate = [this, pc, next](u8 opcode) {
        SetReg8(ReadByte(*this, next), opcode);
        m_pc = u16(pc + 2);
    };
    // clang-format off
    switch (op) {
// Each opcode of a register-field group has a case of its own, in which the
// group's routine compiles with the opcode as a constant: its register
// fields become direct accesses and its choices disappear.
#define ONE(op, routine) case op: routine(op); break;
#define EIGHT(b, routine) ONE(b, routine) ONE(b + 1, routine) ONE(b + 2, routine) ONE(b + 3, routine) \
    ONE(b + 4, routine) ONE(b + 5, routine) ONE(b + 6, routine) ONE(b + 7, routine)
    EIGHT(0x40, ExecMov) EIGHT(0x48, ExecMov) EIGHT(0x50, ExecMov) EIGHT(0x58, ExecMov)
    EIGHT(0x60, ExecMov) EIGHT(0x68, ExecMov) EIGHT(0x78, ExecMov)
    ONE(0x70, ExecMov) ONE(0x71, ExecMov) ONE(0x72, ExecMov) ONE(0x73, ExecMov) ONE(0x74, ExecMov)
    ONE(0x75, ExecMov) ONE(0x77, ExecMov)
    EIGHT(0x80, ExecAddGroup) EIGHT(0x88, ExecAddGroup)
    EIGHT(0x90, ExecSubGroup) EIGHT(0x98, ExecSubGroup)
    EIGHT(0xA0, ExecAnaGroup)
    EIGHT(0xA8, ExecXraGroup)
    EIGHT(0xB0, ExecOraGroup)
    EIGHT(0xB8, ExecCmpGroup)
    ONE(0x04, IncrementRegister) ONE(0x0C, IncrementRegister) ONE(0x14, IncrementRegister)
    ONE(0x1C, IncrementRegister) ONE(0x24, IncrementRegister) ONE(0x2C, IncrementRegister)
    ONE(0x3C, IncrementRegister)
    ONE(0x05, DecrementRegister) ONE(0x0D, DecrementRegister) ONE(0x15, DecrementRegister)
    ONE(0x1D, DecrementRegister) ONE(0x25, DecrementRegister) ONE(0x2D, DecrementRegister)
    ONE(0x3D, DecrementRegister)
    ONE(0x06, MoveImmediate) ONE(0x0E, MoveImmediate) ONE(0x16, MoveImmediate) ONE(0x1E, MoveImmediate)
    ONE(0x26, MoveImmediate) ONE(0x2E, MoveImmediate) ONE(0x3E, MoveImmediate)
#undef EIGHT
#undef ONE

    // ---- control ----
    case 0x00: m_pc = next; break;  // NOP
    case kOpcodeHlt:
        m_pc = next;
        m_tStatesOrigin -= t;  // counted here: a HLT does not reach the timers' clock
        m_lastTStates = t;
        return;  // a halted CPU neither ticks the peripherals nor takes interrupts here
    case 0xF3: m_intEnable = 0; m_eiDelay = 0; m_pc = next; break;  // DI
    case 0xFB: m_eiDelay = 1; m_pc = next; break;                   // EI
    case 0x20: m_regA = RimByte(*this); m_pc = next; break;         // RIM
    case 0x30:                                                      // SIM
        if (m_regA & kSimMaskEnable) {
            m_mask55 = m_regA & 1;
            m_mask65 = (m_regA >> 1) & 1;
            m_mask75 = (m_regA >> 2) & 1;
        }
        m_pc = next;
        break;

    // ---- 8-bit loads ----
    case 0x36: {  // MVI M
        const u8 imm = ReadByte(*this, next);
        WriteByte(*this, PairHL(), imm);
        m_pc = u16(pc + 2);
        break;
    }
    // clang-format on
    case 0x02:  // STAX B
        WriteByte(*this, Word(m_regB, m_regC), m_regA);
        m_pc = next;
        break;
    case 0x12:  // STAX D
        WriteByte(*this, Word(m_regD, m_regE), m_regA);
        m_pc = next;
        break;
    case 0x0A:  // LDAX B
        m_regA = ReadByte(*this, Word(m_regB, m_regC));
        m_pc = next;
        break;
    case 0x1A:  // LDAX D
        m_regA = ReadByte(*this, Word(m_regD, m_regE));
        m_pc = next;
        break;
    case 0x32:  // STA
        WriteByte(*this, ReadOperand16(*this, pc), m_regA);
        m_pc = u16(pc + 3);
        break;
    case 0x3A:  // LDA
        m_regA = ReadByte(*this, ReadOperand16(*this, pc));
        m_pc = u16(pc + 3);
        break;

    // ---- 16-bit loads and exchanges ----
    case 0x01: {
        const u16 v = ReadOperand16(*this, pc);
        m_regB = u8(v >> 8);
        m_regC = u8(v);
        m_pc = u16(pc + 3);
        break;
    }
    case 0x11: {
        const u16 v = ReadOperand16(*this, pc);
        m_regD = u8(v >> 8);
        m_regE = u8(v);
        m_pc = u16(pc + 3);
        break;
    }
    case 0x21: {
        const u16 v = ReadOperand16(*this, pc);
        m_regH = u8(v >> 8);
        m_regL = u8(v);
        m_pc = u16(pc + 3);
        break;
    }
    case 0x31:  // LXI SP
        m_sp = ReadOperand16(*this, pc);
        m_stackValid = 1;
        m_pc = u16(pc + 3);
        break;
    case 0x22: {  // SHLD
        const u16 address = ReadOperand16(*this, pc);
        WriteByte(*this, address, m_regL);
        WriteByte(*this, u16(address + 1), m_regH);
        m_pc = u16(pc + 3);
        break;
    }
    case 0x2A: {  // LHLD
        const u16 address = ReadOperand16(*this, pc);
        m_regL = ReadByte(*this, address);
        m_regH = ReadByte(*this, u16(address + 1));
        m_pc = u16(pc + 3);
        break;
    }
    case 0xEB: {  // XCHG
        const u8 d = m_regD, e = m_regE;
        m_regD = m_regH;
        m_regE = m_regL;
        m_regH = d;
        m_regL = e;
        m_pc = next;
        break;
    }
    case 0xE3: {  // XTHL
        const u16 sp = m_sp;
        const u8 low = ReadByte(*this, sp);
        const u8 high = ReadByte(*this, u16(sp + 1));
        WriteByte(*this, sp, m_regL);
        WriteByte(*this, u16(sp + 1), m_regH);
        m_regL = low;
        m_regH = high;
        m_pc = next;
        break;
    }
    case 0xF9:  // SPHL
        MarkFetch6();
        m_sp = PairHL();
        m_stackValid = 1;
        m_pc = next;
        break;
    case 0xE9:  // PCHL
        MarkFetch6();
        m_pc = PairHL();
        break;

    // ---- increment, decrement ----
    case 0x34:
    case 0x35: {  // INR M, DCR M
        const u16 address = PairHL();
        u8 v = ReadByte(*this, address);
        if (op == 0x34) Inr(&v);
        else Dcr(&v);
        WriteByte(*this, address, v);
        m_pc = next;
        break;
    }
    case 0x03:
        MarkFetch6();
        Inx(&m_regB, &m_regC);
        m_pc = next;
        break;
    case 0x13:
        MarkFetch6();
        Inx(&m_regD, &m_regE);
        m_pc = next;
        break;
    case 0x23:
        MarkFetch6();
        Inx(&m_regH, &m_regL);
        m_pc = next;
        break;
    case 0x33:
        MarkFetch6();
        ++m_sp;
        m_pc = next;
        break;
    case 0x0B:
        MarkFetch6();
        Dcx(&m_regB, &m_regC);
        m_pc = next;
        break;
    case 0x1B:
        MarkFetch6();
        Dcx(&m_regD, &m_regE);
        m_pc = next;
        break;
    case 0x2B:
        MarkFetch6();
        Dcx(&m_regH, &m_regL);
        m_pc = next;
        break;
    case 0x3B:
        MarkFetch6();
        --m_sp;
        m_pc = next;
        break;

    // ---- 16-bit arithmetic ----
    case 0x09:
        Dad(&m_regH, &m_regL, m_regB, m_regC);
        m_pc = next;
        break;
    case 0x19:
        Dad(&m_regH, &m_regL, m_regD, m_regE);
        m_pc = next;
        break;
    case 0x29:
        Dad(&m_regH, &m_regL, m_regH, m_regL);
        m_pc = next;
        break;
    case 0x39:
        Dad(&m_regH, &m_regL, u8(m_sp >> 8), u8(m_sp));
        m_pc = next;
        break;

    // ---- accumulator and carry ----
    case 0x27:
        Daa();
        m_pc = next;
        break;
    case 0x2F:  // CMA
        m_regA = u8(~m_regA);
        m_pc = next;
        break;
    case 0x37:  // STC
        m_flagCY = 1;
        m_pc = next;
        break;
    case 0x3F:  // CMC
        m_flagCY ^= 1;
        m_pc = next;
        break;
    case 0x07:  // RLC
        m_flagCY = m_regA >> 7;
        m_regA = u8(m_regA << 1 | m_flagCY);
        m_pc = next;
        break;
    case 0x0F:  // RRC
        m_flagCY = m_regA & 1;
        m_regA = u8(m_regA >> 1 | m_flagCY << 7);
        m_pc = next;
        break;
    case 0x17: {  // RAL
        const u8 carryIn = m_flagCY;
        m_flagCY = m_regA >> 7;
        m_regA = u8(m_regA << 1 | carryIn);
        m_pc = next;
        break;
    }
    case 0x1F: {  // RAR
        const u8 carryIn = m_flagCY;
        m_flagCY = m_regA & 1;
        m_regA = u8(m_regA >> 1 | carryIn << 7);
        m_pc = next;
        break;
    }

    // ---- immediate ALU operations ----
    case 0xC6:
        Add(&m_regA, ReadByte(*this, next), false);
        m_pc = u16(pc + 2);
        break;
    case 0xCE:
        Add(&m_regA, ReadByte(*this, next), true);
        m_pc = u16(pc + 2);
        break;
    case 0xD6:
        Sub(&m_regA, ReadByte(*this, next), false);
        m_pc = u16(pc + 2);
        break;
    case 0xDE:
        Sub(&m_regA, ReadByte(*this, next), true);
        m_pc = u16(pc + 2);
        break;
    case 0xE6:
        And(&m_regA, ReadByte(*this, next));
        m_pc = u16(pc + 2);
        break;
    case 0xEE:
        Xor(&m_regA, ReadByte(*this, next));
        m_pc = u16(pc + 2);
        break;
    case 0xF6:
        Or(&m_regA, ReadByte(*this, next));
        m_pc = u16(pc + 2);
        break;
    case 0xFE:
        Compare(m_regA, ReadByte(*this, next));
        m_pc = u16(pc + 2);
        break;

    // ---- jumps ----
    case 0xC3: m_pc = ReadOperand16(*this, pc); break;  // JMP
    case 0xC2:
    case 0xCA:
    case 0xD2:
    case 0xDA:
    case 0xE2:
    case 0xEA:
    case 0xF2:
    case 0xFA:
        if (Condition(*this, op)) {
            m_pc = ReadOperand16(*this, pc);
        } else {
            m_pc = u16(pc + 3);
            t = kTStatesJumpNotTaken;
        }
        break;
    case 0xDD:
    case 0xFD:  // JNX5, JX5
        if ((m_flagX5 != 0) == (op == 0xFD)) {
            m_pc = ReadOperand16(*this, pc);
        } else {
            m_pc = u16(pc + 3);
            t = kTStatesJumpNotTaken;
        }
        break;

    // ---- calls, returns, restarts ----
    case 0xCD:  // CALL
        MarkFetch6();
        Call(*this, ReadOperand16(*this, pc), u16(pc + 3));
        break;
    case 0xC4:
    case 0xCC:
    case 0xD4:
    case 0xDC:
    case 0xE4:
    case 0xEC:
    case 0xF4:
    case 0xFC:
        if (Condition(*this, op)) {
            MarkFetch6();
            Call(*this, ReadOperand16(*this, pc), u16(pc + 3));
        } else {
            m_pc = u16(pc + 3);
            t = kTStatesCallNotTaken;
        }
        break;
    case 0xC9: Return(*this); break;  // RET
    case 0xC0:
    case 0xC8:
    case 0xD0:
    case 0xD8:
    case 0xE0:
    case 0xE8:
    case 0xF0:
    case 0xF8:
        if (Condition(*this, op)) {
            MarkFetch6();
            Return(*this);
        } else {
            m_pc = next;
            t = kTStatesReturnNotTaken;
        }
        break;
    case 0xC7:
    case 0xCF:
    case 0xD7:
    case 0xDF:
    case 0xE7:
    case 0xEF:
    case 0xF7:
    case 0xFF:  // RST n
        MarkFetch6();
        Call(*this, u16(op & 0x38), next);
        break;
    case 0xCB:  // RST V, whatever V holds
        MarkFetch6();
        Call(*this, kRstVVector, next);
        break;

    // ---- stack ----
    case 0xC5:
        MarkFetch6();
        Push(m_regB, m_regC);
        m_pc = next;
        break;
    case 0xD5:
        MarkFetch6();
        Push(m_regD, m_regE);
        m_pc = next;
        break;
    case 0xE5:
        MarkFetch6();
        Push(m_regH, m_regL);
        m_pc = next;
        break;
    case 0xF5:
        MarkFetch6();
        Push(m_regA, PackPsw(*this));
        m_pc = next;
        break;
    case 0xC1: PopPair(m_regB, m_regC); break;
    case 0xD1: PopPair(m_regD, m_regE); break;
    case 0xE1: PopPair(m_regH, m_regL); break;
    case 0xF1: {  // POP PSW
        const u16 v = PopWithRecords(*this);
        m_regA = u8(v >> 8);
        UnpackPsw(*this, u8(v));
        m_pc = next;
        break;
    }

    // ---- input and output ----
    case 0xD3: {  // OUT
        const u8 port = ReadByte(*this, next);
        AppendBusCycle(kCycleIoWrite, u16(port << 8 | port), m_regA);
        OutPort(port);
        m_pc = u16(pc + 2);
        break;
    }
    case 0xDB: {  // IN
        const u8 port = ReadByte(*this, next);
        InPort(port);
        AppendBusCycle(kCycleIoRead, u16(port << 8 | port), m_regA);
        m_pc = u16(pc + 2);
        break;
    }

    // ---- undocumented ----
    case 0x08:
        Dsub(*this);
        m_pc = next;
        break;
    case 0x10: {  // ARHL
        const u16 hl = PairHL();
        m_flagCY = hl & 1;
        m_regH = u8(hl >> 9);
        m_regL = u8(hl >> 1);
        m_pc = next;
        break;
    }
    case 0x18: {  // RDEL
        const u16 de = Word(m_regD, m_regE);
        const u8 carryIn = m_flagCY;
        m_flagCY = (m_regD & kSignBit) ? 1 : 0;
        const u16 r = u16(de << 1 | carryIn);
        m_regD = u8(r >> 8);
        m_regE = u8(r);
        m_pc = next;
        break;
    }
    case 0x28:
    case 0x38: {  // LDHI, LDSI
        const u16 base = op == 0x28 ? PairHL() : m_sp;
        const u16 r = u16(base + ReadByte(*this, next));
        m_regD = u8(r >> 8);
        m_regE = u8(r);
        m_pc = u16(pc + 2);
        break;
    }
    case 0xD9: {  // SHLX
        const u16 de = Word(m_regD, m_regE);
        WriteByte(*this, de, m_regL);
        WriteByte(*this, u16(de + 1), m_regH);
        m_pc = next;
        break;
    }
    case 0xED: {  // LHLX
        const u16 de = Word(m_regD, m_regE);
        m_regL = ReadByte(*this, de);
        m_regH = ReadByte(*this, u16(de + 1));
        m_pc = next;
        break;
    }
    }

    m_lastTStates = t;
    TickPeripherals();
    CheckInterrupts();
    if (m_eiDelay != 0) StepEiDelay(*this);
}
