#pragma once

#include "core/device/VolumeService.h"

#include <QByteArray>
#include <QString>

#include <vector>

// One line of /proc/self/mountinfo, the parts the volume list needs.
struct MountEntry
{
    unsigned major = 0;
    unsigned minor = 0;
    QString root;        // the folder of the file system seen at the mount point
    QString mountPoint;  // escapes such as \040 decoded
    QString fsType;
    QString source;
};

// The mounts described by mountinfo text, in the order given; lines that do not
// have the expected fields are left out.
std::vector<MountEntry> parseMountInfo(const QByteArray &text);

// The volumes mounted on this machine: every mount of a block device, sorted by
// mount path. A volume is removable when its disk reports a removable medium or
// sits on a USB bus; a disk named fd* is a floppy.
class SystemVolumeService : public VolumeService
{
public:
    explicit SystemVolumeService(QString mountInfoPath = QStringLiteral("/proc/self/mountinfo"),
                                 QString sysRoot = QStringLiteral("/sys"));
    std::vector<Volume> volumes() const override;

private:
    Volume describe(const MountEntry &mount) const;

    QString m_mountInfoPath;
    QString m_sysRoot;
};
