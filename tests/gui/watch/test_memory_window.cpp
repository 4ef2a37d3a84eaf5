// The memory watch: watches added newest first through the value dialog,
// deleted one at a time or all at once, at most six, each row sixteen bytes
// and their characters; Edit opens Modify Memory at the selected watch.
#include <QLabel>
#include <QLineEdit>

#include "dialogs/MemWatchAddDlg.h"
#include "dialogs/Modimem.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"
#include "tests/support/WatchWindows.h"
#include "watch/MemWatch.h"

namespace {
const QString kHint = QStringLiteral("To add watch, just right-click here...");

// The row of a watch at an address, from the bytes there (wrapping at FFFF).
QString RowOf(u32 address, const QString& bytes, const QString& chars) {
    return QString::asprintf("   %04X :", address) + bytes + "  " + chars;
}
}  // namespace

class TestMemoryWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramWindowFixture> m_f;
    CMemWatch* m_pView = nullptr;

    // Adds a watch as a user does: right click, Add, the address typed.
    void Add(const QString& typed) {
        RightClickChoose(m_pView, -1, QStringLiteral("&Add"), [typed] {
            AnswerModal<CMemWatchAddDlg>([typed](CMemWatchAddDlg* pDlg) {
                QCOMPARE(pDlg->windowTitle(), QString("Memory Watch"));
                QCOMPARE(pDlg->ValueEdit()->text(), QString("0000"));
                pDlg->ValueEdit()->setText(typed);
                pDlg->accept();
            });
        });
    }
    QStringList Addresses() const {
        QStringList addresses;
        for (const QString& row : Rows(m_pView)) addresses << row.mid(3, 4);
        return addresses;
    }

