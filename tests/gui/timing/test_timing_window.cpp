// The timing window driven as a user drives it: opened from the View menu,
// started, paused and stopped from the menu and the toolbar, stepped by the
// timer's tick (called directly, so no test waits for 50 ms ticks), scrolled
// by keys, printed, and left running while a program runs. Pictures are
// grabbed from the window and checked by their colours.
#include <QAbstractEventDispatcher>
#include <QFile>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <functional>

#include "framework/Printing.h"
#include "tests/support/ProgramWindowFixture.h"
#include "tests/support/QtTestRegistry.h"
#include "timing/NewTime85View.h"
#include "timing/TimeWndFrm.h"

namespace {
// LXI SP,2000 / INR A / CALL 0010 / JMP 0003 ... 0010: RET
const QByteArray kProgram =
    Program({0x31, 0x00, 0x20, 0x3C, 0xCD, 0x10, 0x00, 0xC3, 0x03, 0x00, 0, 0, 0, 0, 0, 0, 0xC9});
constexpr int kFetchOnlyTicks = 126;  // segments 1 to N - 2 of an 8-sample instruction
const QColor kWave(56, 1, 220);
const QColor kFloat(255, 116, 108);
const QColor kBlue(0, 0, 255);
const QColor kGreen(23, 142, 32);
const QColor kGrey(192, 194, 194);

// Opens the timing window of a program stepped `steps` times (the last
// step is the instruction the diagram shows).
class TimingFixture : public ProgramWindowFixture {
public:
    bool Open(int steps) {
        if (!Start(kProgram)) return false;
        for (int i = 0; i < steps; ++i) Command(ID_RUN_SINGLESTEP);
        Command(ID_VIEW_TIMING_DIAGRAM);
        m_timing = TimingView();
        if (m_timing == nullptr) return false;
        // Large enough to show the whole drawing, axes included.
        m_timing->parentWidget()->resize(1100, 760);
        return true;
    }
    CNewTime85View* TimingView() const {
        for (CView* pView : m_doc->GetViews())
            if (auto* p = dynamic_cast<CNewTime85View*>(pView)) return p;
        return nullptr;
    }
    void Ticks(int n) const {
        for (int i = 0; i < n; ++i) m_timing->OnTimer();
    }
    // Ticks until the animation reaches a step, whatever real ticks came
    // before.
    void TicksTo(int step) const { Ticks(step - g_timeAnimStep); }
    QImage Picture() const { return m_timing->viewport()->grab().toImage(); }
    // Enabled and checked, as the toolbar and the menu show a command.
    QString State(int id) const {
        return QString("%1%2").arg(Action(id)->isEnabled() ? "on" : "off", Action(id)->isChecked() ? "+check" : "");
    }
    QString States() const {
        return State(ID_TIMING_START) + ' ' + State(ID_TIMING_PAUSE) + ' ' + State(ID_TIMING_STOP);
    }
    int TimerCount() const { return QAbstractEventDispatcher::instance()->registeredTimers(m_timing).size(); }
    // Runs the program, calling `during` 400 ms into the run and ending the
    // run 100 ms later.
    void RunWith(const std::function<void()>& during) const {
        QObject context;
        QTimer::singleShot(400, &context, during);
        QTimer::singleShot(500, &context, [this] { Command(ID_RUN_TERMINATEPROGRAM); });
        QTimer::singleShot(10000, &context, [] { g_Sim.m_bStopRequest = 1; });
        Command(ID_RUN_RUN);
    }
    CNewTime85View* m_timing = nullptr;
};

int CountColour(const QImage& image, const QColor& colour, QRect area = QRect()) {
    if (area.isNull()) area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += image.pixelColor(x, y) == colour;
    return n;
}

// Rightmost column holding a waveform or floating pixel, or -1.
int RightmostWave(const QImage& image) {
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) == kWave || image.pixelColor(x, y) == kFloat) return x;
    return -1;
}
}  // namespace

class TestTimingWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { SetPrintResponder(nullptr); }

    void openingShowsAxesLabelsAndGridWithoutWaveforms() {
        TimingFixture f;
        QVERIFY(f.Open(1));
        auto* frame = qobject_cast<CTimeWndFrm*>(f.m_timing->parentWidget());
        QVERIFY(frame);
        QCOMPARE(frame->windowTitle(),
                 QString("Timing Diagram Window (Shows the timing diagram for last executed instruction)"));
        QCOMPARE(f.m_frame->MDIGetActive(), frame);
        QCOMPARE(g_bTimingWindowOpen, 1u);
        QVERIFY(f.Action(ID_VIEW_TIMING_DIAGRAM)->isChecked());
        // The window shows menu 3 as plain popups.
        QCOMPARE(f.m_frame->menuBar()->actions().first()->menu(),
                 f.m_app->m_pTimingTemplate->m_pMenuShared->m_popups.first());
        QCOMPARE(f.States(), QString("on off off"));

        const QImage picture = f.Picture();
        QCOMPARE(picture.pixelColor(60, 300), QColor(Qt::black));          // the time axis
        QCOMPARE(picture.pixelColor(900, 630), QColor(Qt::black));         // the bottom axis
        QCOMPARE(picture.pixelColor(300, 30 + 25 * 5), kGrey);             // a row's base line
        QCOMPARE(picture.pixelColor(92 + 32 * 10, 15), kGrey);             // the end of T-state 11
        QVERIFY(CountColour(picture, kBlue, QRect(0, 15, 58, 25)) > 10);   // CLK
        QVERIFY(CountColour(picture, kGreen, QRect(0, 40, 58, 25)) > 10);  // A15
        QVERIFY(CountColour(picture, kBlue, QRect(0, 493, 58, 4)) > 10);   // the bar over RD, above its name
        QCOMPARE(RightmostWave(picture), -1);

        // The toggle closes it again.
        f.Command(ID_VIEW_TIMING_DIAGRAM);
        QCOMPARE(g_bTimingWindowOpen, 0u);
        QVERIFY(f.TimingView() == nullptr);
    }

    void opensTallEnoughForEveryRowWhereTheClientAreaAllows_data() {
        QTest::addColumn<QSize>("mainSize");
        QTest::newRow("1280x800 screen") << QSize(1280, 800);
        QTest::newRow("low main window") << QSize(1000, 500);
    }
    void opensTallEnoughForEveryRowWhereTheClientAreaAllows() {
        QFETCH(QSize, mainSize);
        TimingFixture f;
        QVERIFY(f.Start(kProgram));
        f.m_frame->showNormal();
        f.m_frame->resize(mainSize);
        QTRY_COMPARE(f.m_frame->size(), mainSize);
        f.Command(ID_VIEW_TIMING_DIAGRAM);
        const QWidget* pFrame = f.TimingView()->parentWidget();
        const QRect client = f.m_frame->MDIClient()->viewport()->rect();
        QVERIFY(client.contains(pFrame->geometry()));
        // Every row and the time axis show, or the window is as tall as it can be.
        QVERIFY(f.TimingView()->viewport()->height() >= kDiagramHeight || pFrame->height() == client.height());
    }

    void startPauseAndStopFollowTheAnimation() {
        TimingFixture f;
        QVERIFY(f.Open(2));  // LXI SP, then INR A: one 4-T-state fetch
        f.ClickToolbar(ID_TIMING_START);
        QCOMPARE(f.States(), QString("off+check on on"));
        QCOMPARE(f.TimerCount(), 1);

        // One tick per segment, and the tick after the last ends the timer.
        f.TicksTo(kFetchOnlyTicks);
        QCOMPARE(f.TimerCount(), 1);
        f.Ticks(1);
        QCOMPARE(f.TimerCount(), 0);
        QCOMPARE(g_timeAnimStep, kFetchOnlyTicks + 1);
        QCOMPARE(RightmostWave(f.Picture()), 60 + kFetchOnlyTicks);
        QCOMPARE(f.States(), QString("off+check on on"));

        // Pause when finished: checked; pausing again asks for the timer,
        // whose first tick ends it.
        f.Command(ID_TIMING_PAUSE);
        QCOMPARE(f.States(), QString("off+check on+check on"));
        f.Command(ID_TIMING_PAUSE);
        QCOMPARE(f.TimerCount(), 1);
        f.Ticks(1);
        QCOMPARE(f.TimerCount(), 0);

        // Pause, then Stop: the check mark clears, Start is enabled again and
        // the waveforms are gone.
        f.Command(ID_TIMING_PAUSE);
        f.ClickToolbar(ID_TIMING_STOP);
        QCOMPARE(f.States(), QString("on off off"));
        QCOMPARE(RightmostWave(f.Picture()), -1);
        QCOMPARE(g_timeAnimStep, 0);
    }

    void startOnlyFromIdleAndNeverTwoTimers() {
        TimingFixture f;
        QVERIFY(f.Open(2));
        f.Command(ID_TIMING_START);
        f.TicksTo(10);
        // Whatever sends Start again while started (the route performs it)
        // changes nothing, not even after a step to the CALL.
        f.Command(ID_RUN_SINGLESTEP);
        QVERIFY(f.m_frame->ExecuteCommand(ID_TIMING_START));
        QCOMPARE(g_timeAnimStep, 10);
        QCOMPARE(g_nSampleCount, 8);
        QCOMPARE(f.States(), QString("off+check on on"));
        for (int i = 0; i < 5; ++i) f.Command(ID_TIMING_PAUSE);
        QCOMPARE(f.TimerCount(), 0);
        f.Command(ID_TIMING_PAUSE);
        QCOMPARE(f.TimerCount(), 1);

        // With no records, Start draws nothing and the first tick ends the
        // timer; Start stays disabled until Stop.
        f.Command(ID_TIMING_STOP);
        g_busCycleCount = 0;
        f.Command(ID_TIMING_START);
        f.Ticks(1);
        QCOMPARE(f.TimerCount(), 0);
        QCOMPARE(RightmostWave(f.Picture()), -1);
        QCOMPARE(f.States(), QString("off+check on on"));
    }

    // With TORVAN_TIMING_SCREENSHOT set to a file path, the finished diagram's
    // window is saved there (the README's picture).
    void aCallIsDrawnInBothColoursUpToTheStepAndToItsLastColumn() {
        TimingFixture f;
        QVERIFY(f.Open(3));  // the CALL
        f.Command(ID_TIMING_START);
        f.TicksTo(200);
        const QImage picture = f.Picture();
        // Segment 200 runs from x 260 to 261.
        QCOMPARE(RightmostWave(picture), 60 + 201);
        QVERIFY(CountColour(picture, kWave) > 500);
        // The AD lines float from T4 of the fetch: single pixels half-way up.
        const int ad0Float = 30 + 25 * kRowAD0 - 8;
        QCOMPARE(picture.pixelColor(60 + 16 * 8, ad0Float), kFloat);

        // A step past it changes nothing: the diagram shows the CALL until
        // the next Start.
        f.Command(ID_RUN_SINGLESTEP);
        QCOMPARE(g_nSampleCount, 36);
        QCOMPARE(f.Picture(), picture);

        // The last tick ends at the CALL's last column.
        f.TicksTo(36 * 16 - 1);
        QCOMPARE(f.TimerCount(), 0);
        QCOMPARE(RightmostWave(f.Picture()), 60 + 36 * 16 - 2);
        const QImage window = f.m_timing->parentWidget()->grab().toImage();
        const QString target = qEnvironmentVariable("TORVAN_TIMING_SCREENSHOT");
        if (!target.isEmpty()) QVERIFY(window.save(target));
    }

    void keysScrollAndEveryKeyRepaints() {
        TimingFixture f;
        QVERIFY(f.Open(1));
        f.m_timing->parentWidget()->resize(400, 300);
        QApplication::processEvents();
        QScrollBar* h = f.m_timing->horizontalScrollBar();
        QScrollBar* v = f.m_timing->verticalScrollBar();
        const QSize screen = f.m_timing->screen()->size();
        const QSize client = f.m_timing->viewport()->size();
        QCOMPARE(h->maximum(), 4 * screen.width() - client.width());
        QCOMPARE(v->maximum(), 2 * screen.height() - client.height());
        QCOMPARE(h->pageStep(), 2 * screen.width());
        QCOMPARE(v->singleStep(), 2 * screen.height() / 100);

        f.m_timing->setFocus();
        const struct {
            Qt::Key key;
            int h;
            int v;
        } keys[] = {
            {Qt::Key_Down, 0, v->singleStep()},        {Qt::Key_Right, h->singleStep(), v->singleStep()},
            {Qt::Key_Up, h->singleStep(), 0},          {Qt::Key_Left, 0, 0},
            {Qt::Key_PageDown, 0, v->pageStep()},      {Qt::Key_PageUp, 0, 0},
            {Qt::Key_End, h->maximum(), v->maximum()}, {Qt::Key_Home, 0, 0},
        };
        for (const auto& k : keys) {
            QTest::keyClick(f.m_timing, k.key);
            QCOMPARE(h->value(), k.h);
            QCOMPARE(v->value(), k.v);
        }
        // A key that does not scroll repaints too.
        QApplication::processEvents();
        int paints = 0;
        struct PaintCounter : QObject {
            int* pCount;
            bool eventFilter(QObject*, QEvent* e) override {
                *pCount += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        counter.pCount = &paints;
        f.m_timing->viewport()->installEventFilter(&counter);
        QTest::keyClick(f.m_timing, Qt::Key_Q);
        f.m_frame->repaint();
        QApplication::processEvents();
        QVERIFY(paints > 0);
    }

    void printsTheDiagramAsShown() {
        TimingFixture f;
        QVERIFY(f.Open(3));
        f.Command(ID_TIMING_START);
        f.TicksTo(100);
        f.m_timing->viewport()->repaint();
        QVERIFY(f.Action(ID_FILE_PRINT)->isEnabled());

        // The page: the window's drawing, scaled to fit.
        QImage page(2000, 1400, QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            CPrintInfo info;
            info.m_rectDraw = page.rect();
            QVERIFY(f.m_timing->OnPreparePrinting(&info));
            f.m_timing->OnBeginPrinting(painter, &info);
            QCOMPARE(info.m_nMaxPage, 1);
            f.m_timing->OnPrint(painter, &info);
        }
        QCOMPARE(page.pixelColor(120, 600), QColor(Qt::black));  // the time axis at x 60, doubled
        QVERIFY(CountColour(page, kWave) > 500);
        QVERIFY(CountColour(page, kWave, QRect(2 * 165, 0, 2000 - 2 * 165, 1400)) == 0);

        // Print, print direct and print preview all reach the page loop.
        QTemporaryDir dir;
        QList<PrintMode> modes;
        SetPrintResponder([&](QPrinter& printer, PrintMode mode) {
            modes << mode;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath(QString("%1.pdf").arg(modes.size())));
            return true;
        });
        for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW}) f.m_frame->ExecuteCommand(id);
        QCOMPARE(modes, (QList<PrintMode>{PrintMode::Dialog, PrintMode::Direct, PrintMode::Preview}));
        QVERIFY(QFile(dir.filePath("1.pdf")).size() > 1000);
    }

    void ticksArriveWhileAProgramRunsAndClosingLeavesNoTimer() {
        TimingFixture f;
        QVERIFY(f.Open(2));
        f.Command(ID_TIMING_START);
        QPointer<CNewTime85View> timing(f.m_timing);
        int stepDuringRun = -1;
        int timersAfterClose = -1;
        f.RunWith([&] {
            stepDuringRun = g_timeAnimStep;
            // Closed by its own close box while the program runs: the window
            // is deleted later, its animation ends now.
            timing->parentWidget()->close();
            timersAfterClose = f.TimerCount();
        });
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(stepDuringRun >= 2);
        QCOMPARE(timersAfterClose, 0);
        QVERIFY(timing.isNull());
        QCOMPARE(g_bTimeIdle, 1);
        QCOMPARE(g_timeAnimStep, 0);
        // The mark stays until the command is given again, which opens a new
        // window, idle.
        QCOMPARE(g_bTimingWindowOpen, 1u);
        f.Command(ID_VIEW_TIMING_DIAGRAM);
        QVERIFY(f.TimingView() != nullptr);
        QCOMPARE(f.States(), QString("on off off"));
    }

    void aWindowClosedDuringRunLeavesTheNextOneAnimating() {
        TimingFixture f;
        QVERIFY(f.Open(2));
        QPointer<CNewTime85View> closed(f.m_timing);
        f.RunWith([&] {
            closed->parentWidget()->close();
            // The closed window leaves the document at once, although the
            // running program puts off its deletion: the toggle opens a new one.
            QVERIFY(f.TimingView() == nullptr);
            f.Command(ID_VIEW_TIMING_DIAGRAM);
            f.m_timing = f.TimingView();
            f.Command(ID_TIMING_START);
        });
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());
        QVERIFY(f.m_timing != nullptr);
        QCOMPARE(f.States(), QString("off+check on on"));
        QCOMPARE(f.TimerCount(), 1);
    }
};

TORVAN_TEST_CLASS(TestTimingWindow);
#include "test_timing_window.moc"
