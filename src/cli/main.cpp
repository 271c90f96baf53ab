#include "cli/CliCommand.h"
#include "cli/ListCommand.h"

#include <QCoreApplication>

#include <iterator>

namespace {

// The commands, in the order the usage text shows them.
const CliCommand commands[] = {
    {"list", "list [--player DIR]    print the song list of the player (or of the player folder DIR)", runList},
};

int usageError()
{
    QString text = QStringLiteral("usage: quillory-cli COMMAND [ARGUMENTS]\ncommands:");
    for (const CliCommand &command : commands)
        text += QStringLiteral("\n  ") + QString::fromUtf8(command.usage);
    printError(text);
    return CliUsageError;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    if (args.size() < 2)
        return usageError();
    const QString name = args[1];
    args.remove(0, 2);
    for (const CliCommand &command : commands) {
        if (name == QLatin1String(command.name)) {
            const CliStatus status = command.run(args);
            return status == CliUsageError ? usageError() : status;
        }
    }
    return usageError();
}
