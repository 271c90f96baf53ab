#include "core/app/CommandLine.h"

#include <QFileInfo>

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine result;
    if (arguments.isEmpty())
        return result;
    if (arguments.size() == 2 && arguments[0] == QLatin1String("--player") && !arguments[1].isEmpty()) {
        // Absolute, so the information box and the copy checks show and compare a full path.
        result.playerRoot = QFileInfo(arguments[1]).absoluteFilePath();
        return result;
    }
    result.valid = false;
    return result;
}

QString usageText(const QString &programName)
{
    return QStringLiteral("Usage: ") + programName
        + QStringLiteral(" [--player DIR]\n"
                         "  --player DIR  use DIR as the player's root folder instead of searching\n"
                         "                the removable volumes for a player\n");
}
