// The register window on the counter example: its rows follow Single Step,
// and a double click edits a register, the packed flag byte or a 16-bit
// register through the edit dialogs.
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/MemWatchAddDlg.h"
#include "dialogs/Reg16Edit.h"
#include "dialogs/SfrEditDlg.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"
#include "tests/support/WatchWindows.h"
#include "watch/MemWatch.h"
#include "watch/RegWatch.h"

namespace {
// Types text over the edit dialog's value (null: leaves it) and closes it
// with OK or Cancel.
template <class Dlg> void AnswerEdit(const QString& typed, bool ok = true) {
    AnswerModal<Dlg>([=](Dlg* pDlg) {
        if (!typed.isNull()) {
            pDlg->ValueEdit()->clear();
            QTest::keyClicks(pDlg->ValueEdit(), typed);
        }
        if (ok) pDlg->accept();
        else pDlg->reject();
    });
}

void SetFlags(int s, int z, int x5, int ac, int p, int v, int cy) {
    g_Sim.m_flagS = u8(s);
    g_Sim.m_flagZ = u8(z);
    g_Sim.m_flagX5 = u8(x5);
    g_Sim.m_flagAC = u8(ac);
    g_Sim.m_flagP = u8(p);
    g_Sim.m_flagV = u8(v);
    g_Sim.m_flagCY = u8(cy);
}

QString Flags() {
    return QString::asprintf("%d%d%d%d%d%d%d", g_Sim.m_flagS, g_Sim.m_flagZ, g_Sim.m_flagX5, g_Sim.m_flagAC,
                             g_Sim.m_flagP, g_Sim.m_flagV, g_Sim.m_flagCY);
}
}  // namespace

class TestRegisterWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramWindowFixture> m_f;
    CRegWatch* m_pRegs = nullptr;

