#include "cli/CliProgram.h"
#include "cli/CopyCommand.h"
#include "cli/ExportCommand.h"
#include "cli/GridCommand.h"
#include "cli/HtmlCommand.h"
#include "cli/LibraryCommands.h"
#include "cli/ListCommand.h"
#include "cli/SearchCommand.h"
#include "cli/StatsCommand.h"
#include "tags/TagLibFiller.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TagLibFiller tags;
    // The commands, in the order the help text lists them.
    const QList<CliCommand> commands{
        listCommand(),   gridCommand(),  tracksCommand(), playlistsCommand(),  copyCommand(),
        searchCommand(), statsCommand(), htmlCommand(),   exportCommand(tags),
    };
    return runCliProgram(QCoreApplication::arguments(), commands);
}
