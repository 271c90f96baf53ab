#include "device/PlayerDetection.h"

#include "common/PlayerPath.h"
#include "device/iPod.h"

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
