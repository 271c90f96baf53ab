#include "core/app/CommandLine.h"

#include "core/common/CommandLineHelp.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

QCommandLineOption playerRootOption()
{
    return {QStringLiteral("player"),
            QStringLiteral("Use DIR as the player's root folder instead of searching the removable volumes for a "
                           "player."),
            QStringLiteral("DIR")};
}

void addOptions(QCommandLineParser &parser)
{
    parser.addOptions({playerRootOption(), helpOption(), versionOption()});
}

}  // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine result;
    QCommandLineParser parser;
    addOptions(parser);
    const auto refuse = [&](const QString &why) {
        result.valid = false;
        result.errorText = why;
        return result;
    };
    // The parser expects the program's name first.
    if (!parser.parse(QStringList{QString()} + arguments))
        return refuse(parser.errorText());
    result.showHelp = parser.isSet(helpOption());
    result.showVersion = parser.isSet(versionOption());
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument: ") + parser.positionalArguments().constFirst());
    if (const auto repeated = repeatedOption(parser, {playerRootOption()}))
        return refuse(*repeated + QStringLiteral(" is given more than once"));
    if (parser.isSet(playerRootOption())) {
        const QString dir = parser.value(playerRootOption());
        if (dir.isEmpty())
            return refuse(QStringLiteral("--player needs a folder"));
        // Absolute, so the information box and the copy checks show and compare a full path.
        result.playerRoot = QFileInfo(dir).absoluteFilePath();
    }
    return result;
}

QString usageText(const QString &programName)
{
    QCommandLineParser parser;
    addOptions(parser);
    return helpText(parser, programName + QStringLiteral(" [OPTIONS]"),
                    QStringLiteral("Shows the songs of an iPod-family player in a grid; press Connect to read them."));
}
