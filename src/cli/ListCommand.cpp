#include "cli/ListCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliPlayer.h"
#include "core/app/PlayerSession.h"

CliStatus runList(const QStringList &args)
{
    const auto options = CliOptions::parse(args, {QLatin1String("--player")});
    if (!options)
        return CliUsageError;
    PlayerSession session;
    const CliStatus status = readPlayer(options->value(QLatin1String("--player")), session);
    if (status == CliNoPlayer)
        return status;
    const SongList &list = session.pod().songList();
    printLines(list.count(), [&](qsizetype i) { return list.line(i); });
    return status;
}
