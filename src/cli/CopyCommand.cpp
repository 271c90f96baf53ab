#include "cli/CopyCommand.h"

#include "cli/CliPlayer.h"
#include "cli/ConsoleMessageService.h"
#include "cli/CopyMeter.h"
#include "cli/RowList.h"
#include "core/app/PlayerSession.h"
#include "core/copy/CopyFiles.h"
#include "core/copy/CopyStorage.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"
#include "core/grid/Tagging.h"

#include <optional>
#include <vector>

namespace {

CliStatus statusOf(const CopyReport &report)
{
    switch (report.outcome) {
    case CopyOutcome::Done: return CliOk;
    case CopyOutcome::Failed:
        if (!report.errorText.isEmpty())
            printError(report.errorText);
        return CliCopyFailed;
    case CopyOutcome::NothingTagged:
    case CopyOutcome::Cancelled:
    case CopyOutcome::NoDestination:
    case CopyOutcome::DestinationOnPlayer: break;
    }
    return CliCopyRefused;
}

const QCommandLineOption toOption{QStringLiteral("to"), QStringLiteral("Copy into FOLDER."), QStringLiteral("FOLDER")};
const QCommandLineOption rowsOption{
    QStringLiteral("rows"), QStringLiteral("Copy the songs of these grid rows, such as 1-5,9 (1 is the first song)."),
    QStringLiteral("LIST")};
const QCommandLineOption allOption{QStringLiteral("all"), QStringLiteral("Copy every song.")};
const QCommandLineOption quietOption{QStringLiteral("quiet"), QStringLiteral("Show no progress line on the terminal.")};

CliStatus runCopy(const QCommandLineParser &options)
{
    const QString destination = options.value(toOption);
    if (destination.trimmed().isEmpty()) {
        return usageProblem(QStringLiteral("copy needs a destination folder: --to FOLDER"));
    }
    if (options.isSet(rowsOption) == options.isSet(allOption)) {
        return usageProblem(QStringLiteral("copy needs either --all or --rows LIST"));
    }
    std::optional<std::vector<RowRange>> ranges;
    if (options.isSet(rowsOption)) {
        const QString rowList = options.value(rowsOption);
        ranges = parseRowList(rowList);
        if (!ranges) {
            return usageProblem(QStringLiteral("--rows takes row numbers and ranges such as 1-5,9, not: ") + rowList);
        }
    }

    PlayerSession session;
    const CliStatus status = connectPlayer(playerDir(options), session);
    GridModel &grid = session.grid();
    // A database that was not read completely is not copied from.
    if (status != CliOk)
        return status;

    if (!ranges) {
        Tagging(grid).selectAll();
    } else {
        const int lastRow = grid.rows() - 1;
        for (const RowRange &range : *ranges) {
            if (range.last > lastRow) {
                return usageProblem(
                    QStringLiteral("row %1 is not in the grid, which has rows 1 to %2").arg(range.last).arg(lastRow));
            }
        }
        for (const RowRange &range : *ranges) {
            for (int row = range.first; row <= range.last; ++row)
                grid.setBackColor(row, GridColumn::Title, GridColors::TagMark);
        }
    }

    ConsoleMessageService messages;
    FileCopyStorage storage;
    CopyMeter meter(storage, CopyMeter::stderrTerminal(options.isSet(quietOption)),
                    [](const QString &text) { printLines(1, [&](qsizetype) { return text; }); });
    const CopyReport report = copyfiles({grid, session.pod().poddrive(), destination, messages, meter, meter});
    meter.finish();
    return statusOf(report);
}

}  // namespace

CliCommand copyCommand()
{
    return {QStringLiteral("copy"),
            QStringLiteral("Copy the songs of grid rows into a folder."),
            QStringLiteral("Copies the songs of the given rows of the unsorted grid (or --all) into FOLDER,\n"
                           "named after their titles, as the copy window does; its messages go to standard\n"
                           "output. While standard error is a terminal a progress line shows the files\n"
                           "done, the bytes copied, the rate and the current file."),
            {playerOption(), toOption, rowsOption, allOption, quietOption},
            runCopy};
}
