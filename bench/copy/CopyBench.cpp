// Copies 50 songs of 4 MB (200 MB) from a generated player folder with the
// program's copy, and the same files with cp, each into a fresh folder;
// prints both throughputs and their ratio.
//
//   build/bench/copy/bench_copy

#include "BenchSupport.h"
#include "core/common/MessageService.h"
#include "core/common/ProgressSink.h"
#include "core/copy/CopyFiles.h"
#include "core/copy/CopyStorage.h"
#include "core/grid/GridModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>

namespace {

constexpr int songCount = 50;
constexpr qint64 songSize = 4 << 20;

class AlwaysOk : public MessageService
{
public:
    MessageAnswer show(const QString &, const QString &, MessageButtons, MessageIcon) override
    {
        return MessageAnswer::Ok;
    }
};

struct Player
{
    QTemporaryDir dir;
    QStringList files;      // absolute paths
    QStringList locations;  // as the grid shows them
};

Player &player()
{
    static Player p = [] {
        Player made;
        const QString music = made.dir.path() + QStringLiteral("/iPod_Control/Music/F00");
        QDir().mkpath(music);
        QByteArray data(songSize, Qt::Uninitialized);
        for (int i = 0; i < songCount; ++i) {
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(data.data()), songSize / 4);
            const QString name = QStringLiteral("S%1.mp3").arg(i, 3, 10, QLatin1Char('0'));
            QFile file(music + QLatin1Char('/') + name);
            if (!file.open(QIODevice::WriteOnly) || file.write(data) != songSize)
                qFatal("cannot write the player folder");
            made.files << file.fileName();
            made.locations << QStringLiteral("\\iPod_Control\\Music\\F00\\") + name;
        }
        return made;
    }();
    return p;
}

void BM_copyfiles(benchmark::State &state)
{
    Player &p = player();
    GridModel grid;
    grid.setCols(8);
    grid.setRows(songCount + 1);
    for (int i = 0; i < songCount; ++i) {
        grid.setText(i + 1, 0, QStringLiteral("  Song %1").arg(i));
        grid.setText(i + 1, 7, QStringLiteral("  ") + p.locations[i]);
        grid.setBackColor(i + 1, 0, GridColors::TagMark);
    }
    AlwaysOk messages;
    FileCopyStorage storage;
    NoProgress progress;
    timeCopies(state, songCount * songSize, [&](const QString &target) {
        const CopyReport report = copyfiles({grid, p.dir.path(), target, messages, storage, progress});
        if (report.outcome != CopyOutcome::Done || report.copied != songCount)
            state.SkipWithError("the copy failed");
    });
}

void BM_cp(benchmark::State &state)
{
    Player &p = player();
    timeCopies(state, songCount * songSize, [&](const QString &target) {
        if (QProcess::execute(QStringLiteral("cp"), p.files + QStringList{target}) != 0)
            state.SkipWithError("cp failed");
    });
}

BENCHMARK(BM_copyfiles)->Iterations(4)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_cp)->Iterations(4)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Repeated runs of the two copies; medians are compared.
    TimesReporter reporter(TimesReporter::OO_Tabular);
    reporter.runInterleaved(argc, argv, 7);
    const double ours = reporter.throughput("BM_copyfiles/iterations:4/real_time");
    const double cp = reporter.throughput("BM_cp/iterations:4/real_time");
    if (ours > 0 && cp > 0) {
        std::printf("copyfiles: %.0f MB/s   cp: %.0f MB/s   copyfiles/cp: %.0f%% (target 90%%)\n", ours / 1e6, cp / 1e6,
                    100.0 * ours / cp);
    }
    benchmark::Shutdown();
    return 0;
}
