#include "app/Brixcdoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cstring>
#include <istream>
#include <streambuf>

#include "app/LastProgramRecord.h"
#include "app/ProgramImage.h"
#include "app/ProgramListing.h"
#include "app/TorvanApp.h"
#include "periph/ConfigFile.h"
#include "platform/MessageBox.h"
#include "platform/RegularFile.h"
#include "sim/Disasm.h"
#include "sim/Simulator.h"

namespace {
constexpr const char* kHexSuffix = "hex";
constexpr const char* kConfigSuffix = ".cfg";

// Copies text into a fixed field only when it fits with its NUL; otherwise
// the field is left empty rather than holding a cut path.
template <std::size_t N> void StoreWhole(char (&field)[N], const QByteArray& text) {
    field[0] = '\0';
    if (static_cast<std::size_t>(text.size()) >= N || text.contains('\0')) return;
    std::memcpy(field, text.constData(), static_cast<std::size_t>(text.size()));
    field[text.size()] = '\0';
}

// Cuts text to the field, never inside a multi-byte character.
template <std::size_t N> void StoreCut(char (&field)[N], const QByteArray& text) {
    std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(text.size()), N - 1);
    while (length > 0 && length < static_cast<std::size_t>(text.size()) &&
           (static_cast<unsigned char>(text[static_cast<int>(length)]) & 0xC0) == 0x80)
        --length;
    std::memcpy(field, text.constData(), length);
    field[length] = '\0';
}

// The bytes of an open file as a stream, for the loaders, which read streams.
class FileStreamBuffer : public std::streambuf {
public:
    explicit FileStreamBuffer(QFile& file) : m_file(file) {}

protected:
    int_type underflow() override {
        const qint64 count = m_file.read(m_buffer.data(), static_cast<qint64>(m_buffer.size()));
        if (count <= 0) return traits_type::eof();
        setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + count);
        return traits_type::to_int_type(m_buffer[0]);
    }

private:
    static constexpr std::size_t kBufferSize = 4096;
    QFile& m_file;
    std::array<char, kBufferSize> m_buffer{};
};

// Hands the regular file at path to a loader as a stream; false when there
// is no such file to open.
template <class Load> bool LoadFromFile(const QString& path, Load load) {
    QFile file;
    if (!OpenRegularFile(file, path)) return false;
    FileStreamBuffer buffer(file);
    std::istream stream(&buffer);
    load(stream);
    return true;
}

// Tells a failed load or save of the configuration file at nativePath.
void ReportConfigResult(CSimulator::ConfigResult result, const std::string& nativePath) {
    const std::string message = ConfigResultMessage(result, nativePath);
    if (!message.empty()) AfxMessageBox(QString::fromLocal8Bit(message.c_str()));
}

u8* TargetMemory() {
    if (g_Sim.m_pMemory == nullptr) g_Sim.InitMemoryCleared();
    return g_Sim.m_pMemory;
}
}  // namespace

bool CTorvanDoc::OnOpenDocument(const QString& path) {
    RecordLastProgram(path);
    StoreWhole(g_Sim.m_szProgramPath, QFile::encodeName(path));
    const bool bHex = QFileInfo(path).suffix().compare(QLatin1String(kHexSuffix), Qt::CaseInsensitive) == 0;
    StoreProgramNames(path);
    LoadProgramConfig(path);

    g_Sim.m_bRebuildPortsOnStep = 1;
    g_Sim.m_bRebuildPortsOnRun = 1;
    g_Sim.m_bRunning = 0;
    g_Sim.Reset();
    g_CurrentLine = 1;
    // The program is listed from where the reset leaves the program counter,
    // whatever origin the program before it was listed from.
    g_DisasmOrigin = g_Sim.m_pc;

    if (bHex) {
        const int result = LoadHexFile(path);
        if (result == kHexCannotOpen) AfxMessageBox(QStringLiteral("Can't open file"));
        if (result == kHexNotValid) AfxMessageBox(QStringLiteral("Not a valid .HEX file"));
        return true;
    }
    if (!LoadRawImage(path)) {
        AfxMessageBox(QStringLiteral("Can't open .Bin file"));
        return false;
    }
    return true;
}

void CTorvanDoc::RecordLastProgram(const QString& path) {
    const LastProgramRecord::Record record = LastProgramRecord::Make(QFile::encodeName(path).toStdString());
    QFile file(StartupCfgPath());
    // Opened for update: the file is created when missing and never cut.
    const bool bWritten = !file.fileName().isEmpty() && IsAbsentOrRegularFile(file.fileName()) &&
                          file.open(QIODevice::ReadWrite) && file.seek(0) &&
                          file.write(record.data(), record.size()) == static_cast<qint64>(record.size());
    file.close();
    if (!bWritten) AfxMessageBox(QStringLiteral("Cannot open KOMR.CFG file for writing"));
}

void CTorvanDoc::StoreProgramNames(const QString& path) {
    StoreCut(g_Sim.m_szProgramName, QFile::encodeName(QFileInfo(path).fileName()));
}

QString CTorvanDoc::ConfigPathFor(const QString& programPath) {
    const QFileInfo info(programPath);
    return info.dir().filePath(info.completeBaseName() + QLatin1String(kConfigSuffix));
}

void CTorvanDoc::LoadProgramConfig(const QString& path) {
    const std::string nativePath = QFile::encodeName(ConfigPathFor(path)).toStdString();
    ReportConfigResult(g_Sim.LoadConfig(nativePath.c_str()), nativePath);
}

void CTorvanDoc::SaveConfiguration(const QString& path) {
    const std::string nativePath = QFile::encodeName(path).toStdString();
    ReportConfigResult(g_Sim.SaveConfig(nativePath.c_str()), nativePath);
}

int CTorvanDoc::LoadHexFile(const QString& path) {
    int result = kHexCannotOpen;
    LoadFromFile(path, [&result](std::istream& stream) {
        const bool bLoaded = ProgramImage::LoadHex(stream, TargetMemory()) == ProgramImage::kHexLoaded;
        result = bLoaded ? kHexLoaded : kHexNotValid;
    });
    return result;
}

bool CTorvanDoc::LoadRawImage(const QString& path) {
    return LoadFromFile(path, [](std::istream& stream) { ProgramImage::LoadRaw(stream, TargetMemory()); });
}
