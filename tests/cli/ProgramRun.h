#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// What a program printed and its exit status (-1 when it crashed or did not
// end within a minute).
struct ProgramRun
{
    int exitCode = -1;
    QString out, err;
};

inline ProgramRun runProgram(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

inline ProgramRun runCli(const QStringList &args)
{
    return runProgram(QStringLiteral(QUILLORY_CLI), args);
}
