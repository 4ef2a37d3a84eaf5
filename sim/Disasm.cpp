#include "sim/Disasm.h"

#include <cstdio>
#include <cstring>

#include "sim/Mnemonics.h"

u32 g_DisasmOrigin;

namespace {
constexpr u32 kAddressMask = 0xFFFF;
constexpr char kLineEndMark = '*';
constexpr int kBlankColumns = kDisasmLineLength - 1;

// Address field (13 characters), then the byte field (11 characters) for an
// instruction of 1, 2 or 3 bytes, which brings the mnemonic to its column.
constexpr const char* kAddressFormat = "       %04X  ";
constexpr const char* kBytes1Format = "%02X         ";
constexpr const char* kBytes2Format = "%02X %02X      ";
constexpr const char* kBytes3Format = "%02X %02X %02X   ";

// The listing's own buffer is where the lines are written; it must hold one.
static_assert(sizeof(CSimulator::m_szLineText) >= kDisasmBufferSize, "listing line buffer too small for one line");

// Room for the longest instruction text: mnemonic, four operand digits and
// the terminator all lie before the end-of-line mark.
constexpr std::size_t kLongestText = sizeof("LXI  SP,") - 1 + 4;
static_assert(kDisasmTextColumn + kLongestText < static_cast<std::size_t>(kBlankColumns),
              "instruction text overruns the line");
}  // namespace

int CSimulator::DisassembleLine(u32* address, char* buffer) {
    std::memset(buffer, ' ', kBlankColumns);
    buffer[kBlankColumns] = '\0';

    // Operands are read with the same 16-bit wrap as the executor, so an
    // instruction at the top of memory never reads past the 64 KB.
    const u32 a = *address & kAddressMask;
    const u8 op = m_pMemory[a];
    const u8 b1 = m_pMemory[(a + 1) & kAddressMask];
    const u8 b2 = m_pMemory[(a + 2) & kAddressMask];
    const int n = GetInstrLength(op);
    const char* mnemonic = g_mnemonics[op];

    int end = 0;
    auto append = [&](const char* format, auto... values) {
        end += std::snprintf(buffer + end, kDisasmBufferSize - end, format, values...);
    };
    append(kAddressFormat, static_cast<unsigned>(a));
    switch (n) {
    case 1:
        append(kBytes1Format, op);
        append("%s", mnemonic);
        break;
    case 2:
        append(kBytes2Format, op, b1);
        append("%s%02X", mnemonic, b1);
        break;
    default:
        append(kBytes3Format, op, b1, b2);
        append("%s%02X%02X", mnemonic, b2, b1);
        break;
    }

    ++m_lineCount;

    // The listing stops at the last instruction whose address plus twice its
    // length stays within the 64 KB.
    if (((a + 2 * n) & kAddressMask) < a) return 0;

    *address += n;
    buffer[end] = ' ';
    buffer[kBlankColumns] = kLineEndMark;
    buffer[kDisasmLineLength] = '\0';
    return 1;
}
