#include "cli/GridCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliPlayer.h"
#include "core/app/PlayerSession.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"

#include <optional>

CliStatus runGrid(const QStringList &args)
{
    const auto options =
        CliOptions::parse(args, {QLatin1String("--player"), QLatin1String("--sort")}, {QLatin1String("--descending")});
    if (!options)
        return CliUsageError;
    std::optional<int> column;
    if (const auto name = options->value(QLatin1String("--sort"))) {
        column = columnByName(*name);
        if (!column || columnInfo(*column).sort == SortKind::None) {
            printError(QStringLiteral("unknown sort column: ") + *name);
            return CliUsageError;
        }
    } else if (options->has(QLatin1String("--descending"))) {
        printError(QStringLiteral("--descending needs --sort"));
        return CliUsageError;
    }

    PlayerSession session;
    const CliStatus status = connectPlayer(options->value(QLatin1String("--player")), session);
    GridModel &grid = session.grid();
    if (status == CliNoPlayer)
        return status;
    if (column)
        session.sort(*column, options->has(QLatin1String("--descending")));

    printLines(grid.rows(), [&](qsizetype row) {
        QString line;
        for (int c = 0; c < grid.cols(); ++c) {
            if (c > 0)
                line += QLatin1Char('\t');
            line += grid.text(static_cast<int>(row), c);
        }
        return line;
    });
    return status;
}
