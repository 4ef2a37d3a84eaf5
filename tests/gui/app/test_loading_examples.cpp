// The bundled example programs: their configuration files are what the
// machine writes for their set-up, and the programs do what their listings
// say when they run.
#include <QtTest>

#include "app/Brixcdoc.h"
#include "app/TorvanApp.h"
#include "periph/ConfigFile.h"
#include "tests/support/AppSandbox.h"
#include "tests/support/PowerOn.h"
#include "tests/support/QtTestRegistry.h"

namespace {
constexpr u16 kIOWatch8255 = 8255, kIOWatch8155 = 8155, kIOWatch8279 = 8279, kIOWatchLcd1 = 9999, kIOWatchLcd2 = 9998;
constexpr u8 kRouteRst75 = 7;
constexpr u8 kHlt = 0x76;

void AddIOWatch(u16 kind) {
    const int at = g_Sim.m_nIOWatchCount++;
    g_IOWatchKind[at] = kind;
    g_IOWatchIndex[at] = 0;
    g_IOWatchValid[at] = 1;
}

// counter: an 8255 at 40H counts the interrupts of the 8155 timer at 20H.
void SetUpCounterMachine() {
    g_Sim.m_n8255Count = 1;
    g_Sim.m_8255Address[0] = 0x40;
    g_Sim.m_b8155Connected = 1;
    g_Sim.m_n8155Address = 0x20;
    g_Sim.m_Timer[15].m_nIrqRoute = kRouteRst75;
    g_Sim.m_TimerPrescaler[15] = 10;
    g_Sim.TimersWritten();
    AddIOWatch(kIOWatch8255);
    AddIOWatch(kIOWatch8155);
}

// lcd: a two-line display of 16 characters at 50H.
void SetUpLcdMachine() {
    g_Sim.m_bLcdConnected = 1;
    g_Sim.m_nLcdAddress = 0x50;
    g_Sim.m_nLcdCharsLogical = 16;
    g_Sim.m_nLcdCharsPhysical = 16;
    AddIOWatch(kIOWatchLcd1);
    AddIOWatch(kIOWatchLcd2);
}

// keys: an 8279 at 60H whose display bytes 00H-0FH show as hex digits.
void SetUpKeysMachine() {
    g_Sim.m_b8279Connected = 1;
    g_Sim.m_n8279Address = 0x60;
    for (int digit = 0; digit < 16; ++digit) {
        g_Sim.m_8279SegTable[digit][0] = "0123456789ABCDEF"[digit];
        g_Sim.m_8279SegTable[digit][1] = '\0';
    }
    AddIOWatch(kIOWatch8279);
}

QString Example(const QString& name) { return QStringLiteral(TORVAN_EXAMPLES "/") + name; }

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Executes one instruction as Single Step does; false after a HLT.
bool Step() {
    const u8 opcode = g_Sim.m_pMemory[g_Sim.m_pc];
    g_Sim.ExecuteInstruction();
    return opcode != kHlt;
}
}  // namespace

class TestLoadingExamples : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_messages;

    // The configuration the machine writes after a set-up from power-on.
    QByteArray ConfigFor(void (*setUp)()) {
        StartFromPowerOn();
        setUp();
        const QString path = m_dir.filePath(QStringLiteral("generated.cfg"));
        if (g_Sim.SaveConfig(QFile::encodeName(path).constData()) != CSimulator::ConfigResult::Saved) return {};
        return ReadAll(path);
    }
    // Opens a copy of the example with its configuration, as the
    // application does, from power-on.
    bool OpenCopy(const QString& name) {
        StartFromPowerOn();
        const QString base = QFileInfo(name).completeBaseName();
        for (const QString& file : {name, base + QStringLiteral(".cfg")}) {
            QFile::remove(m_dir.filePath(file));
            if (!QFile::copy(Example(file), m_dir.filePath(file))) return false;
        }
        CTorvanDoc doc;
        if (!doc.OnOpenDocument(m_dir.filePath(name))) return false;
        // The first Single Step brings the port list up to date.
        g_Sim.UpdatePortList();
        g_Sim.m_bRebuildPortsOnStep = g_Sim.m_bRebuildPortsOnRun = 0;
        return true;
    }

