#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "sim/Disasm.h"
#include "tests/support/PowerOn.h"

namespace {
// The operand bytes every opcode is listed with below, and their texts.
constexpr u8 kB1 = 0x34;
constexpr u8 kB2 = 0x12;
const std::string kWord = "1234";
const std::string kByte = "34";

// How the listing should read each opcode that is not a MOV or a register
// ALU operation: name and operand, written out here independently of the
// program's table. The name is padded to five characters when an operand
// follows; "INX B" is the one text that is not.
struct Expected {
    u8 op;
    const char* name;
    std::string operand;
};

// clang-format off
const Expected kIrregular[] = {
    {0x00, "NOP", ""}, {0x01, "LXI", "B," + kWord}, {0x02, "STAX", "B"}, {0x04, "INR", "B"},
    {0x05, "DCR", "B"}, {0x06, "MVI", "B," + kByte}, {0x07, "RLC", ""}, {0x08, "DSUB", ""},
    {0x09, "DAD", "B"}, {0x0A, "LDAX", "B"}, {0x0B, "DCX", "B"}, {0x0C, "INR", "C"},
    {0x0D, "DCR", "C"}, {0x0E, "MVI", "C," + kByte}, {0x0F, "RRC", ""},
    {0x10, "ARHL", ""}, {0x11, "LXI", "D," + kWord}, {0x12, "STAX", "D"}, {0x13, "INX", "D"},
    {0x14, "INR", "D"}, {0x15, "DCR", "D"}, {0x16, "MVI", "D," + kByte}, {0x17, "RAL", ""},
    {0x18, "RDEL", ""}, {0x19, "DAD", "D"}, {0x1A, "LDAX", "D"}, {0x1B, "DCX", "D"},
    {0x1C, "INR", "E"}, {0x1D, "DCR", "E"}, {0x1E, "MVI", "E," + kByte}, {0x1F, "RAR", ""},
    {0x20, "RIM", ""}, {0x21, "LXI", "H," + kWord}, {0x22, "SHLD", kWord}, {0x23, "INX", "H"},
    {0x24, "INR", "H"}, {0x25, "DCR", "H"}, {0x26, "MVI", "H," + kByte}, {0x27, "DAA", ""},
    {0x28, "LDHI", kByte}, {0x29, "DAD", "H"}, {0x2A, "LHLD", kWord}, {0x2B, "DCX", "H"},
    {0x2C, "INR", "L"}, {0x2D, "DCR", "L"}, {0x2E, "MVI", "L," + kByte}, {0x2F, "CMA", ""},
    {0x30, "SIM", ""}, {0x31, "LXI", "SP," + kWord}, {0x32, "STA", kWord}, {0x33, "INX", "SP"},
    {0x34, "INR", "M"}, {0x35, "DCR", "M"}, {0x36, "MVI", "M," + kByte}, {0x37, "STC", ""},
    {0x38, "LDSI", kByte}, {0x39, "DAD", "SP"}, {0x3A, "LDA", kWord}, {0x3B, "DCX", "SP"},
    {0x3C, "INR", "A"}, {0x3D, "DCR", "A"}, {0x3E, "MVI", "A," + kByte}, {0x3F, "CMC", ""},
    {0x76, "HLT", ""},
    {0xC0, "RNZ", ""}, {0xC1, "POP", "B"}, {0xC2, "JNZ", kWord}, {0xC3, "JMP", kWord},
    {0xC4, "CNZ", kWord}, {0xC5, "PUSH", "B"}, {0xC6, "ADI", kByte}, {0xC7, "RST", "0"},
    {0xC8, "RZ", ""}, {0xC9, "RET", ""}, {0xCA, "JZ", kWord}, {0xCB, "RST", "V"},
    {0xCC, "CZ", kWord}, {0xCD, "CALL", kWord}, {0xCE, "ACI", kByte}, {0xCF, "RST", "1"},
    {0xD0, "RNC", ""}, {0xD1, "POP", "D"}, {0xD2, "JNC", kWord}, {0xD3, "OUT", kByte},
    {0xD4, "CNC", kWord}, {0xD5, "PUSH", "D"}, {0xD6, "SUI", kByte}, {0xD7, "RST", "2"},
    {0xD8, "RC", ""}, {0xD9, "SHLX", ""}, {0xDA, "JC", kWord}, {0xDB, "IN", kByte},
    {0xDC, "CC", kWord}, {0xDD, "JNX5", kWord}, {0xDE, "SBI", kByte}, {0xDF, "RST", "3"},
    {0xE0, "RPO", ""}, {0xE1, "POP", "H"}, {0xE2, "JPO", kWord}, {0xE3, "XTHL", ""},
    {0xE4, "CPO", kWord}, {0xE5, "PUSH", "H"}, {0xE6, "ANI", kByte}, {0xE7, "RST", "4"},
    {0xE8, "RPE", ""}, {0xE9, "PCHL", ""}, {0xEA, "JPE", kWord}, {0xEB, "XCHG", ""},
    {0xEC, "CPE", kWord}, {0xED, "LHLX", ""}, {0xEE, "XRI", kByte}, {0xEF, "RST", "5"},
    {0xF0, "RP", ""}, {0xF1, "POP", "PSW"}, {0xF2, "JP", kWord}, {0xF3, "DI", ""},
    {0xF4, "CP", kWord}, {0xF5, "PUSH", "PSW"}, {0xF6, "ORI", kByte}, {0xF7, "RST", "6"},
    {0xF8, "RM", ""}, {0xF9, "SPHL", ""}, {0xFA, "JM", kWord}, {0xFB, "EI", ""},
    {0xFC, "CM", kWord}, {0xFD, "JX5", kWord}, {0xFE, "CPI", kByte}, {0xFF, "RST", "7"},
};
// clang-format on

const char* const kRegisters[] = {"B", "C", "D", "E", "H", "L", "M", "A"};
const char* const kAluOps[] = {"ADD", "ADC", "SUB", "SBB", "ANA", "XRA", "ORA", "CMP"};

std::string Compose(const std::string& name, const std::string& operand) {
    if (operand.empty()) return name;
    std::string padded = name;
    padded.resize(5, ' ');
    return padded + operand;
}

// The instruction text of every opcode, listed with the operand bytes 34 12.
struct Listing {
    std::string text;
    int length;
};

Listing ExpectedListing(u8 op) {
    if (op == 0x03) return {"INX B", 1};
    if (op >= 0x40 && op < 0x80 && op != 0x76)
        return {Compose("MOV", std::string(kRegisters[(op >> 3) & 7]) + "," + kRegisters[op & 7]), 1};
    if (op >= 0x80 && op < 0xC0) return {Compose(kAluOps[(op >> 3) & 7], kRegisters[op & 7]), 1};
    for (const Expected& e : kIrregular) {
        if (e.op != op) continue;
        const bool word = e.operand.size() >= 4 && e.operand.compare(e.operand.size() - 4, 4, kWord) == 0;
        const bool byte = !word && e.operand.size() >= 2 && e.operand.compare(e.operand.size() - 2, 2, kByte) == 0;
        return {Compose(e.name, e.operand), word ? 3 : byte ? 2 : 1};
    }
    ADD_FAILURE() << "no expectation for opcode " << int(op);
    return {"", 0};
}

std::string Hex(unsigned value, int digits) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string s(digits, '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4) s[i] = kDigits[value & 0xF];
    return s;
}

// A complete line: address field, byte field of 11, the text, blanks to
// column 80 and the end mark in column 81.
std::string ExpectedLine(u16 address, const u8* bytes, int length, const std::string& text) {
    std::string line = std::string(7, ' ') + Hex(address, 4) + "  ";
    std::string field;
    for (int i = 0; i < length; ++i) field += (i ? " " : "") + Hex(bytes[i], 2);
    field.resize(11, ' ');
    line += field + text;
    line.resize(80, ' ');
    return line + "*";
}

void Poke(u16 address, std::initializer_list<u8> bytes) {
    for (u8 b : bytes) g_Sim.m_pMemory[address++] = b;
}

char g_line[kDisasmBufferSize + 16];
}  // namespace

