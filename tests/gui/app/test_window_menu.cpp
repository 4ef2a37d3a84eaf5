// The Window menu's entries for the open child windows, kept current, drawn
// like the other items and chosen by their digits.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QtTest>

#include "menu/Kespmenu.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// LXI SP,2000 / HLT
const QByteArray kProgram = Program({0x31, 0x00, 0x20, 0x76});

QMenu* WindowMenu(const CMainFrame* pFrame) {
    for (QAction* pItem : pFrame->menuBar()->actions())
        if (pItem->text() == QLatin1String("&Window")) return pItem->menu();
    return nullptr;
}

// The items after "Arrange Icons", a separator as "-" and a checked entry
// with a "*" before it.
QStringList ListedItems(const CMainFrame* pFrame) {
    QStringList items;
    const QList<QAction*> actions = WindowMenu(pFrame)->actions();
    for (int i = 1; i < actions.size(); ++i)
        items << (actions[i]->isSeparator() ? QStringLiteral("-")
                                            : (actions[i]->isChecked() ? "*" : "") + actions[i]->text());
    return items;
}

// The last of them, or nothing when the menu lists none.
QString LastListedItem(const CMainFrame* pFrame) {
    const QStringList items = ListedItems(pFrame);
    return items.isEmpty() ? QString() : items.last();
}
}  // namespace

class TestWindowMenu : public QObject {
    Q_OBJECT

    ProgramWindowFixture m_f;
    QMdiArea* Area() const { return m_f.m_frame->MDIClient(); }
    QList<QMdiSubWindow*> Windows() const { return Area()->subWindowList(QMdiArea::CreationOrder); }
    void Settle() const { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

private slots:
    void initTestCase() { QVERIFY(m_f.Start(kProgram)); }

    void followsTheWindowsAsTheyOpenCloseTakeTurnsAndChangeTitle() {
        // The program window and the three watch windows it opened.
        QCOMPARE(ListedItems(m_f.m_frame), (QStringList{"-", "*&1 prog.bin", "&2 IO Watch Window",
                                                        "&3 Memory Watch Window", "&4 Register Window"}));
        Area()->setActiveSubWindow(Windows().last());
        QCOMPARE(ListedItems(m_f.m_frame), (QStringList{"-", "&1 prog.bin", "&2 IO Watch Window",
                                                        "&3 Memory Watch Window", "*&4 Register Window"}));

        FrameOfView(m_f.m_app->m_pMemWatchTemplate->FindView(m_f.m_doc))->close();
        Settle();
        QCOMPARE(ListedItems(m_f.m_frame),
                 (QStringList{"-", "&1 prog.bin", "&2 IO Watch Window", "*&3 Register Window"}));
        m_f.Command(ID_VIEW_MEMORY_WATCH);
        QCOMPARE(LastListedItem(m_f.m_frame), QStringLiteral("*&4 Memory Watch Window"));
        Windows().first()->setWindowTitle(QStringLiteral("R&D notes"));
        QCOMPARE(ListedItems(m_f.m_frame).value(1), QStringLiteral("&1 R&&D notes"));
    }

    void theMenuShownCarriesTheList() {
        QMenu* pOwnerDrawn = WindowMenu(m_f.m_frame);
        // The timing window shows the plain menu, whose Window menu now
        // lists the windows alone.
        m_f.Command(ID_VIEW_TIMING_DIAGRAM);
        QVERIFY(qobject_cast<KespMenu*>(WindowMenu(m_f.m_frame)) == nullptr);
        QVERIFY(LastListedItem(m_f.m_frame).startsWith("*&5 Timing Diagram Window"));
        QCOMPARE(pOwnerDrawn->actions().size(), 1);
        m_f.Command(ID_VIEW_TIMING_DIAGRAM);
        Settle();
    }

    void entriesAreOwnerDrawnAndChosenByTheirDigits() {
        QMdiSubWindow* pFirst = Windows().first();
        pFirst->showMinimized();
        Area()->setActiveSubWindow(Windows().last());
        auto* pMenu = qobject_cast<KespMenu*>(WindowMenu(m_f.m_frame));
        QVERIFY(pMenu);
        m_f.m_frame->menuBar()->setActiveAction(pMenu->menuAction());
        QTRY_VERIFY(pMenu->isVisible());
        const KespMenuItemData* pDrawn = pMenu->ItemDataOf(pMenu->actions().at(2));
        QVERIFY(pDrawn != nullptr && pDrawn->GetWideString() == pMenu->actions().at(2)->text());
        QTest::keyClick(pMenu, Qt::Key_1);
        QTRY_VERIFY(!pMenu->isVisible());
        QCOMPARE(Area()->currentSubWindow(), pFirst);
        QVERIFY(!pFirst->isMinimized());
    }
};

TORVAN_TEST_CLASS(TestWindowMenu);
#include "test_window_menu.moc"