private slots:
    void init() {
        m_f = std::make_unique<ProgramWindowFixture>();
        QVERIFY(m_f->StartExample(QStringLiteral("counter")));
        m_pRegs = FindView<CRegWatch>(m_f->m_doc);
        QVERIFY(m_pRegs);
    }
    void cleanup() {
        QVERIFY(m_f->m_messages.isEmpty());
        m_f.reset();
    }

    void stepsShowInTheRegisterAndMemoryWindows() {
        auto* pMemory = FindView<CMemWatch>(m_f->m_doc);
        QVERIFY(pMemory);
        // A watch on the stack below F000, where the interrupt pushes its return address.
        RightClickChoose(pMemory, 0, QStringLiteral("&Add"), [] {
            AnswerModal<CMemWatchAddDlg>([](CMemWatchAddDlg* pDlg) {
                pDlg->ValueEdit()->setText(QStringLiteral("EFF0"));
                pDlg->accept();
            });
        });
        QCOMPARE(Rows(pMemory).first(),
                 QString("   EFF0 :") + QString(" 00").repeated(16) + "  " + QString(16, QLatin1Char('.')));

        const QStringList atStart = Rows(m_pRegs);
        QCOMPARE(atStart.size(), int(CRegWatch::kRowCount));
        QCOMPARE(atStart[CRegWatch::kRowPC], QString("     PC : 0000"));
        for (int i = 0; i < 3; ++i) m_f->Command(ID_RUN_SINGLESTEP);
        const QStringList stepped = Rows(m_pRegs);
        QCOMPARE(stepped[CRegWatch::kRowPC], QString("     PC : 0045"));
        QCOMPARE(stepped[CRegWatch::kRowSP], QString("     SP : F000"));
        QCOMPARE(stepped[CRegWatch::kRowA], QString("      A : 80"));
        QCOMPARE(stepped[CRegWatch::kRowB], atStart[CRegWatch::kRowB]);

        // Step on until the timer's interrupt enters the routine at 005C.
        for (int i = 0; i < 2000 && g_Sim.m_pc != 0x005C; ++i) m_f->Command(ID_RUN_SINGLESTEP);
        QCOMPARE(g_Sim.m_pc, u16(0x005C));
        QCOMPARE(Rows(m_pRegs)[CRegWatch::kRowPC], QString("     PC : 005C"));
        QCOMPARE(Rows(m_pRegs)[CRegWatch::kRowSP], QString("     SP : EFFE"));
        // The return address 0059, low byte first, and its characters.
        QCOMPARE(Rows(pMemory).first(), QString("   EFF0 :") + QString(" 00").repeated(14) + " 59 00  " +
                                            QString(14, QLatin1Char('.')) + "Y.");
    }

    void editingBLeavesCAlone() {
        g_Sim.m_regB = 0x11;
        g_Sim.m_regC = 0x33;
        m_pRegs->FillList(false);
        AnswerModal<CSfrEditDlg>([](CSfrEditDlg* pDlg) {
            QCOMPARE(pDlg->windowTitle(), QString("Edit Value:"));
            QCOMPARE(pDlg->ValueEdit()->text(), QString("11"));
            pDlg->ValueEdit()->clear();
            QTest::keyClicks(pDlg->ValueEdit(), "5a");
            pDlg->accept();
        });
        DoubleClickRow(m_pRegs, CRegWatch::kRowB);
        QCOMPARE(g_Sim.m_regB, u8(0x5A));
        QCOMPARE(g_Sim.m_regC, u8(0x33));
        QCOMPARE(m_pRegs->RowTextOf(CRegWatch::kRowB), QString("      B : 5A"));
        QCOMPARE(m_pRegs->RowTextOf(CRegWatch::kRowC), QString("      C : 33"));
    }

    void flagRowShowsAndTakesThePackedByte_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("flags");  // S Z X5 AC P V CY
        QTest::newRow("08 clears all seven") << "08"
                                             << "0000000";
        QTest::newRow("22 sets X5 and V") << "22"
                                          << "0010010";
        QTest::newRow("FF sets all seven") << "FF"
                                           << "1111111";
        QTest::newRow("an emptied text keeps them") << ""
                                                    << "1010101";
        QTest::newRow("Cancel keeps them") << QString() << "1010101";
    }
    void flagRowShowsAndTakesThePackedByte() {
        QFETCH(QString, typed);
        QFETCH(QString, flags);
        SetFlags(1, 0, 1, 0, 1, 0, 1);
        m_pRegs->FillList(false);
        QCOMPARE(m_pRegs->RowTextOf(CRegWatch::kRowPSW), QString("    PSW : A5 (1010 101)"));
        AnswerEdit<CSfrEditDlg>(typed, !typed.isNull());
        DoubleClickRow(m_pRegs, CRegWatch::kRowPSW);
        QCOMPARE(Flags(), flags);
    }

    void sixteenBitRegistersTakeFourDigits_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::newRow("PC 1234") << int(CRegWatch::kRowPC) << "1234" << 0x1234;
        QTest::newRow("PC 12345 keeps the first four") << int(CRegWatch::kRowPC) << "12345" << 0x1234;
        QTest::newRow("PC emptied keeps its value") << int(CRegWatch::kRowPC) << "" << 0x0040;
        QTest::newRow("SP fedc") << int(CRegWatch::kRowSP) << "fedc" << 0xFEDC;
    }
    void sixteenBitRegistersTakeFourDigits() {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(int, value);
        g_Sim.m_pc = 0x0040;
        g_Sim.m_sp = 0x0040;
        m_pRegs->FillList(false);
        AnswerEdit<CReg16Edit>(typed);
        DoubleClickRow(m_pRegs, row);
        QCOMPARE(int(row == CRegWatch::kRowPC ? g_Sim.m_pc : g_Sim.m_sp), value);
        QCOMPARE(m_pRegs->RowTextOf(row).right(4), QString::asprintf("%04X", value));
    }

    void editWithoutASelectedRowDoesNothing() {
        m_pRegs->clearSelection();
        m_pRegs->OnEdit();
        QVERIFY(!QApplication::activeModalWidget());
    }

    void rightClickOffersOnlyEdit() {
        g_Sim.m_regE = 0x01;
        ClickRow(m_pRegs, CRegWatch::kRowE);
        bool bAsked = false;
        const QStringList offered = RightClickChoose(m_pRegs, CRegWatch::kRowE, QStringLiteral("&Edit"), [&] {
            AnswerModal<CSfrEditDlg>([&](CSfrEditDlg* pDlg) {
                bAsked = true;
                pDlg->ValueEdit()->setText(QStringLiteral("E7"));
                pDlg->accept();
            });
        });
        QCOMPARE(offered, QStringList{"&Edit"});
        QVERIFY(bAsked);
        QCOMPARE(g_Sim.m_regE, u8(0xE7));
    }
};

TORVAN_TEST_CLASS(TestRegisterWindow);
#include "test_register_window.moc"
