// Connect in the main window, end to end (read, fill, colour, the grid
// painted), on libraries of 33,000 and 100,000 tracks; every sort with both
// colour passes at 100,000 tracks; and what sorting adds to `quillory-cli
// grid` at 100,000 tracks, as processor time of the process.
//
// Targets: Connect at most 150 ms at 33,000 tracks and 400 ms at 100,000;
// any sort at most 20 ms; `grid --sort artist` at most 25 ms more processor
// time than `grid`.

#include "core/app/PlayerSession.h"
#include "core/grid/Columns.h"
#include "gui/app/DesktopServices.h"
#include "gui/grid/FGrid.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

// A player root in a temporary folder holding a generated database, one per size.
const QString &playerRoot(int tracks)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> players;
    auto &dir = players[tracks];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        writeBenchmarkPlayer(dir->path(), tracks);
    }
    static QString path;
    path = dir->path();
    return path;
}

// The real window with the real services, on the player folder.
struct Window
{
    explicit Window(const QString &root)
        : form(services.forWindow(nullptr, root, {}))
    {
        form.show();
    }
    DesktopServices services;
    Form1 form;
};

void BM_ConnectInWindow(benchmark::State &state)
{
    const int tracks = static_cast<int>(state.range(0));
    const QString root = playerRoot(tracks);  // written once, outside the timed loop
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<Window>(root);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->form.Command1_Click();
        window->form.gridView()->viewport()->repaint();
        benchmark::DoNotOptimize(window->form.grid().rows());
        state.PauseTiming();
        if (window->form.grid().rows() != tracks + 1)
            state.SkipWithError("the grid does not hold every song");
        window.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * tracks);
}
BENCHMARK(BM_ConnectInWindow)->Arg(33'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// Each sort starts from the order of the File Name column, which is unrelated to the key.
void BM_Sort(benchmark::State &state)
{
    constexpr int tracks = 100'000;
    PlayerSession session;
    const QString root = playerRoot(tracks);
    session.connect([&root] { return std::optional<QString>(root); });
    const int column = static_cast<int>(state.range(0));
    const bool descending = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        session.sort(GridColumn::FileName, false);
        state.ResumeTiming();
        session.sort(column, descending);
    }
}
BENCHMARK(BM_Sort)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {0, 1}})->Unit(benchmark::kMillisecond);

// The first sort after Connect, which also makes the column's keys.
void BM_FirstSortAfterConnect(benchmark::State &state)
{
    const QString root = playerRoot(100'000);
    std::unique_ptr<PlayerSession> session;
    for (auto _ : state) {
        state.PauseTiming();
        session = std::make_unique<PlayerSession>();
        session->connect([&root] { return std::optional<QString>(root); });
        state.ResumeTiming();
        session->sort(static_cast<int>(state.range(0)), false);
    }
}
BENCHMARK(BM_FirstSortAfterConnect)->Arg(GridColumn::Artist)->Arg(GridColumn::Title)->Unit(benchmark::kMillisecond);

// The whole command line program, its table thrown away: unsorted, then sorted by artist.
QStringList cliGrid(const QStringList &extra)
{
    return QStringList{QStringLiteral(QUILLORY_CLI), QStringLiteral("grid"), QStringLiteral("--player"),
                       playerRoot(100'000)}
    + extra;
}

void BM_CliGrid(benchmark::State &state)
{
    runEachIteration(state, cliGrid({}));
}
BENCHMARK(BM_CliGrid)->UseManualTime()->MinTime(3)->Unit(benchmark::kMillisecond);

void BM_CliGridSortedByArtist(benchmark::State &state)
{
    runEachIteration(state, cliGrid({QStringLiteral("--sort"), QStringLiteral("artist")}));
}
BENCHMARK(BM_CliGridSortedByArtist)->UseManualTime()->MinTime(3)->Unit(benchmark::kMillisecond);

void printTargets(const TimesReporter &reporter)
{
    std::printf("\n");
    reporter.printLimit("BM_ConnectInWindow/33000", "Connect in the window, 33,000 tracks", 150);
    reporter.printLimit("BM_ConnectInWindow/100000", "Connect in the window, 100,000 tracks", 400);
    for (int column = 0; column < 7; ++column) {
        for (const int descending : {0, 1}) {
            const std::string name = "BM_Sort/" + std::to_string(column) + "/" + std::to_string(descending);
            const std::string label = "sort by " + columnInfo(column).header.toString().toStdString()
                + (descending ? " descending" : " ascending") + " with both colour passes, 100,000 tracks";
            reporter.printLimit(name, label.c_str(), 20);
        }
    }
    reporter.printLimit("BM_FirstSortAfterConnect/2", "first sort by Artist after Connect, 100,000 tracks", 20);
    reporter.printLimit("BM_FirstSortAfterConnect/0", "first sort by Title after Connect, 100,000 tracks", 20);
    reporter.printDifference("BM_CliGridSortedByArtist/min_time:3.000/manual_time",
                             "BM_CliGrid/min_time:3.000/manual_time",
                             "quillory-cli grid --sort artist minus grid, processor time, 100,000 tracks", 25);
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printTargets(reporter);
    return 0;
}
