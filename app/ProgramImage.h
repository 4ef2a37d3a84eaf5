// Reading program images into the 64 KB target memory: Intel HEX text and
// raw memory images. Plain C++ so that the parsing is tested without Qt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>

namespace ProgramImage {

constexpr std::size_t kMemorySize = 0x10000;

// A HEX record holds at most 255 data bytes: colon, count, address, type,
// data, checksum and one line end make 2 * 255 + 12 characters.
constexpr std::size_t kMaxRecordChars = 2 * 255 + 12;
// Lines longer than this are kept cut to it, which no valid record matches.
constexpr std::size_t kLineKeep = kMaxRecordChars + 8;

enum RecordResult { kRecordInvalid = -1, kRecordEnd = 0, kRecordData = 1 };
enum HexResult { kHexLoaded = 0, kHexNotValid = 2 };

// 0 for a character outside the accepted digits, 1 for '0'-'9', 2 for
// 'A'-'F'. Lower-case letters are not accepted.
int HexDigitClass(char c);

// 1 and the value of the two digits at line[pos], line[pos + 1]; 0 when
// either is missing or not an accepted digit.
int HexByte(const std::string& line, std::size_t pos, std::uint8_t& value);

// Reads one line. Any of LF, CR, CR LF or the byte 0x1A ends it and is kept
// as one '\n'. Returns the number of characters before the line end (0 for
// an empty line or the end of the input); a longer line than kLineKeep is
// stored cut to kLineKeep characters without its line end.
std::size_t ReadLine(std::istream& in, std::string& line);

// Stores a data record's bytes at its address (wrapping past 0xFFFF to
// 0x0000). A record with a count of 00 ends the file whatever follows; the
// checksum must be there but is not examined.
int ParseHexRecord(const std::string& line, std::uint8_t* memory);

// Reads records until an end record, an empty line, the end of the input or
// an invalid record. The bytes of the records before a fault stay stored.
int LoadHex(std::istream& in, std::uint8_t* memory);

// Copies up to 64 KB of the input into memory from address 0; returns the
// number of bytes stored.
std::size_t LoadRaw(std::istream& in, std::uint8_t* memory);

}  // namespace ProgramImage
