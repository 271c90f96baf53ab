// Reads a 40,000-track database into the song list and, where libgpod is
// available, parses the same file with libgpod, then prints how the two times
// compare and the reader's peak memory against the file size.
//
// Targets: the reader takes at most a quarter of libgpod's time, and a process
// that reads the database peaks at no more than the file size + 64 MB.

#include "ItunesDbWriter.h"
#include "device/iPod.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#ifdef QUILLORY_HAVE_GPOD
#include <gpod/itdb.h>
#endif

#include <sys/resource.h>

#include <cstdio>
#include <map>
#include <optional>
#include <random>

namespace {

constexpr int kTracks = 40000;

QByteArray realisticDatabase()
{
    static const char *const genres[] = {"Rock", "Pop", "Jazz", "Classical", "Hip-Hop", "Electronic", "Folk", "Soundtrack"};
    std::mt19937 random(1234);
    itdb::Database db;
    db.albumListFirst = true;
    db.databaseHeaderLength = 244;
    db.trackHeaderLength = 388;
    db.tracks.reserve(kTracks);
    for (int i = 0; i < kTracks; ++i) {
        const int artist = static_cast<int>(random() % 2500);
        itdb::Track t;
        t.title = QStringLiteral("Song number %1 of the collection (Remastered %2)").arg(i).arg(1990 + i % 30);
        t.artist = QStringLiteral("The Artist Ensemble %1").arg(artist);
        t.album = QStringLiteral("Greatest Recordings, Volume %1").arg(artist * 3 + i % 3);
        t.genre = QString::fromLatin1(genres[random() % std::size(genres)]);
        t.fileType = i % 4 == 0 ? QStringLiteral("AAC audio file") : QStringLiteral("MPEG audio file");
        t.location = QStringLiteral(":iPod_Control:Music:F%1:%2.mp3")
                         .arg(i % 50, 2, 10, QLatin1Char('0'))
                         .arg(QString::number(0x10000 + i, 36).toUpper());
        t.lengthMs = 90000 + static_cast<std::uint32_t>(random() % 400000);
        t.trackNumber = static_cast<std::uint32_t>(i % 15 + 1);
        t.order = {itdb::Title, itdb::Location, itdb::Album, itdb::Artist, itdb::Genre, itdb::FileType};
        db.tracks.push_back(std::move(t));
    }
    return itdb::write(db);
}

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
    QDir(root).mkpath(QStringLiteral("iPod_Control/iTunes"));
    QFile file(databasePath());
    const QByteArray bytes = realisticDatabase();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? 0 : 1;
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

#ifdef QUILLORY_HAVE_GPOD
void BM_LibgpodParse(benchmark::State &state)
{
    const QByteArray path = QFile::encodeName(databasePath());
    for (auto _ : state) {
        GError *error = nullptr;
        Itdb_iTunesDB *db = itdb_parse_file(path.constData(), &error);
        if (!db || g_list_length(db->tracks) != kTracks)
            state.SkipWithError("libgpod could not parse the database");
        g_clear_error(&error);
        if (db)
            itdb_free(db);
    }
    state.SetItemsProcessed(state.iterations() * kTracks);
}
BENCHMARK(BM_LibgpodParse)->Unit(benchmark::kMillisecond);
#endif

// Keeps the real time of every benchmark so the ratio can be printed at the end.
class TimesReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

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
    const auto reader = reporter.times.find("BM_ReadSongList");
    const auto gpod = reporter.times.find("BM_LibgpodParse");
    if (reader != reporter.times.end() && gpod != reporter.times.end())
        std::printf("reader / libgpod time: %.3f (target at most 0.25)\n", reader->second / gpod->second);
    if (peak)
        std::printf("peak memory of a process reading it: %.1f MB (target at most %.1f MB)\n",
                    peak->trimmed().toDouble() / 1024.0, fileMb + 64.0);
    else
        std::printf("peak memory: the measuring process failed\n");
    return 0;
}
