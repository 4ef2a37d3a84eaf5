// What a user sees of the keyboard focus and the page: after any dialog the
// keys reach the program window again, the focused row shows, and a tall
// window lists a line on every row it has room for.
#include <QMdiSubWindow>
#include <QScrollBar>

#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

namespace {
// LXI SP,2000 / NOPs / MVI B,02 at 0040 (line 63), then NOPs.
QByteArray NopsProgram() {
    QByteArray image = Program({0x31, 0x00, 0x20});
    image.append(QByteArray(0x40 - image.size(), '\0'));
    image.append(Program({0x06, 0x02}));
    return image;
}
constexpr int kMviBLine = 63;

// A key as the keyboard gives it: to the focus widget of the active window.
void PressKey(Qt::Key key) {
    QWidget* pFocus = QApplication::focusWidget();
    QVERIFY(pFocus);
    QTest::keyClick(pFocus, key);
}
}  // namespace

class TestFocus : public QObject {
    Q_OBJECT
private slots:
    void keysReachTheProgramWindowAfterADialog_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("accept");
        QTest::newRow("Find cancelled") << int(ID_EDIT_FIND) << false;
        QTest::newRow("Find answered") << int(ID_EDIT_FIND) << true;
        QTest::newRow("Change Origin") << int(ID_CHANGE_ORIGIN) << true;
    }
    void keysReachTheProgramWindowAfterADialog() {
        QFETCH(int, command);
        QFETCH(bool, accept);
        ProgramWindowFixture f;
        QVERIFY(f.Start(NopsProgram()));
        f.Activate();
        if (command == ID_EDIT_FIND) AnswerFindDialog(QStringLiteral("mvi"), false, accept);
        else AnswerValueDialog(QStringLiteral("0003"));
        f.ClickToolbar(command);
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(f.m_frame));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.m_view));
        const auto states = g_Sim.TStates();
        PressKey(Qt::Key_F7);
        QVERIFY(g_Sim.TStates() > states);
    }

    void theFocusedRowShows() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(NopsProgram()));
        f.Activate();
        AnswerFindDialog(QStringLiteral("mvi  b"), false);
        PressKey(Qt::Key_F3);
        QCOMPARE(f.m_view->SelectedLine(), kMviBLine);
        QVERIFY(f.m_view->HighlightRow() != f.m_view->m_nSelRow);
        const QImage page = f.m_view->viewport()->grab().toImage();
        const int top = f.m_view->m_nSelRow * f.m_view->RowHeight();
        const QColor frame = f.m_view->palette().highlight().color();
        // The frame runs round the row, over the text's background.
        QCOMPARE(page.pixelColor(page.width() / 2, top).rgb(), frame.rgb());
        QCOMPARE(page.pixelColor(0, top + f.m_view->RowHeight() / 2).rgb(), frame.rgb());
        QVERIFY(page.pixelColor(page.width() / 2, top + f.m_view->RowHeight() + 1).rgb() != frame.rgb());
    }

    void aTallWindowShowsALineOnEveryRow() {
        ProgramWindowFixture f;
        QVERIFY(f.Start(NopsProgram()));
        auto* pFrame = qobject_cast<QMdiSubWindow*>(f.m_view->parentWidget());
        QVERIFY(pFrame);
        pFrame->resize(pFrame->width(), 60 * f.m_view->RowHeight());
        QCoreApplication::processEvents();
        const int rows = f.m_view->m_nRowsPerPage;
        QVERIFY2(rows > 31, qPrintable(QString::number(rows)));
        // Paging passes over exactly the lines the page showed.
        f.Activate();
        PressKey(Qt::Key_PageDown);
        QCOMPARE(f.m_view->m_nTopLine, 1 + rows);
        for (int row = 0; row < rows; ++row)
            QVERIFY2(f.Row(row).contains(QString::asprintf("%04X", g_Sim.m_LineAddress[rows + row])),
                     qPrintable(QString::number(row)));
    }
};

TORVAN_TEST_CLASS(TestFocus);
#include "test_focus.moc"
