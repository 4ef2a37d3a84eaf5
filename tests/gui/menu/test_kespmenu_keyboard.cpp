// Typed characters in an open owner-drawn popup run the first item whose
// mnemonic they are; the records follow items that the program adds,
// removes or renames.
#include <QSignalSpy>
#include <QtTest>

#include "menu/Kespmenu.h"
#include "tests/gui/menu/MenuTestSupport.h"
#include "tests/support/QtTestRegistry.h"

using namespace menutest;

class TestKespMenuKeyboard : public QObject {
    Q_OBJECT
    std::unique_ptr<DocumentMenu> m_menus;

    KespMenu* Popup(std::initializer_list<const char*> path) const { return m_menus->Popup(path); }
    QAction* Action(int nID) const { return m_menus->host.frame.GetAction(nID); }
    // Opens a popup with every command enabled (the bare main window
    // disables what nothing handles after each command).
    KespMenu* Open(std::initializer_list<const char*> path) const {
        for (int nID : {ID_INTERRUPTS_TRAP, ID_INTERRUPTS_RST55, ID_INTERRUPTS_RST65, ID_INTERRUPTS_RST75})
            Action(nID)->setEnabled(true);
        KespMenu* pMenu = Popup(path);
        pMenu->popup(QPoint(10, 10));
        return QTest::qWaitForWindowExposed(pMenu) ? pMenu : nullptr;
    }

private slots:
    void init() {
        m_menus = std::make_unique<DocumentMenu>();
        QVERIFY(m_menus->Load());
    }
    void cleanup() { m_menus.reset(); }

    void mnemonicsFindTheirItem_data() {
        QTest::addColumn<QString>("popup");
        QTest::addColumn<QChar>("typed");
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<int>("result");
        const int execute = MNC_EXECUTE << 16;
        QTest::newRow("fourth item") << "&Interrupts" << QChar('7') << unsigned(MF_POPUP) << (execute | 3);
        QTest::newRow("lower case") << "&Interrupts" << QChar('t') << unsigned(MF_POPUP) << (execute | 0);
        QTest::newRow("upper case") << "&Interrupts" << QChar('T') << unsigned(MF_POPUP) << (execute | 0);
        QTest::newRow("after padding") << "&Run" << QChar('c') << unsigned(MF_POPUP) << (execute | 4);
        QTest::newRow("no such mnemonic") << "&Interrupts" << QChar('x') << unsigned(MF_POPUP) << int(MNC_IGNORE);
        QTest::newRow("not a popup") << "&Interrupts" << QChar('7') << 0u << int(MNC_IGNORE);
    }
    void mnemonicsFindTheirItem() {
        QFETCH(QString, popup);
        QFETCH(QChar, typed);
        QFETCH(unsigned, flags);
        QFETCH(int, result);
        QCOMPARE(KespMenu::FindKeyboardShortcut(typed, flags, Popup({qPrintable(popup)})), result);
    }

    void noMenuFindsNothing() {
        QCOMPARE(KespMenu::FindKeyboardShortcut('t', MF_POPUP, nullptr), int(MNC_IGNORE));
        QMenu plain;
        plain.addAction(QStringLiteral("&Test"));
        QCOMPARE(KespMenu::FindKeyboardShortcut('t', MF_POPUP, &plain), int(MNC_IGNORE));
    }

    void itemsAddedSinceTheLastOpeningAreSearchedToo() {
        KespMenu* pInterrupts = Popup({"&Interrupts"});
        auto* pFirst = new QAction(QStringLiteral("&Alpha"), pInterrupts);
        pInterrupts->insertAction(pInterrupts->actions().first(), pFirst);
        QCOMPARE(KespMenu::FindKeyboardShortcut('a', MF_POPUP, pInterrupts), (MNC_EXECUTE << 16) | 0);
        QCOMPARE(pInterrupts->m_MenuList.size(), std::size_t(5));
        QCOMPARE(KespMenu::FindKeyboardShortcut('7', MF_POPUP, pInterrupts), (MNC_EXECUTE << 16) | 4);
    }

    void typedKeysRunTheFirstMatchingItem() {
        // A second item with the same mnemonic: the first one runs.
        KespMenu* pInterrupts = Popup({"&Interrupts"});
        auto* pTrace = new QAction(QStringLiteral("&Trace"), pInterrupts);
        pInterrupts->addAction(pTrace);
        QSignalSpy trap(Action(ID_INTERRUPTS_TRAP), &QAction::triggered);
        QSignalSpy trace(pTrace, &QAction::triggered);
        QSignalSpy rst65(Action(ID_INTERRUPTS_RST65), &QAction::triggered);
        QVERIFY(Open({"&Interrupts"}));
        QTest::keyClick(pInterrupts, Qt::Key_T);
        QCOMPARE(trap.count(), 1);
        QCOMPARE(trace.count(), 0);
        QVERIFY(!pInterrupts->isVisible());

        QVERIFY(Open({"&Interrupts"}));
        QTest::keyClick(pInterrupts, Qt::Key_6, Qt::ShiftModifier);
        QCOMPARE(rst65.count(), 1);

        // A greyed item does not run, and the menu stays open.
        QVERIFY(Open({"&Interrupts"}));
        Action(ID_INTERRUPTS_TRAP)->setEnabled(false);
        QTest::keyClick(pInterrupts, Qt::Key_T);
        QCOMPARE(trap.count(), 1);
        QCOMPARE(trace.count(), 0);
        QVERIFY(pInterrupts->isVisible());
        // A character no item has does nothing either.
        QTest::keyClick(pInterrupts, Qt::Key_Q);
        QVERIFY(pInterrupts->isVisible());
        pInterrupts->hide();
    }

