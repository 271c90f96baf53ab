// The reader against libgpod on databases that libgpod itself wrote, with every
// field the library reads set and 25 playlists beside the master: libgpod's
// parse and our reader (song list, library and playlists) on the same file at
// 33,000 and 100,000 tracks, and the
// command-line list against a libgpod parse that prints every track at 33,000,
// each run as a process with its output thrown away and timed by the processor
// time it took. Then the peak memory of a
// process that reads 100,000 and 200,000 tracks.
//
// Targets: the reader at most 0.10 of libgpod's time, the list at most 0.30 of
// libgpod's parse and print, the peak at most the file size + 64 MB.
//
// The databases are kept in bench-data beside this program, so later runs skip
// writing them.

#include "BenchSupport.h"
#include "core/device/iPod.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

constexpr int kSmall = 33000;
constexpr int kLarge = 100000;
constexpr int kHuge = 200000;

QString playerRoot(const char *writer, int tracks)
{
    return QCoreApplication::applicationDirPath()
        + QStringLiteral("/bench-data/%1-%2").arg(QLatin1String(writer)).arg(tracks);
}

// A player of `tracks` songs with playlists, written by libgpod.
QString gpodPlayer(int tracks)
{
    return playerRoot("gpodlibrary", tracks);
}

// The playlists libgpod's generated players hold: the master and 25 more.
constexpr std::size_t kGeneratedPlaylists = 26;

QString databasePath(const QString &root)
{
    return itunesDbPath(root);
}

// Writes the database of a player folder with the given program unless it is there.
bool ensureDatabase(const QString &root, const QString &program, const QStringList &args)
{
    if (QFileInfo(databasePath(root)).size() > 0)
        return true;
    QDir(root).mkpath(QStringLiteral("iPod_Control/iTunes"));
    std::fprintf(stderr, "writing %s ...\n", qPrintable(databasePath(root)));
    return QProcess::execute(program, args) == 0;
}

bool prepareDatabases()
{
    bool ok = true;
    for (const int tracks : {kSmall, kLarge}) {
        const QString root = gpodPlayer(tracks);
        ok = ok
            && ensureDatabase(root, QStringLiteral(QUILLORY_GPODWRITER),
                              {QStringLiteral("--generate"), QString::number(tracks), databasePath(root)});
    }
    // The largest is written by the test writer in a child, which libgpod would take minutes for.
    const QString huge = playerRoot("writer", kHuge);
    return ok
        && ensureDatabase(huge, QCoreApplication::applicationFilePath(), {QStringLiteral("--write-database"), huge});
}

// Reads a player; Complete only when its songs and every playlist were read.
iPod::ReadOutcome readPlayer(const QString &root, std::size_t playlists)
{
    iPod pod;
    const iPod::ReadOutcome outcome = pod.readitunesdb([&] { return std::optional<QString>(root); });
    benchmark::DoNotOptimize(pod.songList().count());
    benchmark::DoNotOptimize(pod.library().trackCount());
    return pod.library().playlists().size() == playlists ? outcome : iPod::ReadOutcome::Stopped;
}

void BM_Reader(benchmark::State &state)
{
    const QString root = gpodPlayer(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (readPlayer(root, kGeneratedPlaylists) != iPod::ReadOutcome::Complete)
            state.SkipWithError("the database and its playlists did not read completely");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Reader)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

void BM_Libgpod(benchmark::State &state)
{
    const int tracks = static_cast<int>(state.range(0));
    parseWithLibgpod(state, databasePath(gpodPlayer(tracks)), tracks);
}
BENCHMARK(BM_Libgpod)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

void BM_CliList(benchmark::State &state)
{
    runEachIteration(
        state, {QStringLiteral(QUILLORY_CLI), QStringLiteral("list"), QStringLiteral("--player"), gpodPlayer(kSmall)});
}
BENCHMARK(BM_CliList)->UseManualTime()->MinTime(2)->Unit(benchmark::kMillisecond);

void BM_LibgpodPrint(benchmark::State &state)
{
    runEachIteration(
        state, {QStringLiteral(QUILLORY_GPODWRITER), QStringLiteral("--print"), databasePath(gpodPlayer(kSmall))});
}
BENCHMARK(BM_LibgpodPrint)->UseManualTime()->MinTime(2)->Unit(benchmark::kMillisecond);

// Child mode: read the database once in a fresh process and print its peak memory.
int measurePeak(const QString &root, std::size_t playlists)
{
    if (readPlayer(root, playlists) != iPod::ReadOutcome::Complete)
        return 1;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}

// Runs this program again with the arguments; its standard output, or nothing when it fails.
std::optional<QByteArray> runSelf(const QStringList &args)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), args);
    if (!child.waitForFinished(600000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return std::nullopt;
    return child.readAllStandardOutput();
}

void printPeak(const QString &root, int tracks, const std::optional<QByteArray> &peak)
{
    const double fileMb = static_cast<double>(QFileInfo(databasePath(root)).size()) / (1024.0 * 1024.0);
    if (peak)
        std::printf("peak memory reading %d tracks (%.1f MB file): %.1f MB (target at most %.1f MB)\n", tracks, fileMb,
                    peak->trimmed().toDouble() / 1024.0, fileMb + 64.0);
    else
        std::printf("peak memory reading %d tracks: the measuring process failed\n", tracks);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArrayView(argv[1]) == "--write-database")
        return writeBenchmarkPlayer(QString::fromLocal8Bit(argv[2]), kHuge) ? 0 : 1;
    if (argc == 4 && QByteArrayView(argv[1]) == "--peak-memory")
        return measurePeak(QString::fromLocal8Bit(argv[2]), std::strtoul(argv[3], nullptr, 10));

    benchmark::Initialize(&argc, argv);
    if (!prepareDatabases()) {
        std::fprintf(stderr, "cannot write the benchmark databases\n");
        return 1;
    }
    // The measuring children start while this process is small: a child's peak
    // counts from the size of the process it was started from.
    const QString huge = playerRoot("writer", kHuge);
    // The test writer's player holds the master playlist only.
    const std::optional<QByteArray> largePeak =
        runSelf({QStringLiteral("--peak-memory"), gpodPlayer(kLarge), QString::number(kGeneratedPlaylists)});
    const std::optional<QByteArray> hugePeak = runSelf({QStringLiteral("--peak-memory"), huge, QStringLiteral("1")});

    TimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n");
    reporter.printRatio("BM_Reader/33000", "BM_Libgpod/33000", "reader / libgpod time, 33,000 tracks", 0.10);
    reporter.printRatio("BM_Reader/100000", "BM_Libgpod/100000", "reader / libgpod time, 100,000 tracks", 0.10);
    reporter.printRatio("BM_CliList/min_time:2.000/manual_time", "BM_LibgpodPrint/min_time:2.000/manual_time",
                        "quillory-cli list / libgpod parse and print, processor time, 33,000 tracks", 0.30);
    printPeak(gpodPlayer(kLarge), kLarge, largePeak);
    printPeak(huge, kHuge, hugePeak);
    return 0;
}
