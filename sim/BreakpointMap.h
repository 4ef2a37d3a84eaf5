// One bit per 16-bit address, set where the breakpoint table holds that
// address: Run tests the program counter after every instruction, and a
// single load keeps that test off the executor's path. The table stays the
// authority; the map is rebuilt from it whenever the table changes.
#pragma once

#include <cstdint>

class CBreakpointMap {
public:
    // Sets the bits of the table's entries; entries beyond 16 bits are never
    // a program counter and set none.
    void Rebuild(const std::uint32_t* table, std::uint32_t count) {
        for (std::uint64_t& word : m_words) word = 0;
        for (std::uint32_t i = 0; i < count; ++i) {
            if (table[i] <= kAddressMask) m_words[table[i] >> kWordShift] |= Bit(table[i]);
        }
    }
    bool Test(std::uint16_t address) const { return (m_words[address >> kWordShift] & Bit(address)) != 0; }

private:
    static constexpr std::uint32_t kAddressMask = 0xFFFF;
    static constexpr int kWordShift = 6;
    static constexpr std::uint32_t kBitMask = 63;
    static constexpr std::uint64_t Bit(std::uint32_t address) { return std::uint64_t(1) << (address & kBitMask); }

    std::uint64_t m_words[(kAddressMask + 1) >> kWordShift]{};
};
