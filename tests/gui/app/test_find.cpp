// Find in the program window (F3): forward and backward from the selected
// line, case-blind through the upper-cased text, no wrap-around, Cancel.
#include <QScrollBar>

#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// LXI SP,2000 / MVI A,01 / NOPs up to 0040 / MVI B,02 at line 62.
QByteArray FindProgram() {
    QByteArray image = Program({0x31, 0x00, 0x20, 0x3E, 0x01});
    image.append(QByteArray(0x40 - image.size(), '\0'));
    image.append(Program({0x06, 0x02}));
    return image;
}
constexpr int kMviBLine = 62;

// F3, the key of Find, pressed in the program window.
void PressF3(ProgramWindowFixture& f) { QTest::keyClick(f.m_view, Qt::Key_F3); }
}  // namespace

class TestFind : public QObject {
    Q_OBJECT
private slots:
    void forwardAndBackwardSearches() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(FindProgram()));
        QVERIFY(f.m_view->m_nRowsPerPage < kMviBLine);
        QCOMPARE(g_Sim.m_LineAddress[kMviBLine - 1], 0x0040u);

        f.Activate();
        AnswerFindDialog("mvi", false);
        PressF3(f);
        QCOMPARE(f.m_view->m_strLastFind, std::string("MVI"));
        QCOMPARE(f.m_view->m_nTopLine, 1);
        QCOMPARE(f.m_view->m_nSelRow, 1);
        QCOMPARE(f.Pane(2), QString("Line 2"));

        // The next match lies below the page: it becomes the top row.
        f.Activate();
        AnswerFindDialog("mvi  b,", false);
        PressF3(f);
        QCOMPARE(f.m_view->m_nTopLine, kMviBLine);
        QCOMPARE(f.m_view->m_nSelRow, 0);
        QCOMPARE(f.m_view->verticalScrollBar()->value(), kMviBLine);
        QCOMPARE(f.Pane(2), QString("Line 62"));
        QVERIFY(f.Row(0).contains("MVI  B,02"));

        // Backward finds the first MVI; at or above the top row it becomes
        // the top row.
        f.Activate();
        AnswerFindDialog("MVI  A,", true);
        f.Command(ID_EDIT_FIND);
        QCOMPARE(f.m_view->m_nTopLine, 2);
        QCOMPARE(f.m_view->m_nSelRow, 0);
        QCOMPARE(f.Pane(2), QString("Line 2"));
    }

    void aMatchOnThePageOnlyMovesTheFocus() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(FindProgram()));
        // A breakpoint set on line 4 leaves its row selected, showing its
        // text as stored.
        f.DoubleClickRow(3);
        QCOMPARE(f.m_view->HighlightRow(), 3);
        QVERIFY(f.Row(3).startsWith(" [BR]"));
        QCOMPARE(f.Row(3), QString::fromStdString(f.m_view->m_Lines[3]));

        f.Activate();
        AnswerFindDialog("nop", false);
        PressF3(f);
        QCOMPARE(f.m_view->m_nTopLine, 1);
        QCOMPARE(f.m_view->m_nSelRow, 4);
        QCOMPARE(f.m_view->verticalScrollBar()->value(), 5);
        QCOMPARE(f.Pane(2), QString("Line 5"));
        // The rows are not refilled: the selection and the stored text stay.
        QCOMPARE(f.m_view->HighlightRow(), 3);
        QCOMPARE(f.Row(3), QString::fromStdString(f.m_view->m_Lines[3]));
    }

    void oneBlankAfterTheMnemonicDoesNotMatch() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(FindProgram()));
        f.Activate();
        AnswerFindDialog("MVI A,", false);
        PressF3(f);
        QCOMPARE(f.m_view->m_nTopLine, 1);
        QCOMPARE(f.m_view->m_nSelRow, 0);
        QCOMPARE(f.m_view->m_strLastFind, std::string("MVI A,"));
    }

    void backwardFromTheFirstLineFindsNothing() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(FindProgram()));
        QTest::keyClick(f.m_view, Qt::Key_Home);
        f.Activate();
        AnswerFindDialog("", true);
        PressF3(f);
        QCOMPARE(f.m_view->m_nTopLine, 1);
        QCOMPARE(f.m_view->m_nSelRow, 0);
        QCOMPARE(f.Pane(2), QString("Line 1"));
    }

    void theDialogOpensForwardWithTheLastTextSelected() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(FindProgram()));
        f.Activate();
        AnswerFindDialog("lxi", false);
        PressF3(f);
        f.Activate();
        QString shown, selected;
        bool forward = false;
        AnswerModal<CFindDialog>([&](CFindDialog* dlg) {
            QCOMPARE(dlg->windowTitle(), QString("Find String.."));
            shown = dlg->FindEdit()->text();
            selected = dlg->FindEdit()->selectedText();
            forward = dlg->ForwardButton()->isChecked();
            dlg->BackwardButton()->setChecked(true);
            dlg->FindEdit()->setText("MVI");
            dlg->reject();
        });
        const int top = f.m_view->m_nTopLine;
        const int sel = f.m_view->m_nSelRow;
        PressF3(f);
        QCOMPARE(shown, QString("LXI"));
        QCOMPARE(selected, QString("LXI"));
        QVERIFY(forward);
        // Cancel changes nothing.
        QCOMPARE(f.m_view->m_strLastFind, std::string("LXI"));
        QCOMPARE(f.m_view->m_nTopLine, top);
        QCOMPARE(f.m_view->m_nSelRow, sel);
    }
};

TORVAN_TEST_CLASS(TestFind);
#include "test_find.moc"
