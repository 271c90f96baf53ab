#include "core/device/SystemVolumeService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <map>

namespace {

// Undoes the octal escapes (\040 for a blank, \134 for a backslash) that mountinfo uses.
QString unescape(QByteArrayView field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const auto isOctal = [&](qsizetype k) { return k < field.size() && field[k] >= '0' && field[k] <= '7'; };
        if (field[i] == '\\' && isOctal(i + 1) && isOctal(i + 2) && isOctal(i + 3)) {
            out.append(
                static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0')));
            i += 3;
        } else {
            out.append(field[i]);
        }
    }
    return QFile::decodeName(out);
}

QByteArray firstLineOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readLine().trimmed();
}

}  // namespace

std::vector<MountEntry> parseMountInfo(const QByteArray &text)
{
    std::vector<MountEntry> mounts;
    for (const QByteArray &line : text.split('\n')) {
        // id parent major:minor root mount-point options [optional fields...] - type source super-options
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf(QByteArrayLiteral("-"), 6);
        if (fields.size() < 6 || separator < 0 || separator + 2 >= fields.size())
            continue;
        const QList<QByteArray> device = fields[2].split(':');
        bool majorOk = false;
        bool minorOk = false;
        MountEntry entry;
        if (device.size() == 2) {
            entry.major = device[0].toUInt(&majorOk);
            entry.minor = device[1].toUInt(&minorOk);
        }
        if (!majorOk || !minorOk)
            continue;
        entry.root = unescape(fields[3]);
        entry.mountPoint = unescape(fields[4]);
        entry.fsType = unescape(fields[separator + 1]);
        entry.source = unescape(fields[separator + 2]);
        mounts.push_back(std::move(entry));
    }
    return mounts;
}

SystemVolumeService::SystemVolumeService(QString mountInfoPath, QString sysRoot)
    : m_mountInfoPath(std::move(mountInfoPath))
    , m_sysRoot(std::move(sysRoot))
{}

std::vector<Volume> SystemVolumeService::volumes() const
{
    QFile file(m_mountInfoPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Later mounts on the same path hide earlier ones; the map keeps mount paths sorted.
    std::map<QString, MountEntry> byPath;
    for (MountEntry &mount : parseMountInfo(file.readAll())) {
        const bool blockDevice = mount.major != 0 || mount.source.startsWith(QLatin1String("/dev/"));
        if (blockDevice)
            byPath.insert_or_assign(mount.mountPoint, std::move(mount));
        else
            byPath.erase(mount.mountPoint);
    }
    std::vector<Volume> volumes;
    volumes.reserve(byPath.size());
    for (const auto &[path, mount] : byPath)
        volumes.push_back(describe(mount));
    return volumes;
}

Volume SystemVolumeService::describe(const MountEntry &mount) const
{
    Volume volume;
    volume.rootPath = mount.mountPoint;
    const QString device =
        QFileInfo(m_sysRoot + QStringLiteral("/dev/block/%1:%2").arg(mount.major).arg(mount.minor)).canonicalFilePath();
    if (device.isEmpty())
        return volume;
    // A partition's disk is the folder above it.
    const QString disk = QFileInfo::exists(device + QStringLiteral("/partition")) ? QFileInfo(device).path() : device;
    const QString sysRoot = QFileInfo(m_sysRoot).canonicalFilePath();
    const QString devicePath = device.startsWith(sysRoot) ? device.mid(sysRoot.size()) : device;
    volume.floppy = QFileInfo(disk).fileName().startsWith(QLatin1String("fd"));
    volume.removable =
        firstLineOf(disk + QStringLiteral("/removable")) == "1" || devicePath.contains(QLatin1String("/usb"));
    return volume;
}
