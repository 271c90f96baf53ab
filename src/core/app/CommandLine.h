#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks for. The program takes one option only:
// --player DIR, a folder to use as the player root instead of searching the
// removable volumes.
struct CommandLine
{
    bool valid = true;
    std::optional<QString> playerRoot;
};

// Parses the arguments after the program name.
CommandLine parseCommandLine(const QStringList &arguments);

// The usage text for a command line that was not understood.
QString usageText(const QString &programName);
