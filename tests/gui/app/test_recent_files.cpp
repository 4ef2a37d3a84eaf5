// The recent-file entries of the File menu: numbered, a long folder
// shortened so that the menu stays narrow while the file name stays whole,
// and an '&' of a path shown as itself, never a mnemonic.
#include <QMenu>
#include <QScreen>
#include <QtTest>

#include "framework/AbbreviatePath.h"
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

    void aLongPathIsShortenedInTheMiddle() {
        QString path = QStringLiteral("/home/student");
        for (int i = 0; path.size() < kLongPathChars; ++i) path += QStringLiteral("/lab-folder-%1").arg(i);
        path += QStringLiteral("/counter.hex");
        Remember(path);
        const QString text = FirstEntry()->text();
        QVERIFY2(text.startsWith(QLatin1String("&1 /home/...")), qPrintable(text));
        QVERIFY(text.endsWith(QLatin1String("/counter.hex")));
        QVERIFY(text.size() <= QStringLiteral("&1 ").size() + kRecentFileShownChars);
        // The File menu stays narrow, its key texts on the screen.
        QVERIFY(FileMenu()->sizeHint().width() < FileMenu()->screen()->availableGeometry().width() / 2);
    }

    void anAmpersandInAPathIsNoMnemonic() {
        Remember(QStringLiteral("/home/amp&dir/prog.hex"));
        QCOMPARE(FirstEntry()->text(), QStringLiteral("&1 /home/amp&&dir/prog.hex"));
        KespMenu* pFile = FileMenu();
        QCOMPARE(KespMenu::FindKeyboardShortcut(QLatin1Char('d'), MF_POPUP, pFile), int(MNC_IGNORE));
        const int entry = int(pFile->actions().indexOf(FirstEntry()));
        QCOMPARE(KespMenu::FindKeyboardShortcut(QLatin1Char('1'), MF_POPUP, pFile), MenuCharResult(MNC_EXECUTE, entry));
    }
};

TORVAN_TEST_CLASS(TestRecentFiles);
#include "test_recent_files.moc"
