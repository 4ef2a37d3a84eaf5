// Every watch window opened and closed by its toggle, with its check mark,
// its place at its fractions of the main window and its title; the serial
// form; the two watch windows that show nothing and their dialogs.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "tests/support/ModalAnswer.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"
#include "tests/support/WatchWindows.h"
#include "watch/CVarPropertyDlg.h"
#include "watch/CVarWatch.h"
#include "watch/CVarWatchAddDlg.h"
#include "watch/CVarWatchFrm.h"
#include "watch/ChpMemWatch.h"
#include "watch/ChpMemWatchFrm.h"
#include "watch/CpuInfoDlg.h"
#include "watch/IOListWatch.h"
#include "watch/IOWatchFrm.h"
#include "watch/MRegFrm.h"
#include "watch/MemWatch.h"
#include "watch/MemWatchFrm.h"
#include "watch/RegWatch.h"
#include "watch/SerForm.h"
#include "watch/SerFrm.h"

namespace {
using Placement = QRect (*)(QMdiSubWindow* pFrame, const QSize& client);
template <class Frm> QRect PlacementOf(QMdiSubWindow* pFrame, const QSize& client) {
    return static_cast<Frm*>(pFrame)->PlacementFor(client);
}
template <class View> bool IsView(const CView* pView) { return dynamic_cast<const View*>(pView) != nullptr; }

struct Toggle {
    int nID;
    bool (*isView)(const CView*);
    Placement placement;
    const char* title;
    bool openedWithTheProgram;
};
const Toggle kToggles[] = {
    {ID_VIEW_REGISTERS_WATCH, &IsView<CRegWatch>, &PlacementOf<CMRegFrm>, "Register Window", true},
    {ID_VIEW_MEMORY_WATCH, &IsView<CMemWatch>, &PlacementOf<CMemWatchFrm>, "Memory Watch Window", true},
    {ID_VIEW_IO_WATCH, &IsView<CIOListWatch>, &PlacementOf<CIOWatchFrm>, "IO Watch Window", true},
    {ID_VIEW_INTERNAL_RAM_WATCH, &IsView<CChpMemWatch>, &PlacementOf<CChpMemWatchFrm>, "Internal RAM Watch Window",
     false},
    {ID_VIEW_CVARIABLE_WATCH, &IsView<CCVarWatch>, &PlacementOf<CCVarWatchFrm>, "C Variable Watch Window", false},
    {ID_VIEW_SERIAL_WATCH, &IsView<CSerForm>, &PlacementOf<CSerFrm>, "Serial Window", false},
};
}  // namespace

class TestWatchWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramWindowFixture> m_f;

    QMdiSubWindow* FrameOf(const Toggle& toggle) const {
        for (CView* pView : m_f->m_doc->GetViews())
            if (toggle.isView(pView)) return FrameOfView(pView);
        return nullptr;
    }
    int CheckOf(int nID) const {
        CCmdUI state(nID);
        const QMap<int, void (CMainFrame::*)(CCmdUI*)> updates = {
            {ID_VIEW_REGISTERS_WATCH, &CMainFrame::OnUpdateViewRegistersWatch},
            {ID_VIEW_MEMORY_WATCH, &CMainFrame::OnUpdateViewMemoryWatch},
            {ID_VIEW_IO_WATCH, &CMainFrame::OnUpdateViewIOWatch},
            {ID_VIEW_INTERNAL_RAM_WATCH, &CMainFrame::OnUpdateViewInternalRamWatch},
            {ID_VIEW_CVARIABLE_WATCH, &CMainFrame::OnUpdateViewCVariableWatch},
            {ID_VIEW_SERIAL_WATCH, &CMainFrame::OnUpdateViewSerialWatch}};
        (m_f->m_frame->*updates.value(nID))(&state);
        return state.m_bEnabled ? state.m_nCheck : -1;
    }
    template <class View> View* Open(int nID) {
        if (!FindView<View>(m_f->m_doc)) m_f->m_frame->ExecuteCommand(nID);
        return FindView<View>(m_f->m_doc);
    }

