// T-states and machine-cycle records of every opcode, taken and not-taken
// forms, checked as type and address for each record; the data bytes of the
// records are checked per group below.
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "tests/support/PowerOn.h"

namespace {

constexpr u16 kPc = 0x4000;
constexpr u8 kLow = 0x34, kHigh = 0x12;  // operand bytes at PC+1, PC+2
constexpr u16 kOperand = 0x1234;
constexpr u16 kPort = 0x3434;  // port 34h in both address halves
constexpr u16 kSp = 0xC000;
constexpr u16 kBC = 0x2143, kDE = 0x6587, kHL = 0x9ABC;

// Where a record's address comes from.
// clang-format off
enum Tok {
    F4, F6, RP1, RP2, RHL, WHL, RSP, RSP1, WSP, WSP1, WSPm1, WSPm2,
    RA, RA1, WA, WA1, RBC, WBC, RDE, RDE1, WDE, WDE1, IR, IW
};
// clang-format on

u32 Expected(Tok tok) {
    struct Shape {
        u32 type;
        u16 address;
    };
    static const std::map<Tok, Shape> shapes = {
        {F4, {0, kPc}},      {F6, {5, kPc}},           {RP1, {1, kPc + 1}},   {RP2, {1, kPc + 2}},
        {RHL, {1, kHL}},     {WHL, {2, kHL}},          {RSP, {1, kSp}},       {RSP1, {1, kSp + 1}},
        {WSP, {2, kSp}},     {WSP1, {2, kSp + 1}},     {WSPm1, {2, kSp - 1}}, {WSPm2, {2, kSp - 2}},
        {RA, {1, kOperand}}, {RA1, {1, kOperand + 1}}, {WA, {2, kOperand}},   {WA1, {2, kOperand + 1}},
        {RBC, {1, kBC}},     {WBC, {2, kBC}},          {RDE, {1, kDE}},       {RDE1, {1, kDE + 1}},
        {WDE, {2, kDE}},     {WDE1, {2, kDE + 1}},     {IR, {3, kPort}},      {IW, {4, kPort}},
    };
    const Shape& s = shapes.at(tok);
    return s.type << 24 | u32(s.address) << 8;
}

enum class Form { Always, Taken, NotTaken };

struct Row {
    std::vector<u8> opcodes;
    Form form;
    u32 tStates;
    std::vector<Tok> records;
};

const std::vector<Row>& Table() {
    static const std::vector<Row> rows = {
        {{0x00, 0x04, 0x0C, 0x14, 0x1C, 0x24, 0x2C, 0x3C, 0x05, 0x0D, 0x15, 0x1D, 0x25, 0x2D,
          0x3D, 0x07, 0x0F, 0x17, 0x1F, 0x27, 0x2F, 0x37, 0x3F, 0x20, 0x30, 0xEB, 0xF3, 0xFB},
         Form::Always,
         4,
         {F4}},
        {{0x76}, Form::Always, 5, {F4}},
        {{0x01, 0x11, 0x21, 0x31, 0xC3}, Form::Always, 10, {F4, RP1, RP2}},
        {{0x02}, Form::Always, 7, {F4, WBC}},
        {{0x12}, Form::Always, 7, {F4, WDE}},
        {{0x0A}, Form::Always, 7, {F4, RBC}},
        {{0x1A}, Form::Always, 7, {F4, RDE}},
        {{0x03, 0x13, 0x23, 0x33, 0x0B, 0x1B, 0x2B, 0x3B, 0xE9, 0xF9}, Form::Always, 6, {F6}},
        {{0x06, 0x0E, 0x16, 0x1E, 0x26, 0x2E, 0x3E, 0x28, 0x38, 0xC6, 0xCE, 0xD6, 0xDE, 0xE6, 0xEE, 0xF6, 0xFE},
         Form::Always,
         7,
         {F4, RP1}},
        {{0x36}, Form::Always, 10, {F4, RP1, WHL}},
        {{0x34, 0x35}, Form::Always, 10, {F4, RHL, WHL}},
        {{0x09, 0x19, 0x29, 0x39}, Form::Always, 10, {F4}},
        {{0x08, 0x10, 0x18}, Form::Always, 6, {F4}},
        {{0x22}, Form::Always, 16, {F4, RP1, RP2, WA, WA1}},
        {{0x2A}, Form::Always, 16, {F4, RP1, RP2, RA, RA1}},
        {{0x32}, Form::Always, 13, {F4, RP1, RP2, WA}},
        {{0x3A}, Form::Always, 13, {F4, RP1, RP2, RA}},
        {{0xC0, 0xC8, 0xD0, 0xD8, 0xE0, 0xE8, 0xF0, 0xF8}, Form::Taken, 12, {F6, RSP, RSP1}},
        {{0xC0, 0xC8, 0xD0, 0xD8, 0xE0, 0xE8, 0xF0, 0xF8}, Form::NotTaken, 6, {F4}},
        {{0xC1, 0xD1, 0xE1, 0xF1, 0xC9}, Form::Always, 10, {F4, RSP, RSP1}},
        {{0xC2, 0xCA, 0xD2, 0xDA, 0xE2, 0xEA, 0xF2, 0xFA, 0xDD, 0xFD}, Form::Taken, 10, {F4, RP1, RP2}},
        {{0xC2, 0xCA, 0xD2, 0xDA, 0xE2, 0xEA, 0xF2, 0xFA, 0xDD, 0xFD}, Form::NotTaken, 7, {F4}},
        {{0xC4, 0xCC, 0xD4, 0xDC, 0xE4, 0xEC, 0xF4, 0xFC}, Form::Taken, 18, {F6, RP1, RP2, WSPm1, WSPm2}},
        {{0xC4, 0xCC, 0xD4, 0xDC, 0xE4, 0xEC, 0xF4, 0xFC}, Form::NotTaken, 9, {F4}},
        {{0xCD}, Form::Always, 18, {F6, RP1, RP2, WSPm1, WSPm2}},
        {{0xC5, 0xD5, 0xE5, 0xF5, 0xC7, 0xCF, 0xD7, 0xDF, 0xE7, 0xEF, 0xF7, 0xFF, 0xCB},
         Form::Always,
         12,
         {F6, WSPm1, WSPm2}},
        {{0xD3}, Form::Always, 10, {F4, RP1, IW}},
        {{0xDB}, Form::Always, 10, {F4, RP1, IR}},
        {{0xD9}, Form::Always, 10, {F4, WDE, WDE1}},
        {{0xED}, Form::Always, 10, {F4, RDE, RDE1}},
        {{0xE3}, Form::Always, 16, {F4, RSP, RSP1, WSP, WSP1}},
    };
    return rows;
}

void SetPair(u8& high, u8& low, u16 value) {
    high = u8(value >> 8);
    low = u8(value);
}

// A machine state in which every address an instruction uses is distinct.
void Prepare(u8 opcode) {
    StartFromPowerOn();
    SetPair(g_Sim.m_regB, g_Sim.m_regC, kBC);
    SetPair(g_Sim.m_regD, g_Sim.m_regE, kDE);
    SetPair(g_Sim.m_regH, g_Sim.m_regL, kHL);
    g_Sim.m_regA = 0x5E;
    g_Sim.m_sp = kSp;
    g_Sim.m_pc = kPc;
    g_Sim.m_pMemory[kPc] = opcode;
    g_Sim.m_pMemory[kPc + 1] = kLow;
    g_Sim.m_pMemory[kPc + 2] = kHigh;
}

// Sets the flag that opcode bits 5-3 test (NZ Z NC C PO PE P M, and for DD/FD
// X5) so that the condition holds or fails.
void SetCondition(u8 opcode, bool holds) {
    if (opcode == 0xDD || opcode == 0xFD) {
        g_Sim.m_flagX5 = (opcode == 0xFD) == holds ? 1 : 0;
        return;
    }
    const int cc = (opcode >> 3) & 7;
    const bool wantsSet = (cc & 1) != 0;
    const u8 value = wantsSet == holds ? 1 : 0;
    switch (cc >> 1) {
    case 0: g_Sim.m_flagZ = value; break;
    case 1: g_Sim.m_flagCY = value; break;
    case 2: g_Sim.m_flagP = value; break;
    default: g_Sim.m_flagS = value; break;
    }
}

void CheckRun(u32 tStates, const std::vector<Tok>& records, const std::string& what) {
    const u64 tBefore = g_Sim.TStates();
    g_Sim.ExecuteInstruction();
    EXPECT_EQ(g_Sim.TStates() - tBefore, tStates) << what;
    EXPECT_EQ(g_Sim.m_lastTStates, tStates) << what;
    ASSERT_EQ(g_busCycleCount, records.size()) << what;
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(g_busCycles[i] & 0xFFFFFF00u, Expected(records[i])) << what << " record " << i;
}

std::string Name(u8 opcode, Form form) {
    char text[32];
    std::snprintf(text, sizeof text, "opcode %02X%s", opcode,
                  form == Form::Taken      ? " taken"
                  : form == Form::NotTaken ? " not taken"
                                           : "");
    return text;
}

}  // namespace

