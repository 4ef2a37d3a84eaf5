// Loading program images: Intel HEX records and line ends, raw images, the
// configuration file beside the program and the last-program record.
#include <QtTest>
#include <sstream>

#include "app/Brixcdoc.h"
#include "app/LastProgramRecord.h"
#include "app/ProgramImage.h"
#include "app/ProgramListing.h"
#include "app/TorvanApp.h"
#include "periph/ConfigFile.h"
#include "tests/support/AppSandbox.h"
#include "tests/support/PowerOn.h"
#include "tests/support/QtTestRegistry.h"
#include "tests/support/TestFile.h"

namespace {
const QString kNotValid = QStringLiteral("Not a valid .HEX file");
constexpr u8 kFill = 0xAA;

int Parse(const std::string& line, u8* memory) { return ProgramImage::ParseHexRecord(line, memory); }

int LoadText(const std::string& text, u8* memory) {
    std::istringstream in(text);
    return ProgramImage::LoadHex(in, memory);
}

// A data record with the given bytes, upper-case, checksum included.
std::string Record(unsigned address, const std::vector<u8>& data, unsigned type = 0) {
    unsigned sum = static_cast<unsigned>(data.size()) + (address >> 8) + (address & 0xFF) + type;
    QString text = QStringLiteral(":%1%2%3")
                       .arg(data.size(), 2, 16, QLatin1Char('0'))
                       .arg(address & 0xFFFF, 4, 16, QLatin1Char('0'))
                       .arg(type, 2, 16, QLatin1Char('0'));
    for (u8 byte : data) {
        text += QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0'));
        sum += byte;
    }
    text += QStringLiteral("%1").arg((0x100 - (sum & 0xFF)) & 0xFF, 2, 16, QLatin1Char('0'));
    return text.toUpper().toStdString();
}
}  // namespace

class TestLoading : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_messages;

    QString Write(const QString& name, const QByteArray& bytes) { return WriteTestFile(m_dir, name, bytes); }
    bool Open(const QString& path) {
        CTorvanDoc doc;
        return doc.OnOpenDocument(path);
    }
    QByteArray ReadAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    u8* Memory() { return g_Sim.m_pMemory; }