TEST(Disassembler, EveryOpcodeListsItsTextBytesAndLength) {
    StartFromPowerOn();
    constexpr u16 kAt = 0x4000;
    for (int op = 0; op < 256; ++op) {
        SCOPED_TRACE(op);
        const u8 bytes[] = {static_cast<u8>(op), kB1, kB2};
        Poke(kAt, {bytes[0], bytes[1], bytes[2]});
        const Listing want = ExpectedListing(static_cast<u8>(op));
        EXPECT_EQ(CSimulator::GetInstrLength(static_cast<u8>(op)), want.length);

        u32 cursor = kAt;
        const u16 countBefore = g_Sim.m_lineCount;
        ASSERT_EQ(g_Sim.DisassembleLine(&cursor, g_line), 1);
        EXPECT_EQ(std::string(g_line), ExpectedLine(kAt, bytes, want.length, want.text));
        EXPECT_EQ(cursor, kAt + static_cast<u32>(want.length));
        EXPECT_EQ(g_Sim.m_lineCount, static_cast<u16>(countBefore + 1));
    }
}

TEST(Disassembler, LengthGroupsHoldTheirCounts) {
    int count[4] = {};
    for (int op = 0; op < 256; ++op) ++count[CSimulator::GetInstrLength(static_cast<u8>(op))];
    EXPECT_EQ(count[0], 0);
    EXPECT_EQ(count[3], 28);
    EXPECT_EQ(count[2], 20);
    EXPECT_EQ(count[1], 208);
    for (u8 op : {0xD9, 0xED, 0xCB, 0x08, 0x10, 0x18}) EXPECT_EQ(CSimulator::GetInstrLength(op), 1) << int(op);
}

