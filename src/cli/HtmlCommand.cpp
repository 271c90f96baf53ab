#include "cli/HtmlCommand.h"

#include "cli/CliPlayer.h"
#include "core/app/PlayerSession.h"
#include "core/common/ProgressSink.h"
#include "core/export/HtmlList.h"

namespace {

const QCommandLineOption outOption{QStringLiteral("out"),
                                   QStringLiteral("Write the list to FILE (\".html\" is added as the window adds it)."),
                                   QStringLiteral("FILE")};

CliStatus runHtml(const QCommandLineParser &options)
{
    if (options.value(outOption).isEmpty())
        return usageProblem(QStringLiteral("html needs --out FILE"));
    PlayerSession session;
    const CliStatus status = openSortedGrid(options, session);
    if (endsCommand(status))
        return status;

    const QString path = htmlFileName(options.value(outOption));
    if (const QString refusal = htmlOnPlayerRefusal(path, session.pod().poddrive()); !refusal.isEmpty()) {
        printError(refusal);
        return CliCopyRefused;
    }
    NoProgress progress;
    const HtmlWriteResult written = writeHtmlList(session.grid(), path, progress);
    if (!written.ok) {
        printError(QStringLiteral("cannot write %1: %2").arg(path, written.errorText));
        return CliReportFailed;
    }
    printLines(1, [&path](qsizetype) { return path; });
    return status;
}

}  // namespace

CliCommand htmlCommand()
{
    return {QStringLiteral("html"), QStringLiteral("Write the song grid as an HTML page."),
            QStringLiteral("Writes exactly the file that Create HTML writes, opens nothing and prints the path\n"
                           "written."),
            QList<QCommandLineOption>{playerOption()} + sortOptions() + QList<QCommandLineOption>{outOption}, runHtml};
}
