// Files that are not files: a configuration, a last-program record or a
// version text that is a named pipe or a folder, a pipe given as a program,
// and a program swapped for a pipe while it is opened. The program never
// waits on one, nor opens one it can tell by its name; it goes on as when
// the file is absent or unreadable, with the loader's message where it has
// one.
#include <QDir>
#include <QLabel>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <future>
#include <mutex>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

#include "app/AboutDlg.h"
#include "app/Brixcdoc.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// Releases a pipe that something opened and waits on, so that a test fails
// instead of hanging: after a while it opens the pipe's other end.
class PipeReleaser {
public:
    explicit PipeReleaser(const QString& path) : m_path(QFile::encodeName(path).toStdString()) {
        m_thread = std::thread([this] {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (m_done.wait_for(lock, std::chrono::seconds(10), [this] { return m_bCancelled; })) return;
            m_bFired = true;
            const int fd = ::open(m_path.c_str(), O_RDWR | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
        });
    }
    ~PipeReleaser() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bCancelled = true;
        }
        m_done.notify_one();
        m_thread.join();
    }
    bool Fired() const { return m_bFired; }

private:
    std::string m_path;
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_bCancelled = false;
    std::atomic<bool> m_bFired{false};
    std::thread m_thread;
};

// A process about to write a program into a named pipe: it waits in its
// open for a reader. It is let go when the test ends, on every path, so a
// test that fails early fails instead of hanging.
class WaitingWriter {
public:
    explicit WaitingWriter(const QByteArray& pipe) : m_pipe(pipe), m_result(m_opened.get_future()) {
        m_thread = std::thread([this] {
            m_tid = ::gettid();
            const int writer = ::open(m_pipe.constData(), O_WRONLY | O_CLOEXEC);
            // Closed as soon as it opens: a reader that should never have
            // opened the pipe then reads an end of file, and the test fails
            // at once. Held open, it would keep that reader, and the test
            // thread with it, waiting until the test run timed out.
            if (writer >= 0) ::close(writer);
            m_opened.set_value();
        });
    }
    ~WaitingWriter() {
        // Held open until the writer is back, so its open finds a reader
        // whether or not it had reached it.
        const int reader = ::open(m_pipe.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        m_thread.join();
        if (reader >= 0) ::close(reader);
    }
    WaitingWriter(const WaitingWriter&) = delete;
    WaitingWriter& operator=(const WaitingWriter&) = delete;

    enum class Seen { InOpen, Elsewhere, Unseen };
    // InOpen once the writer waits inside its open, where anything that
    // opens the pipe to read releases it; Unseen where the system shows no
    // thread's system call, so nothing tells.
    Seen WhereItWaits() const {
        for (int look = 0; look < kLooks; ++look) {
            if (m_tid != 0) {
                QFile entry(QStringLiteral("/proc/self/task/%1/syscall").arg(m_tid.load()));
                const QByteArray call = entry.open(QIODevice::ReadOnly) ? entry.readAll() : QByteArray();
                if (call.isEmpty()) return Seen::Unseen;
                if (IsOpen(call.left(call.indexOf(' ')))) return Seen::InOpen;
            }
            std::this_thread::sleep_for(kLookInterval);
        }
        return Seen::Elsewhere;
    }
    // Given time to come back from its open, had anything released it.
    bool Released() { return m_result.wait_for(kTimeToReturn) == std::future_status::ready; }

private:
    // A C library opens with openat, or with open where the system has it.
    static bool IsOpen(const QByteArray& number) {
#ifdef SYS_open
        if (number == QByteArray::number(SYS_open)) return true;
#endif
        return number == QByteArray::number(SYS_openat);
    }

    static constexpr int kLooks = 500;
    static constexpr auto kLookInterval = std::chrono::milliseconds(10);
    static constexpr auto kTimeToReturn = std::chrono::milliseconds(50);

    QByteArray m_pipe;
    std::promise<void> m_opened;
    std::future<void> m_result;
    std::atomic<pid_t> m_tid{0};
    std::thread m_thread;
};

enum class Kind { Pipe, Folder };

bool MakeNotAFile(const QString& path, Kind kind) {
    if (kind == Kind::Folder) return QDir().mkdir(path);
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}
}  // namespace

Q_DECLARE_METATYPE(Kind)

class TestNotAFile : public QObject {
    Q_OBJECT