TEST(ExecTiming, TableCoversEveryOpcodeOnceWithBothFormsOfConditionals) {
    std::map<int, int> always, taken, notTaken;
    for (const Row& row : Table())
        for (u8 op : row.opcodes)
            ++(row.form == Form::Always ? always : row.form == Form::Taken ? taken : notTaken)[op];
    int rowOpcodes = 0;
    for (int op = 0; op < 256; ++op) {
        const bool group = op >= 0x40 && op < 0xC0 && op != 0x76;
        if (group) continue;
        ++rowOpcodes;
        const int n = always[op] + taken[op];
        EXPECT_EQ(n, 1) << std::hex << op;
        EXPECT_EQ(taken[op], notTaken[op]) << std::hex << op;
    }
    EXPECT_EQ(rowOpcodes, 129);
}

TEST(ExecTiming, EveryTabledOpcodeHasItsTStatesAndRecords) {
    for (const Row& row : Table()) {
        for (u8 op : row.opcodes) {
            Prepare(op);
            if (row.form != Form::Always) SetCondition(op, row.form == Form::Taken);
            CheckRun(row.tStates, row.records, Name(op, row.form));
        }
    }
}

TEST(ExecTiming, MovGroupTakesFourOrSevenWithOneMemoryCycle) {
    for (int op = 0x40; op < 0x80; ++op) {
        if (op == 0x76) continue;
        Prepare(u8(op));
        const bool fromM = (op & 7) == 6, toM = ((op >> 3) & 7) == 6;
        if (fromM) CheckRun(7, {F4, RHL}, Name(u8(op), Form::Always));
        else if (toM) CheckRun(7, {F4, WHL}, Name(u8(op), Form::Always));
        else CheckRun(4, {F4}, Name(u8(op), Form::Always));
        EXPECT_EQ(g_Sim.m_pc, kPc + 1);
    }
}

