#include "cli/GridCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliPlayer.h"
#include "core/device/iPod.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"
#include "core/grid/GridSort.h"

#include <array>
#include <optional>

namespace {

// The sortable columns by their command-line names, in grid order.
std::optional<int> sortColumn(const QString &name)
{
    static const std::array<QLatin1String, GridColumn::TrackNumber + 1> names{
        QLatin1String("title"), QLatin1String("length"),   QLatin1String("artist"),      QLatin1String("album"),
        QLatin1String("genre"), QLatin1String("filetype"), QLatin1String("tracknumber"),
    };
    for (std::size_t c = 0; c < names.size(); ++c) {
        if (name == names[c])
            return static_cast<int>(c);
    }
    return std::nullopt;
}

}  // namespace

CliStatus runGrid(const QStringList &args)
{
    const auto options =
        CliOptions::parse(args, {QLatin1String("--player"), QLatin1String("--sort")}, {QLatin1String("--descending")});
    if (!options)
        return CliUsageError;
    std::optional<int> column;
    if (const auto name = options->value(QLatin1String("--sort"))) {
        column = sortColumn(*name);
        if (!column) {
            printError(QStringLiteral("unknown sort column: ") + *name);
            return CliUsageError;
        }
    } else if (options->has(QLatin1String("--descending"))) {
        printError(QStringLiteral("--descending needs --sort"));
        return CliUsageError;
    }

    iPod pod;
    GridModel grid;
    const CliStatus status = connectPlayer(options->value(QLatin1String("--player")), pod, grid);
    if (status == CliNoPlayer)
        return status;
    if (column)
        sortGrid(grid, *column, options->has(QLatin1String("--descending")));

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
