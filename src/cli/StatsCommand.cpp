#include "cli/StatsCommand.h"

#include "cli/CliPlayer.h"
#include "core/app/PlayerSession.h"
#include "core/common/ProgressSink.h"
#include "core/device/DeviceInfo.h"
#include "core/stats/StatsReport.h"

namespace {

CliStatus runStats(const QCommandLineParser &options)
{
    PlayerSession session;
    const CliStatus status = openSortedGrid(options, session);
    if (endsCommand(status))
        return status;

    QStringList List2;
    NoProgress progress;
    const StatsReport report =
        getinfo({.songs = session.pod().songList(),
                 .grid = session.grid(),
                 .totalMinutes = session.playTime().Text2,
                 .infoFrameCaption = getpodinfo(session.pod().poddrive().trimmed()).infoFrameCaption},
                List2, progress);
    if (!report.complete) {
        printError(QStringLiteral("Error! The report could not be made: the songs' total play time is unknown."));
        return CliReportFailed;
    }
    const QStringList lines = withLineFeeds(report.text).split(QLatin1Char('\n'));
    printLines(lines.size(), [&lines](qsizetype i) { return controlEscaped(lines[i]); });
    return status;
}

}  // namespace

CliCommand statsCommand()
{
    return {QStringLiteral("stats"), QStringLiteral("Print the statistics report."),
            QStringLiteral("Prints the statistics report exactly as the Statistics window shows it: the artist\n"
                           "with most songs, the longest and shortest song, the number of songs, the total\n"
                           "play time and the songs of every artist."),
            QList<QCommandLineOption>{playerOption()} + sortOptions(), runStats};
}
