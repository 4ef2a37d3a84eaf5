// Dialogs as the started application shows them: disabled labels in grey on
// the dialog colours, and the first field's text selected as a dialog opens.
#include "dialogs/8155InpDlg.h"
#include "dialogs/8253InpDlg.h"
#include "dialogs/ChipRadioGroup.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// The darkest grey a control draws: its label's text, unless its indicator
// is darker.
int Darkest(QWidget* pControl) {
    const QImage image = pControl->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}
}  // namespace

class TestDialogLook : public QObject {
    Q_OBJECT
private slots:
    void disabledLabelsAreGrey() {
        ProgramWindowFixture f;
        QVERIFY(f.StartApplication({}));
        g_Sim.m_n8253Count = 2;  // the radios of chips 3 to 5 cannot be chosen
        AnswerModal<C8253InpDlg>([](C8253InpDlg* pDlg) {
            QVERIFY(Darkest(pDlg->ChipRadios()->Radio(0)) < 64);
            // Grey: clearly lighter than black text, clearly darker than the face.
            const int disabled = Darkest(pDlg->ChipRadios()->Radio(4));
            QVERIFY2(disabled > 96 && disabled < 160, qPrintable(QString::number(disabled)));
            pDlg->reject();
        });
        C8253InpDlg().DoModal();
    }

    void theFirstFieldsTextIsSelectedAsADialogOpens() {
        ProgramWindowFixture f;
        QVERIFY(f.StartApplication({}));
        g_Sim.m_b8155Connected = 1;
        g_Sim.m_8155PortIsInput[0] = 1;
        AnswerModal<C8155InpDlg>([](C8155InpDlg* pDlg) {
            QTRY_COMPARE(QApplication::focusWidget(), pDlg->PortEdit(0));
            QCOMPARE(pDlg->PortEdit(0)->selectedText(), QString("00"));
            pDlg->reject();
        });
        C8155InpDlg().DoModal();
    }
};

TORVAN_TEST_CLASS(TestDialogLook);
#include "test_dialog_look.moc"
