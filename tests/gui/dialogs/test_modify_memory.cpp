// Modify Memory and Enter value: the page shown from an opener's address,
// paging at both ends of memory, jumping to a typed address, and bytes
// written to memory as they are typed.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>

#include "dialogs/Modimem.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/PowerOn.h"
#include "tests/support/QtTestRegistry.h"

namespace {
struct Page {
    QStringList labels;
    QString firstByte, lastByte;
};

Page Seen(const CModiMem* pDlg) {
    Page page;
    for (int r = 0; r < CModiMem::kRows; ++r) page.labels << pDlg->RowLabel(r)->text();
    page.firstByte = pDlg->ByteField(0)->text();
    page.lastByte = pDlg->ByteField(CModiMem::kPageBytes - 1)->text();
    return page;
}

QStringList Labels(int start) {
    QStringList labels;
    for (int r = 0; r < CModiMem::kRows; ++r) labels << QString::asprintf("%04X", start + 16 * r);
    return labels;
}

// Opens the dialog at an address, lets act work on it, and returns the page
// shown at the end; the dialog then closes with Escape.
Page Run(int address, const std::function<void(CModiMem*)>& act) {
    Page page;
    CModiMem dlg;
    dlg.m_nAddr = address;
    AnswerModal<CModiMem>([&](CModiMem* pDlg) {
        act(pDlg);
        page = Seen(pDlg);
        QTest::keyClick(pDlg, Qt::Key_Escape);
    });
    dlg.DoModal();
    return page;
}

// Answers the Enter value dialog with a typed text (null: none) and OK or Cancel.
void AnswerEnterValue(const QString& typed, bool ok) {
    AnswerModal<CEnterValueDlg>([=](CEnterValueDlg* pDlg) {
        QCOMPARE(pDlg->ValueEdit()->text(), QString("00"));
        QCOMPARE(pDlg->ValueEdit()->selectedText(), QString("00"));
        if (!typed.isNull()) {
            pDlg->ValueEdit()->clear();
            QTest::keyClicks(pDlg->ValueEdit(), typed);
        }
        if (ok) pDlg->accept();
        else pDlg->reject();
    });
}
}  // namespace

class TestModifyMemory : public QObject {
    Q_OBJECT
private slots:
    void init() {
        StartFromPowerOn();
        for (u32 a = 0; a < kMemorySize; ++a) g_Sim.m_pMemory[a] = u8(a * 7 + (a >> 8));
    }

    void pageFromOpenersAddress_data() {
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("start");
        QTest::newRow("0000") << 0x0000 << 0x0000;
        QTest::newRow("watch at 2005") << 0x2005 << 0x2005;
        QTest::newRow("FFC0") << 0xFFC0 << 0xFFC0;
        QTest::newRow("FFF1 is taken as FFC0") << 0xFFF1 << 0xFFC0;
    }
    void pageFromOpenersAddress() {
        QFETCH(int, address);
        QFETCH(int, start);
        const Page page = Run(
            address, [](CModiMem* pDlg) { QCOMPARE(pDlg->focusWidget(), static_cast<QWidget*>(pDlg->OkButton())); });
        QCOMPARE(page.labels, Labels(start));
        QCOMPARE(page.firstByte, QString::asprintf("%02X", g_Sim.m_pMemory[start]));
        QCOMPARE(page.lastByte, QString::asprintf("%02X", g_Sim.m_pMemory[start + 63]));
        QCOMPARE(QString(g_szAddrText), QString::asprintf("%04X", start));
    }

