// The Window menu lists the open child windows after "Arrange Icons": a
// separator, then "&1 " and each window's title in the order they opened,
// the active one checked, kept current as windows open, close, change
// title and take turns, owner-drawn, and reachable by their digits.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QtTest>

#include "framework/MDIWindowList.h"
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

// What the list should hold for the windows in their order, one active; a
// title's '&' is doubled so that it shows as itself.
QStringList Expected(const QList<QMdiSubWindow*>& windows, const QMdiSubWindow* pActive) {
    QStringList items{QStringLiteral("-")};
    for (int i = 0; i < windows.size(); ++i) {
        const QString title = windows[i]->windowTitle().replace(QLatin1Char('&'), QStringLiteral("&&"));
        items << (windows[i] == pActive ? "*" : "") + QStringLiteral("&%1 ").arg(i + 1) + title;
    }
    return items;
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

    void listsTheOpenWindowsWithTheActiveOneChecked() {
        // The program window and the three watch windows it opened.
        QCOMPARE(Windows().size(), 4);
        QCOMPARE(ListedItems(m_f.m_frame), Expected(Windows(), Area()->currentSubWindow()));
        QCOMPARE(WindowMenu(m_f.m_frame)->actions().first()->data().toInt(), int(ID_WINDOW_ARRANGE));

        Area()->setActiveSubWindow(Windows().first());
        QCOMPARE(ListedItems(m_f.m_frame), Expected(Windows(), Windows().first()));
    }

    void followsWindowsClosingOpeningAndRetitled() {
        QMdiSubWindow* pMemory = FrameOfView(m_f.m_app->m_pMemWatchTemplate->FindView(m_f.m_doc));
        QVERIFY(pMemory);
        const QString memoryTitle = pMemory->windowTitle();
        pMemory->close();
        Settle();
        QCOMPARE(Windows().size(), 3);
        QCOMPARE(ListedItems(m_f.m_frame), Expected(Windows(), Area()->currentSubWindow()));

        m_f.Command(ID_VIEW_MEMORY_WATCH);
        QCOMPARE(ListedItems(m_f.m_frame).last(), "*&4 " + memoryTitle);

        Windows().first()->setWindowTitle(QStringLiteral("R&D notes"));
        QCOMPARE(ListedItems(m_f.m_frame)[1], QStringLiteral("&1 R&&D notes"));
    }

    void theMenuShownCarriesTheList() {
        QMenu* pOwnerDrawn = WindowMenu(m_f.m_frame);
        // The timing window shows the plain menu, whose Window menu now
        // lists the windows alone.
        m_f.Command(ID_VIEW_TIMING_DIAGRAM);
        QVERIFY(qobject_cast<KespMenu*>(WindowMenu(m_f.m_frame)) == nullptr);
        QCOMPARE(ListedItems(m_f.m_frame), Expected(Windows(), Windows().last()));
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
        for (QAction* pEntry : pMenu->actions()) {
            const KespMenuItemData* pData = pMenu->ItemDataOf(pEntry);
            QVERIFY(pData != nullptr);
            if (!pEntry->isSeparator()) QCOMPARE(pData->GetWideString(), pEntry->text());
        }
        QTest::keyClick(pMenu, Qt::Key_1);
        QTRY_VERIFY(!pMenu->isVisible());
        QCOMPARE(Area()->currentSubWindow(), pFirst);
        QVERIFY(!pFirst->isMinimized());
        QCOMPARE(ListedItems(m_f.m_frame), Expected(Windows(), pFirst));
    }
};

TORVAN_TEST_CLASS(TestWindowMenu);
#include "test_window_menu.moc"
