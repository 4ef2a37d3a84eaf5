// Speed of the Run command itself: the application headless, a program open
// in its program window (and the watch windows the program window opens),
// a long-running loop, Run stopped by the toolbar's Terminate. Reported as
// instructions per second, as the ratio of simulated to real time for an
// 8085 clocked at 3.072 MHz, and as the time Terminate takes to end the run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <memory>

#include "app/Brixcdoc.h"
#include "app/Mainfrm.h"
#include "app/TorvanApp.h"
#include "platform/AppFolder.h"
#include "platform/MessageBox.h"
#include "sim/Simulator.h"

namespace {

constexpr double kRealClockHz = 3.072e6;
constexpr int kRunMilliseconds = 300;

// LXI SP,2000
// outer: MVI A,00
// inner: INR A / STA 3000 / JNZ inner
//        JMP outer
const unsigned char kLoop[] = {0x31, 0x00, 0x20, 0x3E, 0x00, 0x3C, 0x32, 0x00, 0x30, 0xC2, 0x05, 0x00, 0xC3, 0x03, 0x00};
// One pass of the outer loop: MVI, 255 taken inner passes (INR 4 + STA 13 +
// JNZ 10), the last inner pass (JNZ not taken, 7) and JMP.
constexpr double kOuterStates = 7 + 255 * 27 + (4 + 13 + 7) + 10;
constexpr double kOuterInstructions = 1 + 256 * 3 + 1;

struct Application {
    QTemporaryDir dir;
    std::unique_ptr<CTorvanApp> app;
    CMainFrame* frame = nullptr;

    bool Open()
    {
        QStandardPaths::setTestModeEnabled(true);
        SetAppFolderOverride(dir.path());
        SetMessageBoxResponder([](const QString&, unsigned) { return int(IDOK); });
        const QString path = dir.filePath(QStringLiteral("loop.bin"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(reinterpret_cast<const char*>(kLoop), sizeof kLoop);
        file.close();
        app = std::make_unique<CTorvanApp>();
        if (!app->InitInstance({path}))
            return false;
        frame = AfxGetMainWnd();
        return frame != nullptr && app->GetDocument() != nullptr;
    }

    void ClickToolbar(int nID) const
    {
        if (QWidget* button = frame->m_wndToolBar->widgetForAction(frame->GetAction(nID)))
            QMetaObject::invokeMethod(button, "click");
    }
};

// Made and destroyed by main, inside the lifetime of the QApplication.
Application* g_pApplication = nullptr;

Application& App()
{
    return *g_pApplication;
}

void BM_RunCommand(benchmark::State& state)
{
    Application& a = App();
    if (!a.frame && !a.Open()) {
        state.SkipWithError("the application could not open the program");
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
    state.counters["instr_per_s"] = statesPerSecond * kOuterInstructions / kOuterStates;
    state.counters["ratio_to_8085_3072kHz"] = statesPerSecond / kRealClockHz;
    state.counters["terminate_latency_us"] = terminateSeconds / double(state.iterations()) * 1e6;
}

} // namespace

BENCHMARK(BM_RunCommand)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
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
