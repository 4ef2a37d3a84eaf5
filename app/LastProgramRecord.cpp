#include "app/LastProgramRecord.h"

#include <cstring>

namespace LastProgramRecord {

Record Make(const std::string& path) {
    Record record{};
    if (path.size() < kRecordSize && path.find('\0') == std::string::npos)
        std::memcpy(record.data(), path.data(), path.size());
    return record;
}

std::string PathFrom(const char* bytes, std::size_t size) {
    const void* nul = std::memchr(bytes, '\0', size);
    if (nul == nullptr) return std::string();
    return std::string(bytes, static_cast<const char*>(nul));
}

}  // namespace LastProgramRecord