private slots:
    void init() {
        m_f = std::make_unique<ProgramWindowFixture>();
        QVERIFY(m_f->Start(Program({0x00})));
        m_pView = FindView<CMemWatch>(m_f->m_doc);
        QVERIFY(m_pView);
    }
    void cleanup() { m_f.reset(); }

    void rowsShowBytesAndCharacters() {
        QCOMPARE(Rows(m_pView), QStringList{kHint});
        const u8 bytes[16] = {0x48, 0x65, 0x6C, 0x6C, 0x6F, 0x20, 0x7A, 0x7B,
                              0xFF, 0x00, 0x1F, 0x80, 0x41, 0x5A, 0x30, 0x7E};
        for (int i = 0; i < 16; ++i) g_Sim.m_pMemory[0x2000 + i] = bytes[i];
        Add(QStringLiteral("2000"));
        QCOMPARE(Rows(m_pView),
                 QStringList{RowOf(0x2000, " 48 65 6C 6C 6F 20 7A 7B FF 00 1F 80 41 5A 30 7E", "Hello z.....AZ0.")});
        Add(QStringLiteral("3000"));
        QCOMPARE(Addresses(), (QStringList{"3000", "2000"}));
        // The rows follow memory at the next step.
        g_Sim.m_pMemory[0x3000] = 0x21;
        m_f->Command(ID_RUN_SINGLESTEP);
        QVERIFY(m_pView->RowTextOf(0).startsWith("   3000 : 21 00"));
    }

    void listChangedUnderTheWindowIsShownWhole() {
        // As a configuration loaded while the window is open would change it.
        g_Sim.m_MemWatchAddr[0] = 0x1000;
        g_Sim.m_MemWatchAddr[1] = 0x2000;
        g_Sim.m_nMemWatchCount = 2;
        m_f->Command(ID_RUN_SINGLESTEP);
        QCOMPARE(Addresses(), (QStringList{"1000", "2000"}));
        g_Sim.m_nMemWatchCount = 0;
        m_f->Command(ID_RUN_SINGLESTEP);
        QCOMPARE(Rows(m_pView), QStringList{kHint});
    }

    void watchNearTheEndWrapsToZero() {
        for (u32 a = 0xFFF8; a <= 0xFFFF; ++a) g_Sim.m_pMemory[a] = 0x41;
        Add(QStringLiteral("fff8"));
        QCOMPARE(Rows(m_pView).first(),
                 RowOf(0xFFF8, QString(" 41").repeated(8) + " 00" + QString(" 00").repeated(7), "AAAAAAAA........"));
    }

    void typedAddressesAreReadAsHex_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("lower case") << "abcd" << QStringList{"ABCD"};
        QTest::newRow("an empty text adds nothing") << "" << QStringList{};
        QTest::newRow("no digit adds nothing") << "xyz" << QStringList{};
    }
    void typedAddressesAreReadAsHex() {
        QFETCH(QString, typed);
        QFETCH(QStringList, rows);
        Add(typed);
        if (rows.isEmpty()) QCOMPARE(Rows(m_pView), QStringList{kHint});
        else QCOMPARE(Addresses(), rows);
        QCOMPARE(int(g_Sim.m_nMemWatchCount), rows.size());
    }

    void seventhWatchIsRefused() {
        for (int i = 1; i <= kMaxMemWatches; ++i) Add(QString::number(i * 0x100, 16));
        QCOMPARE(Addresses(), (QStringList{"0600", "0500", "0400", "0300", "0200", "0100"}));
        // No dialog: the refusal comes before the address is asked for.
        RightClickChoose(m_pView, 0, QStringLiteral("&Add"));
        QCOMPARE(m_f->m_messages, QStringList{"Maximum 6 memory watches can be set !"});
        QCOMPARE(int(g_Sim.m_nMemWatchCount), kMaxMemWatches);
        QCOMPARE(Addresses(), (QStringList{"0600", "0500", "0400", "0300", "0200", "0100"}));
    }

    void deleteRemovesTheSelectedWatch() {
        for (const char* address : {"1000", "2000", "3000"}) Add(QString::fromLatin1(address));
        // Delete with nothing selected does nothing.
        m_pView->clearSelection();
        m_pView->OnDelete();
        QCOMPARE(Addresses(), (QStringList{"3000", "2000", "1000"}));
        ClickRow(m_pView, 1);
        const QStringList offered = RightClickChoose(m_pView, 1, QStringLiteral("&Delete"));
        QCOMPARE(offered, (QStringList{"&Add", "&Delete", "&Edit", "Delete &All"}));
        QCOMPARE(Addresses(), (QStringList{"3000", "1000"}));
    }

    void deleteAllLeavesTheHintAfterReopening() {
        Add(QStringLiteral("1000"));
        Add(QStringLiteral("2000"));
        RightClickChoose(m_pView, 0, QStringLiteral("Delete &All"));
        QCOMPARE(Rows(m_pView), QStringList{kHint});
        // The hint row is never deleted.
        ClickRow(m_pView, 0);
        RightClickChoose(m_pView, 0, QStringLiteral("&Delete"));
        QCOMPARE(Rows(m_pView), QStringList{kHint});
        m_f->Command(ID_VIEW_MEMORY_WATCH);
        QVERIFY(!FindView<CMemWatch>(m_f->m_doc));
        m_f->Command(ID_VIEW_MEMORY_WATCH);
        m_pView = FindView<CMemWatch>(m_f->m_doc);
        QVERIFY(m_pView);
        QCOMPARE(Rows(m_pView), QStringList{kHint});
    }

    void editOpensModifyMemoryAtTheWatch_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("label");
        QTest::newRow("second watch") << 1 << "2005";
        QTest::newRow("no row selected") << -1 << "0000";
    }
    void editOpensModifyMemoryAtTheWatch() {
        QFETCH(int, row);
        QFETCH(QString, label);
        Add(QStringLiteral("4000"));
        Add(QStringLiteral("2005"));
        Add(QStringLiteral("3000"));
        QString seen;
        AnswerModal<CModiMem>([&](CModiMem* pDlg) {
            seen = pDlg->RowLabel(0)->text();
            QLineEdit* pField = pDlg->ByteField(0);
            pField->selectAll();
            QTest::keyClicks(pField, "AB");
            QTest::keyClick(pDlg, Qt::Key_Escape);
        });
        if (row >= 0) {
            DoubleClickRow(m_pView, row);
        } else {
            m_pView->clearSelection();
            m_pView->OnEdit();
        }
        QCOMPARE(seen, label);
        // The byte typed is in memory and shown, although the dialog was cancelled.
        const u32 address = label.toUInt(nullptr, 16);
        QCOMPARE(g_Sim.m_pMemory[address], u8(0xAB));
        if (row >= 0) QVERIFY(m_pView->RowTextOf(row).startsWith(QString("   %1 : AB").arg(label)));
    }
};

TORVAN_TEST_CLASS(TestMemoryWindow);
#include "test_memory_window.moc"
