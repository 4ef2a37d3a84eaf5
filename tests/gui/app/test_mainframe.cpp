// The main window: menus, toolbar, status bar, the command route and its
// states, and the watch-window toggle rule.
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolTip>
#include <QtTest>
#include <memory>

#include "app/Brixcdoc.h"
#include "app/Brixcvw.h"
#include "app/Mainfrm.h"
#include "app/ProgramListing.h"
#include "app/TorvanApp.h"
#include "framework/CmdUI.h"
#include "framework/DocTemplate.h"
#include "framework/MenuSet.h"
#include "framework/StatusBar.h"
#include "framework/View.h"
#include "platform/AppFolder.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"
#include "res/Toolbar.h"
#include "tests/support/AppSandbox.h"
#include "tests/support/QtTestRegistry.h"
#include "tests/support/TestFile.h"

namespace {
// MVI A,01 / loop: INR A / JMP loop
const QByteArray kProgram("\x3E\x01\x3C\xC3\x02\x00", 6);

// A watch window of our own kind, standing in for one of the toggled kinds.
class TestWatchFrame : public QMdiSubWindow {
public:
    void PreCreateWindow(const QSize& client) { setGeometry(0, 0, client.width() / 3, client.height() / 3); }
};
// Views of distinct kinds, as the real watch windows are.
template <int Kind> class TestKindView : public QWidget, public CView {
public:
    explicit TestKindView(CDocument*) {}
    void OnUpdate(CView* pSender, long) override {
        ++m_nUpdates;
        m_pLastSender = pSender;
    }
    int m_nUpdates = 0;
    CView* m_pLastSender = nullptr;
};
using TestWatchView = TestKindView<0>;
using TestTimingView = TestKindView<1>;
using TestIOView = TestKindView<2>;
using TestRegView = TestKindView<3>;

// A view that takes every command on the route and records it.
class TestRecordingView : public QWidget, public CView {
public:
    explicit TestRecordingView(CDocument*) {}
    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override {
        if (pCmdUI == nullptr) m_commands << nID;
        return true;
    }
    QList<int> m_commands;
};

QStringList ItemTexts(const QMenu* pMenu) {
    QStringList texts;
    for (QAction* pAction : pMenu->actions())
        if (pAction->isVisible()) texts << (pAction->isSeparator() ? QStringLiteral("-") : pAction->text());
    return texts;
}

QMenu* TopMenu(const QString& title) {
    for (QAction* pAction : AfxGetMainWnd()->menuBar()->actions())
        if (pAction->text() == title) return pAction->menu();
    return nullptr;
}
}  // namespace

