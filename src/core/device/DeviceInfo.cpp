#include "core/device/DeviceInfo.h"

#include "core/common/PlayerPath.h"
#include "core/common/TextFile.h"

#include <QFileInfo>

QString deviceNameFrom(const QString &firstLine)
{
    const QString rest = firstLine.mid(1);
    const qsizetype tab = rest.indexOf(QLatin1Char('\t'));
    return tab < 0 ? QString() : rest.left(tab + 1);
}

DeviceInfo getpodinfo(const QString &root)
{
    const QString sysinfo = playerPath(root, QStringLiteral("\\iPod_Control\\device\\sysinfo"));
    const QString deviceInfo = playerPath(root, QStringLiteral("\\iPod_Control\\iTunes\\DeviceInfo"));

    DeviceInfo info;
    info.infoText = QStringLiteral("iPod Drive: ") + root + QStringLiteral("\r\n")
        + TextFile::readFirstLine(sysinfo).value_or(QString());
    info.deviceName = deviceNameFrom(TextFile::readFirstLine(deviceInfo).value_or(QString()));
    info.infoFrameCaption = QLatin1Char(' ') + info.deviceName + QLatin1Char(' ');
    info.pictureFrameCaption = QLatin1Char(' ') + info.deviceName + QStringLiteral(" Photos ");
    const QString photos = playerPath(root, QStringLiteral("\\photos"));
    if (QFileInfo(photos).isDir())
        info.photosFolder = photos;
    return info;
}
