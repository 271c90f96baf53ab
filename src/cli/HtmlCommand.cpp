#include "cli/HtmlCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliPlayer.h"
#include "core/app/PlayerSession.h"
#include "core/common/ProgressSink.h"
#include "core/export/HtmlList.h"

CliStatus runHtml(const QStringList &args)
{
    const auto options =
        CliOptions::parse(args, {QLatin1String("--player"), QLatin1String("--sort"), QLatin1String("--out")},
                          {QLatin1String("--descending")});
    if (!options)
        return CliUsageError;
    const std::optional<QString> out = options->value(QLatin1String("--out"));
    if (!out || out->isEmpty()) {
        printError(QStringLiteral("html needs --out FILE"));
        return CliUsageError;
    }
    PlayerSession session;
    const CliStatus status = connectSorted(*options, session);
    if (status == CliNoPlayer || status == CliUsageError)
        return status;

    const QString path = htmlFileName(*out);
    NoProgress progress;
    const HtmlWriteResult written = writeHtmlList(session.grid(), path, progress);
    if (!written.ok) {
        printError(QStringLiteral("cannot write %1: %2").arg(path, written.errorText));
        return CliReportFailed;
    }
    printLines(1, [&path](qsizetype) { return path; });
    return status;
}
