#include "app/ProgramImage.h"

namespace ProgramImage {

namespace {
constexpr char kLineEnd = '\n';
constexpr char kEndOfText = 0x1A;
constexpr std::size_t kMinRecordChars = 11;
constexpr std::size_t kCountPos = 1;
constexpr std::size_t kAddressPos = 3;
constexpr std::size_t kTypePos = 7;
constexpr std::size_t kDataPos = 9;
constexpr std::size_t kFixedChars = 12;
constexpr std::uint8_t kDataRecord = 0x00;
}  // namespace

int HexDigitClass(char c) {
    if (c >= '0' && c <= '9') return 1;
    if (c >= 'A' && c <= 'F') return 2;
    return 0;
}

int HexByte(const std::string& line, std::size_t pos, std::uint8_t& value) {
    if (pos + 1 >= line.size()) return 0;
    const char high = line[pos];
    const char low = line[pos + 1];
    if (HexDigitClass(high) == 0 || HexDigitClass(low) == 0) return 0;
    auto digit = [](char c) { return HexDigitClass(c) == 1 ? c - '0' : c - 'A' + 10; };
    value = static_cast<std::uint8_t>(16 * digit(high) + digit(low));
    return 1;
}

std::size_t ReadLine(std::istream& in, std::string& line) {
    line.clear();
    std::size_t count = 0;
    for (;;) {
        const int c = in.get();
        if (c == std::char_traits<char>::eof()) break;
        if (c == '\r') {
            // A Windows line end is one line end.
            if (in.peek() == '\n') in.get();
        }
        if (c == '\n' || c == '\r' || c == kEndOfText) {
            if (line.size() < kLineKeep) line.push_back(kLineEnd);
            break;
        }
        ++count;
        if (line.size() < kLineKeep) line.push_back(static_cast<char>(c));
    }
    return count;
}

int ParseHexRecord(const std::string& line, std::uint8_t* memory) {
    const std::size_t n = line.size();
    if (n < kMinRecordChars || line[0] != ':') return kRecordInvalid;

    std::uint8_t count = 0;
    if (!HexByte(line, kCountPos, count)) return kRecordInvalid;
    if (count == 0) return kRecordEnd;
    if (n != 2u * count + kFixedChars) return kRecordInvalid;

    std::uint8_t addressHigh = 0, addressLow = 0, type = 0;
    if (!HexByte(line, kAddressPos, addressHigh) || !HexByte(line, kAddressPos + 2, addressLow) ||
        !HexByte(line, kTypePos, type) || type != kDataRecord)
        return kRecordInvalid;

    const unsigned address = addressHigh << 8 | addressLow;
    for (unsigned i = 0; i < count; ++i) {
        std::uint8_t value = 0;
        if (!HexByte(line, kDataPos + 2 * i, value)) return kRecordInvalid;
        memory[(address + i) & (kMemorySize - 1)] = value;
    }
    return kRecordData;
}

int LoadHex(std::istream& in, std::uint8_t* memory) {
    std::string line;
    int result = kRecordData;
    while (result >= kRecordData && ReadLine(in, line) != 0) result = ParseHexRecord(line, memory);
    return result == kRecordEnd ? kHexLoaded : kHexNotValid;
}

std::size_t LoadRaw(std::istream& in, std::uint8_t* memory) {
    in.read(reinterpret_cast<char*>(memory), static_cast<std::streamsize>(kMemorySize));
    return static_cast<std::size_t>(in.gcount());
}

}  // namespace ProgramImage
