// The 8-bit register dialog keeps its text and its bit buttons in step; the
// 16-bit one takes whatever is typed, the register window cutting it.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "dialogs/Reg16Edit.h"
#include "dialogs/SfrEditDlg.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// The buttons' captions from bit 7 to bit 0, and whether each is down.
QString Bits(const CSfrEditDlg* pDlg) {
    QString bits;
    for (int bit = CSfrEditDlg::kBits - 1; bit >= 0; --bit) {
        const QPushButton* pButton = pDlg->BitButton(bit);
        if (pButton->isChecked() != (pButton->text() == "1")) return "caption and state differ";
        bits += pButton->text();
    }
    return bits;
}
}  // namespace

class TestRegisterEditDialogs : public QObject {
    Q_OBJECT
private slots:
    void bitsAndTextFollowEachOther_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bits");
        QTest::newRow("opened") << ""
                                << "A5"
                                << "10100101";
        QTest::newRow("bit 0 clicked") << "bit0"
                                       << "A4"
                                       << "10100100";
        QTest::newRow("bit 6 clicked") << "bit6"
                                       << "E5"
                                       << "11100101";
        QTest::newRow("3C typed") << "type:3C"
                                  << "3C"
                                  << "00111100";
        QTest::newRow("3c typed") << "type:3c"
                                  << "3c"
                                  << "00111100";
        QTest::newRow("123 typed takes two digits") << "type:123"
                                                    << "12"
                                                    << "00010010";
        QTest::newRow("emptied") << "type:"
                                 << ""
                                 << "10100101";
    }
    void bitsAndTextFollowEachOther() {
        QFETCH(QString, action);
        QFETCH(QString, text);
        QFETCH(QString, bits);
        CSfrEditDlg dlg;
        dlg.m_strValue = "A5";
        dlg.m_nValue = 0xA5;
        dlg.m_strTitle = "Edit Value:";
        QString seenText, seenBits, caption;
        AnswerModal<CSfrEditDlg>([&](CSfrEditDlg* pDlg) {
            caption = pDlg->windowTitle();
            if (action.startsWith("bit")) {
                QTest::mouseClick(pDlg->BitButton(action.mid(3).toInt()), Qt::LeftButton);
            } else if (action.startsWith("type:")) {
                pDlg->ValueEdit()->selectAll();
                QTest::keyClick(pDlg->ValueEdit(), Qt::Key_Delete);
                QTest::keyClicks(pDlg->ValueEdit(), action.mid(5));
            }
            seenText = pDlg->ValueEdit()->text();
            seenBits = Bits(pDlg);
            pDlg->accept();
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        QCOMPARE(caption, QString("Edit Value:"));
        QCOMPARE(seenText, text);
        QCOMPARE(seenBits, bits);
        QCOMPARE(dlg.m_strValue, text);
    }

    void sixteenBitDialogTakesAnyLength() {
        CReg16Edit dlg;
        dlg.m_strValue = "0040";
        QString opened;
        AnswerModal<CReg16Edit>([&](CReg16Edit* pDlg) {
            opened = pDlg->ValueEdit()->text();
            pDlg->ValueEdit()->clear();
            QTest::keyClicks(pDlg->ValueEdit(), "123456");
            pDlg->accept();
        });
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        QCOMPARE(dlg.windowTitle(), QString("Edit Register (16 bit)"));
        QCOMPARE(opened, QString("0040"));
        QCOMPARE(dlg.m_strValue, QString("123456"));
    }
};

TORVAN_TEST_CLASS(TestRegisterEditDialogs);
#include "test_register_edit_dialogs.moc"
