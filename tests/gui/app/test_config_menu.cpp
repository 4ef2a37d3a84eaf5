// The Configuration menu and the remaining commands as a user meets them:
// device items that name what is connected, Timer items enabled by their
// chips, Save Configuration writing the file the next opening loads, a
// program running on chips configured through the dialogs, the tip boxes,
// the forced interrupts and Help Contents.
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTreeWidget>

#include "app/HelpWindow.h"
#include "dialogs/Configdl.h"
#include "dialogs/Modimem.h"
#include "periph/ConfigFile.h"
#include "platform/FileDialog.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// 8255 at 40H: all ports output, port A := 5A. 8253 at 10H: counter 0 in
// mode 0 with two-byte count 1234, read back into B and A. HLT.
const QByteArray kChipProgram = Program({0x3E, 0x80, 0xD3, 0x43, 0x3E, 0x5A, 0xD3, 0x40, 0x3E, 0x30, 0xD3, 0x13, 0x3E,
                                         0x34, 0xD3, 0x10, 0x3E, 0x12, 0xD3, 0x10, 0xDB, 0x10, 0x47, 0xDB, 0x10, 0x76});
constexpr int kRunLimitMs = 5000;
// Longer than the machine's 500-byte copy of the program's path.
constexpr int kLongProgramPath = 600;
const QString kLongFolderName(100, QLatin1Char('d'));

// A further window of the document that counts its updates.
class CountingView : public QWidget, public CView {
public:
    void OnUpdate(CView*, long) override { ++m_nUpdates; }
    int m_nUpdates = 0;
};

QString ItemText(ProgramWindowFixture& f, int nID) {
    f.m_frame->UpdateCommandStates();
    return f.Action(nID)->text();
}

// Opens the chip dialog by its command and connects the first count chips
// at base ports from the list.
void ConfigureChips(ProgramWindowFixture& f, int nCommand, const char* caption, const QStringList& ports) {
    WhenDialogShows<CChipConfigDlg>([caption, ports](DialogDriver& d) {
        QCOMPARE(d.Window()->windowTitle(), QString(caption));
        for (int i = 0; i < ports.size(); ++i) {
            d.Click(CChipConfigDlg::IDC_CONNECT1 + i);
            d.Type(CChipConfigDlg::IDC_ADDRESS1 + i, ports[i]);
        }
        QVERIFY(d.Ok());
    });
    f.Command(nCommand);
}
}  // namespace

