#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks for. Besides --help and --version the program
// takes one option only: --player DIR, a folder to use as the player root
// instead of searching the removable volumes.
struct CommandLine
{
    bool valid = true;         // false: the arguments were not understood (see errorText)
    bool showHelp = false;     // --help: print helpText() and end
    bool showVersion = false;  // --version: print versionLine("quillory") and end
    std::optional<QString> playerRoot;
    QString errorText;  // what was wrong when not valid
};

// Parses the arguments after the program name.
CommandLine parseCommandLine(const QStringList &arguments);

// The help text, for --help and after a command line that was not understood.
QString usageText(const QString &programName);
