#include "cli/CliProgram.h"
#include "cli/CopyCommand.h"
#include "cli/GridCommand.h"
#include "cli/ListCommand.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The commands, in the order the help text lists them.
    const QList<CliCommand> commands{
        listCommand(),
        gridCommand(),
        copyCommand(),
    };
    return runCliProgram(QCoreApplication::arguments(), commands);
}