private slots:
    void init() {
        QVERIFY(EnterAppSandbox(m_dir, m_messages));
        std::memset(Memory(), kFill, kMemorySize);
        SetStartupCfgPath(m_dir.filePath(QStringLiteral("KOMR.cfg")));
    }

    void cleanup() { LeaveAppSandbox(); }

    // ---- record parsing ----

    void digitsAreUpperCaseHexOnly() {
        QCOMPARE(ProgramImage::HexDigitClass('0'), 1);
        QCOMPARE(ProgramImage::HexDigitClass('9'), 1);
        QCOMPARE(ProgramImage::HexDigitClass('A'), 2);
        QCOMPARE(ProgramImage::HexDigitClass('F'), 2);
        QCOMPARE(ProgramImage::HexDigitClass('a'), 0);
        QCOMPARE(ProgramImage::HexDigitClass('G'), 0);
        QCOMPARE(ProgramImage::HexDigitClass(':'), 0);
        u8 value = 0;
        QCOMPARE(ProgramImage::HexByte(":7A", 1, value), 1);
        QCOMPARE(value, u8(0x7A));
        QCOMPARE(ProgramImage::HexByte(":7a", 1, value), 0);
        // A pair cut short by the end of the text is no byte.
        QCOMPARE(ProgramImage::HexByte(":7", 1, value), 0);
    }

    void recordKinds_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("result");
        QTest::newRow("data") << ":0300300002337A1E\n" << 1;
        QTest::newRow("wrong checksum still loads") << ":0300300002337A00\n" << 1;
        QTest::newRow("end record") << ":00000001FF\n" << 0;
        QTest::newRow("count 00 ends whatever the type") << ":00123405ZZ\n" << 0;
        QTest::newRow("type 01 with data") << ":0100000100FE\n" << -1;
        QTest::newRow("type 02") << ":020000021000EC\n" << -1;
        QTest::newRow("type 04") << ":020000040000FA\n" << -1;
        QTest::newRow("lower-case digits") << ":03003000023a7a1e\n" << -1;
        QTest::newRow("no colon") << "0300300002337A1E\n" << -1;
        QTest::newRow("too short") << ":000000\n" << -1;
        QTest::newRow("count larger than the line") << ":0400300002337A1E\n" << -1;
        QTest::newRow("checksum missing") << ":0300300002337A\n" << -1;
        QTest::newRow("data record without line end") << ":0300300002337A1E" << -1;
        QTest::newRow("end record without line end") << ":00000001FF" << 0;
    }
    void recordKinds() {
        QFETCH(QString, line);
        QFETCH(int, result);
        QCOMPARE(Parse(line.toStdString(), Memory()), result);
    }

    void dataRecordStoresItsBytes() {
        QCOMPARE(Parse(":0300300002337A1E\n", Memory()), 1);
        QCOMPARE(Memory()[0x30], u8(0x02));
        QCOMPARE(Memory()[0x31], u8(0x33));
        QCOMPARE(Memory()[0x32], u8(0x7A));
        QCOMPARE(Memory()[0x33], kFill);
        QCOMPARE(Memory()[0x2F], kFill);
    }

    void badPairKeepsTheBytesBeforeIt() {
        QCOMPARE(Parse(":0300300002G37A1E\n", Memory()), -1);
        QCOMPARE(Memory()[0x30], u8(0x02));
        QCOMPARE(Memory()[0x31], kFill);
    }

    void dataPastFFFFWrapsToZero() {
        QCOMPARE(Parse(Record(0xFFFE, {1, 2, 3, 4}) + "\n", Memory()), 1);
        QCOMPARE(Memory()[0xFFFE], u8(1));
        QCOMPARE(Memory()[0xFFFF], u8(2));
        QCOMPARE(Memory()[0x0000], u8(3));
        QCOMPARE(Memory()[0x0001], u8(4));
    }

    void recordOf255BytesLoads() {
        std::vector<u8> data(255);
        for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<u8>(i);
        const std::string text = Record(0x1000, data) + "\n:00000001FF\n";
        QCOMPARE(LoadText(text, Memory()), int(ProgramImage::kHexLoaded));
        QCOMPARE(Memory()[0x1000], u8(0));
        QCOMPARE(Memory()[0x10FE], u8(254));
        QCOMPARE(Memory()[0x10FF], kFill);
    }

    void overlongLinesAreInvalidAndHarmless() {
        // A record claiming 255 bytes but carrying more, and a huge line.
        std::string longer = Record(0x2000, std::vector<u8>(255, 0x11));
        longer.insert(longer.size() - 2, "00");
        QCOMPARE(LoadText(longer + "\n:00000001FF\n", Memory()), int(ProgramImage::kHexNotValid));
        const std::string huge = ":" + std::string(1 << 20, 'F') + "\n:00000001FF\n";
        QCOMPARE(LoadText(huge, Memory()), int(ProgramImage::kHexNotValid));
        std::string line;
        std::istringstream in(huge);
        QCOMPARE(ProgramImage::ReadLine(in, line), std::size_t(1 << 20) + 1);
        QCOMPARE(line.size(), ProgramImage::kLineKeep);
        QCOMPARE(ProgramImage::ReadLine(in, line), std::size_t(11));
        QCOMPARE(line, std::string(":00000001FF\n"));
    }

    void lineEndsAllCountAsOne_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("LF") << QByteArray(":0300300002337A1E\n:00000001FF\n");
        QTest::newRow("CR LF") << QByteArray(":0300300002337A1E\r\n:00000001FF\r\n");
        QTest::newRow("CR") << QByteArray(":0300300002337A1E\r:00000001FF\r");
        QTest::newRow("0x1A") << QByteArray(":0300300002337A1E\x1A:00000001FF\x1A");
        QTest::newRow("end record without line end") << QByteArray(":0300300002337A1E\r\n:00000001FF");
    }
    void lineEndsAllCountAsOne() {
        QFETCH(QByteArray, text);
        QCOMPARE(LoadText(text.toStdString(), Memory()), int(ProgramImage::kHexLoaded));
        QCOMPARE(Memory()[0x32], u8(0x7A));
    }

    void readingStopsAtTheFirstFault() {
        // An empty line ends the reading: the records after it are not read.
        QCOMPARE(LoadText(":0100100011DE\n\n:0100200022BD\n:00000001FF\n", Memory()), int(ProgramImage::kHexNotValid));
        QCOMPARE(Memory()[0x10], u8(0x11));
        QCOMPARE(Memory()[0x20], kFill);
        // A Windows blank line is an empty line too.
        QCOMPARE(LoadText(":0100300033AC\r\n\r\n:00000001FF\r\n", Memory()), int(ProgramImage::kHexNotValid));
        // Nothing is read after an end record.
        QCOMPARE(LoadText(":00000001FF\n:01004000447B\n", Memory()), int(ProgramImage::kHexLoaded));
        QCOMPARE(Memory()[0x40], kFill);
        // No end record at all: the data stays, the file is not valid.
        QCOMPARE(LoadText(":0100500055FA\n", Memory()), int(ProgramImage::kHexNotValid));
        QCOMPARE(Memory()[0x50], u8(0x55));
        QCOMPARE(LoadText("", Memory()), int(ProgramImage::kHexNotValid));
    }

    // ---- opening a program ----

    void hexProgramLoadsWithoutMessage() {
        const QString path = Write(QStringLiteral("sample.hex"), ":0300300002337A1E\r\n:00000001FF\r\n");
        QVERIFY(Open(path));
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(Memory()[0x30], u8(0x02));
        QCOMPARE(Memory()[0x31], u8(0x33));
        QCOMPARE(Memory()[0x32], u8(0x7A));
        QCOMPARE(Memory()[0x33], kFill);
    }

    void hexFaultsShowTheirMessageAndKeepTheDocument() {
        QVERIFY(Open(Write(QStringLiteral("lower.hex"), ":03003000023a7a1e\n:00000001FF\n")));
        QCOMPARE(m_messages, QStringList{kNotValid});
        m_messages.clear();
        QVERIFY(Open(Write(QStringLiteral("noend.hex"), ":010060006639\n:010061006737\n")));
        QCOMPARE(m_messages, QStringList{kNotValid});
        QCOMPARE(Memory()[0x60], u8(0x66));
        QCOMPARE(Memory()[0x61], u8(0x67));
        m_messages.clear();
        QVERIFY(Open(m_dir.filePath(QStringLiteral("missing.hex"))));
        QCOMPARE(m_messages, QStringList{QStringLiteral("Can't open file")});
        m_messages.clear();
        // A folder named like a program cannot be opened either.
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder.hex")));
        QVERIFY(Open(m_dir.filePath(QStringLiteral("folder.hex"))));
        QCOMPARE(m_messages, QStringList{QStringLiteral("Can't open file")});
    }

    void extensionDecidesTheFormat() {
        const QByteArray hex(":0100700077\n:00000001FF\n");
        QVERIFY(Open(Write(QStringLiteral("PROG.HEX"), ":01007000770F\n:00000001FF\n")));
        QCOMPARE(Memory()[0x70], u8(0x77));
        QVERIFY(m_messages.isEmpty());
        // Any other extension, or none, is a raw image loaded at 0.
        QVERIFY(Open(Write(QStringLiteral("prog.txt"), hex)));
        QCOMPARE(Memory()[0], u8(':'));
        std::memset(Memory(), kFill, kMemorySize);
        QVERIFY(Open(Write(QStringLiteral("prog"), hex)));
        QCOMPARE(Memory()[1], u8('0'));
        QVERIFY(m_messages.isEmpty());
    }

    void rawImageCoversOnlyItsBytes() {
        QByteArray image(300, '\0');
        for (int i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 7);
        QVERIFY(Open(Write(QStringLiteral("prog.bin"), image)));
        QCOMPARE(Memory()[0x012B], u8(299 * 7));
        QCOMPARE(Memory()[0x0001], u8(7));
        QCOMPARE(Memory()[0x012C], kFill);
        QCOMPARE(Memory()[0xFFFF], kFill);
    }

    void rawImageLongerThanMemoryLoadsItsFirst64K() {
        QByteArray image(0x10000 + 100, '\x01');
        image[0xFFFF] = '\x02';
        image[0x10000] = '\x03';
        QVERIFY(Open(Write(QStringLiteral("big.bin"), image)));
        QCOMPARE(Memory()[0xFFFF], u8(2));
        QCOMPARE(Memory()[0x0000], u8(1));
        QVERIFY(m_messages.isEmpty());
    }

    void rawImageThatCannotBeOpenedDiscardsTheDocument() {
        QVERIFY(!Open(m_dir.filePath(QStringLiteral("absent.bin"))));
        QCOMPARE(m_messages, QStringList{QStringLiteral("Can't open .Bin file")});
    }

    void openingResetsTheMachine() {
        g_Sim.m_bRunning = 1;
        g_Sim.m_bRebuildPortsOnStep = 0;
        g_Sim.m_bRebuildPortsOnRun = 0;
        g_Sim.m_pc = 0x1234;
        g_Sim.m_regA = 0x55;
        g_CurrentLine = 40;
        QVERIFY(Open(Write(QStringLiteral("reset.bin"), QByteArray("\x76", 1))));
        QCOMPARE(g_Sim.m_bRunning, 0u);
        QCOMPARE(g_Sim.m_bRebuildPortsOnStep, 1u);
        QCOMPARE(g_Sim.m_bRebuildPortsOnRun, 1u);
        QCOMPARE(g_Sim.m_pc, u16(0));
        QCOMPARE(g_Sim.m_regA, u8(0));
        QCOMPARE(g_CurrentLine, 1);
        QCOMPARE(QByteArray(g_Sim.m_szProgramName), QByteArray("reset.bin"));
        QCOMPARE(QFile::decodeName(g_Sim.m_szProgramPath), m_dir.filePath(QStringLiteral("reset.bin")));
    }

    void longNamesAreKeptWholeOrNotAtAll() {
        const QString name = QString(120, QLatin1Char('n')) + QStringLiteral(".bin");
        QVERIFY(Open(Write(name, QByteArray("\x00", 1))));
        QCOMPARE(std::strlen(g_Sim.m_szProgramName), std::size_t(80));
        // A path too long for the machine's field is not stored cut.
        QString folder = m_dir.path();
        for (int i = 0; i < 3; ++i) folder += QLatin1Char('/') + QString(200, QChar(QLatin1Char('a' + i)));
        QVERIFY(QDir().mkpath(folder));
        const QString deep = folder + QStringLiteral("/deep.bin");
        QFile file(deep);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\x3E\x42", 2);
        file.close();
        QVERIFY(Open(deep));
        QCOMPARE(g_Sim.m_szProgramPath[0], '\0');
        QCOMPARE(Memory()[1], u8(0x42));
        QVERIFY2(QFileInfo::exists(folder + QStringLiteral("/deep.cfg")), "configuration beside a deep program");
        // Nor is it recorded cut in the last-program record.
        const QByteArray record = ReadAll(StartupCfgPath());
        QCOMPARE(record.size(), int(LastProgramRecord::kRecordSize));
        QCOMPARE(record, QByteArray(int(LastProgramRecord::kRecordSize), '\0'));
        QVERIFY(m_messages.isEmpty());
    }

    // ---- the configuration beside the program ----

    void missingConfigurationIsCreatedBeside() {
        const QString path = Write(QStringLiteral("fresh.hex"), ":00000001FF\n");
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("fresh.cfg"))));
        QVERIFY(Open(path));
        QCOMPARE(QFileInfo(m_dir.filePath(QStringLiteral("fresh.cfg"))).size(), qint64(kConfigFileSize));
        QVERIFY(m_messages.isEmpty());
    }

    void existingConfigurationIsLoaded() {
        g_Sim.m_n8253Count = 2;
        const QString cfg = m_dir.filePath(QStringLiteral("known.cfg"));
        QCOMPARE(g_Sim.SaveConfig(QFile::encodeName(cfg).constData()), CSimulator::ConfigResult::Saved);
        StartFromPowerOn();
        QCOMPARE(g_Sim.m_n8253Count, u8(0));
        QVERIFY(Open(Write(QStringLiteral("known.bin"), QByteArray(1, '\0'))));
        QCOMPARE(g_Sim.m_n8253Count, u8(2));
        QVERIFY(m_messages.isEmpty());
    }

    void resetFollowsTheLoadedConfiguration() {
        // A configuration saved with its 8155 timer running: the reset after
        // loading it stops the timer but keeps its wiring.
        g_Sim.m_b8155Connected = 1;
        g_Sim.m_Timer[15].m_nIrqRoute = 7;
        g_Sim.m_Timer[15].m_bRunning = 1;
        g_Sim.m_Timer[15].m_nMode = 2;
        g_Sim.m_Timer[15].m_nReload = 99;
        g_Sim.m_Timer[15].m_nCount = 42;
        g_Sim.TimersWritten();
        const QString cfg = m_dir.filePath(QStringLiteral("timer.cfg"));
        QCOMPARE(g_Sim.SaveConfig(QFile::encodeName(cfg).constData()), CSimulator::ConfigResult::Saved);
        StartFromPowerOn();
        QVERIFY(Open(Write(QStringLiteral("timer.bin"), QByteArray(1, '\0'))));
        QCOMPARE(g_Sim.m_b8155Connected, u8(1));
        g_Sim.SyncTimers();
        QCOMPARE(g_Sim.m_Timer[15].m_nIrqRoute, u8(7));
        QCOMPARE(g_Sim.m_Timer[15].m_bRunning, u8(0));
        QCOMPARE(g_Sim.m_Timer[15].m_nMode, u8(0));
        QCOMPARE(int(g_Sim.m_Timer[15].m_nCount), 0);
        QVERIFY(m_messages.isEmpty());
    }

    void badConfigurationIsReportedAndLoadingGoesOn() {
        const QString cfg = Write(QStringLiteral("bad.cfg"), QByteArray(10, '\x7F'));
        QVERIFY(Open(Write(QStringLiteral("bad.bin"), QByteArray("\x3C", 1))));
        QCOMPARE(m_messages, QStringList{QFile::decodeName(QFile::encodeName(cfg)) +
                                         QStringLiteral(" is not a valid Configuration file")});
        QCOMPARE(Memory()[0], u8(0x3C));
        QCOMPARE(ReadAll(cfg), QByteArray(10, '\x7F'));
    }

    // ---- the last-program record ----

    void lastProgramIsRecordedEvenWhenLoadingFails() {
        const QString path = Write(QStringLiteral("broken.hex"), "garbage\n");
        QVERIFY(Open(path));
        const QByteArray record = ReadAll(StartupCfgPath());
        QCOMPARE(record.size(), 500);
        QCOMPARE(QByteArray(record.constData()), QFile::encodeName(path));
        QCOMPARE(record.at(QFile::encodeName(path).size()), '\0');
    }

    void recordIsRewrittenInPlaceNeverCut() {
        QByteArray old(600, 'x');
        Write(QStringLiteral("KOMR.cfg"), old);
        const QString path = Write(QStringLiteral("keep.bin"), QByteArray(1, '\0'));
        QVERIFY(Open(path));
        const QByteArray record = ReadAll(StartupCfgPath());
        QCOMPARE(record.size(), 600);
        QCOMPARE(QByteArray(record.constData()), QFile::encodeName(path));
        QCOMPARE(record.mid(500), QByteArray(100, 'x'));
    }

    void unwritableRecordIsReportedAndLoadingGoesOn() {
        SetStartupCfgPath(m_dir.path());
        QVERIFY(Open(Write(QStringLiteral("go.bin"), QByteArray("\x21", 1))));
        QCOMPARE(m_messages, QStringList{QStringLiteral("Cannot open KOMR.CFG file for writing")});
        QCOMPARE(Memory()[0], u8(0x21));
    }

    void recordBytesGiveThePathUpToTheirNul() {
        const auto record = LastProgramRecord::Make("/a/b.hex");
        QCOMPARE(LastProgramRecord::PathFrom(record.data(), record.size()), std::string("/a/b.hex"));
        QCOMPARE(LastProgramRecord::PathFrom("abc", 3), std::string());
        QCOMPARE(LastProgramRecord::PathFrom("ab\0cd", 5), std::string("ab"));
        const auto tooLong = LastProgramRecord::Make(std::string(500, 'p'));
        QCOMPARE(LastProgramRecord::PathFrom(tooLong.data(), tooLong.size()), std::string());
        const auto longest = LastProgramRecord::Make(std::string(499, 'p'));
        QCOMPARE(LastProgramRecord::PathFrom(longest.data(), longest.size()).size(), std::size_t(499));
    }
};

TORVAN_TEST_CLASS(TestLoading);
#include "test_loading.moc"
