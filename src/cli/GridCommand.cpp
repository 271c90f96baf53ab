#include "cli/GridCommand.h"

#include "cli/CliPlayer.h"
#include "cli/SongTable.h"
#include "core/app/PlayerSession.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"

namespace {

const QCommandLineOption sortOption{
    QStringLiteral("sort"),
    QStringLiteral("Sort by COLUMN: title, length, artist, album, genre, filetype, tracknumber or filename."),
    QStringLiteral("COLUMN")};
const QCommandLineOption descendingOption{QStringLiteral("descending"),
                                          QStringLiteral("Sort from the highest value down.")};

CliStatus runGrid(const QCommandLineParser &options)
{
    const auto format = chosenFormat(options);
    if (!format)
        return CliUsageError;
    std::optional<int> column;
    if (options.isSet(sortOption)) {
        column = columnByName(options.value(sortOption));
        if (!column) {
            return usageProblem(QStringLiteral("unknown sort column: ") + options.value(sortOption));
        }
    } else if (options.isSet(descendingOption)) {
        return usageProblem(QStringLiteral("--descending needs --sort"));
    }

    PlayerSession session;
    const CliStatus status = connectPlayer(playerDir(options), session);
    GridModel &grid = session.grid();
    if (status == CliNoPlayer)
        return status;
    if (column)
        session.sort(*column, options.isSet(descendingOption));

    if (*format != OutputFormat::Text) {
        printGridSongs(*format, grid, session.pod().songsstored());
        return status;
    }
    // The cells as they are, blanks included, escaped as tsv cells are.
    printLines(grid.rows(), [&](qsizetype row) {
        SongValues cells;
        for (int c = 0; c < GridColumn::Count; ++c)
            cells[static_cast<std::size_t>(c)] = grid.text(static_cast<int>(row), c);
        return songLine(OutputFormat::Tsv, cells);
    });
    return status;
}

}  // namespace

CliCommand gridCommand()
{
    return {QStringLiteral("grid"),
            QStringLiteral("Print the song grid, sorted by a column if asked."),
            QStringLiteral("Prints the song grid as the window fills it: the header row, then one row per song\n"
                           "with its cells exactly as the grid holds them, separated by tabs. A backslash, tab,\n"
                           "line feed or carriage return inside a cell is written as \\\\, \\t, \\n or \\r, so every\n"
                           "line is one row (the tsv format escapes the same way)."),
            {playerOption(), sortOption, descendingOption, formatOption()},
            runGrid};
}
