// Reads a 40,000-track database into the song list and, where libgpod is
// available, parses the same file with libgpod, then prints how the two times
// compare and the reader's peak memory against the file size.
//
// Targets: the reader takes at most a quarter of libgpod's time, and a process
// that reads the database peaks at no more than the file size + 64 MB.

#include "BenchSupport.h"
#include "core/device/iPod.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <optional>

namespace {

constexpr int kTracks = 40000;

// The player folder that holds the benchmark database, written by a child process
// so that this process stays small for the memory measurement.
QString &playerRoot()
{
    static QString root;
    return root;
}

QString databasePath()
{
    return playerRoot() + QStringLiteral("/iPod_Control/iTunes/iTunesDB");
}

int writeDatabase(const QString &root)
{
    playerRoot() = root;
    return writeBenchmarkPlayer(root, kTracks) ? 0 : 1;
}

iPod::ReadOutcome readPlayer(const QString &root)
{
    iPod pod;
    const iPod::ReadOutcome outcome = pod.readitunesdb([&] { return std::optional<QString>(root); });
    benchmark::DoNotOptimize(pod.songList().count());
    return outcome;
}

void BM_ReadSongList(benchmark::State &state)
{
    const QString root = playerRoot();
    for (auto _ : state) {
        if (readPlayer(root) != iPod::ReadOutcome::Complete)
            state.SkipWithError("the database did not read completely");
    }
    state.SetItemsProcessed(state.iterations() * kTracks);
    state.SetBytesProcessed(state.iterations() * QFileInfo(databasePath()).size());
}
BENCHMARK(BM_ReadSongList)->Unit(benchmark::kMillisecond);

void BM_LibgpodParse(benchmark::State &state)
{
    parseWithLibgpod(state, databasePath(), kTracks);
}
BENCHMARK(BM_LibgpodParse)->Unit(benchmark::kMillisecond);

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Child mode: read the database once in a fresh process and print its peak memory.
int measurePeak(const QString &root)
{
    if (readPlayer(root) != iPod::ReadOutcome::Complete)
        return 1;
    std::printf("%ld\n", peakKilobytes());
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

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArrayView(argv[1]) == "--write-database")
        return writeDatabase(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && QByteArrayView(argv[1]) == "--peak-memory")
        return measurePeak(QString::fromLocal8Bit(argv[2]));

    benchmark::Initialize(&argc, argv);
    // Both children start while this process is small: a child's peak counts from
    // the size of the process it was started from.
    const QTemporaryDir root;
    playerRoot() = root.path();
    if (!runSelf({QStringLiteral("--write-database"), root.path()})) {
        std::fprintf(stderr, "cannot write the benchmark database\n");
        return 1;
    }
    const std::optional<QByteArray> peak = runSelf({QStringLiteral("--peak-memory"), root.path()});

    TimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double fileMb = static_cast<double>(QFileInfo(databasePath()).size()) / (1024.0 * 1024.0);
    std::printf("\ndatabase: %d tracks, %.1f MB\n", kTracks, fileMb);
    reporter.printRatio("BM_ReadSongList", "BM_LibgpodParse", "reader / libgpod time", 0.25);
    if (peak)
        std::printf("peak memory of a process reading it: %.1f MB (target at most %.1f MB)\n",
                    peak->trimmed().toDouble() / 1024.0, fileMb + 64.0);
    else
        std::printf("peak memory: the measuring process failed\n");
    return 0;
}
