#pragma once

#include <QByteArrayView>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Exit statuses of quillory-cli.
enum CliStatus : int {
    CliOk = 0,
    CliNoMatch = 1,       // search: nothing matched, as grep says it
    CliNoPlayer = 2,      // no player found
    CliReadFailed = 3,    // the track database could not be read completely
    CliCopyRefused = 4,   // the copy was refused before anything was copied, or the HTML file would be on the player
    CliCopyFailed = 5,    // a file could not be copied; the copy ended there
    CliReportFailed = 6,  // the statistics report ended early, or the HTML file could not be written
    CliUsageError = 64,   // unknown command or bad arguments; the usage text is shown
};

// One command of quillory-cli. The dispatcher parses the arguments after the
// command's name against its options (refusing unknown options, options given
// twice and stray arguments) and then calls run. run returns CliUsageError
// after printing what was wrong with an option's value; the dispatcher then
// adds the command's usage text.
struct CliCommand
{
    QString name;
    QString summary;      // one line in the list of commands
    QString description;  // shown by "COMMAND --help" between the usage line and the options
    QList<QCommandLineOption> options;
    std::function<CliStatus(const QCommandLineParser &)> run;
    // The one argument the command takes after its options (such as "TEXT"),
    // or empty when it takes none.
    QString argument = {};
};

// --player DIR, which most commands take, and its value (nullopt when not given).
QCommandLineOption playerOption();
std::optional<QString> playerDir(const QCommandLineParser &options);

// Text fit for a terminal: every control character (C0, DEL, C1) other than
// tab, LF and CR written as \xHH, so that no text from the player can send
// escape sequences.
QString controlEscaped(QStringView text);

// Writes text to standard error in UTF-8: as it is, or with control
// characters escaped and followed by a line end.
void writeError(const QString &text);
void printError(const QString &text);

// Says on standard error what is wrong with the arguments, after the
// program's name; gives CliUsageError.
CliStatus usageProblem(const QString &text);

// Writes bytes to standard output as they are.
void printBytes(const QByteArray &bytes);

// Writes count lines to standard output in UTF-8, each followed by lineEnd;
// line(i) gives line i. Output goes out in large chunks.
void printLines(qsizetype count, const std::function<QString(qsizetype)> &line, QByteArrayView lineEnd = "\n");
