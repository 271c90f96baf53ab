#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

// A library of `tracks` songs with realistic texts (2,500 artists, a few albums
// each, eight genres), written in the newer layout: album list first.
QByteArray benchmarkLibrary(int tracks);

// Writes benchmarkLibrary(tracks) as the track database of a player at root.
bool writeBenchmarkPlayer(const QString &root, int tracks);

// Times libgpod's parse of the database file, when libgpod is present.
void parseWithLibgpod(benchmark::State &state, const QString &databasePath, int tracks);

// Runs the program once per iteration with its standard output going to
// /dev/null and times each run by the processor time (user and system) of the
// process, so that other work on a busy machine does not count. Use with
// UseManualTime().
void runEachIteration(benchmark::State &state, const QStringList &command);

// Prints as usual and keeps each benchmark's real time per iteration and its
// bytes per second, under its name as printed without an aggregate's suffix
// ("BM_Reader/33000"): the figures of its run, or the medians of its
// repetitions (see runInterleaved).
class TimesReporter : public benchmark::ConsoleReporter
{
public:
    explicit TimesReporter(OutputOptions options = OO_Defaults)
        : ConsoleReporter(options)
    {}
    void ReportRuns(const std::vector<Run> &runs) override;
    // Runs the benchmarks the command line selects, each `repetitions` times,
    // interleaved at random so that load from elsewhere on the machine falls on
    // all alike, and reports only their aggregates here.
    void runInterleaved(int argc, char **argv, int repetitions);
    // The real time per iteration in the benchmark's unit; nothing when it was not run.
    std::optional<double> realTime(const std::string &name) const;
    // Bytes per second; 0 when it was not run or counted no bytes.
    double throughput(const std::string &name) const;
    // Prints "<label>: <a / b> (target at most <target>)" when both were run.
    void printRatio(const std::string &a, const std::string &b, const char *label, double target) const;
    // Prints "<label>: <time> ms (target at most <target> ms)" when the benchmark,
    // timed in milliseconds, was run.
    void printLimit(const std::string &name, const char *label, double targetMs) const;
    // Prints "<label>: <a - b> ms (target at most <target> ms)" when both, timed
    // in milliseconds, were run.
    void printDifference(const std::string &a, const std::string &b, const char *label, double targetMs) const;

private:
    struct Figures
    {
        double realTime = 0;
        double bytesPerSecond = 0;
    };
    std::map<std::string, Figures> m_figures;
};

// A new empty folder that stays until the program ends. Removing a folder
// just before a timed copy would time the file system's bookkeeping of the
// freed inodes instead of the copy: ext4 without a journal passes over the
// inodes freed in the last seconds each time it allocates one, which made an
// export that came right after removing 33,000 files six times slower.
QString keptFolder();

// Times copy(target) into a fresh kept folder per iteration, bytes each; what
// earlier copies wrote is on the disk (synced while the clock stands), so
// every copy starts from the same state.
void timeCopies(benchmark::State &state, qint64 bytes, const std::function<void(const QString &)> &copy);
