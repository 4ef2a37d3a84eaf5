// Dialogs as the started application shows them: the labels of disabled
// controls in grey on the dialog colours, and the first field's text
// selected when a dialog opens with the focus in it.
#include <QRadioButton>
#include <QStyleOptionButton>

#include "dialogs/8155InpDlg.h"
#include "dialogs/8253InpDlg.h"
#include "dialogs/ChipRadioGroup.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// The darkest pixel of a radio button's label, where its text is drawn.
int DarkestLabelPixel(QRadioButton* pRadio) {
    QStyleOptionButton option;
    option.initFrom(pRadio);
    option.text = pRadio->text();
    const QRect label = pRadio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, pRadio);
    const QImage image = pRadio->grab().toImage();
    int darkest = 255;
    for (int y = label.top(); y <= label.bottom(); ++y)
        for (int x = label.left(); x <= label.right(); ++x) darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}
}  // namespace

class TestDialogLook : public QObject {
    Q_OBJECT

    ProgramWindowFixture* m_pFixture = nullptr;

private slots:
    void init() {
        m_pFixture = new ProgramWindowFixture;
        QVERIFY(m_pFixture->StartApplication({}));
    }
    void cleanup() { delete m_pFixture; }

    void disabledLabelsAreGrey() {
        // Two 8253 chips: the radios of chips 3 to 5 cannot be chosen.
        g_Sim.m_n8253Count = 2;
        int enabled = -1;
        int disabled = -1;
        AnswerModal<C8253InpDlg>([&](C8253InpDlg* pDlg) {
            enabled = DarkestLabelPixel(pDlg->ChipRadios()->Radio(0));
            disabled = DarkestLabelPixel(pDlg->ChipRadios()->Radio(4));
            pDlg->reject();
        });
        C8253InpDlg dlg;
        dlg.DoModal();
        QVERIFY2(enabled < 64, qPrintable(QString::number(enabled)));
        // Grey: clearly lighter than black text, clearly darker than the face.
        QVERIFY2(disabled > 96 && disabled < 160, qPrintable(QString::number(disabled)));
    }

    void typingReplacesTheFirstFieldOfAnOpeningDialog() {
        g_Sim.m_b8155Connected = 1;
        g_Sim.m_8155PortIsInput[0] = 1;
        g_Sim.m_8155Port[0] = 0;
        QString selected;
        AnswerModal<C8155InpDlg>([&](C8155InpDlg* pDlg) {
            QTRY_COMPARE(QApplication::focusWidget(), pDlg->PortEdit(0));
            selected = pDlg->PortEdit(0)->selectedText();
            QTest::keyClicks(pDlg->PortEdit(0), QStringLiteral("5A"));
            pDlg->accept();
        });
        C8155InpDlg dlg;
        QCOMPARE(dlg.DoModal(), int(QDialog::Accepted));
        QCOMPARE(selected, QStringLiteral("00"));
        QCOMPARE(int(g_Sim.m_8155Port[0]), 0x5A);
    }
};

TORVAN_TEST_CLASS(TestDialogLook);
#include "test_dialog_look.moc"
