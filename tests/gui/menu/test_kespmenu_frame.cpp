// The owner-drawn menus in the running application: every window but the
// timing diagram shows an owner-drawn menu 3, the timing window the plain
// one, and a menu opened from the menu bar draws its images and takes the
// keyboard.
#include <QMenuBar>
#include <QtTest>

#include "menu/KespMenuStyle.h"
#include "menu/Kespmenu.h"
#include "platform/SysColor.h"
#include "sim/Simulator.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// LXI SP,2000 / MVI A,01 / HLT
const QByteArray kProgram = Program({0x31, 0x00, 0x20, 0x3E, 0x01, 0x76});

QList<QMenu*> AllPopups(const QList<QMenu*>& tops) {
    QList<QMenu*> popups;
    for (QMenu* pMenu : tops) {
        popups << pMenu;
        QList<QMenu*> children;
        for (QAction* pAction : pMenu->actions())
            if (pAction->menu() != nullptr) children << pAction->menu();
        popups << AllPopups(children);
    }
    return popups;
}

QAction* BarItem(QMenuBar* pBar, const QString& title) {
    for (QAction* pAction : pBar->actions())
        if (pAction->text() == title) return pAction;
    return nullptr;
}
}  // namespace

class TestKespMenuInFrame : public QObject {
    Q_OBJECT
private slots:
    void everyWindowButTheTimingDiagramShowsTheOwnerDrawnMenu() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kProgram));
        QVERIFY(!f.m_frame->menuBar()->isNativeMenuBar());
        for (const auto& pTemplate : f.m_app->GetTemplates()) {
            const bool plain = pTemplate.get() == f.m_app->m_pTimingTemplate;
            const QList<QMenu*> popups = AllPopups(pTemplate->m_pMenuShared->m_popups);
            QCOMPARE(popups.size(), 14);
            for (QMenu* pPopup : popups) {
                QCOMPARE(qobject_cast<KespMenu*>(pPopup) == nullptr, plain);
                QCOMPARE(f.m_frame->m_menuDocument.IsSubMenu(pPopup), !plain);
                QCOMPARE(pPopup->style() == KespMenuStyle::Instance(), !plain);
            }
        }
        for (QMenu* pPopup : AllPopups(f.m_frame->m_pDefaultMenu->m_popups)) {
            QVERIFY(f.m_frame->m_menuDefault.IsSubMenu(pPopup));
            QVERIFY(!f.m_frame->m_menuDocument.IsSubMenu(pPopup));
        }
        // The plain menu shows no images.
        for (QMenu* pPopup : AllPopups(f.m_app->m_pTimingTemplate->m_pMenuShared->m_popups))
            for (QAction* pAction : pPopup->actions())
                QVERIFY(pAction->icon().isNull() || !pAction->isIconVisibleInMenu());
    }

    void aMenuOpenedFromTheBarDrawsItsImagesAndTakesTheKeyboard() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kProgram));
        QMenuBar* pBar = f.m_frame->menuBar();
        QAction* pRunItem = BarItem(pBar, QStringLiteral("&Run"));
        QVERIFY(pRunItem);
        auto* pRun = qobject_cast<KespMenu*>(pRunItem->menu());
        QVERIFY(pRun);
        pBar->setActiveAction(pRunItem);
        QTRY_VERIFY(pRun->isVisible());

        // The Single Step row: its toolbar image in the box, in colours
        // other than the menu's.
        QAction* pStep = f.Action(ID_RUN_SINGLESTEP);
        QVERIFY(pStep->isEnabled());
        const QRect row = pRun->actionGeometry(pStep);
        const QImage shown = pRun->grab().toImage();
        const QRgb menu = GetSysColor(COLOR_MENU, pRun->palette()).rgb();
        const int dy = (row.height() - 4 - pRun->m_nIconY) / 2;
        int imagePixels = 0;
        for (int y = 0; y < pRun->m_nIconY; ++y)
            for (int x = 0; x < pRun->m_nIconX; ++x)
                imagePixels +=
                    (shown.pixel(row.left() + 2 + x, row.top() + dy + 2 + y) & RGB_MASK) != (menu & RGB_MASK);
        QVERIFY(imagePixels > 20);

        // S runs Single Step and closes the menus.
        QCOMPARE(g_Sim.m_pc, u16(0x0000));
        QTest::keyClick(pRun, Qt::Key_S);
        QCOMPARE(g_Sim.m_pc, u16(0x0003));
        QTRY_VERIFY(!pRun->isVisible());
        QCOMPARE(g_CurrentLine, 2);
    }

    void thePlainMenuShowsNothingBesideAnUncheckedCommand() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(kProgram));
        f.Command(ID_VIEW_TIMING_DIAGRAM);
        QAction* pStart = f.Action(ID_TIMING_START);
        QVERIFY(pStart->isCheckable() && !pStart->isChecked() && pStart->isEnabled());
        QMenu* pTiming = BarItem(f.m_frame->menuBar(), QStringLiteral("&Run"))->menu()->actions().last()->menu();
        QVERIFY(pTiming != nullptr && pTiming->actions().contains(pStart));
        pTiming->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(pTiming));
        const QImage shown = pTiming->grab().toImage();
        pTiming->hide();
        // Left of the text, where a checked command shows its mark, the row
        // is its ground alone (inside the popup's edge, which it may cover).
        const QRect row = pTiming->actionGeometry(pStart);
        const QRect mark = QRect(row.topLeft(), QSize(row.height(), row.height())).adjusted(2, 2, -2, -2);
        const QRgb ground = shown.pixel(mark.topLeft());
        for (int y = mark.top(); y <= mark.bottom(); ++y)
            for (int x = mark.left(); x <= mark.right(); ++x) QCOMPARE(shown.pixel(x, y), ground);
    }

    void theMenuShownFollowsTheProgram() {
        // No program: the owner-drawn menu 2.
        ProgramWindowFixture f;
        QVERIFY(f.StartApplication({}));
        QMenuBar* pBar = f.m_frame->menuBar();
        QCOMPARE(pBar->actions().size(), 3);
        for (QAction* pItem : pBar->actions()) QVERIFY(f.m_frame->m_menuDefault.IsSubMenu(pItem->menu()));
    }
};

TORVAN_TEST_CLASS(TestKespMenuInFrame);
#include "test_kespmenu_frame.moc"
