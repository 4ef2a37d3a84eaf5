// Print from the toolbar with the program window active: the listing, page
// after page, into the file the print dialog names (here a PDF file).
#include <QPrinter>

#include "framework/Printing.h"
#include "tests/support/PdfPages.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"

class TestPrintListing : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { SetPrintResponder(nullptr); }

    void printPrintsTheListingPageAfterPage_data() {
        QTest::addColumn<int>("fromPage");
        QTest::addColumn<int>("toPage");
        QTest::newRow("every page") << 0 << 0;
        QTest::newRow("pages 2 to 3") << 2 << 3;
    }
    void printPrintsTheListingPageAfterPage() {
        QFETCH(int, fromPage);
        QFETCH(int, toPage);
        ProgramWindowFixture f;
        // LXI B at FEFF covers FF00, so a listing from FF00 is built afresh:
        // 255 lines to the end of memory.
        QByteArray image(0xFF00, '\0');
        image[0xFEFF] = 0x01;
        QVERIFY(f.Start(image));
        AnswerValueDialog(QStringLiteral("FF00"));
        f.Command(ID_CHANGE_ORIGIN);
        QCOMPARE(f.m_view->LineCount(), 255);

        const QString pdf = f.m_dir.filePath(QStringLiteral("listing.pdf"));
        int asked = 0;
        SetPrintResponder([&](QPrinter& printer, PrintMode mode) {
            ++asked;
            [&] { QCOMPARE(mode, PrintMode::Dialog); }();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setFromTo(fromPage, toPage);
            return true;
        });
        QVERIFY(f.m_frame->m_wndToolBar->widgetForAction(f.Action(ID_FILE_PRINT))->isEnabled());
        f.ClickToolbar(ID_FILE_PRINT);
        QCOMPARE(asked, 1);

        // The pages follow one another without a gap and end with the listing.
        int pages = 1;
        while (f.m_view->PrintedLines(pages).last < f.m_view->LineCount()) {
            QCOMPARE(f.m_view->PrintedLines(pages + 1).first, f.m_view->PrintedLines(pages).last + 1);
            ++pages;
        }
        QCOMPARE(f.m_view->PrintedLines(1).first, 1);
        QVERIFY(pages > 3);
        QCOMPARE(PdfPageCount(pdf), fromPage ? toPage - fromPage + 1 : pages);
    }
};

TORVAN_TEST_CLASS(TestPrintListing);
#include "test_print_listing.moc"
