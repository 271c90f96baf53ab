#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <optional>

// What both programs' command lines share: the help and version options, the
// help text layout and the check for repeated options.

QCommandLineOption helpOption();     // -h, --help
QCommandLineOption versionOption();  // --version

// The program's name and version, e.g. "quillory-cli 1.0.1".
QString versionLine(const QString &program);

// "Usage: " and usage, the description when there is one, then the
// parser's list of options.
QString helpText(const QCommandLineParser &parser, const QString &usage, const QString &description = {});

// The first of options that the parsed arguments give more than once, as
// "--name"; nullopt when none is repeated.
std::optional<QString> repeatedOption(const QCommandLineParser &parser, const QList<QCommandLineOption> &options);
