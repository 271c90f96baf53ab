// Connect without the window (read the database, fill and colour the grid)
// and the sort commands, on a library of 40,000 tracks. With libgpod present
// its parse of the same file is timed too, and the ratio is printed.

#include "core/common/EventPump.h"
#include "core/device/iPod.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"
#include "core/grid/GridSort.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int trackCount = 40'000;

// A player root in a temporary folder holding the generated database.
struct Player
{
    Player() { writeBenchmarkPlayer(dir.path(), trackCount); }
    QTemporaryDir dir;
};

Player &player()
{
    static Player p;
    return p;
}

void connectWithoutWindow(GridModel &grid)
{
    iPod pod;
    EventPump pump;
    const QString root = player().dir.path();
    pod.readitunesdb([&root] { return std::optional<QString>(root); }, [&pump] { pump.maybeYield(); });
    PlayTimeBoxes total;
    int bar = 0;
    FillProgress progress;
    progress.setMaximum = [&bar](int m) { bar = m; };
    progress.setValue = [&bar](int v) { bar = v; };
    progress.yield = [&pump] { pump.maybeYield(); };
    FILLGRID(grid, pod.songList(), pod.lastsongindex(), total, progress);
    pump.yieldNow();
    benchmark::DoNotOptimize(total.Text2);
}

void BM_ConnectEndToEnd(benchmark::State &state)
{
    player();  // writes the database once, outside the timed loop
    for (auto _ : state) {
        GridModel grid;
        connectWithoutWindow(grid);
        benchmark::DoNotOptimize(grid.rows());
    }
}
BENCHMARK(BM_ConnectEndToEnd)->Unit(benchmark::kMillisecond);

// Each sort starts from the order of the File Name column, which is unrelated to the key.
void BM_Sort(benchmark::State &state)
{
    GridModel grid;
    connectWithoutWindow(grid);
    const int column = static_cast<int>(state.range(0));
    const bool descending = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        sortGrid(grid, GridColumn::FileName, false);
        state.ResumeTiming();
        sortGrid(grid, column, descending);
    }
}
BENCHMARK(BM_Sort)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_LibgpodParse(benchmark::State &state)
{
    parseWithLibgpod(state, itunesDbPath(player().dir.path()), trackCount);
}
BENCHMARK(BM_LibgpodParse)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("BM_ConnectEndToEnd", "BM_LibgpodParse", "Connect end to end / libgpod parse", 1.5);
    benchmark::Shutdown();
    return 0;
}
