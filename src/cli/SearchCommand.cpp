#include "cli/SearchCommand.h"

#include "cli/CliPlayer.h"
#include "cli/SongTable.h"
#include "core/app/PlayerSession.h"
#include "core/grid/Columns.h"
#include "core/grid/GridModel.h"
#include "core/grid/Search.h"

#include <utility>
#include <vector>

namespace {

CliStatus runSearch(const QCommandLineParser &options)
{
    const auto format = chosenFormat(options);
    if (!format)
        return CliUsageError;
    const QString text = options.positionalArguments().constFirst();
    PlayerSession session;
    const CliStatus status = openSortedGrid(options, session);
    if (endsCommand(status))
        return status;
    const GridModel &grid = session.grid();

    // Press after press until the walk runs out.
    GridSearch search(session.grid());
    std::vector<std::pair<int, int>> matches;
    for (GridSearch::Outcome found = search.press(text); found.found; found = search.press(text))
        matches.emplace_back(found.row, found.col);
    if (matches.empty())
        return status == CliOk ? CliNoMatch : status;

    if (*format != OutputFormat::Text) {
        // The songs that hold a match, each once, in the order of their first match.
        std::vector<int> rows;
        std::vector<char> listed(static_cast<std::size_t>(grid.rows()), 0);
        for (const auto &[row, col] : matches) {
            if (!std::exchange(listed[static_cast<std::size_t>(row)], 1))
                rows.push_back(row);
        }
        printSongs(*format, static_cast<qsizetype>(rows.size()),
                   [&](qsizetype i) { return gridRowValues(grid, rows[static_cast<std::size_t>(i)]); });
        return status;
    }
    printLines(static_cast<qsizetype>(matches.size()), [&](qsizetype i) {
        const auto [row, col] = matches[static_cast<std::size_t>(i)];
        return QString::number(row) + QLatin1Char('\t') + columnInfo(col).name + QLatin1Char('\t')
            + tsvEscaped(grid.text(row, col));
    });
    return status;
}

}  // namespace

CliCommand searchCommand()
{
    return {QStringLiteral("search"),
            QStringLiteral("Print every cell of the grid that holds a text."),
            QStringLiteral("Walks the grid as the Search button does, column by column, and prints every cell\n"
                           "that holds TEXT (letter case aside): its row number, column name and text,\n"
                           "separated by tabs and escaped as grid escapes them. With --format tsv, csv or json\n"
                           "it prints the songs that hold a match instead. Exit status 1 when nothing matches."),
            QList<QCommandLineOption>{playerOption()} + sortOptions() + QList<QCommandLineOption>{formatOption()},
            runSearch,
            QStringLiteral("TEXT")};
}
