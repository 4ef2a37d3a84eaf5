// Printing a view through the print commands: the page loop asks the view
// for its page count once the page size is known and prints every page.
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include "framework/CmdUI.h"
#include "framework/Printing.h"
#include "framework/View.h"
#include "res/CommandIds.h"
#include "tests/support/PdfPages.h"
#include "tests/support/QtTestRegistry.h"

namespace {
class PagedView : public QWidget, public CView {
public:
    bool OnPreparePrinting(CPrintInfo*) override { return m_bPrints; }
    void OnBeginPrinting(QPainter&, CPrintInfo* pInfo) override {
        m_pageArea = pInfo->m_rectDraw;
        pInfo->m_nMaxPage = 3;
    }
    void OnPrint(QPainter& painter, CPrintInfo* pInfo) override {
        m_printed << pInfo->m_nCurPage;
        painter.drawText(pInfo->m_rectDraw, Qt::AlignCenter, QString::number(pInfo->m_nCurPage));
    }
    bool m_bPrints = true;
    QRect m_pageArea;
    QList<int> m_printed;
};

}  // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { SetPrintResponder(nullptr); }

    void printCommandPrintsEveryPageIntoTheChosenFile() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        QList<PrintMode> modes;
        SetPrintResponder([&](QPrinter& printer, PrintMode mode) {
            modes << mode;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        PagedView view;
        CCmdUI state(ID_FILE_PRINT);
        QVERIFY(OnPrintCmdMsg(&view, ID_FILE_PRINT, &state));
        QVERIFY(state.m_bEnabled);
        QVERIFY(OnPrintCmdMsg(&view, ID_FILE_PRINT, nullptr));
        QCOMPARE(modes, QList<PrintMode>{PrintMode::Dialog});
        QCOMPARE(view.m_printed, (QList<int>{1, 2, 3}));
        QVERIFY(!view.m_pageArea.isEmpty());
        QVERIFY(PdfPageCount(pdf) >= 3);
    }

    void cancelledOrNonPrintingViewPrintsNothing() {
        PagedView view;
        SetPrintResponder([](QPrinter&, PrintMode) { return false; });
        QVERIFY(!PrintView(&view, PrintMode::Preview));
        view.m_bPrints = false;
        SetPrintResponder([](QPrinter&, PrintMode) { return true; });
        QVERIFY(!PrintView(&view, PrintMode::Direct));
        QVERIFY(view.m_printed.isEmpty());
        QVERIFY(!OnPrintCmdMsg(&view, ID_EDIT_FIND, nullptr));
    }
};

TORVAN_TEST_CLASS(TestPrinting);
#include "test_printing.moc"
