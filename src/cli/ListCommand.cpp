#include "cli/ListCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliPlayer.h"
#include "core/device/iPod.h"

CliStatus runList(const QStringList &args)
{
    const auto options = CliOptions::parse(args, {QLatin1String("--player")});
    if (!options)
        return CliUsageError;
    iPod pod;
    const CliStatus status = readPlayer(options->value(QLatin1String("--player")), pod);
    if (status == CliNoPlayer)
        return status;
    const SongList &list = pod.songList();
    printLines(list.count(), [&](qsizetype i) { return list.line(i); });
    return status;
}