private slots:
    void init() {
        QVERIFY(EnterAppSandbox(m_dir, m_messages));
        SetStartupCfgPath(m_dir.filePath(QStringLiteral("KOMR.cfg")));
    }
    void cleanup() { LeaveAppSandbox(); }

    // Run with TORVAN_WRITE_EXAMPLE_CONFIGS=1 to write the files anew.
    void writeConfigurationsWhenAsked() {
        if (qEnvironmentVariableIsEmpty("TORVAN_WRITE_EXAMPLE_CONFIGS")) QSKIP("writes only when asked");
        const QByteArray counter = ConfigFor(SetUpCounterMachine);
        const QByteArray lcd = ConfigFor(SetUpLcdMachine);
        const QByteArray keys = ConfigFor(SetUpKeysMachine);
        for (const auto& [name, bytes] :
             {std::pair{QStringLiteral("counter.cfg"), counter}, std::pair{QStringLiteral("lcd.cfg"), lcd},
              std::pair{QStringLiteral("keys.cfg"), keys}}) {
            QFile file(Example(name));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(file.write(bytes), qint64(kConfigFileSize));
        }
    }

    void configurationsAreTheMachinesOwn() {
        QCOMPARE(ReadAll(Example(QStringLiteral("counter.cfg"))), ConfigFor(SetUpCounterMachine));
        QCOMPARE(ReadAll(Example(QStringLiteral("lcd.cfg"))), ConfigFor(SetUpLcdMachine));
        QCOMPARE(ReadAll(Example(QStringLiteral("keys.cfg"))), ConfigFor(SetUpKeysMachine));
        QCOMPARE(ReadAll(Example(QStringLiteral("counter.cfg"))).size(), int(kConfigFileSize));
    }

    void counterCountsTimerInterruptsOnThe8255() {
        QVERIFY(OpenCopy(QStringLiteral("counter.hex")));
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(g_Sim.m_b8155Connected, u8(1));
        g_Sim.SyncTimers();
        QCOMPARE(g_Sim.m_Timer[15].m_nIrqRoute, kRouteRst75);
        // The set-up runs to the idle loop.
        int steps = 0;
        while (g_Sim.m_pc != 0x0059 && steps < 100) steps += Step();
        QCOMPARE(g_Sim.m_pc, u16(0x0059));
        QCOMPARE(g_Sim.m_mask75, u8(0));
        g_Sim.SyncTimers();
        QCOMPARE(g_Sim.m_Timer[15].m_bRunning, u8(1));
        // The first interrupt comes after about 1,000 T-states.
        steps = 0;
        while (g_Sim.m_pc != 0x003C && steps < 1000) steps += Step();
        QCOMPARE(g_Sim.m_pc, u16(0x003C));
        QVERIFY2(steps > 50 && steps < 150, qPrintable(QString::number(steps)));
        for (int i = 0; i < 4; ++i) QVERIFY(Step());
        QCOMPARE(g_Sim.m_8255PortA[0], u8(1));
        // It goes on counting, and the port shows the count.
        for (int i = 0; i < 5000; ++i) QVERIFY(Step());
        QVERIFY2(g_Sim.m_regB > 20, qPrintable(QString::number(g_Sim.m_regB)));
        QVERIFY(g_Sim.m_8255PortA[0] == g_Sim.m_regB || g_Sim.m_8255PortA[0] + 1 == g_Sim.m_regB);
    }

    void lcdShowsTwoLinesAndHalts() {
        QVERIFY(OpenCopy(QStringLiteral("lcd.hex")));
        QVERIFY(m_messages.isEmpty());
        int steps = 0;
        while (Step() && steps < 2000) ++steps;
        QVERIFY(steps < 2000);
        QCOMPARE(g_Sim.m_pc, u16(0x0068));
        QCOMPARE(QByteArray(g_Sim.m_LcdRam, 16), QByteArray("Hello from 8085!"));
        QCOMPARE(QByteArray(g_Sim.m_LcdRam + 64, 16), QByteArray("TORVAN simulator"));
        QCOMPARE(g_Sim.m_LcdRam[16], ' ');
        QCOMPARE(g_Sim.m_bLcdDisplayOn, u8(1));
    }

    void keysGoFromTheFifoToTheDisplay() {
        QVERIFY(OpenCopy(QStringLiteral("keys.hex")));
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(g_Sim.m_8279SegTable[0xA][0], 'A');
        int steps = 0;
        while (g_Sim.m_pc != 0x004F && steps < 100) steps += Step();
        // Without keys the program keeps waiting.
        for (int i = 0; i < 30; ++i) QVERIFY(Step());
        QVERIFY(g_Sim.m_pc >= 0x004F && g_Sim.m_pc <= 0x0053);
        for (u8 key : {0x01, 0x02, 0x0A}) g_Sim.Input8279Key(key);
        for (steps = 0; g_Sim.m_n8279FifoCount != 0 && steps < 200; ++steps) Step();
        QCOMPARE(g_Sim.m_n8279FifoCount, u16(0));
        for (int i = 0; i < 10; ++i) Step();
        const QByteArray display(reinterpret_cast<const char*>(g_Sim.m_8279DisplayRam), 8);
        QCOMPARE(display, QByteArray("\0\0\0\0\0\x01\x02\x0A", 8));
        QCOMPARE(g_Sim.m_n8279Status & 0x10, 0);
    }
};

TORVAN_TEST_CLASS(TestLoadingExamples);
#include "test_loading_examples.moc"
