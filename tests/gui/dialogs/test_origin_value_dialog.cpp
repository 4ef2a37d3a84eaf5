// The one-field value dialog: caption, prompt, length limit and initial text
// of every mode, the text selected on opening and replaced by typing, OK and
// Cancel.
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "dialogs/MemWatchAddDlg.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/QtTestRegistry.h"

namespace {
struct Seen {
    QString caption, prompt, text, selected;
    int limit = 0;
};

// Runs the dialog, notes what it shows, types text (when given) and closes it
// with OK or Cancel.
int RunDialog(CMemWatchAddDlg& dlg, Seen& seen, const QString& typed = QString(), bool ok = true) {
    AnswerModal<CMemWatchAddDlg>([&](CMemWatchAddDlg* modal) {
        seen.caption = modal->windowTitle();
        seen.prompt = modal->PromptLabel()->text();
        seen.text = modal->ValueEdit()->text();
        seen.selected = modal->ValueEdit()->selectedText();
        seen.limit = modal->ValueEdit()->maxLength();
        if (!typed.isNull()) QTest::keyClicks(modal->ValueEdit(), typed);
        if (ok) modal->accept();
        else modal->reject();
    });
    return dlg.DoModal();
}
}  // namespace

class TestOriginValueDialog : public QObject {
    Q_OBJECT
private slots:
    void modes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("text");
        const int none = QLineEdit().maxLength();
        QTest::newRow("1") << 1 << "Memory Watch"
                           << "Memory Address (HEX)" << 4 << "0000";
        QTest::newRow("2") << 2 << "Memory Watch"
                           << "Memory Address (HEX)" << 4 << "0000";
        QTest::newRow("3") << 3 << "Give Input to 8279"
                           << "Scancode (HEX)" << 2 << "00";
        QTest::newRow("4") << 4 << "Enter input to 8251 #0"
                           << "8251 Data (HEX)" << 2 << "00";
        QTest::newRow("6") << 6 << "Enter input to 8251 #2"
                           << "8251 Data (HEX)" << 2 << "00";
        QTest::newRow("9") << 9 << "Enter input to 8251 #5"
                           << "8251 Data (HEX)" << 2 << "00";
        QTest::newRow("10") << 10 << "C Variable Watch"
                            << "C Variable" << 32 << "";
        QTest::newRow("11") << 11 << "Title"
                            << "New value" << 100 << "caller";
        QTest::newRow("12") << 12 << "Enter Tab Size"
                            << "New tab size" << 1 << "c";
        QTest::newRow("13") << 13 << "Set Origin for disassembly for binary file"
                            << "New origin (HEX)" << 4 << "0000";
        QTest::newRow("14") << 14 << "Title"
                            << "Frequency in Hz" << none << "caller";
        QTest::newRow("0") << 0 << "Add Memory Watch "
                           << "" << none << "00";
        QTest::newRow("15") << 15 << "Add Memory Watch "
                            << "" << none << "00";
        QTest::newRow("-3") << -3 << "Add Memory Watch "
                            << "" << none << "00";
    }

    void modes() {
        QFETCH(int, mode);
        QFETCH(QString, caption);
        QFETCH(QString, prompt);
        QFETCH(int, limit);
        QFETCH(QString, text);
        CMemWatchAddDlg dlg;
        dlg.m_nMode = mode;
        dlg.m_strTitle = "Title";
        dlg.m_strValue = "caller";
        Seen seen;
        const QString typed = QStringLiteral("123456");
        QCOMPARE(RunDialog(dlg, seen, typed), int(QDialog::Accepted));
        QCOMPARE(seen.caption, caption);
        QCOMPARE(seen.prompt, prompt);
        QCOMPARE(seen.limit, limit);
        QCOMPARE(seen.text, text.left(limit));
        // The whole text is selected, so typing replaces it, up to the limit.
        QCOMPARE(seen.selected, seen.text);
        QCOMPARE(dlg.m_strValue, typed.left(limit));
    }

    void modeStartsDefinedAtConstruction() {
        CMemWatchAddDlg dlg;
        QCOMPARE(dlg.m_nMode, 0);
        QVERIFY(dlg.m_strValue.isEmpty());
        QVERIFY(dlg.m_strLabel.isEmpty());
    }

    void cancelLeavesTheTypedTextUnreturned() {
        CMemWatchAddDlg dlg;
        dlg.m_nMode = CMemWatchAddDlg::kModeCVariable;
        Seen seen;
        QCOMPARE(RunDialog(dlg, seen, "abc", false), int(QDialog::Rejected));
        // Mode 10 does not follow the edit while typing; only OK takes it.
        QVERIFY(dlg.m_strValue.isEmpty());
    }
};

TORVAN_TEST_CLASS(TestOriginValueDialog);
#include "test_origin_value_dialog.moc"
