// Start-up: the main window without a program, the last program from
// KOMR.cfg, a path on the command line, and the recent-file list.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QtTest>
#include <memory>

#include "app/Brixcdoc.h"
#include "app/LastProgramRecord.h"
#include "app/Mainfrm.h"
#include "app/TorvanApp.h"
#include "framework/CmdUI.h"
#include "framework/DocTemplate.h"
#include "framework/MenuSet.h"
#include "framework/View.h"
#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"
#include "res/Toolbar.h"
#include "tests/support/AppSandbox.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/PowerOn.h"
#include "tests/support/QtTestRegistry.h"
#include "tests/support/TestFile.h"

class TestStartup : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CTorvanApp> m_app;
    QStringList m_messages;

    QString Path(const QString& name) const { return m_dir->filePath(name); }
    QString WriteProgram(const QString& name, const QByteArray& bytes) { return WriteTestFile(*m_dir, name, bytes); }
    void WriteRecord(const QByteArray& bytes) {
        QFile file(Path(QStringLiteral("KOMR.cfg")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray RecordFor(const QString& path) {
        const auto record = LastProgramRecord::Make(QFile::encodeName(path).toStdString());
        return QByteArray(record.data(), int(record.size()));
    }
    bool Start(const QStringList& arguments) {
        m_app = std::make_unique<CTorvanApp>();
        return m_app->InitInstance(arguments);
    }
    void Stop() {
        m_app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QStringList MenuTitles() const {
        QStringList titles;
        for (QAction* pAction : AfxGetMainWnd()->menuBar()->actions()) titles << pAction->text();
        return titles;
    }
    QString OpenPath() const {
        CTorvanDoc* pDoc = m_app->GetDocument();
        return pDoc != nullptr ? pDoc->GetPathName() : QString();
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(EnterAppSandbox(*m_dir, m_messages));
    }

    void cleanup() {
        Stop();
        LeaveAppSandbox();
    }

    void firstStartShowsAnEmptyMaximisedWindow() {
        g_Sim.m_pc = 0x4321;
        QVERIFY(Start({}));
        CMainFrame* pFrame = GetMainFrame();
        QVERIFY(pFrame != nullptr);
        QVERIFY(pFrame->windowState() & Qt::WindowMaximized);
        QVERIFY(pFrame->isVisible());
        QCOMPARE(pFrame->windowTitle(), QStringLiteral("TORVAN - Zelmor Systems' Simulator for 8085"));
        QVERIFY(pFrame->MDIClient()->subWindowList().isEmpty());
        QVERIFY(m_app->GetDocument() == nullptr);
        QCOMPARE(MenuTitles(), (QStringList{"&File", "&View", "&Help"}));
        QVERIFY(m_messages.isEmpty());
        // Memory is there, cleared, and the machine is reset.
        QVERIFY(g_Sim.m_pMemory != nullptr);
        QCOMPARE(g_Sim.m_pc, u16(0));
        QCOMPARE(StartupCfgPath(), Path(QStringLiteral("KOMR.cfg")));
        QCOMPARE(QFile::decodeName(g_Sim.m_szStartupCfgPath), Path(QStringLiteral("KOMR.cfg")));
        QVERIFY(!QFileInfo::exists(Path(QStringLiteral("KOMR.cfg"))));
    }

    void lastProgramOpensAgain() {
        const QString program = WriteProgram(QStringLiteral("last.bin"), QByteArray("\x3E\x07\x76", 3));
        WriteRecord(RecordFor(program));
        QVERIFY(Start({}));
        QCOMPARE(OpenPath(), program);
        QCOMPARE(g_Sim.m_pMemory[1], u8(0x07));
        // The program window is placed from the maximised window's client area;
        // its first activation opened the I/O, memory and register windows.
        const QSize client = GetMainFrame()->MDIClient()->viewport()->size();
        const QList<QMdiSubWindow*> windows = GetMainFrame()->MDIClient()->subWindowList();
        QCOMPARE(windows.size(), 4);
        QCOMPARE(windows.first()->width(), client.width() * 2 / 3);
        QCOMPARE(windows.first()->windowTitle(), QStringLiteral("last.bin"));
        QCOMPARE(MenuTitles().first(), QStringLiteral("&File"));
        QCOMPARE(MenuTitles().size(), 10);
        QCOMPARE(AfxGetMainWnd()->windowTitle(),
                 QStringLiteral("TORVAN - Zelmor Systems' Simulator for 8085 - last.bin"));
        QVERIFY(m_messages.isEmpty());
    }

    void startWritesNoDiagnosticsToTheTerminal() {
        static QStringList s_debugLines;
        s_debugLines.clear();
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type == QtDebugMsg) s_debugLines << text;
            });
        const bool bStarted = Start({WriteProgram(QStringLiteral("quiet.bin"), QByteArray(1, '\0'))});
        qInstallMessageHandler(previous);
        QVERIFY(bStarted);
        QCOMPARE(s_debugLines, QStringList());
    }

    void commandLineWinsAndBecomesTheLastProgram() {
        const QString recorded = WriteProgram(QStringLiteral("recorded.bin"), QByteArray(1, '\x11'));
        const QString given = WriteProgram(QStringLiteral("given.bin"), QByteArray(1, '\x22'));
        WriteRecord(RecordFor(recorded));
        QVERIFY(Start({given}));
        QCOMPARE(OpenPath(), given);
        QCOMPARE(g_Sim.m_pMemory[0], u8(0x22));
        Stop();
        StartFromPowerOn();
        QVERIFY(Start({}));
        QCOMPARE(OpenPath(), given);
    }

    void commandLinePathMayBeQuotedOrHoldSpaces() {
        const QString spaced = WriteProgram(QStringLiteral("my prog.bin"), QByteArray(1, '\x33'));
        QVERIFY(Start({QStringLiteral("\"") + spaced + QStringLiteral("\"")}));
        QCOMPARE(OpenPath(), spaced);
        Stop();
        // A path with a blank that reached the program as two words.
        QVERIFY(Start(spaced.split(QLatin1Char(' '))));
        QCOMPARE(OpenPath(), spaced);
    }

    void relativePathIsRecordedInFull() {
        const QString program = WriteProgram(QStringLiteral("rel.bin"), QByteArray(1, '\x66'));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        const bool bStarted = Start({QStringLiteral("rel.bin")});
        QDir::setCurrent(previous);
        QVERIFY(bStarted);
        QCOMPARE(OpenPath(), program);
        QFile record(Path(QStringLiteral("KOMR.cfg")));
        QVERIFY(record.open(QIODevice::ReadOnly));
        QCOMPARE(QByteArray(record.read(500).constData()), QFile::encodeName(program));
    }

    void commandLineHexWithAnyCaseExtension() {
        const QString hex = WriteProgram(QStringLiteral("UP.Hex"), ":01001000AA45\r\n:00000001FF\r\n");
        QVERIFY(Start({hex}));
        QCOMPARE(g_Sim.m_pMemory[0x10], u8(0xAA));
        QVERIFY(m_messages.isEmpty());
    }

    void recordWithoutNulOpensNothing() {
        const QString program = WriteProgram(QStringLiteral("x.bin"), QByteArray(1, '\0'));
        QByteArray record = QFile::encodeName(program);
        record += QByteArray(500 - record.size(), 'y');
        WriteRecord(record);
        QVERIFY(Start({}));
        QVERIFY(m_app->GetDocument() == nullptr);
        QVERIFY(m_messages.isEmpty());
    }

    void shortRecordWithItsNulStillOpens() {
        const QString program = WriteProgram(QStringLiteral("short.bin"), QByteArray(1, '\x44'));
        WriteRecord(QFile::encodeName(program) + QByteArray(1, '\0'));
        QVERIFY(Start({}));
        QCOMPARE(OpenPath(), program);
        QCOMPARE(QFileInfo(Path(QStringLiteral("KOMR.cfg"))).size(), qint64(500));
    }

    void emptyRecordOpensNothing() {
        WriteRecord(QByteArray(500, '\0'));
        QVERIFY(Start({}));
        QVERIFY(m_app->GetDocument() == nullptr);
        QVERIFY(m_messages.isEmpty());
    }

    // The box is shown by a real event loop and answered as a user would. A
    // program that cannot be read leaves the window as a first start leaves
    // it, and the next program opened gets its watch windows as any first
    // one does; a HEX file that is not valid keeps its windows.
    void programThatCannotBeReadAtStartUp_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("bFromRecord");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("bOpened");
        QTest::newRow("gone, command line") << "gone.bin" << false << "Can't open .Bin file" << false;
        QTest::newRow("gone, record") << "gone.bin" << true << "Can't open .Bin file" << false;
        QTest::newRow("not valid HEX, record") << "bad.hex" << true << "Not a valid .HEX file" << true;
    }
    void programThatCannotBeReadAtStartUp() {
        QFETCH(QString, name);
        QFETCH(bool, bFromRecord);
        QFETCH(QString, message);
        QFETCH(bool, bOpened);
        const QString program = Path(name);
        if (bOpened) WriteProgram(name, ":01001000AA45\n");
        if (bFromRecord) WriteRecord(RecordFor(program));
        SetMessageBoxResponder(nullptr);
        QString shown;
        int windowsBehind = -1;
        AnswerModal<QMessageBox>([&](QMessageBox* pBox) {
            // A window system makes the application active as its first
            // window shows, here while the box is up; the headless platform
            // does it only once in a process.
            for (const QEvent::Type type : {QEvent::ApplicationDeactivate, QEvent::ApplicationActivate}) {
                QEvent event(type);
                QCoreApplication::sendEvent(qApp, &event);
            }
            shown = pBox->text();
            windowsBehind = int(AfxGetMainWnd()->MDIClient()->subWindowList().size());
            QTest::keyClick(pBox, Qt::Key_Return);
        });
        QVERIFY(Start(bFromRecord ? QStringList() : QStringList{program}));
        QCOMPARE(shown, message);
        QCOMPARE(windowsBehind, 1);  // the program's own, not yet shown
        if (bOpened) {
            QCOMPARE(OpenPath(), program);
            QCOMPARE(AfxGetMainWnd()->MDIClient()->subWindowList().size(), 4);
            return;
        }
        QVERIFY(m_app->GetDocument() == nullptr);
        QVERIFY(AfxGetMainWnd()->MDIClient()->subWindowList().isEmpty());
        QCOMPARE(MenuTitles(), (QStringList{"&File", "&View", "&Help"}));
        QVERIFY(AfxGetMainWnd()->GetAction(ID_FILE_OPEN)->isEnabled());
        QVERIFY(m_app->GetRecentFiles().isEmpty());

        QVERIFY(m_app->OpenDocumentFile(WriteProgram(QStringLiteral("next.bin"), QByteArray(1, '\x76'))));
        QCOMPARE(AfxGetMainWnd()->MDIClient()->subWindowList().size(), 4);
    }

    void recentFilesAreKeptFourDeep() {
        QStringList programs;
        for (int i = 0; i < 5; ++i) {
            programs << WriteProgram(QStringLiteral("p%1.bin").arg(i), QByteArray(1, char(i)));
            QVERIFY(Start({programs.last()}));
            Stop();
        }
        QVERIFY(Start({}));
        QCOMPARE(m_app->GetRecentFiles(), (QStringList{programs[4], programs[3], programs[2], programs[1]}));
        // The newest was also the last program, so it is open now.
        QCOMPARE(OpenPath(), programs[4]);
        m_app->GetDocument()->OnCloseDocument();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // The File menu lists them, newest first, and an entry opens its
        // program.
        QList<QAction*> entries;
        QStringList texts;
        for (QAction* pAction : AfxGetMainWnd()->menuBar()->actions().first()->menu()->actions()) {
            if (!pAction->isVisible() || CTorvanApp::RecentFileIndex(pAction->data().toInt()) < 0) continue;
            QVERIFY(pAction->isEnabled());
            entries << pAction;
            // The number and the file name; the folder may be shortened.
            texts << pAction->text().left(3) + QFileInfo(pAction->text()).fileName();
        }
        QCOMPARE(texts, (QStringList{"&1 p4.bin", "&2 p3.bin", "&3 p2.bin", "&4 p1.bin"}));
        entries[2]->trigger();
        QCOMPARE(OpenPath(), programs[2]);
        QCOMPARE(m_app->GetRecentFiles().first(), programs[2]);
    }

    void recentEntryThatNoLongerOpensLeavesTheList() {
        const QString gone = WriteProgram(QStringLiteral("gone.bin"), QByteArray(1, '\x01'));
        const QString kept = WriteProgram(QStringLiteral("kept.bin"), QByteArray(1, '\x02'));
        for (const QString& program : {gone, kept}) {
            QVERIFY(Start({program}));
            Stop();
        }
        QVERIFY(QFile::remove(gone));
        WriteRecord(QByteArray(500, '\0'));
        QVERIFY(Start({}));
        QCOMPARE(m_app->GetRecentFiles(), (QStringList{kept, gone}));
        m_app->OnOpenRecentFile(1);
        QCOMPARE(m_messages, QStringList{QStringLiteral("Can't open .Bin file")});
        QVERIFY(m_app->GetDocument() == nullptr);
        QCOMPARE(m_app->GetRecentFiles(), QStringList{kept});
        // A HEX program that cannot be read still opens its document, so
        // its entry stays.
        m_messages.clear();
        const QString hex = Path(QStringLiteral("absent.hex"));
        m_app->AddToRecentFileList(hex);
        m_app->OnOpenRecentFile(0);
        QCOMPARE(m_messages, QStringList{QStringLiteral("Can't open file")});
        QCOMPARE(OpenPath(), hex);
        QCOMPARE(m_app->GetRecentFiles(), (QStringList{hex, kept}));
    }

    void recordGoesToTheUserFolderWhenTheExecutablesCannotBeWritten() {
        SetAppFolderOverride(m_dir->filePath(QStringLiteral("no such folder")));
        const QString path = ChooseStartupCfgPath();
        QVERIFY(!path.startsWith(m_dir->path()));
        QVERIFY(path.endsWith(QStringLiteral("/KOMR.cfg")));
        QVERIFY(QFileInfo(QFileInfo(path).path()).isWritable());
        // The start-up then records and finds the last program there.
        const QString program = WriteProgram(QStringLiteral("elsewhere.bin"), QByteArray(1, '\x55'));
        QFile::remove(path);
        QVERIFY(Start({program}));
        Stop();
        QVERIFY(QFileInfo::exists(path));
        QVERIFY(Start({}));
        QCOMPARE(OpenPath(), program);
        QVERIFY(m_messages.isEmpty());
        QFile::remove(path);
    }
};

TORVAN_TEST_CLASS(TestStartup);
#include "test_startup.moc"