TEST(ExecTiming, RegisterAluGroupsTakeFourOrSevenWithMemoryRead) {
    for (int op = 0x80; op < 0xC0; ++op) {
        Prepare(u8(op));
        if ((op & 7) == 6) CheckRun(7, {F4, RHL}, Name(u8(op), Form::Always));
        else CheckRun(4, {F4}, Name(u8(op), Form::Always));
        EXPECT_EQ(g_Sim.m_pc, kPc + 1);
    }
}

TEST(ExecTiming, TStatesAccumulatePastThirtyTwoBits) {
    Prepare(0x00);
    g_Sim.m_pMemory[kPc + 1] = 0x3A;  // LDA 1234h
    g_Sim.m_pMemory[kPc + 2] = kLow;
    g_Sim.m_pMemory[kPc + 3] = kHigh;
    g_Sim.m_pMemory[kPc + 4] = 0x76;  // HLT
    const u64 start = 0xFFFFFFF0u;
    g_Sim.SetTStates(start);
    g_Sim.ExecuteInstruction();
    g_Sim.ExecuteInstruction();
    g_Sim.ExecuteInstruction();
    EXPECT_EQ(g_Sim.TStates(), start + 4 + 13 + 5);
    EXPECT_EQ(g_Sim.m_lastTStates, 5);
}
