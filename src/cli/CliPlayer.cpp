#include "cli/CliPlayer.h"

#include "core/device/PlayerDetection.h"
#include "core/device/SystemVolumeService.h"
#include "core/device/iPod.h"
#include "core/grid/GridFill.h"

CliStatus readPlayer(const std::optional<QString> &playerDir, iPod &pod)
{
    const iPod::ReadOutcome outcome = pod.readitunesdb([&] { return locatePlayer(playerDir, SystemVolumeService()); });
    if (outcome == iPod::ReadOutcome::NoPlayer) {
        printError(QStringLiteral("iPod not detected"));
        return CliNoPlayer;
    }
    if (outcome != iPod::ReadOutcome::Complete) {
        printError(QStringLiteral("The track database could not be read completely; only %1 of %2 songs were read.")
                       .arg(pod.songsstored())
                       .arg(pod.songtotal()));
        return CliReadFailed;
    }
    return CliOk;
}

CliStatus connectPlayer(const std::optional<QString> &playerDir, iPod &pod, GridModel &grid)
{
    const CliStatus status = readPlayer(playerDir, pod);
    if (status == CliNoPlayer)
        return status;
    PlayTimeBoxes total;
    FILLGRID(grid, pod.songList(), pod.lastsongindex(), total);
    return status;
}
