#include "CliRun.h"

#include <QProcess>

CliRun runCli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(QUILLORY_CLI), args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
