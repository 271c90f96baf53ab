#include "BenchSupport.h"

#include "ItunesDbWriter.h"
#include "core/device/iPod.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef QUILLORY_HAVE_GPOD
#include <gpod/itdb.h>
#endif

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

QByteArray benchmarkLibrary(int tracks)
{
    static const char *const genres[] = {"Rock",    "Pop",        "Jazz", "Classical",
                                         "Hip-Hop", "Electronic", "Folk", "Soundtrack"};
    std::mt19937 random(1234);
    itdb::Database db;
    db.albumListFirst = true;
    db.databaseHeaderLength = 244;
    db.trackHeaderLength = 388;
    db.tracks.reserve(static_cast<std::size_t>(tracks));
    for (int i = 0; i < tracks; ++i) {
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

bool writeBenchmarkPlayer(const QString &root, int tracks)
{
    QDir(root).mkpath(QStringLiteral("iPod_Control/iTunes"));
    QFile file(itunesDbPath(root));
    const QByteArray bytes = benchmarkLibrary(tracks);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void parseWithLibgpod(benchmark::State &state, [[maybe_unused]] const QString &databasePath,
                      [[maybe_unused]] int tracks)
{
#ifdef QUILLORY_HAVE_GPOD
    const QByteArray path = QFile::encodeName(databasePath);
    for (auto _ : state) {
        GError *error = nullptr;
        Itdb_iTunesDB *db = itdb_parse_file(path.constData(), &error);
        const bool whole = db && static_cast<int>(g_list_length(db->tracks)) == tracks;
        g_clear_error(&error);
        if (db)
            itdb_free(db);
        if (!whole) {
            state.SkipWithError("libgpod could not parse the database");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * tracks);
#else
    state.SkipWithError("built without libgpod");
#endif
}

namespace {

// Runs a program with its standard output going to /dev/null; the processor time
// (user and system) it took, or nothing when it failed.
std::optional<double> runQuietly(const QStringList &command)
{
    std::vector<QByteArray> args;
    for (const QString &a : command)
        args.push_back(QFile::encodeName(a));
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    const auto seconds = [](const timeval &t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

void runEachIteration(benchmark::State &state, const QStringList &command)
{
    for (auto _ : state) {
        const std::optional<double> seconds = runQuietly(command);
        if (!seconds) {
            state.SkipWithError("the program failed");
            break;
        }
        state.SetIterationTime(*seconds);
    }
}

void TimesReporter::ReportRuns(const std::vector<Run> &runs)
{
    for (const Run &run : runs) {
        // A benchmark's median comes after its runs and takes their place.
        const bool kept = run.run_type == Run::RT_Iteration || run.aggregate_name == "median";
        if (!kept || run.error_occurred)
            continue;
        Figures &figures = m_figures[run.run_name.str()];
        figures.realTime = run.GetAdjustedRealTime();
        const auto bytes = run.counters.find("bytes_per_second");
        figures.bytesPerSecond = bytes != run.counters.end() ? bytes->second.value : 0;
    }
    ConsoleReporter::ReportRuns(runs);
}

void TimesReporter::runInterleaved(int argc, char **argv, int repetitions)
{
    std::string repeat = "--benchmark_repetitions=" + std::to_string(repetitions);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    std::vector<char *> args{argv[0], repeat.data(), interleave, aggregates};
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks(this);
}

std::optional<double> TimesReporter::realTime(const std::string &name) const
{
    if (const auto found = m_figures.find(name); found != m_figures.end())
        return found->second.realTime;
    return std::nullopt;
}

double TimesReporter::throughput(const std::string &name) const
{
    const auto found = m_figures.find(name);
    return found != m_figures.end() ? found->second.bytesPerSecond : 0;
}

void TimesReporter::printRatio(const std::string &a, const std::string &b, const char *label, double target) const
{
    const std::optional<double> first = realTime(a);
    const std::optional<double> second = realTime(b);
    if (first && second && *second > 0)
        std::printf("%s: %.3f (target at most %.2f)\n", label, *first / *second, target);
}

void TimesReporter::printLimit(const std::string &name, const char *label, double targetMs) const
{
    if (const std::optional<double> time = realTime(name))
        std::printf("%s: %.1f ms (target at most %.0f ms)\n", label, *time, targetMs);
}

void TimesReporter::printDifference(const std::string &a, const std::string &b, const char *label,
                                    double targetMs) const
{
    const std::optional<double> first = realTime(a);
    const std::optional<double> second = realTime(b);
    if (first && second)
        std::printf("%s: %+.1f ms (%.1f - %.1f ms; target at most %+.0f ms)\n", label, *first - *second, *first,
                    *second, targetMs);
}

QString keptFolder()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> folders;
    folders.push_back(std::make_unique<QTemporaryDir>());
    return folders.back()->path();
}

void timeCopies(benchmark::State &state, qint64 bytes, const std::function<void(const QString &)> &copy)
{
    for (auto _ : state) {
        state.PauseTiming();
        const QString target = keptFolder();
        ::sync();
        state.ResumeTiming();
        copy(target);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
