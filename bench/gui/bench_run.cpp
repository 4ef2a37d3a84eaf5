// Speed of the Run command as users get it: the application on the platform
// it is started on (the X11 platform under a virtual X server when the
// benchmark script finds one, else headless; the label names it), the
// counter example open in its program window and the windows of one window
// set beside it. A run is stopped by the toolbar's Terminate.
//
// Reported: instructions per second and the ratio of simulated to real time
// for an 8085 clocked at 3.072 MHz, beside the executor's own figures on the
// same program without the user interface; the time from a Terminate click
// to the end of the loop, and from a click on the menu bar to the menu shown
// while the program runs. The clicks come from another thread at a moment
// the loop does not choose, so their time includes the wait for the loop to
// let events through.
//
// Single Step is measured in the same window sets: the time of one step as
// F7 gives it, the windows repainted, so that holding the key keeps up with
// its repeat.
//
// Every set runs on one machine: the example's chips and every other chip
// connected, so that the I/O watch's rows of every kind show live state.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include "app/Brixcdoc.h"
#include "app/Mainfrm.h"
#include "app/TorvanApp.h"
#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"
#include "sim/Simulator.h"
#include "tests/support/EveryChip.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kRealClockHz = 3.072e6;
constexpr auto kRunTime = std::chrono::milliseconds(300);
constexpr auto kMenuClickAt = std::chrono::milliseconds(150);
constexpr int kSteps = 2000;
// Instructions executed to learn the example's T-states per instruction and
// the executor's own speed on it.
constexpr int kCalibrationInstructions = 20000000;
const char kExample[] = "counter";

// The windows open beside the program window during a measured run, each
// given by the command that toggles it; every other window is closed. With
// full watch lists the memory watch holds six watches and the I/O watch
// sixteen entries of every kind.
struct WindowSet {
    const char* name;
    std::vector<int> toggles;
    bool bFullWatchLists;
};
const WindowSet kWindowSets[] = {
    {"program_window", {}, false},
    {"watch_windows", {ID_VIEW_REGISTERS_WATCH, ID_VIEW_MEMORY_WATCH, ID_VIEW_IO_WATCH}, true},
};
// Memory watches: the stack, the program, the vectors and data around them.
const u16 kMemoryWatches[kMaxMemWatches] = {0xEFF0, 0x0040, 0x0050, 0x0030, 0x1000, 0xFFF8};
// Every window a toggle of the main frame opens.
const int kWindowToggles[] = {ID_VIEW_MEMORY_WATCH,       ID_VIEW_IO_WATCH,        ID_VIEW_REGISTERS_WATCH,
                              ID_VIEW_INTERNAL_RAM_WATCH, ID_VIEW_CVARIABLE_WATCH, ID_VIEW_SERIAL_WATCH,
                              ID_VIEW_TIMING_DIAGRAM};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct Application {
    QTemporaryDir dir;
    std::unique_ptr<CTorvanApp> app;
    CMainFrame* frame = nullptr;

    double statesPerInstruction = 0;
    double coreInstructionsPerSecond = 0;

    // Opens a copy of the example with its configuration, so that the
    // example's folder is not written.
    bool Open() {
        QStandardPaths::setTestModeEnabled(true);
        SetAppFolderOverride(dir.path());
        SetMessageBoxResponder([](const QString&, unsigned) { return int(IDOK); });
        const QDir examples(QStringLiteral(TORVAN_EXAMPLES));
        const QString hex = QLatin1String(kExample) + QLatin1String(".hex");
        const QString cfg = QLatin1String(kExample) + QLatin1String(".cfg");
        if (!QFile::copy(examples.filePath(hex), dir.filePath(hex))) return false;
        QFile::copy(examples.filePath(cfg), dir.filePath(cfg));
        app = std::make_unique<CTorvanApp>();
        if (!app->InitInstance({dir.filePath(hex)})) return false;
        frame = GetMainFrame();
        if (frame == nullptr || app->GetDocument() == nullptr) return false;
        frame->show();
        EveryChip::Configure();
        Calibrate();
        return true;
    }

    // The example's mix of instructions, interrupts included, executed
    // without the user interface; then the CPU starts afresh.
    void Calibrate() {
        g_Sim.UpdatePortList();
        const u64 startStates = g_Sim.TStates();
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kCalibrationInstructions; ++i) g_Sim.ExecuteInstruction();
        coreInstructionsPerSecond = kCalibrationInstructions / Seconds(Clock::now() - start);
        statesPerInstruction = double(g_Sim.TStates() - startStates) / kCalibrationInstructions;
        frame->GetAction(ID_RUN_CPURESET)->trigger();
    }

    // Closes every window but the program's, sets the watch lists, then
    // opens the set's windows with their toggles.
    void ShowWindows(const WindowSet& set) {
        for (bool bOpening : {false, true}) {
            for (int nID : kWindowToggles) {
                frame->UpdateCommandStates();
                QAction* pAction = frame->GetAction(nID);
                if (pAction == nullptr || !pAction->isEnabled()) continue;
                const bool bWanted =
                    bOpening && std::find(set.toggles.begin(), set.toggles.end(), nID) != set.toggles.end();
                if (pAction->isChecked() != bWanted) pAction->trigger();
            }
            if (!bOpening) SetWatchLists(set.bFullWatchLists);
        }
        QCoreApplication::processEvents();
    }

    static void SetWatchLists(bool bFull) {
        g_Sim.m_nMemWatchCount = 0;
        g_Sim.m_nIOWatchCount = 0;
        if (!bFull) return;
        std::copy(std::begin(kMemoryWatches), std::end(kMemoryWatches), g_Sim.m_MemWatchAddr);
        g_Sim.m_nMemWatchCount = kMaxMemWatches;
        EveryChip::WatchEveryKind();
    }

    void ClickToolbar(int nID) const {
        if (QWidget* button = frame->m_wndToolBar->widgetForAction(frame->GetAction(nID)))
            QMetaObject::invokeMethod(button, "click");
    }

    // A click on the title of the menu bar's first menu.
    void ClickFirstMenu() const {
        QMenuBar* bar = frame->menuBar();
        if (bar->actions().isEmpty()) return;
        const QPoint title = bar->actionGeometry(bar->actions().first()).center();
        QMouseEvent press(QEvent::MouseButtonPress, title, bar->mapToGlobal(title), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(bar, &press);
    }
};

