#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "periph/ConfigLayout.h"
#include "periph/WholeFileWrite.h"

namespace {
using ConfigImage = std::array<u8, kConfigFileSize>;
using Result = CSimulator::ConfigResult;

constexpr const char* kNotValidFormat = "%s is not a valid Configuration file";
constexpr const char* kCannotWriteFormat = "Cannot open %s file for writing";
constexpr unsigned kBitsPerByte = 8;

class ConfigWriter {
public:
    explicit ConfigWriter(ConfigImage& image) : m_image(image) {}
    template <class T> void Field(std::size_t at, const T& value) {
        const u32 bits = static_cast<u32>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i) m_image[at + i] = static_cast<u8>(bits >> (kBitsPerByte * i));
    }
    void Field(std::size_t at, const CounterState& timer) { ExchangeTimerRecord(*this, at, timer); }

private:
    ConfigImage& m_image;
};

class ConfigReader {
public:
    explicit ConfigReader(const ConfigImage& image) : m_image(image) {}
    template <class T> void Field(std::size_t at, T& value) {
        u32 bits = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) bits |= static_cast<u32>(m_image[at + i]) << (kBitsPerByte * i);
        value = static_cast<T>(bits);
    }
    void Field(std::size_t at, CounterState& timer) { ExchangeTimerRecord(*this, at, timer); }

private:
    const ConfigImage& m_image;
};

// The counts index fixed arrays everywhere in the program, so a file whose
// counts exceed them is refused as a whole rather than partly taken.
bool CountsFit(const ConfigImage& image) {
    using namespace ConfigOffset;
    return image[k8253Count] <= kMaxChips && image[k8251Count] <= kMaxChips && image[k8255Count] <= kMaxChips &&
           image[kEpromBanks] <= kMaxMemBanks && image[kRamBanks] <= kMaxMemBanks &&
           image[kIOWatchCount] <= kMaxIOWatches && image[kMemWatchCount] <= kMaxMemWatches;
}

// Reads exactly one file's worth; a shorter or longer file is not ours.
bool ReadImage(std::ifstream& file, ConfigImage& image) {
    file.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
    if (static_cast<std::size_t>(file.gcount()) != image.size()) return false;
    return file.peek() == std::ifstream::traits_type::eof();
}

std::string Substitute(const char* format, const std::string& path) {
    std::string text = format;
    const std::size_t at = text.find("%s");
    return text.replace(at, 2, path);
}
}  // namespace

CSimulator::ConfigResult CSimulator::LoadConfig(const char* path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        // A program seen for the first time gets a file of the current settings.
        return SaveConfig(path) == Result::Saved ? Result::Created : Result::CannotWrite;
    }
    // Only a regular file is opened: a named pipe would hold the program
    // until something wrote into it.
    if (status.type() != std::filesystem::file_type::regular) return Result::NotValid;
    std::ifstream file(path, std::ios::binary);
    ConfigImage image{};
    if (!file || !ReadImage(file, image) || !CountsFit(image)) return Result::NotValid;
    SyncTimers();
    ConfigReader reader(image);
    ExchangeConfig(reader, *this);
    TimersWritten();
    return Result::Loaded;
}

CSimulator::ConfigResult CSimulator::SaveConfig(const char* path) {
    SyncTimers();
    ConfigImage image{};
    ConfigWriter writer(image);
    ExchangeConfig(writer, std::as_const(*this));
    return WriteWholeFile(path, image.data(), image.size()) ? Result::Saved : Result::CannotWrite;
}

std::string ConfigResultMessage(CSimulator::ConfigResult result, const std::string& path) {
    switch (result) {
    case Result::NotValid: return Substitute(kNotValidFormat, path);
    case Result::CannotWrite: return Substitute(kCannotWriteFormat, path);
    default: return std::string();
    }
}
