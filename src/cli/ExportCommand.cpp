#include "cli/ExportCommand.h"

#include "cli/CliPlayer.h"
#include "cli/CopyMeter.h"
#include "cli/RowList.h"
#include "core/app/PlayerSession.h"
#include "core/common/ProgressSink.h"
#include "core/copy/CopyStorage.h"
#include "core/export/ExportJob.h"
#include "core/export/PlayerLibrary.h"

namespace {

const QCommandLineOption toOption{QStringLiteral("to"), QStringLiteral("Export into FOLDER."),
                                  QStringLiteral("FOLDER")};
const QCommandLineOption templateOption{
    QStringLiteral("template"),
    QStringLiteral("Name the copies by T, such as \"{artist}/{year} {album}/{track} {title}\"; the fields are "
                   "{title} {artist} {albumartist} {album} {genre} {composer} {year} {track} {disc}."),
    QStringLiteral("T")};
// The window exports "only tagged songs"; here the rows named are the tagged
// ones, as for copy, so both names mean the same.
const QCommandLineOption rowsOption{
    QStringList{QStringLiteral("rows"), QStringLiteral("tagged")},
    QStringLiteral("Export only the songs of these grid rows (the tagged songs), such as 1-5,9 (1 is the first song)."),
    QStringLiteral("LIST")};
const QCommandLineOption verifyOption{QStringLiteral("verify"),
                                      QStringLiteral("Compare copies already there byte for byte, not by size.")};
const QCommandLineOption fillTagsOption{QStringLiteral("fill-tags"),
                                        QStringLiteral("Write the database's tags into copies that lack them.")};
const QCommandLineOption dryRunOption{QStringLiteral("dry-run"),
                                      QStringLiteral("Write nothing; print the paths that would be written.")};
const QCommandLineOption quietOption{QStringLiteral("quiet"), QStringLiteral("Show no progress line on the terminal.")};

CliStatus statusOf(const ExportReport &report)
{
    switch (report.outcome) {
    case ExportOutcome::Done:
    case ExportOutcome::Cancelled: return CliOk;
    case ExportOutcome::SomeUnreadable: return CliReadFailed;
    case ExportOutcome::DestinationOnPlayer:
        printError(QStringLiteral("Cannot export to the player."));
        return CliCopyRefused;
    case ExportOutcome::DestinationFailed: printError(report.errorText); return CliCopyFailed;
    }
    return CliCopyFailed;
}

void printSummary(const ExportReport &report, const QString &destination, bool dryRun)
{
    const ExportTally &t = report.tally;
    const QString line = dryRun
        ? QStringLiteral("%1 songs would be copied, %2 are there already, to %3")
              .arg(t.copied)
              .arg(t.alreadyThere)
              .arg(destination)
        : QStringLiteral("%1 songs copied, %2 there already, in %3").arg(t.copied).arg(t.alreadyThere).arg(destination);
    printLines(1, [&](qsizetype) { return line; });
    if (report.unreadable.isEmpty())
        return;
    printError(QStringLiteral("%1 songs could not be read:").arg(report.unreadable.size()));
    for (const QString &song : report.unreadable)
        printError(QStringLiteral("  ") + song);
}

CliStatus runExport(const QCommandLineParser &options, TagFiller &tags)
{
    const QString destination = options.value(toOption);
    if (destination.trimmed().isEmpty())
        return usageProblem(QStringLiteral("export needs a destination folder: --to FOLDER"));
    ExportOptions exportOptions;
    exportOptions.destination = destination;
    if (options.isSet(templateOption)) {
        QString why;
        const auto layout = ExportLayout::fromTemplate(options.value(templateOption), &why);
        if (!layout)
            return usageProblem(QStringLiteral("--template: ") + why);
        exportOptions.layout = *layout;
    }
    std::optional<std::vector<RowRange>> ranges;
    if (options.isSet(rowsOption)) {
        ranges = parseRowList(options.value(rowsOption));
        if (!ranges)
            return usageProblem(QStringLiteral("--rows takes row numbers and ranges such as 1-5,9, not: ")
                                + options.value(rowsOption));
    }
    exportOptions.verify = options.isSet(verifyOption);
    exportOptions.dryRun = options.isSet(dryRunOption);

    PlayerSession session;
    // A database that was not read completely is not exported from.
    if (const CliStatus status = readPlayer(playerDir(options), session); status != CliOk)
        return status;
    const ExportLibrary library = playerLibrary(session.library());
    exportOptions.playerRoot = session.pod().poddrive();
    if (ranges) {
        exportOptions.selected.assign(static_cast<std::size_t>(library.songCount), false);
        for (const RowRange &range : *ranges) {
            if (range.last > library.songCount)
                return usageProblem(QStringLiteral("row %1 is not in the grid, which has rows 1 to %2")
                                        .arg(range.last)
                                        .arg(library.songCount));
            for (int row = range.first; row <= range.last; ++row)
                exportOptions.selected[static_cast<std::size_t>(row - 1)] = true;
        }
    }

    FileCopyStorage storage;
    NoProgress progress;
    const bool dryRun = exportOptions.dryRun;
    CopyMeter meter(storage, CopyMeter::stderrTerminal(options.isSet(quietOption) || dryRun), {});
    const ExportReport report = exportLibrary({
        .library = library,
        .options = std::move(exportOptions),
        .storage = storage,
        .tags = options.isSet(fillTagsOption) ? &tags : nullptr,
        .progress = progress,
        .onSong =
            [&](const ExportTally &t) {
                meter.show(static_cast<int>(t.done), static_cast<int>(t.songs), t.bytesDone, {});
            },
        .wouldWrite = [](const QString &path) { printLines(1, [&](qsizetype) { return path; }); },
    });
    meter.finish();
    printSummary(report, destination, dryRun);
    return statusOf(report);
}

}  // namespace

CliCommand exportCommand(TagFiller &tags)
{
    return {
        QStringLiteral("export"),
        QStringLiteral("Export the library into a folder by album, with playlists."),
        QStringLiteral("Copies every song (or those of --rows) into FOLDER as Album Artist/Album/NN Title.ext\n"
                       "(or by --template), with names every file system takes; writes each playlist to\n"
                       "FOLDER/Playlists/NAME.m3u8 and every song's fields, play counts and ratings to\n"
                       "FOLDER/Library.csv. A copy already there is kept and its song not read again; a\n"
                       "different file there is never replaced. Songs that cannot be read are skipped and\n"
                       "named on standard error. Exit status 0 all exported, 3 some could not be read,\n"
                       "4 the destination is on the player, 5 the destination failed."),
        {playerOption(), toOption, templateOption, rowsOption, verifyOption, fillTagsOption, dryRunOption, quietOption},
        [&tags](const QCommandLineParser &options) { return runExport(options, tags); }};
}
