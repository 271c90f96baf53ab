#include "cli/CliProgram.h"

#include "core/common/CommandLineHelp.h"

#include <algorithm>

namespace {

const QString program = QStringLiteral("quillory-cli");

// Follows a message on standard error with a blank line and the usage text.
void printUsageAfterError(const QString &usage)
{
    writeError(QLatin1Char('\n') + usage);
}

int usageError(const QString &error, const QString &usage)
{
    usageProblem(error);
    printUsageAfterError(usage);
    return CliUsageError;
}

void printHelp(const QString &text)
{
    printBytes(text.toUtf8());
}

QString programHelp(const QCommandLineParser &parser, const QList<CliCommand> &commands)
{
    qsizetype width = 0;
    for (const CliCommand &command : commands)
        width = std::max(width, command.name.size());
    QString text = helpText(parser, program + QStringLiteral(" [OPTIONS] COMMAND [COMMAND OPTIONS]"),
                            QStringLiteral("Reads the track database of an iPod-family player: prints, searches, "
                                           "reports or copies its songs."));
    text += QStringLiteral("\nCommands:\n");
    for (const CliCommand &command : commands)
        text += QStringLiteral("  ") + command.name.leftJustified(width + 2) + command.summary + QLatin1Char('\n');
    return text
        + QStringLiteral("\nRun \"%1 COMMAND --help\" for the options of a command.\n"
                         "Exit status: 0 done, 1 nothing found (search), 2 no player found, 3 database read\n"
                         "only in part, 4 copy refused, 5 copy failed, 6 report or HTML file failed,\n"
                         "64 usage error.\n")
              .arg(program);
}

int runCommand(const CliCommand &command, QStringList arguments)
{
    QCommandLineParser parser;
    parser.addOptions(command.options);
    parser.addOption(helpOption());
    QString synopsis = program + QLatin1Char(' ') + command.name + QStringLiteral(" [OPTIONS]");
    if (!command.argument.isEmpty())
        synopsis += QLatin1Char(' ') + command.argument;
    const QString usage = helpText(parser, synopsis, command.description);
    arguments[0] = program + QLatin1Char(' ') + command.name;  // where the parser expects the program's name
    if (!parser.parse(arguments))
        return usageError(parser.errorText(), usage);
    if (parser.isSet(helpOption())) {
        printHelp(usage);
        return CliOk;
    }
    const QStringList positional = parser.positionalArguments();
    const qsizetype expected = command.argument.isEmpty() ? 0 : 1;
    if (positional.size() > expected)
        return usageError(QStringLiteral("unexpected argument: ") + positional.at(expected), usage);
    if (positional.size() < expected)
        return usageError(command.name + QStringLiteral(" needs ") + command.argument, usage);
    if (const auto repeated = repeatedOption(parser, command.options))
        return usageError(*repeated + QStringLiteral(" is given more than once"), usage);
    const CliStatus status = command.run(parser);
    if (status == CliUsageError)
        printUsageAfterError(usage);
    return status;
}

}  // namespace

int runCliProgram(const QStringList &arguments, const QList<CliCommand> &commands)
{
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOptions({helpOption(), versionOption()});
    const QString usage = programHelp(parser, commands);
    if (!parser.parse(arguments))
        return usageError(parser.errorText(), usage);
    if (parser.isSet(helpOption())) {
        printHelp(usage);
        return CliOk;
    }
    if (parser.isSet(versionOption())) {
        printHelp(versionLine(program) + QLatin1Char('\n'));
        return CliOk;
    }
    const QStringList rest = parser.positionalArguments();
    if (rest.isEmpty())
        return usageError(QStringLiteral("no command given"), usage);
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const CliCommand &c) { return c.name == rest.constFirst(); });
    if (command == commands.end())
        return usageError(QStringLiteral("unknown command: ") + rest.constFirst(), usage);
    return runCommand(*command, rest);
}
