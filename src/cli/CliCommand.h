#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Exit statuses of quillory-cli.
enum CliStatus : int {
    CliOk = 0,
    CliUsageError = 1,    // unknown command or bad arguments; the usage text is shown
    CliNoPlayer = 2,      // no player found
    CliReadFailed = 3,    // the track database could not be read completely
    CliCopyRefused = 4,   // the copy was refused before anything was copied
    CliCopyFailed = 5,    // a file could not be copied; the copy ended there
    CliReportFailed = 6,  // the statistics report ended early, or the HTML file could not be written
    CliNoMatch = 7,       // search: nothing matched; the program exits with 1, as grep does
};

// One command of quillory-cli: its name, its line in the usage text, and what
// runs it with the arguments that follow the name.
struct CliCommand
{
    const char *name;
    const char *usage;
    CliStatus (*run)(const QStringList &args);
};

// Writes text to standard error in UTF-8, followed by a line end.
void printError(const QString &text);

// Writes count lines to standard output in UTF-8, each followed by LF; line(i)
// gives line i. Output goes out in large chunks.
void printLines(qsizetype count, const std::function<QString(qsizetype)> &line);
