// Starts the application headless on a small program image, as a user would
// open it, and gives the tests its main window, document and program window.
#pragma once

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>
#include <memory>

#include "app/Brixcdoc.h"
#include "app/Brixcvw.h"
#include "app/FindDialog.h"
#include "app/Mainfrm.h"
#include "app/TorvanApp.h"
#include "dialogs/MemWatchAddDlg.h"
#include "framework/CmdUI.h"
#include "framework/DocTemplate.h"
#include "framework/MenuSet.h"
#include "framework/StatusBar.h"
#include "framework/View.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"
#include "res/Toolbar.h"
#include "tests/support/AppSandbox.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TestFile.h"

class ProgramWindowFixture {
public:
    // Opens the bytes as a raw image loaded at address 0.
    bool Start(const QByteArray& image) {
        const QString path = WriteTestFile(m_dir, QStringLiteral("prog.bin"), image);
        return !path.isEmpty() && StartFile(path);
    }

    // Opens a copy of an example program with its configuration, so that the
    // example's folder is not written.
    bool StartExample(const QString& name) {
        if (!m_dir.isValid()) return false;
        const QDir examples(QStringLiteral(TORVAN_EXAMPLES));
        for (const QString& extension : {QStringLiteral(".hex"), QStringLiteral(".cfg")}) {
            const QString file = name + extension;
            QFile::remove(m_dir.filePath(file));
            if (!QFile::copy(examples.filePath(file), m_dir.filePath(file))) return false;
        }
        return StartFile(m_dir.filePath(name + QStringLiteral(".hex")));
    }

    // Starts the application with a program file on its command line.
    bool StartFile(const QString& path) { return StartApplication({path}) && TakeDocument(); }

    // Starts the application without a program.
    bool StartApplication(const QStringList& arguments) {
        if (!EnterAppSandbox(m_dir, m_messages)) return false;
        g_CurrentLine = 1;
        g_bProgViewOpened = 0;
        m_app = std::make_unique<CTorvanApp>();
        if (!m_app->InitInstance(arguments)) return false;
        m_frame = GetMainFrame();
        return m_frame != nullptr;
    }

    // The program the application opened, shown with its program window.
    bool TakeDocument() {
        m_doc = m_app->GetDocument();
        if (!m_doc) return false;
        m_frame->show();
        m_view = ProgramView();
        return m_view != nullptr && QTest::qWaitForWindowExposed(m_frame);
    }

    ~ProgramWindowFixture() {
        // The windows close before the application goes, as when a user
        // closes the program.
        if (m_app && m_app->GetDocument()) m_app->GetDocument()->OnCloseDocument();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_app.reset();
        LeaveAppSandbox();
    }

    CTorvanView* ProgramView() const { return FindView<CTorvanView>(m_doc); }

    // Makes the main window active with the keyboard focus in the program
    // window, as a click into it does.
    void Activate() const {
        m_frame->activateWindow();
        m_view->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
    }
    QAction* Action(int id) const { return m_frame->GetAction(id); }
    // Gives a command as the menu does.
    void Command(int id) const { Action(id)->trigger(); }
    // Gives Run as the menu does. A run still going after limitMs is ended,
    // so that a program that never stops fails its test instead of hanging.
    void RunWithin(int limitMs) const {
        QObject context;
        QTimer::singleShot(limitMs, &context, [] { g_Sim.m_bStopRequest = 1; });
        Command(ID_RUN_RUN);
    }
    // Gives a command by clicking its toolbar button.
    void ClickToolbar(int id) const {
        QWidget* button = m_frame->m_wndToolBar->widgetForAction(Action(id));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QString Pane(int pane) const { return m_frame->m_wndStatusBar->GetPaneText(pane); }
    // The line that row 0 to m_nRowsPerPage - 1 shows, as text.
    QString Row(int row) const { return m_view->DisplayedRowText(row); }
    // Address of the line shown with the marker.
    bool MarkerOn(int line) const { return m_view->HasLine(line) && m_view->m_Lines[line - 1][0] == '>'; }
    int MarkerCount() const {
        int count = 0;
        for (int i = 0; i <= m_view->m_nLastLine; ++i) count += m_view->m_Lines[i][0] == '>';
        return count;
    }
    // Centre of a row of the program window, in viewport coordinates.
    QPoint RowPoint(int row) const { return QPoint(40, row * m_view->RowHeight() + m_view->RowHeight() / 2); }
    void DoubleClickRow(int row) const {
        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(row));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CTorvanApp> m_app;
    CMainFrame* m_frame = nullptr;
    CTorvanDoc* m_doc = nullptr;
    CTorvanView* m_view = nullptr;
    QStringList m_messages;
};

// Bytes of a hand-assembled program.
inline QByteArray Program(std::initializer_list<int> bytes) {
    QByteArray image;
    for (int b : bytes) image.append(char(b));
    return image;
}

// Answers the value dialog, when it opens, with a text and OK.
inline void AnswerValueDialog(const QString& text) {
    AnswerModal<CMemWatchAddDlg>([text](CMemWatchAddDlg* dlg) {
        dlg->ValueEdit()->setText(text);
        dlg->accept();
    });
}

// Change Origin from the toolbar, answered with the text.
inline void ChangeOrigin(const ProgramWindowFixture& f, const QString& text) {
    AnswerValueDialog(text);
    f.ClickToolbar(ID_CHANGE_ORIGIN);
}

// Answers the Find dialog with a text and a direction (or Cancel).
inline void AnswerFindDialog(const QString& text, bool backward, bool ok = true) {
    AnswerModal<CFindDialog>([=](CFindDialog* dlg) {
        dlg->FindEdit()->setText(text);
        (backward ? dlg->BackwardButton() : dlg->ForwardButton())->setChecked(true);
        if (ok) dlg->accept();
        else dlg->reject();
    });
}
