#include "core/device/PlayerDetection.h"

#include "core/device/iPod.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

// True when anything at all stands at the path, also a link that leads nowhere.
bool somethingAt(const QString &path)
{
    struct stat info
    {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

}  // namespace

std::optional<QString> findpod(const VolumeService &volumes)
{
    for (const Volume &volume : volumes.volumes()) {
        if (volume.floppy || !volume.removable)
            continue;
        if (holdsDatabase(volume.rootPath))
            return volume.rootPath;
    }
    return std::nullopt;
}

std::optional<QString> locatePlayer(const std::optional<QString> &givenRoot, const VolumeService &volumes)
{
    if (!givenRoot)
        return findpod(volumes);
    if (!QFileInfo(*givenRoot).isDir()
        || (!somethingAt(itunesDbPath(*givenRoot)) && !somethingAt(itunesCdbPath(*givenRoot))))
        return std::nullopt;
    return givenRoot;
}

QString playerNotFound(const std::optional<QString> &givenRoot)
{
    if (!givenRoot)
        return QStringLiteral("iPod not detected");
    if (!QFileInfo(*givenRoot).isDir())
        return QStringLiteral("no folder %1").arg(*givenRoot);
    return QStringLiteral("%1 holds no iPod_Control/iTunes/iTunesDB or iTunesCDB").arg(*givenRoot);
}
