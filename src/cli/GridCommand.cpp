#include "cli/GridCommand.h"

#include "cli/CliPlayer.h"
#include "cli/SongTable.h"
#include "core/app/PlayerSession.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"

namespace {

// How far ahead of the row being printed the grid's texts are fetched.
constexpr int rowsAhead = 8;

CliStatus runGrid(const QCommandLineParser &options)
{
    const auto format = chosenFormat(options);
    if (!format)
        return CliUsageError;
    PlayerSession session;
    const CliStatus status = openSortedGrid(options, session);
    if (endsCommand(status))
        return status;
    const GridModel &grid = session.grid();

    if (*format != OutputFormat::Text) {
        printGridSongs(*format, grid, session.pod().songsstored());
        return status;
    }
    // The cells as they are, blanks included, escaped as tsv cells are. The
    // cells are read in place: a copy of each would touch its shared count,
    // which after a sort lies anywhere in memory.
    printLines(grid.rows(), [&](qsizetype row) {
        grid.prefetchRow(static_cast<int>(row) + rowsAhead);
        QString line;
        for (int c = 0; c < GridColumn::Count; ++c) {
            if (c > 0)
                line += QLatin1Char('\t');
            appendTsvEscaped(line, grid.text(static_cast<int>(row), c));
        }
        return line;
    });
    return status;
}

}  // namespace

CliCommand gridCommand()
{
    return {QStringLiteral("grid"), QStringLiteral("Print the song grid, sorted by a column if asked."),
            QStringLiteral("Prints the song grid as the window fills it: the header row, then one row per song\n"
                           "with its cells exactly as the grid holds them, separated by tabs. A backslash, tab,\n"
                           "line feed or carriage return inside a cell is written as \\\\, \\t, \\n or \\r, so every\n"
                           "line is one row (the tsv format escapes the same way)."),
            QList<QCommandLineOption>{playerOption()} + sortOptions() + QList<QCommandLineOption>{formatOption()},
            runGrid};
}