    static constexpr int kLeastLoads = 2000;
    static constexpr auto kSwapBudget = std::chrono::seconds(1);

private slots:
    void openingAProgram_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("configuration is a pipe")
            << "prog.cfg" << Kind::Pipe << "%1/prog.cfg is not a valid Configuration file";
        QTest::newRow("configuration is a folder")
            << "prog.cfg" << Kind::Folder << "%1/prog.cfg is not a valid Configuration file";
        QTest::newRow("last-program record is a pipe")
            << "KOMR.cfg" << Kind::Pipe << "Cannot open KOMR.CFG file for writing";
        QTest::newRow("last-program record is a folder")
            << "KOMR.cfg" << Kind::Folder << "Cannot open KOMR.CFG file for writing";
    }
    void openingAProgram() {
        QFETCH(QString, name);
        QFETCH(Kind, kind);
        QFETCH(QString, message);
        ProgramWindowFixture f;
        const QString path = f.m_dir.filePath(name);
        QVERIFY(MakeNotAFile(path, kind));
        PipeReleaser releaser(path);
        QVERIFY(f.Start(Program({0x3E, 0x42, 0x76})));
        QVERIFY(!releaser.Fired());
        QCOMPARE(f.m_messages, QStringList{message.arg(f.m_dir.path())});
        // The program is loaded all the same, and the odd file is left alone.
        QCOMPARE(g_Sim.m_pMemory[1], u8(0x42));
        QVERIFY(f.Row(0).contains("MVI  A,42"));
        QVERIFY(!QFileInfo(path).isFile() && QFileInfo::exists(path));
    }

    void startingWithoutAProgram_data() {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("pipe") << Kind::Pipe;
        QTest::newRow("folder") << Kind::Folder;
    }
    void startingWithoutAProgram() {
        QFETCH(Kind, kind);
        ProgramWindowFixture f;
        const QString path = f.m_dir.filePath(QStringLiteral("KOMR.cfg"));
        QVERIFY(MakeNotAFile(path, kind));
        PipeReleaser releaser(path);
        QVERIFY(f.StartApplication({}));
        QVERIFY(!releaser.Fired());
        QVERIFY(!f.m_app->GetDocument());
        QVERIFY(f.m_messages.isEmpty());
    }

    void aboutBoxWithAVersionPipeShowsTheBuiltInText() {
        QTemporaryDir dir;
        SetAppFolderOverride(dir.path());
        const QString path = dir.filePath(QStringLiteral("version.txt"));
        QVERIFY(MakeNotAFile(path, Kind::Pipe));
        PipeReleaser releaser(path);
        CAboutDlg dialog;
        dialog.OnInitDialog();
        SetAppFolderOverride(QString());
        QVERIFY(!releaser.Fired());
        QCOMPARE(dialog.m_strVersion, QString::fromLatin1(CAboutDlg::kDefaultVersion));
    }

    void aPipeGivenAsAProgramIsNotOpened_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("hex") << "prog.hex"
                             << "Can't open file";
        QTest::newRow("bin") << "prog.bin"
                             << "Can't open .Bin file";
    }
    void aPipeGivenAsAProgramIsNotOpened() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        ProgramWindowFixture f;
        const QByteArray pipe = QFile::encodeName(f.m_dir.filePath(name));
        QVERIFY(::mkfifo(pipe.constData(), 0600) == 0);
        WaitingWriter writer(pipe);
        const WaitingWriter::Seen seen = writer.WhereItWaits();
        if (seen == WaitingWriter::Seen::Unseen)
            QSKIP("/proc/self/task/<tid>/syscall cannot be read here, so nothing shows the writer waiting in its open");
        QVERIFY(seen == WaitingWriter::Seen::InOpen);
        QVERIFY(f.StartApplication({QFile::decodeName(pipe)}));
        QVERIFY(!writer.Released());
        QCOMPARE(f.m_messages, QStringList{message});
    }

    void aProgramSwappedForAPipeWhileItIsOpenedIsNeverWaitedOn() {
        QTemporaryDir dir;
        const QByteArray program = QFile::encodeName(dir.filePath(QStringLiteral("prog.hex")));
        const QByteArray other = QFile::encodeName(dir.filePath(QStringLiteral("other")));
        const QString keep = dir.filePath(QStringLiteral("keep"));
        QVERIFY(::mkfifo(other.constData(), 0600) == 0);
        QVERIFY(::link(other.constData(), QFile::encodeName(keep).constData()) == 0);
        QFile image(QFile::decodeName(program));
        QVERIFY(image.open(QIODevice::WriteOnly) && image.write(":00000001FF\n") == 12);
        image.close();
        PipeReleaser releaser(keep);
        std::atomic<bool> bStop{false};
        std::atomic<int> swaps{0};
        std::thread swapper([&] {
            while (!bStop)
                if (::renameat2(AT_FDCWD, program.constData(), AT_FDCWD, other.constData(), RENAME_EXCHANGE) == 0)
                    ++swaps;
        });
        // The loads go on until the swapper has had its turn: on a busy
        // machine that may come only after a fixed number of loads has ended.
        // The budget ends them where it never comes.
        const auto deadline = std::chrono::steady_clock::now() + kSwapBudget;
        for (int load = 0; (load < kLeastLoads || swaps == 0) && !releaser.Fired(); ++load) {
            if (std::chrono::steady_clock::now() > deadline) break;
            CTorvanDoc::LoadHexFile(QFile::decodeName(program));
        }
        bStop = true;
        swapper.join();
        QVERIFY(!releaser.Fired());
        QVERIFY2(swaps > 0, "the program and the pipe were never swapped");
    }
};

TORVAN_TEST_CLASS(TestNotAFile);
#include "test_not_a_file.moc"
