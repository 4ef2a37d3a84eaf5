// The recent-file entries of the File menu: a long folder shortened, the
// file name whole, and an '&' of a path shown as itself, never a mnemonic.
#include <QMenu>
#include <QScreen>
#include <QtTest>

#include "menu/Kespmenu.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
constexpr int kLongPathChars = 210;
}

class TestRecentFiles : public QObject {
    Q_OBJECT

    ProgramWindowFixture m_f;
    KespMenu* FileMenu() const { return qobject_cast<KespMenu*>(m_f.m_frame->m_pDefaultMenu->m_popups.first()); }
    QAction* FirstEntry() const { return m_f.Action(ID_FILE_MRU_FILE1); }
    void Remember(const QString& path) const {
        m_f.m_app->AddToRecentFileList(path);
        m_f.m_frame->UpdateCommandStates();
        KespMenu::UpdateMenu(FileMenu());
    }

private slots:
    void initTestCase() { QVERIFY(m_f.StartApplication({})); }

    void entryShowsThePathShortened() {
        const struct {
            const char* path;
            const char* shown;
        } cases[] = {
            {"/home/ann/labs/week03/prog.hex", "&1 /home/ann/labs/week03/prog.hex"},
            {"/home/ann/projects/8085/labs/week3/counter.hex", "&1 /home/.../week3/counter.hex"},
            {"/a-very-long-first-folder-name/x/counter.hex", "&1 counter.hex"},
            {"/home/a-program-with-a-very-long-name.hex", "&1 a-program-with-a-very-long-name.hex"},
            {"/home/amp&dir/prog.hex", "&1 /home/amp&&dir/prog.hex"},
        };
        for (const auto& c : cases) {
            Remember(QString::fromUtf8(c.path));
            QCOMPARE(FirstEntry()->text(), QString::fromUtf8(c.shown));
        }
    }

    void aLongPathKeepsTheMenuNarrow() {
        QString path = QStringLiteral("/home/student");
        for (int i = 0; path.size() < kLongPathChars; ++i) path += QStringLiteral("/lab-folder-%1").arg(i);
        path += QStringLiteral("/counter.hex");
        Remember(path);
        // The File menu stays narrow, its key texts on the screen.
        QVERIFY(FileMenu()->sizeHint().width() < FileMenu()->screen()->availableGeometry().width() / 2);
    }

    void anAmpersandInAPathIsNoMnemonic() {
        Remember(QStringLiteral("/home/amp&dir/prog.hex"));
        KespMenu* pFile = FileMenu();
        QCOMPARE(KespMenu::FindKeyboardShortcut(QLatin1Char('d'), MF_POPUP, pFile), int(MNC_IGNORE));
        const int entry = int(pFile->actions().indexOf(FirstEntry()));
        QCOMPARE(KespMenu::FindKeyboardShortcut(QLatin1Char('1'), MF_POPUP, pFile), MenuCharResult(MNC_EXECUTE, entry));
    }
};

TORVAN_TEST_CLASS(TestRecentFiles);
#include "test_recent_files.moc"