// Made and destroyed by main, inside the lifetime of the QApplication.
Application* g_pApplication = nullptr;

Application& App() { return *g_pApplication; }

// Runs fn on the user-interface thread once the loop lets events through,
// asked from another thread at the given moment; returns that moment.
template <class F> std::thread ClickAt(Clock::time_point when, Clock::time_point* pAskedAt, F fn) {
    return std::thread([when, pAskedAt, fn] {
        std::this_thread::sleep_until(when);
        *pAskedAt = Clock::now();
        QMetaObject::invokeMethod(qApp, fn, Qt::QueuedConnection);
    });
}

void BM_RunCommand(benchmark::State& state, const WindowSet* pSet) {
    Application& a = App();
    if (!a.frame && !a.Open()) {
        state.SkipWithError("the application could not open the example");
        return;
    }
    a.ShowWindows(*pSet);
    QMenu* menu = a.frame->menuBar()->actions().isEmpty() ? nullptr : a.frame->menuBar()->actions().first()->menu();
    if (menu == nullptr) {
        state.SkipWithError("the main window has no menu");
        return;
    }
    double states = 0;
    double seconds = 0;
    double terminateSeconds = 0;
    double menuSeconds = 0;
    for (auto _ : state) {
        const u64 startStates = g_Sim.TStates();
        Clock::time_point terminateAsked{};
        Clock::time_point menuAsked{};
        Clock::time_point menuShown{};
        // The menu closes as soon as it shows, letting the program go on.
        const QMetaObject::Connection shown = QObject::connect(menu, &QMenu::aboutToShow, menu, [&] {
            menuShown = Clock::now();
            QTimer::singleShot(0, menu, &QMenu::close);
        });
        const Clock::time_point start = Clock::now();
        std::thread menuClick = ClickAt(start + kMenuClickAt, &menuAsked, [&a] { a.ClickFirstMenu(); });
        std::thread terminateClick =
            ClickAt(start + kRunTime, &terminateAsked, [&a] { a.ClickToolbar(ID_RUN_TERMINATEPROGRAM); });
        a.ClickToolbar(ID_RUN_RUN);
        const Clock::time_point end = Clock::now();
        menuClick.join();
        terminateClick.join();
        QObject::disconnect(shown);
        seconds += Seconds(end - start);
        terminateSeconds += Seconds(end - terminateAsked);
        menuSeconds += Seconds(menuShown - menuAsked);
        states += double(g_Sim.TStates() - startStates);
    }
    const double iterations = double(state.iterations());
    const double statesPerSecond = states / seconds;
    state.counters["instr_per_s"] = statesPerSecond / a.statesPerInstruction;
    state.counters["ratio_to_8085_3072kHz"] = statesPerSecond / kRealClockHz;
    state.counters["core_instr_per_s"] = a.coreInstructionsPerSecond;
    state.counters["core_ratio_to_8085"] = a.coreInstructionsPerSecond * a.statesPerInstruction / kRealClockHz;
    state.counters["terminate_ms"] = terminateSeconds / iterations * 1e3;
    state.counters["menu_ms"] = menuSeconds / iterations * 1e3;
    state.SetLabel(QGuiApplication::platformName().toStdString());
}

// Single Step as F7 gives it, then the events that repaint the windows.
void BM_SingleStep(benchmark::State& state, const WindowSet* pSet) {
    Application& a = App();
    if (!a.frame && !a.Open()) {
        state.SkipWithError("the application could not open the example");
        return;
    }
    a.ShowWindows(*pSet);
    a.frame->GetAction(ID_RUN_CPURESET)->trigger();
    QCoreApplication::processEvents();
    double seconds = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        a.frame->ExecuteIfEnabled(ID_RUN_SINGLESTEP);
        QCoreApplication::processEvents();
        seconds += Seconds(Clock::now() - start);
    }
    state.counters["step_ms"] = seconds / double(state.iterations()) * 1e3;
    state.SetLabel(QGuiApplication::platformName().toStdString());
}

}  // namespace

int main(int argc, char** argv) {
    // Without a display the application runs headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::printf("Run measured on the %s platform\n", qPrintable(QGuiApplication::platformName()));
    auto simulator = std::make_unique<Application>();
    g_pApplication = simulator.get();
    for (const WindowSet& set : kWindowSets) {
        benchmark::RegisterBenchmark((std::string("BM_RunCommand/") + set.name).c_str(), BM_RunCommand, &set)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5)
            ->UseRealTime();
    }
    for (const WindowSet& set : kWindowSets) {
        benchmark::RegisterBenchmark((std::string("BM_SingleStep/") + set.name).c_str(), BM_SingleStep, &set)
            ->Unit(benchmark::kMicrosecond)
            ->Iterations(kSteps)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_pApplication = nullptr;
    simulator.reset();
    return 0;
}
