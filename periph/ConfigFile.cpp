#include <array>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <utility>

#include "periph/ConfigLayout.h"
#include "periph/Descriptor.h"
#include "periph/FileBytes.h"
#include "periph/OwnPath.h"
#include "periph/WholeFileWrite.h"

namespace {
using ConfigImage = std::array<u8, kConfigFileSize>;
using Result = CSimulator::ConfigResult;

constexpr const char* kNotValidFormat = "%s is not a valid Configuration file";
constexpr const char* kCannotWriteFormat = "Cannot open %s file for writing";
constexpr unsigned kBitsPerByte = 8;
// Nothing is read through a link, and opening a named pipe does not wait.
constexpr int kReadFlags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

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

// Reads exactly one file's worth; a shorter or longer file is not ours. What
// was opened is what is checked and read: a named pipe put in the file's
// place after it was found is refused rather than waited on.
bool ReadImage(const OwnPath& file, ConfigImage& image) {
    const Descriptor opened(::openat(file.folder.Get(), file.name.c_str(), kReadFlags));
    struct stat status {};
    if (opened.Get() < 0 || ::fstat(opened.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    u8 beyond = 0;
    return ReadAt(opened.Get(), image.data(), image.size()) == image.size() &&
           ReadAt(opened.Get(), &beyond, 1, static_cast<off_t>(image.size())) == 0;
}

std::string Substitute(const char* format, const std::string& path) {
    std::string text = format;
    const std::size_t at = text.find("%s");
    return text.replace(at, 2, path);
}
}  // namespace

CSimulator::ConfigResult CSimulator::LoadConfig(const char* path) {
    const std::optional<OwnPath> file = FindOwnPath(path);
    // A program seen for the first time gets a file of the current settings.
    // A link that may not be followed is no file of the user's: the program
    // is opened as without one, and the save refuses the link too.
    if (!file || !file->exists) return SaveConfig(path) == Result::Saved ? Result::Created : Result::CannotWrite;
    // A device may act when opened, and a folder holds no settings.
    if (!S_ISREG(file->status.st_mode)) return Result::NotValid;
    ConfigImage image{};
    if (!ReadImage(*file, image) || !CountsFit(image)) return Result::NotValid;
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