TEST(Disassembler, ExactLinesOfKnownInstructions) {
    StartFromPowerOn();
    Poke(0x2000, {0x3E, 0x05, 0xCD, 0x34, 0x12, 0x03, 0x13, 0xCB, 0xDD, 0xCD, 0xAB, 0x28, 0x7F});
    const char* const want[] = {
        "       2000  3E 05      MVI  A,05"
        "                                               *",
        "       2002  CD 34 12   CALL 1234"
        "                                               *",
        "       2005  03         INX B"
        "                                                   *",
        "       2006  13         INX  D"
        "                                                  *",
        "       2007  CB         RST  V"
        "                                                  *",
        "       2008  DD CD AB   JNX5 ABCD"
        "                                               *",
        "       200B  28 7F      LDHI 7F"
        "                                                 *",
    };
    u32 cursor = 0x2000;
    for (const char* line : want) {
        ASSERT_EQ(std::strlen(line), 81u);
        ASSERT_EQ(g_Sim.DisassembleLine(&cursor, g_line), 1);
        EXPECT_STREQ(g_line, line);
    }
    EXPECT_EQ(cursor, 0x200Du);
}

TEST(Disassembler, EndOfMemoryStopsBeforeTheLastBytes) {
    struct Case {
        u16 address;
        u8 op;
        int result;
        u32 next;
    };
    const Case cases[] = {
        {0xFFFE, 0x00, 0, 0xFFFE},  // length 1 at FFFE: no room for twice its length
        {0xFFFD, 0x00, 1, 0xFFFE},  // just below: the last line that advances
        {0xFFFA, 0xC3, 0, 0xFFFA},  // length 3 four bytes below FFFE
        {0xFFF9, 0xC3, 1, 0xFFFC}, {0xFFFC, 0x3E, 0, 0xFFFC}, {0xFFFB, 0x3E, 1, 0xFFFD},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        StartFromPowerOn();
        g_Sim.m_pMemory[c.address] = c.op;
        u32 cursor = c.address;
        EXPECT_EQ(g_Sim.DisassembleLine(&cursor, g_line), c.result);
        EXPECT_EQ(cursor, c.next);
        EXPECT_EQ(g_Sim.m_lineCount, 1) << "a line is counted also at the end of memory";
    }
}

TEST(Disassembler, EndOfMemoryLineHasNoPaddingOrMark) {
    StartFromPowerOn();
    u32 cursor = 0xFFFE;
    ASSERT_EQ(g_Sim.DisassembleLine(&cursor, g_line), 0);
    EXPECT_STREQ(g_line, "       FFFE  00         NOP");
}

TEST(Disassembler, OperandsAtTheTopOfMemoryWrapToAddressZero) {
    StartFromPowerOn();
    Poke(0xFFFF, {0xC3});
    Poke(0x0000, {0x34, 0x12});
    u32 cursor = 0xFFFF;
    EXPECT_EQ(g_Sim.DisassembleLine(&cursor, g_line), 0);
    EXPECT_STREQ(g_line, "       FFFF  C3 34 12   JMP  1234");
    EXPECT_EQ(cursor, 0xFFFFu);
}

TEST(Disassembler, OnlyTheLowSixteenBitsOfTheCursorAreTheAddress) {
    StartFromPowerOn();
    Poke(0x2000, {0x3E, 0x05});
    u32 cursor = 0x12000;
    ASSERT_EQ(g_Sim.DisassembleLine(&cursor, g_line), 1);
    EXPECT_EQ(std::string(g_line).substr(0, 13), "       2000  ");
    EXPECT_EQ(cursor, 0x12002u);
}

TEST(Disassembler, ListingOfEmptyMemoryFillsEveryListingLine) {
    // Zeroed memory is all NOP: lines 0000 to FFFE, the last one reporting the
    // end of memory, which is exactly the listing's capacity.
    StartFromPowerOn();
    g_DisasmOrigin = 0;
    int lines = 0;
    int result = 1;
    while (result == 1 && lines < kMaxListingLines + 1) {
        result = g_Sim.DisassembleLine(&g_DisasmOrigin, g_Sim.m_szLineText);
        ++lines;
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(lines, kMaxListingLines);
    EXPECT_EQ(g_DisasmOrigin, 0xFFFEu);
    EXPECT_EQ(g_Sim.m_lineCount, 0xFFFF);
}

TEST(Disassembler, BufferBeyondTheLineIsUntouched) {
    StartFromPowerOn();
    std::memset(g_line, 0x5A, sizeof g_line);
    Poke(0x0100, {0x31, 0xFF, 0xFF});
    u32 cursor = 0x0100;
    ASSERT_EQ(g_Sim.DisassembleLine(&cursor, g_line), 1);
    EXPECT_EQ(std::strlen(g_line), 81u);
    for (std::size_t i = kDisasmBufferSize; i < sizeof g_line; ++i) EXPECT_EQ(g_line[i], 0x5A) << i;
}
