// The Stands window loading a tract of 1,000 full tallies (85 KB each): from Add to the last row in
// the table, on worker threads, with the window's event loop running as it does for the user. The
// counters give the longest the event loop was kept from answering a repaint or a click (a timer's
// tick every 10 ms, and how late the latest came), the memory
// the stands take once loaded (resident size after less before) and the peak resident size of the
// whole program.

#include "../tests/gui/GuiTestSupport.h"
#include "core/input/TallyFile.h"
#include "core_tallies.h"
#include "gui/tract/TractLoader.h"
#include "gui/tract/TractModel.h"
#include "gui/tract/TractWindow.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <fstream>

namespace {

constexpr int TractStands = 1000;

// "VmRSS" or "VmHWM" of this process, in MB.
double residentMb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) / 1024.0;
    return 0;
}

void BM_TractLoad(benchmark::State& state) {
    static QTemporaryDir folder;
    static const QStringList files = [] {
        QStringList all;
        const std::string text = timbra::formatTallyText(timbra::bench::fullTally(timbra::timbraProfile()));
        for (int i = 0; i < TractStands; ++i) {
            const QString path = folder.filePath(QString("stand-%1.txt").arg(i));
            std::ofstream(path.toStdString(), std::ios::binary)
                .write(text.data(), static_cast<long>(text.size()));
            all << path;
        }
        return all;
    }();
    double stands = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double before = residentMb("VmRSS");
        auto window = std::make_unique<TractWindow>(timbra::timbraProfile());
        window->show();
        state.ResumeTiming();
        // A tick every 10 ms: how late one comes is how long a repaint or a click would wait.
        QEventLoop loop;
        QTimer tick;
        QElapsedTimer sinceTick;
        qint64 longestWait = 0;
        QObject::connect(&tick, &QTimer::timeout,
                         [&] { longestWait = std::max(longestWait, sinceTick.restart() - 10); });
        QObject::connect(window->loader(), &TractLoader::finished, &loop, &QEventLoop::quit);
        window->addPaths(files);
        sinceTick.start();
        tick.start(10);
        loop.exec();
        state.PauseTiming();
        stands = window->model()->rowCount();
        state.counters["longest wait ms"] = static_cast<double>(longestWait);
        state.counters["stands MB"] = residentMb("VmRSS") - before;
        window.reset();
        state.ResumeTiming();
    }
    state.counters["stands"] = stands;
    state.counters["peak MB"] = residentMb("VmHWM");
}
BENCHMARK(BM_TractLoad)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
