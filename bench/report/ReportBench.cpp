// The statistics report, the HTML song list and a search press that finds
// nothing, on a library of 100,000 tracks read and filled as Connect does.
//
// Targets: the report at most 30 ms, the list at most 80 ms, the search at
// most 50 ms.

#include "core/common/EventPump.h"
#include "core/common/ProgressSink.h"
#include "core/device/iPod.h"
#include "core/export/HtmlList.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"
#include "core/grid/Search.h"
#include "core/stats/StatsReport.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int trackCount = 100'000;

// Shows nothing but lets events run as the window does.
class PumpingProgress : public NoProgress
{
public:
    void yield() override { m_pump.maybeYield(); }

private:
    EventPump m_pump;
};

// The player read and the grid filled once, outside the timed loops.
struct Library
{
    Library()
    {
        writeBenchmarkPlayer(dir.path(), trackCount);
        const QString root = dir.path();
        pod.readitunesdb([&root] { return std::optional<QString>(root); });
        FILLGRID(grid, pod.songList(), pod.lastsongindex(), total);
    }
    QTemporaryDir dir;
    iPod pod;
    GridModel grid;
    PlayTimeBoxes total;
};

Library &library()
{
    static Library lib;
    return lib;
}

// The first report of a run: the unique-artist list starts empty.
void BM_StatsReport(benchmark::State &state)
{
    Library &lib = library();
    NoProgress progress;
    for (auto _ : state) {
        QStringList List2;
        const StatsReport report = getinfo(
            {.songs = lib.pod.songList(), .grid = lib.grid, .totalMinutes = lib.total.Text2, .infoFrameCaption = {}},
            List2, progress);
        if (!report.complete)
            state.SkipWithError("the report ended early");
        benchmark::DoNotOptimize(report.text.size());
    }
}
BENCHMARK(BM_StatsReport)->Unit(benchmark::kMillisecond);

void BM_HtmlList(benchmark::State &state)
{
    Library &lib = library();
    PumpingProgress progress;
    const QString path = lib.dir.filePath(QStringLiteral("list.html"));
    for (auto _ : state) {
        if (!writeHtmlList(lib.grid, path, progress).ok)
            state.SkipWithError("the list could not be written");
    }
}
BENCHMARK(BM_HtmlList)->Unit(benchmark::kMillisecond);

// One press that walks all 800,000 cells without a match, yielding as the window does.
void BM_SearchWithoutMatch(benchmark::State &state)
{
    Library &lib = library();
    PumpingProgress progress;
    for (auto _ : state) {
        GridSearch search(lib.grid);
        const GridSearch::Outcome outcome = search.press(QStringLiteral("no such text anywhere"), progress);
        if (outcome.found)
            state.SkipWithError("the text was found");
    }
}
BENCHMARK(BM_SearchWithoutMatch)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    reporter.printLimit("BM_StatsReport", "Statistics report, 100,000 tracks", 30);
    reporter.printLimit("BM_HtmlList", "HTML song list, 100,000 rows", 80);
    reporter.printLimit("BM_SearchWithoutMatch", "Search without a match, 100,000 rows", 50);
    benchmark::Shutdown();
    return 0;
}