class TestConfigMenu : public QObject {
    Q_OBJECT
private slots:
    void deviceItemsNameWhatIsConnected() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x76})));
        const QList<QPair<int, QString>> absent{{ID_CONFIG_8279, "82&79  : NC"}, {ID_CONFIG_8251, "8&251  : NC"},
                                                {ID_CONFIG_8253, "825&3  : NC"}, {ID_CONFIG_8255, "825&5  : NC"},
                                                {ID_CONFIG_8155, "8&155  : NC"}, {ID_CONFIG_LCD, "L&CD   : NC"}};
        for (const auto& [nID, text] : absent) {
            QCOMPARE(ItemText(f, nID), text);
            QVERIFY(f.Action(nID)->isEnabled());
        }
        QVERIFY(!f.Action(ID_CONFIG_TIMER_8155)->isEnabled());
        QVERIFY(!f.Action(ID_CONFIG_TIMER_8253)->isEnabled());

        WhenDialogShows<C8155ConfigDlg>([](DialogDriver& d) {
            d.Click(C8155ConfigDlg::IDC_CONNECT);
            d.Type(C8155ConfigDlg::IDC_ADDRESS, "20");
            QVERIFY(d.Ok());
        });
        f.Command(ID_CONFIG_8155);
        QCOMPARE(ItemText(f, ID_CONFIG_8155), QString("8&155  : @20"));
        QVERIFY(f.Action(ID_CONFIG_TIMER_8155)->isEnabled());

        ConfigureChips(f, ID_CONFIG_8253, "8253 Configuration", {"10", "14", "18"});
        QCOMPARE(ItemText(f, ID_CONFIG_8253), QString("825&3  : #3"));
        QVERIFY(f.Action(ID_CONFIG_TIMER_8253)->isEnabled());
        ConfigureChips(f, ID_CONFIG_8255, "8255 Configuration", {"40"});
        QCOMPARE(ItemText(f, ID_CONFIG_8255), QString("825&5  : #1"));

        WhenDialogShows<C8251ConfigDlg>([](DialogDriver& d) {
            d.Click(C8251ConfigDlg::IDC_CONNECT);
            d.Type(C8251ConfigDlg::IDC_ADDRESS, "8");
            d.Click(C8251ConfigDlg::IDC_CHIP1 + 1);
            d.Click(C8251ConfigDlg::IDC_CONNECT);
            QVERIFY(d.Ok());
        });
        f.Command(ID_CONFIG_8251);
        QCOMPARE(ItemText(f, ID_CONFIG_8251), QString("8&251  : #2..."));

        WhenDialogShows<C8279ConfigDlg>([](DialogDriver& d) {
            d.Click(C8279ConfigDlg::IDC_CONNECT);
            d.Type(C8279ConfigDlg::IDC_ADDRESS, "6a");
            QVERIFY(d.Ok());
        });
        f.Command(ID_CONFIG_8279);
        QCOMPARE(ItemText(f, ID_CONFIG_8279), QString("82&79  : @6A"));
        WhenDialogShows<CLcdConfigDlg>([](DialogDriver& d) {
            d.Click(CLcdConfigDlg::IDC_CONNECT);
            d.Type(CLcdConfigDlg::IDC_ADDRESS, "5");
            QVERIFY(d.Ok());
        });
        f.Command(ID_CONFIG_LCD);
        QCOMPARE(ItemText(f, ID_CONFIG_LCD), QString("L&CD   : @5"));

        // Disconnected again, the items and the Timer enables follow.
        ConfigureChips(f, ID_CONFIG_8253, "8253 Configuration", {});
        WhenDialogShows<CChipConfigDlg>([](DialogDriver& d) {
            d.Click(CChipConfigDlg::IDC_CONNECT1);
            QVERIFY(d.Ok());
        });
        f.Command(ID_CONFIG_8253);
        QCOMPARE(ItemText(f, ID_CONFIG_8253), QString("825&3  : NC"));
        QVERIFY(!f.Action(ID_CONFIG_TIMER_8253)->isEnabled());
        QVERIFY(f.m_messages.isEmpty());
    }

    void programRunsOnChipsConfiguredThroughTheDialogs() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kChipProgram));
        ConfigureChips(f, ID_CONFIG_8255, "8255 Configuration", {"40"});
        ConfigureChips(f, ID_CONFIG_8253, "8253 Configuration", {"10"});
        WhenDialogShows<C8253TimerDlg>([](DialogDriver& d) {
            d.Type(C8253TimerDlg::IDC_PRESCALER, "4");
            QVERIFY(d.Ok());
        });
        f.Command(ID_CONFIG_TIMER_8253);
        g_Sim.SyncTimers();
        QCOMPARE(int(g_Sim.m_TimerPrescaler[0]), 4);
        f.RunWithin(kRunLimitMs);
        QCOMPARE(int(g_Sim.m_pc), kChipProgram.size());
        QCOMPARE(int(g_Sim.m_8255PortA[0]), 0x5A);
        QCOMPARE(int(g_Sim.m_regB), 0x34);
        QCOMPARE(int(g_Sim.m_regA), 0x12);
        QVERIFY(f.m_messages.isEmpty());
    }

    void saveConfigurationWritesTheFileTheNextOpeningLoads() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x76})));
        const QString program = f.m_dir.filePath(QStringLiteral("prog.bin"));
        const QString config = f.m_dir.filePath(QStringLiteral("prog.cfg"));
        const QByteArray before = [&] {
            QFile file(config);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        QCOMPARE(before.size(), int(kConfigFileSize));

        g_Sim.m_b8155Connected = 1;
        g_Sim.m_n8155Address = 0x20;
        FileDialogRequest seen;
        QString answer;
        SetFileDialogResponder([&](const FileDialogRequest& request) {
            seen = request;
            return answer;
        });
        // Cancelled: nothing is written.
        f.Command(ID_SAVE_CONFIGURATION);
        QVERIFY(seen.bSave);
        QCOMPARE(seen.initialPath, config);
        QCOMPARE(seen.defaultSuffix, QString("cfg"));
        QCOMPARE(seen.filters, QString("CFG Files (*.cfg)"));
        QFile file(config);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        file.close();

        answer = config;
        f.Command(ID_SAVE_CONFIGURATION);
        QCOMPARE(QFileInfo(config).size(), qint64(kConfigFileSize));
        answer = f.m_dir.filePath(QStringLiteral("missing/prog.cfg"));
        f.Command(ID_SAVE_CONFIGURATION);
        QCOMPARE(f.m_messages, QStringList{"Cannot open " + answer + " file for writing"});
        SetFileDialogResponder(nullptr);

        // The next opening of the program brings the saved settings back.
        f.m_doc->OnCloseDocument();
        g_Sim.m_b8155Connected = 0;
        g_Sim.m_n8155Address = 0;
        QVERIFY(f.m_app->OpenDocumentFile(program));
        QCOMPARE(int(g_Sim.m_b8155Connected), 1);
        QCOMPARE(int(g_Sim.m_n8155Address), 0x20);
    }

    void saveConfigurationProposesTheFileBesideAProgramOfAnyLength() {
        ProgramWindowFixture f;
        QString name = QStringLiteral("prog");
        while (QFile::encodeName(f.m_dir.filePath(name)).size() < kLongProgramPath)
            name.prepend(kLongFolderName + QLatin1Char('/'));
        QVERIFY(QDir(f.m_dir.path()).mkpath(QFileInfo(name).path()));
        QVERIFY(f.StartFile(WriteTestFile(f.m_dir, name + ".bin", Program({0x76}))));

        FileDialogRequest seen;
        SetFileDialogResponder([&](const FileDialogRequest& request) {
            seen = request;
            return QString();
        });
        f.Command(ID_SAVE_CONFIGURATION);
        SetFileDialogResponder(nullptr);
        QCOMPARE(seen.initialPath, f.m_dir.filePath(name + ".cfg"));
    }

    void modifyMemoryOpensAtAddress0AndTheWindowsShowTheChange() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x76})));
        auto* pOther = new CountingView;
        f.m_doc->AddView(pOther);
        f.m_frame->MDIClient()->addSubWindow(pOther)->show();
        for (const int nID : {int(ID_MODIFY_MEMORY), int(ID_MODIFY_INTERNAL_MEMORY)}) {
            const int updates = pOther->m_nUpdates;
            int mode = 0;
            AnswerModal<CModiMem>([&mode](CModiMem* pDlg) {
                mode = pDlg->m_nMode;
                QCOMPARE(pDlg->RowLabel(0)->text(), QString("0000"));
                pDlg->ByteField(35)->selectAll();
                QTest::keyClicks(pDlg->ByteField(35), "7e");
                QTest::mouseClick(pDlg->OkButton(), Qt::LeftButton);
            });
            QVERIFY(f.m_frame->ExecuteCommand(nID));
            QCOMPARE(mode, nID == ID_MODIFY_MEMORY ? 1 : 2);
            QCOMPARE(int(g_Sim.m_pMemory[35]), 0x7E);
            QVERIFY(pOther->m_nUpdates > updates);
            g_Sim.m_pMemory[35] = 0;
        }
        QVERIFY(f.Action(ID_MODIFY_MEMORY)->isEnabled());
    }

    void tipBoxesTellWhereAFeatureLives() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x76})));
        QList<unsigned> types;
        SetMessageBoxResponder([&](const QString& text, unsigned nType) {
            f.m_messages << text;
            types << nType;
            return int(IDOK);
        });
        const QList<QPair<int, QString>> tips{
            {ID_RUN_BREAKPOINT, "To add or remove Break point\nMove mouse to the rquired line and double-clock"},
            {ID_MODIFY_REGISTERS,
             "To modify register contents\nActivate 'Register' window\nDouble-click on the Register you want to "
             "modify"},
            {ID_MODIFY_PERIPHERALS,
             "To simulate input to peripherals\nActivate 'IO watch' window\nand right-click "
             "inside the window\nSelect Edit from popup menu"},
            {ID_WATCH_WATCH,
             "To Add or remove or edit watch\n1. Go to respective window ( e.g. To add memory watch, "
             "right click in memory watch window)\n2. Select appropriate option"},
            {ID_MODIFY_CVARIABLES,
             "To modify C variables\nActivate 'C Variable watch' window\nRight-Click the "
             "mouse\nSelect Edit from popup menu"},
        };
        for (const auto& [nID, text] : tips) {
            f.m_messages.clear();
            QVERIFY(f.m_frame->ExecuteCommand(nID));
            QCOMPARE(f.m_messages, QStringList{text});
            QCOMPARE(LastMessageBoxCaption(), QString(kAppTitle));
        }
        QVERIFY(std::all_of(types.begin(), types.end(), [](unsigned t) { return t == MB_OK; }));
        // F12 gives the breakpoint tip.
        f.m_messages.clear();
        QTest::keyClick(f.m_view, Qt::Key_F12);
        QCOMPARE(f.m_messages.size(), 1);
    }

    void forcedInterruptsAskAndLoadConfigurationDoesNothing() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x76})));
        QList<unsigned> types;
        for (const int answer : {int(IDNO), int(IDYES)}) {
            SetMessageBoxResponder([&](const QString& text, unsigned nType) {
                f.m_messages << text;
                types << nType;
                return answer;
            });
            QVERIFY(f.m_frame->ExecuteCommand(ID_FORCE_INT0));
            QVERIFY(f.m_frame->ExecuteCommand(ID_FORCE_INT1));
        }
        QCOMPARE(f.m_messages, (QStringList{"Force INT 0 ?", "Force INT 1 ?", "Force INT 0 ?", "Force INT 1 ?"}));
        for (unsigned nType : types) QCOMPARE(nType, unsigned(MB_YESNO | MB_ICONQUESTION));
        QCOMPARE(int(g_Sim.m_pendTrap | g_Sim.m_pendRst55 | g_Sim.m_pendRst65 | g_Sim.m_pendRst75), 0);

        f.m_messages.clear();
        g_Sim.m_n8155Address = 0x77;
        f.m_frame->UpdateCommandStates();
        QVERIFY(f.Action(ID_LOAD_CONFIGURATION)->isEnabled());
        f.Command(ID_LOAD_CONFIGURATION);
        for (int nID : {ID_CHANGE_TAB_SIZE, ID_CHANGE_CRYSTAL_FREQUENCY, ID_COMMAND_32857, ID_COMMAND_32786})
            QVERIFY(f.m_frame->ExecuteCommand(nID));
        QCOMPARE(int(g_Sim.m_n8155Address), 0x77);
        QVERIFY(f.m_messages.isEmpty());
    }

    void helpContentsOpensOneHelpWindowOnItsContents() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(Program({0x76})));
        f.ClickToolbar(ID_HELP_CONTENTS);
        auto helpWindows = [] {
            QList<CHelpWindow*> found;
            for (QWidget* pWidget : QApplication::topLevelWidgets())
                if (auto* pHelp = qobject_cast<CHelpWindow*>(pWidget); pHelp && pHelp->isVisible()) found << pHelp;
            return found;
        };
        QCOMPARE(helpWindows().size(), 1);
        CHelpWindow* pHelp = helpWindows().first();
        QVERIFY(QTest::qWaitForWindowExposed(pHelp));
        QCOMPARE(pHelp->Page()->source(), QUrl(CHelpWindow::kHelpPage));
        QVERIFY(pHelp->Contents()->topLevelItemCount() > 3);
        QVERIFY(!pHelp->Page()->toPlainText().isEmpty());
        // A contents entry further down the page scrolls the page to it.
        QTreeWidgetItem* pLast = pHelp->Contents()->topLevelItem(pHelp->Contents()->topLevelItemCount() - 1);
        pHelp->Contents()->setCurrentItem(pLast);
        QVERIFY(pHelp->Page()->verticalScrollBar()->value() > 0);
        f.Command(ID_HELP_CONTENTS);
        QCOMPARE(helpWindows().size(), 1);
        pHelp->close();
    }
};

TORVAN_TEST_CLASS(TestConfigMenu);
#include "test_config_menu.moc"