class TestMainFrame : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CTorvanApp> m_app;
    std::unique_ptr<CMultiDocTemplate> m_memTemplate;
    std::unique_ptr<CMultiDocTemplate> m_timingTemplate;
    std::unique_ptr<CMultiDocTemplate> m_ioTemplate;
    std::unique_ptr<CMultiDocTemplate> m_regTemplate;
    QStringList m_messages;
    QString m_program;

    CMainFrame* Frame() const { return GetMainFrame(); }
    QAction* Action(int nID) const { return Frame()->GetAction(nID); }
    CTorvanDoc* Doc() const { return m_app->GetDocument(); }
    QList<QMdiSubWindow*> Windows() const { return Frame()->MDIClient()->subWindowList(); }
    int ViewsOfKind(const CMultiDocTemplate* pTemplate) const {
        int count = 0;
        for (CView* pView : Doc()->GetViews()) count += pTemplate->IsViewOfKind(pView);
        return count;
    }
    // Closes the window of a kind as its close box does.
    void CloseByItsCloseBox(const CMultiDocTemplate* pTemplate) const {
        QMdiSubWindow* pFrame = FrameOfView(pTemplate->FindView(Doc()));
        QVERIFY(pFrame != nullptr);
        pFrame->close();
    }
    // Moves the pointer over a command's item of an open menu.
    void PointAt(QMenu* pMenu, int nID) const { QTest::mouseMove(pMenu, pMenu->actionGeometry(Action(nID)).center()); }
    void Settle() const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Frame()->UpdateCommandStates();
    }
    // Puts our own window kinds where the memory and timing windows go.
    void UseTestWindows() {
        m_memTemplate.reset(CMultiDocTemplate::New<TestWatchFrame, TestWatchView>());
        m_timingTemplate.reset(CMultiDocTemplate::New<TestWatchFrame, TestTimingView>());
        m_memTemplate->m_pMenuShared = Frame()->LoadDocumentMenu();
        m_timingTemplate->m_pMenuShared = Frame()->LoadPlainDocumentMenu();
        m_app->m_pMemWatchTemplate = m_memTemplate.get();
        m_app->m_pTimingTemplate = m_timingTemplate.get();
        Frame()->UpdateCommandStates();
    }
    bool StartWith(const QStringList& arguments) {
        m_app = std::make_unique<CTorvanApp>();
        if (!m_app->InitInstance(arguments)) return false;
        Frame()->show();
        return QTest::qWaitForWindowExposed(Frame());
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(EnterAppSandbox(*m_dir, m_messages));
        g_bTimingWindowOpen = 0;
        m_program = WriteTestFile(*m_dir, QStringLiteral("prog.bin"), kProgram);
        QVERIFY(!m_program.isEmpty());
    }

    void cleanup() {
        m_app.reset();
        m_memTemplate.reset();
        m_timingTemplate.reset();
        m_ioTemplate.reset();
        m_regTemplate.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetFileDialogResponder(nullptr);
        LeaveAppSandbox();
    }

    // ---- menus ----

    void defaultMenuWhileNoProgramIsOpen() {
        QVERIFY(StartWith({}));
        QCOMPARE(ItemTexts(TopMenu(QStringLiteral("&File"))),
                 (QStringList{"&Open...\tCtrl+O", "-", "Recent File", "-", "E&xit"}));
        QCOMPARE(ItemTexts(TopMenu(QStringLiteral("&View"))), (QStringList{"&Toolbar", "&Status Bar"}));
        QCOMPARE(ItemTexts(TopMenu(QStringLiteral("&Help"))), QStringList{"&About Torvan..."});
        QVERIFY(!Action(ID_FILE_MRU_FILE1)->isEnabled());
        QVERIFY(Action(ID_FILE_OPEN)->isEnabled());
        QVERIFY(Action(ID_APP_ABOUT)->isEnabled());
    }

    void documentMenuWhileAProgramIsOpen() {
        QVERIFY(StartWith({m_program}));
        QStringList titles;
        for (QAction* pAction : Frame()->menuBar()->actions()) titles << pAction->text();
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Configuration", "&Modify", "&Run", "&Interrupts", "&Watch",
                                      "&View", "&Window", "&Help"}));
        QCOMPARE(ItemTexts(TopMenu(QStringLiteral("&File"))),
                 (QStringList{"&Open...\tCtrl+O", "&Close", "-", "E&xit"}));
        QCOMPARE(ItemTexts(TopMenu(QStringLiteral("&Edit"))), QStringList{"&Find     F3"});
        QCOMPARE(ItemTexts(TopMenu(QStringLiteral("&Run"))),
                 (QStringList{"&BreakPoint\tF12", "&Single Step\tF7", "&Run\tCtrl+F7", "&Terminate Program\tCtrl+F2",
                              "&CPU Reset", "Timing Diagram"}));
        QCOMPARE(ItemTexts(TopMenu(QStringLiteral("&Run"))->actions().last()->menu()),
                 (QStringList{"&Start", "&Pause", "S&top"}));
        QCOMPARE(ItemTexts(TopMenu(QStringLiteral("&Interrupts"))),
                 (QStringList{"&TRAP", "RST&5.5", "RST&6.5", "RST&7.5"}));
        QCOMPARE(ItemTexts(TopMenu(QStringLiteral("&View"))),
                 (QStringList{"&Toolbar", "&Status Bar", "&Memory Watch", "Registers Watch", "I&O Watch",
                              "Timing &Diagram"}));
        QCOMPARE(ItemTexts(TopMenu(QStringLiteral("&Help"))), (QStringList{"&Contents", "&About TORVAN..."}));
        QMenu* pConfig = TopMenu(QStringLiteral("&Configuration"));
        QCOMPARE(ItemTexts(pConfig), (QStringList{"&Load Configuration", "&Save Configuration", "&View"}));
        QMenu* pConfigView = pConfig->actions().last()->menu();
        QCOMPARE(ItemTexts(pConfigView), (QStringList{"Change Configuration", "-", "&Memory Map", "&Timer"}));
        // The device items name what is connected from the first time they show.
        QCOMPARE(
            ItemTexts(pConfigView->actions().first()->menu()),
            (QStringList{"82&79  : NC", "8&251  : NC", "825&3  : NC", "825&5  : NC", "8&155  : NC", "L&CD   : NC"}));
        QCOMPARE(ItemTexts(pConfigView->actions().last()->menu()), (QStringList{"8155", "8253"}));
        // Back to the default menu once the program's windows are closed.
        Frame()->ExecuteCommand(ID_FILE_CLOSE);
        Settle();
        QCOMPARE(Frame()->menuBar()->actions().size(), 3);
        QCOMPARE(Action(ID_APP_ABOUT)->text(), QStringLiteral("&About Torvan..."));
    }

    void everyTemplateHasItsOwnMenuAndTimingsIsPlain() {
        QVERIFY(StartWith({}));
        const auto& templates = m_app->GetTemplates();
        QCOMPARE(int(templates.size()), 9);
        QSet<const CMenuSet*> menus;
        for (const auto& pTemplate : templates) {
            QVERIFY(pTemplate->m_pMenuShared != nullptr);
            menus.insert(pTemplate->m_pMenuShared);
        }
        QCOMPARE(menus.size(), 9);
        QVERIFY(!menus.contains(Frame()->m_pDefaultMenu));
        QCOMPARE(templates[8].get(), m_app->m_pTimingTemplate);
        QCOMPARE(templates[2].get(), m_app->m_pRegWatchTemplate);
        QCOMPARE(templates[3].get(), m_app->m_pMemWatchTemplate);
        QCOMPARE(templates[4].get(), m_app->m_pIOWatchTemplate);
        QCOMPARE(templates[5].get(), m_app->m_pChpMemWatchTemplate);
        QCOMPARE(templates[6].get(), m_app->m_pCVarWatchTemplate);
        QCOMPARE(templates[7].get(), m_app->m_pSerialTemplate);
    }

    void commandsOfLaterWindowsAreDisabled() {
        QVERIFY(StartWith({m_program}));
        for (int nID : {ID_TIMING_START, ID_COMMAND_32795, ID_FILE_SAVE})
            QVERIFY2(!Action(nID)->isEnabled(), qPrintable(QString::number(nID)));
        for (int nID : {ID_FILE_CLOSE, ID_APP_EXIT, ID_APP_ABOUT, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR,
                        ID_VIEW_REGISTERS_WATCH, ID_VIEW_IO_WATCH})
            QVERIFY2(Action(nID)->isEnabled(), qPrintable(QString::number(nID)));
        // Whatever a key sends for them, nothing happens and nothing is said.
        QVERIFY(!Frame()->ExecuteCommand(ID_COMMAND_32795));
        QVERIFY(m_messages.isEmpty());
    }

    void saveKeyLeavesTheProgramUnchanged() {
        QVERIFY(StartWith({m_program}));
        const QDateTime before = QFileInfo(m_program).lastModified();
        QTest::keyClick(Frame(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!Frame()->ExecuteCommand(ID_FILE_SAVE));
        QFile file(m_program);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), kProgram);
        QCOMPARE(QFileInfo(m_program).lastModified(), before);
    }

    void keysSendTheirCommands() {
        QVERIFY(StartWith({m_program}));
        m_memTemplate.reset(CMultiDocTemplate::New<TestWatchFrame, TestRecordingView>());
        m_memTemplate->m_pMenuShared = Frame()->LoadDocumentMenu();
        m_app->m_pMemWatchTemplate = m_memTemplate.get();
        Frame()->OnViewMemoryWatch();
        auto* pView = dynamic_cast<TestRecordingView*>(Frame()->GetActiveView());
        QVERIFY(pView != nullptr);
        const QList<QPair<QKeyCombination, int>> keys{
            {Qt::Key_F7, ID_RUN_SINGLESTEP},
            {Qt::Key_F8, ID_RUN_SINGLESTEP},
            {Qt::CTRL | Qt::Key_F7, ID_RUN_RUN},
            {Qt::CTRL | Qt::Key_F2, ID_RUN_TERMINATEPROGRAM},
            {Qt::Key_F12, ID_RUN_BREAKPOINT},
            {Qt::Key_F3, ID_EDIT_FIND},
            {Qt::CTRL | Qt::Key_O, ID_FILE_OPEN},
            {Qt::CTRL | Qt::Key_T, ID_INTERRUPTS_TRAP},
            {Qt::CTRL | Qt::Key_5, ID_INTERRUPTS_RST55},
            {Qt::CTRL | Qt::Key_6, ID_INTERRUPTS_RST65},
            {Qt::CTRL | Qt::Key_7, ID_INTERRUPTS_RST75},
            {Qt::Key_F6, ID_NEXT_PANE},
            {Qt::SHIFT | Qt::Key_F6, ID_PREV_PANE},
            {Qt::CTRL | Qt::Key_A, 32795},
            {Qt::CTRL | Qt::Key_E, 32796},
            {Qt::ALT | Qt::Key_F9, 32788},
            {Qt::CTRL | Qt::Key_S, ID_FILE_SAVE},
        };
        for (const auto& [key, nID] : keys) {
            pView->m_commands.clear();
            QTest::keyClick(Frame(), key.key(), key.keyboardModifiers());
            QCOMPARE(pView->m_commands, QList<int>{nID});
        }
        // Keys with no entry in the table send nothing.
        pView->m_commands.clear();
        QTest::keyClick(Frame(), Qt::Key_F9);
        QTest::keyClick(Frame(), Qt::Key_R, Qt::ControlModifier);
        QVERIFY(pView->m_commands.isEmpty());
    }

    // ---- toolbar ----

    void toolbarHasItsEntriesInOrderWithoutTips() {
        QVERIFY(StartWith({}));
        const QList<int> expected{57601, 57607, 32822, 0,     32816, 32818, 32817, 32894, 0,
                                  32895, 32897, 32896, 0,     32813, 32794, 32812, 32793, 0,
                                  32890, 32891, 32892, 32893, 0,     32870, 0,     57664, 32805};
        QList<int> ids;
        for (QAction* pAction : Frame()->m_wndToolBar->actions())
            ids << (pAction->isSeparator() ? 0 : pAction->data().toInt());
        QCOMPARE(ids, expected);
        QCOMPARE(Frame()->m_wndToolBar->iconSize(), QSize(18, 16));
        QCOMPARE(Frame()->GetToolbarBitmap().size(), QSize(18 * 21, 16));
        QCOMPARE(ToolbarImageIndex(ID_HELP_CONTENTS), 20);
        QCOMPARE(ToolbarImageIndex(ID_VIEW_MEMORY_WATCH), 3);
        for (QAction* pAction : Frame()->m_wndToolBar->actions()) {
            if (pAction->isSeparator()) continue;
            QVERIFY(!pAction->icon().isNull());
            QWidget* pButton = Frame()->m_wndToolBar->widgetForAction(pAction);
            QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), pButton->mapToGlobal(QPoint(2, 2)));
            QVERIFY(QCoreApplication::sendEvent(pButton, &tip));
            QVERIFY(!QToolTip::isVisible());
        }
        // A hover's status tip does not reach pane 0.
        Frame()->m_wndStatusBar->SetPaneText(0, QStringLiteral("Executing....."));
        QStatusTipEvent statusTip(QStringLiteral("fly-by"));
        QCoreApplication::sendEvent(Frame(), &statusTip);
        QCOMPARE(Frame()->m_wndStatusBar->GetPaneText(0), QStringLiteral("Executing....."));
    }

    void toolbarAndMenuShareOneActionPerCommand() {
        QVERIFY(StartWith({m_program}));
        QAction* pFromToolbar = nullptr;
        for (QAction* pAction : Frame()->m_wndToolBar->actions())
            if (pAction->data().toInt() == ID_RUN_SINGLESTEP) pFromToolbar = pAction;
        QAction* pFromMenu = nullptr;
        for (QAction* pAction : TopMenu(QStringLiteral("&Run"))->actions())
            if (pAction->data().toInt() == ID_RUN_SINGLESTEP) pFromMenu = pAction;
        QVERIFY(pFromToolbar != nullptr);
        QCOMPARE(pFromToolbar, pFromMenu);
        QCOMPARE(pFromToolbar, Action(ID_RUN_SINGLESTEP));
    }

    // ---- status bar ----

    void statusBarHasSixPanesAndPrompts() {
        QVERIFY(StartWith({m_program}));
        CStatusBar* pBar = Frame()->m_wndStatusBar;
        QCOMPARE(pBar->GetPaneText(0), QStringLiteral("Ready"));
        QCOMPARE(pBar->GetPaneText(3), QStringLiteral("CAP"));
        QCOMPARE(pBar->GetPaneText(4), QStringLiteral("NUM"));
        QCOMPARE(pBar->GetPaneText(5), QStringLiteral("SCRL"));
        QCOMPARE(pBar->findChildren<QLabel*>().size(), 6);
        // The program window's counts sit in the two panes of 100 pixels.
        QCOMPARE(pBar->GetPaneText(1), QStringLiteral("Cycles 0"));
        QCOMPARE(pBar->GetPaneText(2), QStringLiteral("Line 1"));
        for (QLabel* pPane : pBar->findChildren<QLabel*>())
            if (pPane->text() == pBar->GetPaneText(1) || pPane->text() == pBar->GetPaneText(2))
                QCOMPARE(pPane->width(), CStatusBar::kCountPaneWidth);
        // A highlighted item shows its prompt; leaving the menu shows "Ready".
        QMenu* pRun = TopMenu(QStringLiteral("&Run"));
        pRun->popup(QPoint(0, 0));
        PointAt(pRun, ID_RUN_SINGLESTEP);
        QCOMPARE(pBar->GetPaneText(0), QStringLiteral("Single Step  (F7)"));
        PointAt(pRun, ID_RUN_CPURESET);
        QCOMPARE(pBar->GetPaneText(0), QStringLiteral("Reset CPU"));
        pRun->close();
        QCOMPARE(pBar->GetPaneText(0), QStringLiteral("Ready"));
        // An item without a prompt shows an empty pane.
        QMenu* pView = TopMenu(QStringLiteral("&View"));
        pView->popup(QPoint(0, 0));
        PointAt(pView, ID_VIEW_STATUS_BAR);
        QCOMPARE(pBar->GetPaneText(0), QString());
        pView->close();
        QCOMPARE(pBar->GetPaneText(0), QStringLiteral("Ready"));
        QCOMPARE(CMainFrame::CommandPrompt(ID_FILE_OPEN), QStringLiteral("Open an existing document"));
        QCOMPARE(CMainFrame::CommandPrompt(ID_VIEW_SERIAL_WATCH),
                 QStringLiteral("Activates\\Deacvtvates Serial watchwindow"));
    }

    void hoveringTheToolbarLeavesPaneZeroAlone() {
        QVERIFY(StartWith({m_program}));
        CStatusBar* pBar = Frame()->m_wndStatusBar;
        for (const char* text : {"Executing.....", "Execution terminated....."}) {
            pBar->SetPaneText(0, QString::fromLatin1(text));
            for (QAction* pAction : Frame()->m_wndToolBar->actions()) {
                QWidget* pButton = Frame()->m_wndToolBar->widgetForAction(pAction);
                if (pButton == nullptr || pAction->isSeparator()) continue;
                QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), pButton->mapToGlobal(QPointF(1, 1)));
                QCoreApplication::sendEvent(pButton, &enter);
                QEvent leave(QEvent::Leave);
                QCoreApplication::sendEvent(pButton, &leave);
            }
            QCOMPARE(pBar->GetPaneText(0), QString::fromLatin1(text));
        }
    }

    void countPanesWidenToShowTheirWholeText() {
        QVERIFY(StartWith({m_program}));
        CStatusBar* pBar = Frame()->m_wndStatusBar;
        g_Sim.SetTStates(12582897);
        Frame()->GetActiveView()->OnUpdate(nullptr, 0);
        QCOMPARE(pBar->GetPaneText(1), QStringLiteral("Cycles 12582897"));
        QCoreApplication::processEvents();
        for (QLabel* pPane : pBar->findChildren<QLabel*>()) {
            if (pPane->text() != pBar->GetPaneText(1)) continue;
            QVERIFY(pPane->width() >= CStatusBar::kCountPaneWidth);
            QVERIFY(pPane->contentsRect().width() >= pPane->fontMetrics().horizontalAdvance(pPane->text()));
        }
    }

    void lockKeyPanesShowTheKeysWhereThePlatformTellsThem() {
        QVERIFY(StartWith({}));
        CStatusBar* pBar = Frame()->m_wndStatusBar;
        // Headless the platform does not tell: all three stay greyed.
        for (int pane = 3; pane <= 5; ++pane) QVERIFY(!pBar->IsPaneEnabled(pane));
        struct {
            std::optional<LockKeyState> state;
            QStringList texts;
            bool bEnabled;
        } cases[] = {
            {std::nullopt, {"CAP", "NUM", "SCRL"}, false},
            {LockKeyState{}, {"", "", ""}, true},
            {LockKeyState{true, false, false}, {"CAP", "", ""}, true},
            {LockKeyState{false, true, true}, {"", "NUM", "SCRL"}, true},
        };
        for (const auto& c : cases) {
            pBar->SetLockKeyReader([&c] { return c.state; });
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(pBar->GetPaneText(3 + i), c.texts[i]);
                QCOMPARE(pBar->IsPaneEnabled(3 + i), c.bEnabled);
            }
        }
        pBar->SetLockKeyReader(nullptr);
    }

    void toolbarAndStatusBarCanBeHidden() {
        QVERIFY(StartWith({}));
        QVERIFY(Action(ID_VIEW_TOOLBAR)->isChecked());
        Action(ID_VIEW_TOOLBAR)->trigger();
        QVERIFY(!Frame()->m_wndToolBar->isVisible());
        QVERIFY(!Action(ID_VIEW_TOOLBAR)->isChecked());
        Action(ID_VIEW_STATUS_BAR)->trigger();
        QVERIFY(!Frame()->m_wndStatusBar->isVisible());
        QVERIFY(!Action(ID_VIEW_STATUS_BAR)->isChecked());
    }

    // ---- Open ----

    void openIsDisabledWhileAProgramIsOpen() {
        QVERIFY(StartWith({}));
        int asked = 0;
        SetFileDialogResponder([&](const FileDialogRequest& request) {
            ++asked;
            [&] {
                QCOMPARE(request.bSave, false);
                QCOMPARE(request.filters,
                         QStringLiteral("BIN Files (*.bin);;HEX Files (*.hex);;Data Files (*.bin *.hex)"));
            }();
            return m_program;
        });
        QVERIFY(Action(ID_FILE_OPEN)->isEnabled());
        QTest::keyClick(Frame(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(asked, 1);
        QVERIFY(Doc() != nullptr);
        QCOMPARE(Doc()->GetPathName(), m_program);
        // Menu, key and button are all one disabled command now.
        QVERIFY(!Action(ID_FILE_OPEN)->isEnabled());
        QVERIFY(!Frame()->m_wndToolBar->widgetForAction(Action(ID_FILE_OPEN))->isEnabled());
        QTest::keyClick(Frame(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(asked, 1);
        // Closing the program's last window gives Open back.
        for (QMdiSubWindow* pWindow : Windows()) pWindow->close();
        Settle();
        QVERIFY(Windows().isEmpty());
        QVERIFY(m_app->GetDocument() == nullptr);
        QVERIFY(Action(ID_FILE_OPEN)->isEnabled());
        QCOMPARE(Frame()->menuBar()->actions().size(), 3);
    }

    void openCancelledOpensNothing() {
        QVERIFY(StartWith({}));
        SetFileDialogResponder([](const FileDialogRequest&) { return QString(); });
        Frame()->ExecuteCommand(ID_FILE_OPEN);
        QVERIFY(Doc() == nullptr);
        QVERIFY(m_messages.isEmpty());
    }

    void openAcceptsAnyExtension() {
        QVERIFY(StartWith({}));
        const QString odd = m_dir->filePath(QStringLiteral("prog.rom"));
        QVERIFY(QFile::copy(m_program, odd));
        SetFileDialogResponder([&](const FileDialogRequest&) { return odd; });
        Frame()->ExecuteCommand(ID_FILE_OPEN);
        QVERIFY(Doc() != nullptr);
        QCOMPARE(g_Sim.m_pMemory[0], u8(0x3E));
        QCOMPARE(m_app->GetRecentFiles().first(), odd);
    }

    // ---- watch-window toggles ----

    void toggleOpensThenClosesOneWindow() {
        QVERIFY(StartWith({m_program}));
        UseTestWindows();
        const int before = Windows().size();
        QVERIFY(Action(ID_VIEW_MEMORY_WATCH)->isEnabled());
        QVERIFY(!Action(ID_VIEW_MEMORY_WATCH)->isChecked());
        Action(ID_VIEW_MEMORY_WATCH)->trigger();
        QCOMPARE(ViewsOfKind(m_memTemplate.get()), 1);
        QCOMPARE(Windows().size(), before + 1);
        QVERIFY(Action(ID_VIEW_MEMORY_WATCH)->isChecked());
        // The new window is active, with its own copy of the menu.
        QVERIFY(dynamic_cast<TestWatchView*>(Frame()->GetActiveView()) != nullptr);
        QCOMPARE(Frame()->menuBar()->actions().first()->menu(), m_memTemplate->m_pMenuShared->m_popups.first());
        // The second toggle closes it and never opens a second one.
        Action(ID_VIEW_MEMORY_WATCH)->trigger();
        QCOMPARE(ViewsOfKind(m_memTemplate.get()), 0);
        QVERIFY(!Action(ID_VIEW_MEMORY_WATCH)->isChecked());
        Settle();
        QCOMPARE(Windows().size(), before);
        QVERIFY(m_messages.isEmpty());
    }

    void checkMarkFollowsAWindowClosedByItsCloseBox() {
        QVERIFY(StartWith({m_program}));
        UseTestWindows();
        Action(ID_VIEW_MEMORY_WATCH)->trigger();
        QVERIFY(Action(ID_VIEW_MEMORY_WATCH)->isChecked());
        CloseByItsCloseBox(m_memTemplate.get());
        Settle();
        QVERIFY(!Action(ID_VIEW_MEMORY_WATCH)->isChecked());
        QCOMPARE(ViewsOfKind(m_memTemplate.get()), 0);
        Action(ID_VIEW_MEMORY_WATCH)->trigger();
        QCOMPARE(ViewsOfKind(m_memTemplate.get()), 1);
    }

    void timingCheckMarkFollowsTheCommandOnly() {
        QVERIFY(StartWith({m_program}));
        UseTestWindows();
        QVERIFY(Action(ID_VIEW_TIMING_DIAGRAM)->isEnabled());
        Action(ID_VIEW_TIMING_DIAGRAM)->trigger();
        QCOMPARE(g_bTimingWindowOpen, 1u);
        QVERIFY(Action(ID_VIEW_TIMING_DIAGRAM)->isChecked());
        // The timing window shows menu 3 without images.
        QCOMPARE(Frame()->menuBar()->actions().first()->menu(), m_timingTemplate->m_pMenuShared->m_popups.first());
        // Closed by its own close box: the mark stays.
        CloseByItsCloseBox(m_timingTemplate.get());
        Settle();
        QCOMPARE(ViewsOfKind(m_timingTemplate.get()), 0);
        QVERIFY(Action(ID_VIEW_TIMING_DIAGRAM)->isChecked());
        // Given again, the command opens a new window and the mark stays.
        Action(ID_VIEW_TIMING_DIAGRAM)->trigger();
        QCOMPARE(ViewsOfKind(m_timingTemplate.get()), 1);
        QCOMPARE(g_bTimingWindowOpen, 1u);
        Action(ID_VIEW_TIMING_DIAGRAM)->trigger();
        QCOMPARE(ViewsOfKind(m_timingTemplate.get()), 0);
        QCOMPARE(g_bTimingWindowOpen, 0u);
        QVERIFY(!Action(ID_VIEW_TIMING_DIAGRAM)->isChecked());
    }

    void togglesWithoutADocumentFail() {
        QVERIFY(StartWith({}));
        UseTestWindows();
        QVERIFY(!Action(ID_VIEW_MEMORY_WATCH)->isEnabled());
        QVERIFY(!Action(ID_VIEW_MEMORY_WATCH)->isChecked());
        // Timing Diagram stays enabled and ends in the failure message.
        QVERIFY(Action(ID_VIEW_TIMING_DIAGRAM)->isEnabled());
        Frame()->ExecuteCommand(ID_VIEW_TIMING_DIAGRAM);
        QCOMPARE(m_messages, QStringList{QStringLiteral("Command failed.")});
        QCOMPARE(g_bTimingWindowOpen, 0u);
        m_messages.clear();
        Frame()->OnViewMemoryWatch();
        Frame()->OnViewSerialWatch();
        QCOMPARE(m_messages, (QStringList{QStringLiteral("Command failed."), QStringLiteral("Command failed.")}));
        QVERIFY(Windows().isEmpty());
    }

    void updateAllViewsSkipsTheSender() {
        QVERIFY(StartWith({m_program}));
        UseTestWindows();
        Action(ID_VIEW_MEMORY_WATCH)->trigger();
        Action(ID_VIEW_TIMING_DIAGRAM)->trigger();
        auto* pMem = FindView<TestWatchView>(Doc());
        auto* pTiming = FindView<TestTimingView>(Doc());
        QVERIFY(pMem != nullptr && pTiming != nullptr);
        pMem->m_nUpdates = pTiming->m_nUpdates = 0;
        Doc()->UpdateAllViews(pMem);
        QCOMPARE(pMem->m_nUpdates, 0);
        QCOMPARE(pTiming->m_nUpdates, 1);
        QCOMPARE(pTiming->m_pLastSender, static_cast<CView*>(pMem));
        Doc()->UpdateAllViews(nullptr);
        QCOMPARE(pMem->m_nUpdates, 1);
        QCOMPARE(pTiming->m_nUpdates, 2);
    }

    void programWindowOpensTheFirstWatchWindowsOnce() {
        QVERIFY(StartWith({}));
        UseTestWindows();
        m_ioTemplate.reset(CMultiDocTemplate::New<TestWatchFrame, TestIOView>());
        m_regTemplate.reset(CMultiDocTemplate::New<TestWatchFrame, TestRegView>());
        m_ioTemplate->m_pMenuShared = m_regTemplate->m_pMenuShared = Frame()->LoadDocumentMenu();
        m_app->m_pIOWatchTemplate = m_ioTemplate.get();
        m_app->m_pRegWatchTemplate = m_regTemplate.get();
        g_bProgViewOpened = 0;
        QVERIFY(m_app->OpenDocumentFile(m_program) != nullptr);
        QCOMPARE(ViewsOfKind(m_ioTemplate.get()), 1);
        QCOMPARE(ViewsOfKind(m_memTemplate.get()), 1);
        QCOMPARE(ViewsOfKind(m_regTemplate.get()), 1);
        QCOMPARE(Windows().size(), 4);
        QVERIFY(Action(ID_VIEW_IO_WATCH)->isChecked());
        QVERIFY(Action(ID_VIEW_REGISTERS_WATCH)->isChecked());
        // Going back to the program window opens nothing more.
        for (QMdiSubWindow* pWindow : Windows())
            if (dynamic_cast<CTorvanView*>(ViewOfFrame(pWindow)) != nullptr)
                Frame()->MDIClient()->setActiveSubWindow(pWindow);
        QVERIFY(dynamic_cast<CTorvanView*>(Frame()->GetActiveView()) != nullptr);
        QCOMPARE(Windows().size(), 4);
        QVERIFY(m_messages.isEmpty());
    }

    void closingTheProgramClosesEveryWindowOfIt() {
        QVERIFY(StartWith({m_program}));
        UseTestWindows();
        Action(ID_VIEW_MEMORY_WATCH)->trigger();
        QVERIFY(Windows().size() >= 2);
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("TORVAN - Zelmor Systems' Simulator for 8085 - prog.bin"));
        Action(ID_FILE_CLOSE)->trigger();
        Settle();
        QVERIFY(Windows().isEmpty());
        QVERIFY(Doc() == nullptr);
        QCOMPARE(Frame()->windowTitle(), QStringLiteral("TORVAN - Zelmor Systems' Simulator for 8085"));
        // The machine keeps its memory.
        QCOMPARE(g_Sim.m_pMemory[0], u8(0x3E));
    }
};

TORVAN_TEST_CLASS(TestMainFrame);
#include "test_mainframe.moc"
