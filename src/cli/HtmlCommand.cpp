#include "cli/HtmlCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliPlayer.h"
#include "core/app/PlayerSession.h"
#include "core/common/ProgressSink.h"
#include "core/export/HtmlList.h"

CliStatus runHtml(const QStringList &args)
{
    PlayerSession session;
    CliOptions options;
    const CliStatus status = openSortedGrid(args, session, options, QLatin1String("--out"));
    if (endsCommand(status))
        return status;
    const std::optional<QString> out = options.value(QLatin1String("--out"));
    if (!out || out->isEmpty()) {
        printError(QStringLiteral("html needs --out FILE"));
        return CliUsageError;
    }

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
