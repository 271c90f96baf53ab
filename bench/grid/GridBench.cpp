// Connect without the window (read the database, fill and colour the grid)
// and the sort commands, on a library of 40,000 tracks. With libgpod present
// its parse of the same file is timed too, and the ratio is printed.

#include "common/EventPump.h"
#include "device/iPod.h"
#include "grid/GridFill.h"
#include "grid/GridModel.h"
#include "grid/GridSort.h"

#include "ItunesDbWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#ifdef QUILLORY_HAVE_GPOD
#include <gpod/itdb.h>
#endif

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace {

constexpr int trackCount = 40'000;

QByteArray makeLibrary()
{
    std::mt19937 random(7);
    itdb::Database db;
    db.tracks.reserve(trackCount);
    for (int i = 0; i < trackCount; ++i) {
        itdb::Track t;
        const int artist = static_cast<int>(random() % 2000);
        t.title = QStringLiteral("Song %1 from a long night of listening").arg(random() % 100000);
        t.artist = QStringLiteral("Artist number %1").arg(artist);
        t.album = QStringLiteral("Album %1 of artist %2").arg(random() % 3).arg(artist);
        t.genre = QStringLiteral("Genre %1").arg(random() % 25);
        t.fileType = QStringLiteral("MPEG audio file");
        t.location = QStringLiteral(":iPod_Control:Music:F%1:%2.mp3")
                         .arg(random() % 50, 2, 10, QLatin1Char('0'))
                         .arg(QString::number(random() % 0xFFFFFF, 16).toUpper());
        t.lengthMs = static_cast<std::uint32_t>(60'000 + random() % 540'000);
        t.trackNumber = static_cast<std::uint32_t>(random() % 20);
        t.order = {itdb::Title, itdb::Location, itdb::Album, itdb::Artist, itdb::Genre, itdb::FileType};
        db.tracks.push_back(std::move(t));
    }
    return itdb::write(db);
}

// A player root in a temporary folder holding the generated database.
struct Player
{
    Player()
    {
        QDir(dir.path()).mkpath(QStringLiteral("iPod_Control/iTunes"));
        QFile file(itunesDbPath(dir.path()));
        if (file.open(QIODevice::WriteOnly))
            file.write(makeLibrary());
    }
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

#ifdef QUILLORY_HAVE_GPOD
void BM_LibgpodParse(benchmark::State &state)
{
    const QByteArray path = QFile::encodeName(itunesDbPath(player().dir.path()));
    for (auto _ : state) {
        Itdb_iTunesDB *db = itdb_parse_file(path.constData(), nullptr);
        if (!db) {
            state.SkipWithError("libgpod could not parse the database");
            break;
        }
        benchmark::DoNotOptimize(db);
        itdb_free(db);
    }
}
BENCHMARK(BM_LibgpodParse)->Unit(benchmark::kMillisecond);
#endif

// Prints as usual and keeps each benchmark's real time per iteration.
class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration)
                realTime[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> realTime;
};

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto connect = reporter.realTime.find("BM_ConnectEndToEnd");
    const auto parse = reporter.realTime.find("BM_LibgpodParse");
    if (connect != reporter.realTime.end() && parse != reporter.realTime.end() && parse->second > 0)
        std::printf("Connect end to end / libgpod parse: %.2f (target at most 1.5)\n", connect->second / parse->second);
    benchmark::Shutdown();
    return 0;
}
