#include "cli/GridCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliPlayer.h"
#include "core/app/PlayerSession.h"
#include "core/grid/GridModel.h"

CliStatus runGrid(const QStringList &args)
{
    PlayerSession session;
    CliOptions options;
    const CliStatus status = openSortedGrid(args, session, options);
    if (endsCommand(status))
        return status;
    const GridModel &grid = session.grid();

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
