#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
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

// Prints as usual and keeps each benchmark's real time per iteration.
class TimesReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;
    // Prints "<label>: <a / b> (target at most <target>)" when both were run.
    void printRatio(const std::string &a, const std::string &b, const char *label, double target) const;
    // Prints "<label>: <time> ms (target at most <target> ms)" when the benchmark,
    // timed in milliseconds, was run.
    void printLimit(const std::string &name, const char *label, double targetMs) const;
    // Prints "<label>: <a - b> ms (target at most <target> ms)" when both, timed
    // in milliseconds, were run.
    void printDifference(const std::string &a, const std::string &b, const char *label, double targetMs) const;

private:
    std::map<std::string, double> m_realTime;
};

// Times copy(target) into a fresh folder per iteration, bytes each; the last
// folder is written out and removed while the clock stands, so every copy
// starts from the same state.
void timeCopies(benchmark::State &state, qint64 bytes, const std::function<void(const QString &)> &copy);

// Prints a table and keeps each benchmark's median throughput (bytes per
// second) and median real time, for closing comparisons.
class MedianReporter : public benchmark::ConsoleReporter
{
public:
    MedianReporter()
        : ConsoleReporter(OO_Tabular)
    {}
    void ReportRuns(const std::vector<Run> &runs) override;

    std::map<std::string, double> throughput;
    std::map<std::string, double> realTime;
};

// Runs the benchmarks the command line selects, each `repetitions` times,
// interleaved at random so that load from elsewhere on the machine falls on
// all alike, and reports their aggregates to reporter.
void runMedianBenchmarks(int argc, char **argv, int repetitions, MedianReporter &reporter);