private slots:
    void init() {
        m_f = std::make_unique<ProgramWindowFixture>();
        QVERIFY(m_f->Start(Program({0x00})));
    }
    void cleanup() {
        QVERIFY(m_f->m_messages.isEmpty());
        m_f.reset();
    }

    void togglesOpenAndCloseEachWindowInItsPlace() {
        for (const Toggle& toggle : kToggles) {
            const QString name = QString::fromLatin1(toggle.title);
            QCOMPARE(FrameOf(toggle) != nullptr, toggle.openedWithTheProgram);
            QCOMPARE(CheckOf(toggle.nID), toggle.openedWithTheProgram ? 1 : 0);
            // Opened now, the window takes its place from the settled main window.
            if (toggle.openedWithTheProgram) m_f->m_frame->ExecuteCommand(toggle.nID);
            const QSize client = m_f->m_frame->MDIClient()->viewport()->size();
            m_f->m_frame->ExecuteCommand(toggle.nID);
            QMdiSubWindow* pFrame = FrameOf(toggle);
            QVERIFY2(pFrame, qPrintable(name));
            QCOMPARE(pFrame->windowTitle(), name);
            QCOMPARE(pFrame->geometry(), toggle.placement(pFrame, client));
            QCOMPARE(CheckOf(toggle.nID), 1);
            // The second toggle closes it; a third opens one again.
            m_f->m_frame->ExecuteCommand(toggle.nID);
            QVERIFY2(!FrameOf(toggle), qPrintable(name));
            QCOMPARE(CheckOf(toggle.nID), 0);
            m_f->m_frame->ExecuteCommand(toggle.nID);
            QVERIFY(FrameOf(toggle));
        }
        // The View menu's toggles are live with their check marks.
        for (int nID : {ID_VIEW_REGISTERS_WATCH, ID_VIEW_MEMORY_WATCH, ID_VIEW_IO_WATCH}) {
            m_f->m_frame->UpdateCommandStates();
            QVERIFY(m_f->Action(nID)->isEnabled());
            QVERIFY(m_f->Action(nID)->isChecked());
        }
    }

    void placementsFollowTheFractions() {
        const QSize client(1200, 800);
        QMdiSubWindow frame;
        QCOMPARE(CMRegFrm::PlacementFor(client), QRect(800, 0, 400, 360));
        QCOMPARE(CMemWatchFrm::PlacementFor(client), QRect(0, 360, 1200, 180));
        QCOMPARE(CIOWatchFrm::PlacementFor(client), QRect(0, 540, 1200, 180));
        QCOMPARE(CSerFrm::PlacementFor(client), QRect(800, 0, 400, 720));
        QCOMPARE(CCVarWatchFrm::PlacementFor(client), QRect(0, 413, 400, 306));
        const QRect chip = CChpMemWatchFrm().PlacementFor(client);
        QCOMPARE(chip.topLeft(), QPoint(96, 493));
        QCOMPARE(chip.width(), 1200);
        QVERIFY(chip.height() < 266 && chip.height() > 200);
    }

    void serialFormTakesAByteAndChangesNothing() {
        auto* pForm = Open<CSerForm>(ID_VIEW_SERIAL_WATCH);
        QVERIFY(pForm);
        QCOMPARE(pForm->NinthBitButton()->text(), QString("0"));
        pForm->NinthBitButton()->click();
        QCOMPARE(pForm->NinthBitButton()->text(), QString("1"));
        pForm->NinthBitButton()->click();
        QCOMPARE(pForm->NinthBitButton()->text(), QString("0"));
        QTest::keyClicks(pForm->HexInputEdit(), "415");
        QCOMPARE(pForm->HexInputEdit()->text(), QString("41"));
        g_Sim.m_n8251Count = 1;
        const u8 status = g_Sim.m_n8251Status[0], data = g_Sim.m_n8251RxData[0];
        pForm->AcceptButton()->click();
        QCOMPARE(g_Sim.m_n8251Status[0], status);
        QCOMPARE(g_Sim.m_n8251RxData[0], data);
        QCOMPARE(g_Sim.m_pendRst55 | g_Sim.m_pendRst65 | g_Sim.m_pendRst75 | g_Sim.m_pendTrap, 0);
        QVERIFY(pForm->SerialInputPane()->toPlainText().isEmpty());
        QVERIFY(pForm->SerialOutputPane()->toPlainText().isEmpty());
        QVERIFY(pForm->SerialInputPane()->isReadOnly());
        QCOMPARE(pForm->BaudRateLabel()->text(), QString("Baud Rate :"));

        // The panes follow the form's size; the frame is never lower than 250.
        QMdiSubWindow* pFrame = FrameOfView(pForm);
        pFrame->resize(500, 400);
        const int width = pForm->width();
        QCOMPARE(pForm->SerialInputPane()->geometry(), QRect(0, 110, width, 60));
        QCOMPARE(pForm->OutputLabel()->geometry(), QRect(0, 175, width, 15));
        QCOMPARE(pForm->SerialOutputPane()->geometry(), QRect(0, 190, width, pForm->height() - 190));
        pFrame->resize(500, 100);
        QCOMPARE(pFrame->height(), CSerFrm::kMinTrackHeight);
    }

    void idleWindowsShowNothingAndDoNothing() {
        auto* pChip = Open<CChpMemWatch>(ID_VIEW_INTERNAL_RAM_WATCH);
        auto* pVar = Open<CCVarWatch>(ID_VIEW_CVARIABLE_WATCH);
        QVERIFY(pChip && pVar);
        m_f->Command(ID_RUN_SINGLESTEP);
        QCOMPARE(pChip->count(), 0);
        QCOMPARE(pVar->count(), 0);
        QCOMPARE(RightClickChoose(pChip, -1, QString()), QStringList{"no menu"});
        const QStringList items{"&Add", "&Delete", "&Edit", "Delete &All", "&Properties"};
        QCOMPARE(RightClickChoose(pVar, -1, QString()), items);
        for (const QString& item : items) RightClickChoose(pVar, -1, item);
        QCOMPARE(pVar->count(), 0);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void dialogsNothingOpens() {
        CCpuInfoDlg info;
        QCOMPARE(info.windowTitle(), QString("CPU Status"));
        CCVarWatchAddDlg add;
        AnswerModal<CCVarWatchAddDlg>([](CCVarWatchAddDlg* pDlg) { pDlg->accept(); });
        QCOMPARE(add.exec(), int(QDialog::Accepted));
        QCOMPARE(add.m_nSelection, -1);
        CCVarPropertyDlg properties;
        properties.m_strField1 = "one";
        properties.m_strField2 = "two";
        properties.m_strField3 = "three";
        properties.m_strField4 = "four";
        QStringList shown;
        AnswerModal<CCVarPropertyDlg>([&](CCVarPropertyDlg* pDlg) {
            for (int i = 0; i < CCVarPropertyDlg::kFields; ++i) shown << pDlg->FieldLabel(i)->text();
            pDlg->accept();
        });
        properties.DoModal();
        // Ids 1180 to 1183 show the second, fourth, first and third field.
        QCOMPARE(shown, (QStringList{"two", "four", "one", "three"}));
    }
};

TORVAN_TEST_CLASS(TestWatchWindows);
#include "test_watch_windows.moc"
