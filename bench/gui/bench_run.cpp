// Speed of the Run command itself: the application headless, the counter
// example open in its program window (and the watch windows the program
// window opens), Run stopped by the toolbar's Terminate. Reported as
// instructions per second, as the ratio of simulated to real time for an
// 8085 clocked at 3.072 MHz, and as the time Terminate takes to end the run.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <benchmark/benchmark.h>
#include <memory>

#include "app/Brixcdoc.h"
#include "app/Mainfrm.h"
#include "app/TorvanApp.h"
#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"
#include "sim/Simulator.h"

namespace {

constexpr double kRealClockHz = 3.072e6;
constexpr int kRunMilliseconds = 300;
// Instructions executed to learn the example's T-states per instruction.
constexpr int kCalibrationInstructions = 200000;
const char kExample[] = "counter";

struct Application {
    QTemporaryDir dir;
    std::unique_ptr<CTorvanApp> app;
    CMainFrame* frame = nullptr;

    double statesPerInstruction = 0;

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
        Calibrate();
        return true;
    }

    // The example's mix of instructions, interrupts included, measured by
    // executing it without the user interface; then the CPU starts afresh.
    void Calibrate() {
        g_Sim.UpdatePortList();
        const u32 startStates = g_Sim.m_tStates;
        for (int i = 0; i < kCalibrationInstructions; ++i) g_Sim.ExecuteInstruction();
        statesPerInstruction = double(u32(g_Sim.m_tStates - startStates)) / kCalibrationInstructions;
        frame->GetAction(ID_RUN_CPURESET)->trigger();
    }

    void ClickToolbar(int nID) const {
        if (QWidget* button = frame->m_wndToolBar->widgetForAction(frame->GetAction(nID)))
            QMetaObject::invokeMethod(button, "click");
    }
};

// Made and destroyed by main, inside the lifetime of the QApplication.
Application* g_pApplication = nullptr;

Application& App() { return *g_pApplication; }

void BM_RunCommand(benchmark::State& state) {
    Application& a = App();
    if (!a.frame && !a.Open()) {
        state.SkipWithError("the application could not open the example");
        return;
    }
    double states = 0;
    double seconds = 0;
    double terminateSeconds = 0;
    for (auto _ : state) {
        const u32 startStates = g_Sim.m_tStates;
        QElapsedTimer run;
        QElapsedTimer stop;
        QTimer::singleShot(kRunMilliseconds, [&] {
            stop.start();
            a.ClickToolbar(ID_RUN_TERMINATEPROGRAM);
        });
        run.start();
        a.ClickToolbar(ID_RUN_RUN);
        seconds += run.nsecsElapsed() * 1e-9;
        terminateSeconds += stop.nsecsElapsed() * 1e-9;
        states += double(u32(g_Sim.m_tStates - startStates));
    }
    const double statesPerSecond = states / seconds;
    state.counters["instr_per_s"] = statesPerSecond / a.statesPerInstruction;
    state.counters["ratio_to_8085_3072kHz"] = statesPerSecond / kRealClockHz;
    state.counters["terminate_latency_us"] = terminateSeconds / double(state.iterations()) * 1e6;
}

}  // namespace

BENCHMARK(BM_RunCommand)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    auto simulator = std::make_unique<Application>();
    g_pApplication = simulator.get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_pApplication = nullptr;
    simulator.reset();
    return 0;
}
