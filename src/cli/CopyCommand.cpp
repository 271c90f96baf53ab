#include "cli/CopyCommand.h"

#include "cli/CliPlayer.h"
#include "cli/ConsoleMessageService.h"
#include "cli/CopyMeter.h"
#include "core/app/PlayerSession.h"
#include "core/copy/CopyFiles.h"
#include "core/copy/CopyStorage.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"
#include "core/grid/Tagging.h"

#include <QElapsedTimer>

#include <memory>
#include <optional>
#include <vector>

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

struct RowRange
{
    int first = 0;
    int last = 0;
};

// "1-5,9": row numbers and ranges separated by commas. Every number is at
// least 1 and no range runs backwards; anything else fails.
std::optional<std::vector<RowRange>> parseRowList(const QString &text)
{
    const auto number = [](QStringView digits) -> std::optional<int> {
        for (QChar ch : digits) {
            if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
                return std::nullopt;
        }
        bool ok = false;
        const int value = digits.toInt(&ok);
        return ok && value >= 1 ? std::optional<int>(value) : std::nullopt;
    };
    std::vector<RowRange> ranges;
    for (const QStringView item : QStringView(text).split(QLatin1Char(','))) {
        const qsizetype dash = item.indexOf(QLatin1Char('-'));
        const auto first = number(dash < 0 ? item : item.left(dash));
        const auto last = dash < 0 ? first : number(item.mid(dash + 1));
        if (!first || !last || *last < *first)
            return std::nullopt;
        ranges.push_back({*first, *last});
    }
    return ranges;
}

CliStatus statusOf(const CopyReport &report)
{
    switch (report.outcome) {
    case CopyOutcome::Done: return CliOk;
    case CopyOutcome::Failed: return CliCopyFailed;  // the message said why
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

// The terminal standard error leads to, if it is one.
CopyMeter::Terminal stderrTerminal(bool quiet)
{
    CopyMeter::Terminal terminal;
    terminal.shown = !quiet && isatty(STDERR_FILENO) == 1;
    winsize size{};
    if (terminal.shown && ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        terminal.columns = size.ws_col;
    terminal.write = writeError;
    terminal.clockMs = [timer = std::make_shared<QElapsedTimer>()] {
        if (!timer->isValid())
            timer->start();
        return timer->elapsed();
    };
    return terminal;
}

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
    CopyMeter meter(storage, stderrTerminal(options.isSet(quietOption)),
                    [](const QString &text) { printLines(1, [&](qsizetype) { return text; }); });
    const CopyReport report = copyfiles({grid, session.pod().poddrive(), destination, messages, meter, meter, {}});
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
