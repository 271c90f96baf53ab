#include "core/device/PlayerDetection.h"

#include "core/common/PlayerPath.h"
#include "core/device/iPod.h"

std::optional<QString> findpod(const VolumeService &volumes)
{
    for (const Volume &volume : volumes.volumes()) {
        if (volume.floppy || !volume.removable)
            continue;
        if (fileexists(itunesDbPath(volume.rootPath)))
            return volume.rootPath;
    }
    return std::nullopt;
}

std::optional<QString> locatePlayer(const std::optional<QString> &givenRoot, const VolumeService &volumes)
{
    if (!givenRoot)
        return findpod(volumes);
    if (!fileexists(itunesDbPath(*givenRoot)))
        return std::nullopt;
    return givenRoot;
}
