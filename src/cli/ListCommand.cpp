#include "cli/ListCommand.h"

#include "cli/CliPlayer.h"
#include "cli/SongTable.h"
#include "core/app/PlayerSession.h"

namespace {

CliStatus runList(const QCommandLineParser &options)
{
    const auto format = chosenFormat(options);
    if (!format)
        return CliUsageError;
    PlayerSession session;
    if (*format != OutputFormat::Text) {
        // Before any sort the grid holds one row per track in database order.
        const CliStatus status = connectPlayer(playerDir(options), session);
        if (status != CliNoPlayer)
            printGridSongs(*format, session.grid(), session.pod().songsstored());
        return status;
    }
    const CliStatus status = readPlayer(playerDir(options), session);
    if (status == CliNoPlayer)
        return status;
    const SongList &list = session.pod().songList();
    printLines(list.count(), [&](qsizetype i) { return controlEscaped(list.line(i)); });
    return status;
}

}  // namespace

CliCommand listCommand()
{
    return {QStringLiteral("list"),
            QStringLiteral("Print the song list of the player."),
            QStringLiteral("Prints the song list: a labelled line for each field of each track (TITLE:, LENGTH:,\n"
                           "FILE:, ...), in database order. With --format tsv, csv or json it prints one\n"
                           "song a row instead, with the columns of the grid."),
            {playerOption(), formatOption()},
            runList};
}
