// The library export, timed against its anchor in the same run:
//  - BM_export / BM_cp_r: songs of 1 to 10 MB (300 unless
//    QUILLORY_EXPORT_SONGS says otherwise) exported into a fresh folder, and
//    the same files copied with cp -r; the ratio of their throughputs;
//  - BM_second_export: an export of 33,000 songs into a folder that holds
//    them all already (from an untimed first export), which must open no song;
//  - peak memory of a dry-run export of 100,000 songs, run in a process of
//    its own (export_bench --memory) so nothing else counts, against the size
//    of the database file.
//
//   build/bench/export/export_bench

#include "BenchSupport.h"
#include "CountingStorage.h"
#include "core/common/ProgressSink.h"
#include "core/copy/CopyStorage.h"
#include "core/device/iPod.h"
#include "core/export/ExportJob.h"
#include "core/export/PlayerLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <string>

namespace {

constexpr int resumeSongs = 33'000;
constexpr int memorySongs = 100'000;

int throughputSongs()
{
    const int songs = qEnvironmentVariableIntValue("QUILLORY_EXPORT_SONGS");
    return songs > 0 ? songs : 300;
}

// A player folder whose database lists `tracks` songs, each of them there
// with the size sizeOf(i) gives.
struct Player
{
    QTemporaryDir dir;
    iPod pod;
    qint64 bytes = 0;

    template <typename Size>
    Player(int tracks, Size sizeOf)
    {
        if (!writeBenchmarkPlayer(dir.path(), tracks))
            qFatal("cannot write the player");
        const QString root = dir.path();
        if (pod.readitunesdb([root] { return std::optional<QString>(root); }) != iPod::ReadOutcome::Complete)
            qFatal("cannot read the player");
        const Library &library = pod.library();
        QByteArray data;
        for (qsizetype i = 0; i < library.trackCount(); ++i) {
            const qint64 size = sizeOf(i);
            if (data.size() < size) {
                data.resize(size);
                QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(data.data()), size / 4);
            }
            const QString path = root + library.text(i, TrackText::Location).toString().replace(u'\\', u'/');
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(data.constData(), size) != size)
                qFatal("cannot write a song");
            bytes += size;
        }
    }

    ExportReport exportTo(const QString &destination, CopyStorage &storage, bool dryRun = false) const
    {
        const ExportLibrary library = playerLibrary(pod.library());
        ExportOptions options;
        options.destination = destination;
        options.playerRoot = dir.path();
        options.dryRun = dryRun;
        NoProgress progress;
        return exportLibrary({.library = library, .options = options, .storage = storage, .progress = progress});
    }
};

Player &songsPlayer()
{
    static Player player(throughputSongs(), [](qsizetype i) {
        std::mt19937 random(static_cast<unsigned>(i));
        return qint64{1'000'000} + static_cast<qint64>(random() % 9'000'001);
    });
    return player;
}

void BM_export(benchmark::State &state)
{
    Player &p = songsPlayer();
    timeCopies(state, p.bytes, [&](const QString &target) {
        FileCopyStorage storage;
        const ExportReport report = p.exportTo(target, storage);
        if (report.outcome != ExportOutcome::Done || report.tally.copied != report.tally.songs)
            state.SkipWithError("the export failed");
    });
}

void BM_cp_r(benchmark::State &state)
{
    Player &p = songsPlayer();
    const QString music = p.dir.filePath(QStringLiteral("iPod_Control/Music"));
    timeCopies(state, p.bytes, [&](const QString &target) {
        if (QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), music, target}) != 0)
            state.SkipWithError("cp failed");
    });
}

void BM_second_export(benchmark::State &state)
{
    static Player p(resumeSongs, [](qsizetype i) { return qint64{100} + i % 400; });
    const QString target = keptFolder();
    CountingStorage storage;
    if (p.exportTo(target, storage).tally.copied != resumeSongs) {
        state.SkipWithError("the first export failed");
        return;
    }
    storage.copies = 0;
    for (auto _ : state) {
        const ExportReport report = p.exportTo(target, storage);
        if (report.tally.alreadyThere != resumeSongs || storage.opens() != 0)
            state.SkipWithError("the second export opened songs or missed copies");
    }
    state.counters["songs_opened"] = storage.opens();
}

BENCHMARK(BM_export)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_cp_r)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_second_export)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

// The most memory the process has held, in kB (VmHWM: unlike getrusage, it
// starts anew at exec, so the parent's peak does not count).
qint64 peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// The peak memory of a dry-run export of memorySongs songs, whose files are
// not there (each is then named as unreadable, the most the job keeps).
int measureMemory(const QString &root)
{
    const qint64 databaseBytes = QFileInfo(itunesDbPath(root)).size();
    iPod pod;
    if (pod.readitunesdb([root] { return std::optional<QString>(root); }) != iPod::ReadOutcome::Complete)
        return 1;
    const ExportLibrary library = playerLibrary(pod.library());
    ExportOptions options;
    options.destination = root + QStringLiteral("/../never-written");
    options.dryRun = true;
    FileCopyStorage storage;
    NoProgress progress;
    const ExportReport report =
        exportLibrary({.library = library, .options = options, .storage = storage, .progress = progress});
    const qint64 peak = peakKb();
    const double peakMb = static_cast<double>(peak) * 1024 / 1e6;
    std::printf("peak memory exporting %d songs: %.1f MB, database %.1f MB, so file size + %.1f MB "
                "(target at most file size + 96 MB); %lld songs planned\n",
                memorySongs, peakMb, databaseBytes / 1e6, peakMb - databaseBytes / 1e6,
                static_cast<long long>(report.tally.songs));
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 2 && std::string(argv[1]) == "--memory")
        return measureMemory(QString::fromLocal8Bit(argv[2]));
    TimesReporter reporter(TimesReporter::OO_Tabular);
    reporter.runInterleaved(argc, argv, 5);
    const double ours = reporter.throughput("BM_export/iterations:1/real_time");
    const double cp = reporter.throughput("BM_cp_r/iterations:1/real_time");
    if (ours > 0 && cp > 0)
        std::printf("export of %d songs: %.0f MB/s   cp -r: %.0f MB/s   export/cp: %.2fx (target at least 0.95x)\n",
                    throughputSongs(), ours / 1e6, cp / 1e6, ours / cp);
    if (const std::optional<double> second = reporter.realTime("BM_second_export/iterations:3/real_time"))
        std::printf("second export of %d songs already there: %.0f ms, no song opened (target at most 2000 ms)\n",
                    resumeSongs, *second);
    std::fflush(stdout);
    // The player of the memory run is written here, so that writing it counts for nothing there.
    QTemporaryDir memoryPlayer;
    if (!writeBenchmarkPlayer(memoryPlayer.path(), memorySongs))
        return 1;
    QProcess memory;
    memory.setProcessChannelMode(QProcess::ForwardedChannels);
    memory.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--memory"), memoryPlayer.path()});
    memory.waitForFinished(-1);
    benchmark::Shutdown();
    return 0;
}
