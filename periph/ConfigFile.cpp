#include <array>
#include <utility>

#include "files/Descriptor.h"
#include "files/FileBytes.h"
#include "files/RegularFileRead.h"
#include "files/WholeFileWrite.h"
#include "periph/ConfigLayout.h"

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
bool ReadImage(int opened, ConfigImage& image) {
    u8 beyond = 0;
    return ReadAt(opened, image.data(), image.size()) == image.size() &&
           ReadAt(opened, &beyond, 1, static_cast<off_t>(image.size())) == 0;
}

ConfigImage ImageOf(CSimulator& sim) {
    sim.SyncTimers();
    ConfigImage image{};
    ConfigWriter writer(image);
    ExchangeConfig(writer, std::as_const(sim));
    return image;
}

std::string Substitute(const char* format, const std::string& path) {
    std::string text = format;
    const std::size_t at = text.find("%s");
    return text.replace(at, 2, path);
}
}  // namespace

CSimulator::ConfigResult CSimulator::LoadConfig(const char* path) {
    // Reading writes nothing, so the file is found wherever links lead,
    // whoever made them: one board file may serve a whole lab's programs.
    Descriptor opened;
    ReadOpening opening = OpenRegularForReading(path, opened);
    if (opening == ReadOpening::Absent) {
        // A program seen for the first time gets a file of the current
        // settings, made only where nothing is: never in place of a file
        // that appeared meanwhile, nor through anyone else's link.
        const ConfigImage image = ImageOf(*this);
        switch (CreateWholeFile(path, image.data(), image.size())) {
        case Creation::Made: return Result::Created;
        case Creation::Failed: return Result::CannotWrite;
        // The same new program, opened elsewhere at the same moment, made it
        // first: it is read as any file found there.
        case Creation::NameTaken: opening = OpenRegularForReading(path, opened); break;
        }
    }
    switch (opening) {
    // Gone again as soon as it came: there is nothing to read, and nothing
    // was written.
    case ReadOpening::Absent: return Result::CannotWrite;
    // A folder, a pipe or a device holds no settings.
    case ReadOpening::NotRegular: return Result::NotValid;
    // A file there that cannot be read is not the program's to replace.
    case ReadOpening::Unreadable: return Result::CannotWrite;
    case ReadOpening::Opened: break;
    }
    ConfigImage image{};
    if (!ReadImage(opened.Get(), image) || !CountsFit(image)) return Result::NotValid;
    SyncTimers();
    ConfigReader reader(image);
    ExchangeConfig(reader, *this);
    TimersWritten();
    return Result::Loaded;
}

CSimulator::ConfigResult CSimulator::SaveConfig(const char* path) {
    const ConfigImage image = ImageOf(*this);
    return WriteWholeFile(path, image.data(), image.size()) ? Result::Saved : Result::CannotWrite;
}

std::string ConfigResultMessage(CSimulator::ConfigResult result, const std::string& path) {
    switch (result) {
    case Result::NotValid: return Substitute(kNotValidFormat, path);
    case Result::CannotWrite: return Substitute(kCannotWriteFormat, path);
    default: return std::string();
    }
}