    void paging_data() {
        QTest::addColumn<int>("address");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("start");
        QTest::newRow("up from 0030") << 0x0030 << true << 0x0000;
        QTest::newRow("up at 0000") << 0x0000 << true << 0x0000;
        QTest::newRow("up from 2005") << 0x2005 << true << 0x1FC5;
        QTest::newRow("down from 2005") << 0x2005 << false << 0x2045;
        QTest::newRow("down near the end") << 0xFFA0 << false << 0xFFC0;
        QTest::newRow("down at FFC0") << 0xFFC0 << false << 0xFFC0;
    }
    void paging() {
        QFETCH(int, address);
        QFETCH(bool, up);
        QFETCH(int, start);
        const Page page = Run(address, [up](CModiMem* pDlg) {
            QTest::mouseClick(up ? pDlg->PageUpButton() : pDlg->PageDownButton(), Qt::LeftButton);
        });
        QCOMPARE(page.labels, Labels(start));
        QCOMPARE(page.firstByte, QString::asprintf("%02X", g_Sim.m_pMemory[start]));
    }

    void changeAddress_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("start");
        QTest::newRow("FFFF shows the last page") << "FFFF" << true << 0xFFC0;
        QTest::newRow("lower case") << "a0b" << true << 0x0A0B;
        QTest::newRow("OK without typing") << QString() << true << 0x0000;
        QTest::newRow("Cancel keeps the page") << "4000" << false << 0x2005;
        QTest::newRow("an emptied text keeps the page") << "" << true << 0x2005;
        QTest::newRow("no digit keeps the page") << "G" << true << 0x2005;
    }
    void changeAddress() {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(int, start);
        const Page page = Run(0x2005, [=](CModiMem* pDlg) {
            AnswerEnterValue(typed, ok);
            QTest::mouseClick(pDlg->ChangeAddressButton(), Qt::LeftButton);
        });
        QCOMPARE(page.labels, Labels(start));
    }

    void enterValueTakesFourCharactersInUpperCase() {
        CEnterValueDlg dlg;
        AnswerModal<CEnterValueDlg>([](CEnterValueDlg* pDlg) {
            QTest::keyClicks(pDlg->ValueEdit(), "abcde");
            QCOMPARE(pDlg->ValueEdit()->text(), QString("ABCD"));
            pDlg->accept();
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        QCOMPARE(QString(g_szAddrText), QString("ABCD"));
    }

    void typedBytesAreWrittenAsTheyChange() {
        const u32 at = 0x2005 + 35;  // row 2, column 3
        QList<int> written;
        const u8 before = g_Sim.m_pMemory[at];
        Run(0x2005, [&](CModiMem* pDlg) {
            QLineEdit* pField = pDlg->ByteField(2 * 16 + 3);
            pField->selectAll();
            QTest::keyClick(pField, Qt::Key_7);
            written << g_Sim.m_pMemory[at];
            QTest::keyClick(pField, Qt::Key_E);
            written << g_Sim.m_pMemory[at];
            QCOMPARE(pField->text(), QString("7E"));
            // Emptying a field stores nothing.
            pField->selectAll();
            QTest::keyClick(pField, Qt::Key_Delete);
            written << g_Sim.m_pMemory[at];
            // Lower case is shown and read as hexadecimal.
            QTest::keyClicks(pField, "c4");
            QCOMPARE(pField->text(), QString("C4"));
            written << g_Sim.m_pMemory[at];
        });
        QVERIFY(before != 0x07);
        QCOMPARE(written, (QList<int>{0x07, 0x7E, 0x7E, 0xC4}));
        // Escape closed the dialog; the byte stays written, its neighbours untouched.
        QCOMPARE(g_Sim.m_pMemory[at], u8(0xC4));
        QCOMPARE(g_Sim.m_pMemory[at - 1], u8((at - 1) * 7 + ((at - 1) >> 8)));
        QCOMPARE(g_Sim.m_pMemory[at + 1], u8((at + 1) * 7 + ((at + 1) >> 8)));
    }

    void lastPageWritesUpToFFFF() {
        Run(0xFFFF, [](CModiMem* pDlg) {
            QLineEdit* pField = pDlg->ByteField(CModiMem::kPageBytes - 1);
            pField->selectAll();
            QTest::keyClicks(pField, "5A");
        });
        QCOMPARE(g_Sim.m_pMemory[0xFFFF], u8(0x5A));
    }
};

TORVAN_TEST_CLASS(TestModifyMemory);
#include "test_modify_memory.moc"
