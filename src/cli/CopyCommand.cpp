#include "cli/CopyCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliPlayer.h"
#include "cli/ConsoleMessageService.h"
#include "core/app/PlayerSession.h"
#include "core/copy/CopyFiles.h"
#include "core/copy/CopyStorage.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"
#include "core/grid/Tagging.h"

#include <optional>
#include <vector>

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

// The copy's status line, shown as lines on standard output; the progress
// bar has no place on a terminal.
class ConsoleProgress : public CopyProgressSink
{
public:
    void setProgressMin(float) override {}
    void setProgressMax(float) override {}
    void setProgressValue(float) override {}
    void setStatusText(const QString &text) override
    {
        printLines(1, [&](qsizetype) { return text; });
    }
};

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

}  // namespace

CliStatus runCopy(const QStringList &args)
{
    const auto options = CliOptions::parse(
        args, {QLatin1String("--player"), QLatin1String("--to"), QLatin1String("--rows")}, {QLatin1String("--all")});
    if (!options)
        return CliUsageError;
    const QString destination = options->value(QLatin1String("--to")).value_or(QString());
    if (destination.trimmed().isEmpty()) {
        printError(QStringLiteral("copy needs a destination folder: --to FOLDER"));
        return CliUsageError;
    }
    const auto rowList = options->value(QLatin1String("--rows"));
    if (rowList.has_value() == options->has(QLatin1String("--all"))) {
        printError(QStringLiteral("copy needs either --all or --rows LIST"));
        return CliUsageError;
    }
    std::optional<std::vector<RowRange>> ranges;
    if (rowList) {
        ranges = parseRowList(*rowList);
        if (!ranges) {
            printError(QStringLiteral("--rows takes row numbers and ranges such as 1-5,9, not: ") + *rowList);
            return CliUsageError;
        }
    }

    PlayerSession session;
    const CliStatus status = connectPlayer(options->value(QLatin1String("--player")), session);
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
                printError(
                    QStringLiteral("row %1 is not in the grid, which has rows 1 to %2").arg(range.last).arg(lastRow));
                return CliUsageError;
            }
        }
        for (const RowRange &range : *ranges) {
            for (int row = range.first; row <= range.last; ++row)
                grid.setBackColor(row, GridColumn::Title, GridColors::TagMark);
        }
    }

    ConsoleMessageService messages;
    ConsoleProgress progress;
    FileCopyStorage storage;
    return statusOf(copyfiles({grid, session.pod().poddrive(), destination, messages, storage, progress, {}}));
}
