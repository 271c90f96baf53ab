#include "cli/SearchCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliPlayer.h"
#include "core/app/PlayerSession.h"
#include "core/grid/Columns.h"
#include "core/grid/GridModel.h"
#include "core/grid/Search.h"

#include <utility>
#include <vector>

CliStatus runSearch(const QStringList &args)
{
    // The text to find comes last; the options before it.
    if (args.isEmpty())
        return CliUsageError;
    const QString text = args.last();
    PlayerSession session;
    CliOptions options;
    const CliStatus status = openSortedGrid(args.first(args.size() - 1), session, options);
    if (endsCommand(status))
        return status;
    const GridModel &grid = session.grid();

    // Press after press from a fresh position until the walk runs out.
    GridSearch search(session.grid());
    std::vector<std::pair<int, int>> matches;
    for (GridSearch::Outcome found = search.press(text); found.found; found = search.press(text))
        matches.emplace_back(found.row, found.col);
    if (matches.empty())
        return status == CliOk ? CliNoMatch : status;

    printLines(static_cast<qsizetype>(matches.size()), [&](qsizetype i) {
        const auto [row, col] = matches[static_cast<std::size_t>(i)];
        return QString::number(row) + QLatin1Char('\t') + columnInfo(col).name + QLatin1Char('\t')
            + grid.text(row, col);
    });
    return status;
}