    void typedKeyOpensAPopupItem() {
        KespMenu* pConfiguration = Open({"&Configuration"});
        QVERIFY(pConfiguration);
        QTest::keyClick(pConfiguration, Qt::Key_V);
        KespMenu* pView = Popup({"&Configuration", "&View"});
        QTRY_VERIFY(pView->isVisible());
        QCOMPARE(pView->activeAction(), pView->actions().first());
        pView->hide();
        pConfiguration->hide();
    }

    void recordsFollowTheItems() {
        KespMenu* pWindow = Popup({"&Window"});
        const KespMenuItemData* pArrange = pWindow->m_MenuList[0].get();
        auto* pSeparator = pWindow->addSeparator();
        auto* pEntry = new QAction(QStringLiteral("&1 counter.hex"), pWindow);
        pEntry->setData(4001);
        pEntry->setEnabled(false);
        pWindow->addAction(pEntry);
        QMenu more(QStringLiteral("&More"));
        pWindow->addMenu(&more);
        KespMenu::UpdateMenu(pWindow);
        QCOMPARE(pWindow->m_MenuList.size(), std::size_t(4));
        QCOMPARE(pWindow->m_MenuList[0].get(), pArrange);
        QCOMPARE(pWindow->m_MenuList[1]->m_nFlags, unsigned(MF_SEPARATOR | MF_BYPOSITION | MF_OWNERDRAW));
        const KespMenuItemData& entry = *pWindow->m_MenuList[2];
        QCOMPARE(entry.m_nFlags, unsigned(MF_GRAYED | MF_DISABLED | MF_BYPOSITION | MF_OWNERDRAW));
        QCOMPARE(entry.m_nID, quintptr(4001));
        QCOMPARE(entry.GetWideString(), QStringLiteral("&1 counter.hex"));
        QCOMPARE(entry.m_nImageIndex, -1);
        QCOMPARE(pWindow->ItemDataOf(pEntry), &entry);
        const KespMenuItemData& popup = *pWindow->m_MenuList[3];
        QCOMPARE(popup.m_nFlags, unsigned(MF_POPUP | MF_BYPOSITION | MF_OWNERDRAW));
        QCOMPARE(popup.m_nID, KespMenu::PopupId(&more));
        QCOMPARE(popup.GetWideString(), QStringLiteral("&More"));

        // Entries that went lose their records; the others keep theirs.
        pWindow->removeAction(pSeparator);
        pWindow->removeAction(more.menuAction());
        KespMenu::UpdateMenu(pWindow);
        QCOMPARE(pWindow->m_MenuList.size(), std::size_t(2));
        QCOMPARE(pWindow->m_MenuList[0].get(), pArrange);
        QCOMPARE(pWindow->ItemDataOf(pEntry)->m_nID, quintptr(4001));
        KespMenu::UpdateMenu(nullptr);
    }

    void liveTextsAreMeasuredAndDrawn() {
        // A text the program sets reaches the record at once.
        KespMenu* pChange = Popup({"&Configuration", "&View", "Change Configuration"});
        QAction* p8155 = ActionOf(pChange, ID_CONFIG_8155);
        const int before = Measured(pChange, pChange->ItemDataOf(p8155)).itemWidth;
        p8155->setText(QStringLiteral("8&155  : @20"));
        QCOMPARE(pChange->ItemDataOf(p8155)->GetWideString(), QStringLiteral("8&155  : @20"));
        QVERIFY(Measured(pChange, pChange->ItemDataOf(p8155)).itemWidth > before);

        // Setting the text an item already has keeps its key column.
        KespMenu* pRun = Popup({"&Run"});
        QAction* pStep = ActionOf(pRun, ID_RUN_SINGLESTEP);
        const QString padded = pRun->ItemDataOf(pStep)->GetWideString();
        QVERIFY(padded.contains(QLatin1String(" \t")));
        pStep->setText(QStringLiteral("&Single Step\tF7"));
        KespMenu::UpdateMenu(pRun);
        QCOMPARE(pRun->ItemDataOf(pStep)->GetWideString(), padded);
        pStep->setText(QStringLiteral("&Step\tF7"));
        QCOMPARE(pRun->ItemDataOf(pStep)->GetWideString(), QStringLiteral("&Step\tF7"));
    }
};

TORVAN_TEST_CLASS(TestKespMenuKeyboard);
#include "test_kespmenu_keyboard.moc"
