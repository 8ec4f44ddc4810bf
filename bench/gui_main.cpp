// Benchmarks of the desktop programs.
//
// Cold start: each iteration starts this program again as a separate process in its one-start
// mode (`bench_gui --start-once timbra`), which makes the QApplication, opens the main window
// exactly as the program does (maximised, with its report view and menus), waits until the
// window is on screen and exits. The time is the wall-clock time of the whole process, from
// launch to exit, so it also counts loading the libraries and tearing down.
//
// View Results: a view holding a 40-plot run lays a fresh report sheet down, fills it and
// repaints the grid; that is View Results plus the sheet reset that New does, an upper bound.
//
// Without a display both run on Qt's offscreen platform.

#include "../tests/gui/GuiTestSupport.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/Startup.h"
#include "gui/view/CTimbraView.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

const timbra::ProgramProfile& profileFor(const char* executable) {
    return std::strcmp(executable, "lowtimbra") == 0 ? timbra::lowtimbraProfile() : timbra::timbraProfile();
}

int startOnce(int argc, char** argv, const char* executable) {
    QApplication app(argc, argv);
    const auto frame = openMainWindow(profileFor(executable));
    QElapsedTimer waited;
    waited.start();
    while (!frame->windowHandle()->isExposed() && waited.elapsed() < 10000)
        QApplication::processEvents();
    return frame->windowHandle()->isExposed() ? 0 : 1;
}

void BM_ColdStart(benchmark::State& state, const char* executable) {
    for (auto _ : state) {
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(), {"--start-once", executable});
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("the one-start process failed");
            break;
        }
    }
}
BENCHMARK_CAPTURE(BM_ColdStart, timbra, "timbra")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(BM_ColdStart, lowtimbra, "lowtimbra")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

void BM_ViewResults(benchmark::State& state) {
    const timbra::ProgramProfile& profile = timbra::timbraProfile();
    TestPrompter prompter;
    CTimbraView view(profile);
    view.resize(1280, 900);
    view.show();
    whileModal([&] { view.OnInputData(); },
               [&](QDialog* d) {
                   runStand(profile, *qobject_cast<CInputDialog*>(d), 40);
                   prompter.answers = {true};
                   d->accept();
               });
    view.OnViewResults();
    if (view.grid()->sheet().GetText(1, 2).empty()) state.SkipWithError("the report did not fill");
    for (auto _ : state) {
        view.OnInitialUpdate();
        view.grid()->viewport()->repaint();
    }
}
BENCHMARK(BM_ViewResults)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!noDisplayMessage(timbra::timbraProfile()).isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], "--start-once") == 0) return startOnce(argc, argv, argv[2]);

    QApplication app(argc, argv);
    // Recovery copies of the benchmarks' tallies go to a scratch folder, never the user's own.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
