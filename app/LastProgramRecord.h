// The last-program record kept in KOMR.cfg: 500 bytes, the full path of the
// last program opened as text ending in a NUL byte. Plain C++.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace LastProgramRecord {

constexpr std::size_t kRecordSize = 500;
using Record = std::array<char, kRecordSize>;

// The record for a path. A path that does not fit with its NUL gives an
// empty record, so that a cut path is never opened later.
Record Make(const std::string& path);

// The path held in the bytes of a record, up to its first NUL; empty when
// the bytes hold no NUL.
std::string PathFrom(const char* bytes, std::size_t size);

}  // namespace LastProgramRecord
