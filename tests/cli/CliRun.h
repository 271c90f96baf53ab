#pragma once

#include <QString>
#include <QStringList>

// What one run of the built quillory-cli gave back.
struct CliRun
{
    int exitCode = -1;  // -1 when it crashed or did not end within a minute
    QString out;        // standard output, decoded as UTF-8
    QString err;        // standard error, decoded as UTF-8
};

// Runs quillory-cli with these arguments and waits for it to end.
CliRun runCli(const QStringList &args);
