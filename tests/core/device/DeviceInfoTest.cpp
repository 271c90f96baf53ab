#include "core/device/DeviceInfo.h"

#include "SpecialFiles.h"
#include "TestStrings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void write(const QTemporaryDir &root, const QString &relative, const QByteArray &bytes)
{
    const QString path = root.filePath(relative);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(DeviceInfo, SysinfoShowsItsFirstLine)
{
    QTemporaryDir root;
    // Found whatever the case of its path.
    write(root, u"IPOD_CONTROL/Device/SysInfo"_s, "ModelNumStr: MA446\rBoardHwName: iPod Q21\r\n");
    EXPECT_EQ(getpodinfo(root.path()).infoText, u"iPod Drive: "_s + root.path() + u"\r\nModelNumStr: MA446"_s);
}

TEST(DeviceInfo, DeviceNameRunsUpToAndIncludingTheFirstTabAfterTheFirstCharacter)
{
    const std::pair<QString, QString> cases[] = {
        {u"\x0B"
         "Anna's iPod\tmore\ttext"_s,
         u"Anna's iPod\t"_s},
        {u"x\t"_s, u"\t"_s},
        {u"\x0B"
         "Anna's iPod"_s,
         QString()},
        {u"\t"_s, QString()},
        {QString(), QString()},
    };
    for (const auto &[line, name] : cases)
        EXPECT_EQ(deviceNameFrom(line), name) << line.toStdString();
}

TEST(DeviceInfo, PhotosFolderIsFoundWithoutRegardToCaseAndMustBeAFolder)
{
    QTemporaryDir withFolder, withFile;
    ASSERT_TRUE(QDir(withFolder.path()).mkpath(u"Photos"_s));
    EXPECT_EQ(getpodinfo(withFolder.path()).photosFolder, withFolder.filePath(u"Photos"_s));
    write(withFile, u"photos"_s, "");
    EXPECT_TRUE(getpodinfo(withFile.path()).photosFolder.isEmpty());
}

// Description files that are no regular files are read as missing ones,
// without waiting; a huge one-line file shows only its first 64 KB.
TEST(DeviceInfo, SpecialAndOversizedDescriptionFilesNeitherHangNorFlood)
{
    QTemporaryDir root;
    const QString sysinfo = root.filePath(u"iPod_Control/Device/SysInfo"_s);
    const QString deviceInfo = root.filePath(u"iPod_Control/iTunes/DeviceInfo"_s);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(sysinfo).path()));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(deviceInfo).path()));
    const QString driveLine = u"iPod Drive: "_s + root.path() + u"\r\n"_s;
    const HangWatch watch;
    for (const SpecialFile kind : allSpecialFiles) {
        SCOPED_TRACE(specialFileName(kind));
        makeSpecialFile(kind, sysinfo);
        makeSpecialFile(kind, deviceInfo);
        const DeviceInfo info = getpodinfo(root.path());
        EXPECT_EQ(info.infoText, driveLine);
        EXPECT_EQ(info.infoFrameCaption, u"  "_s);
    }

    QDir(sysinfo).removeRecursively();
    QDir(deviceInfo).removeRecursively();
    write(root, u"iPod_Control/Device/SysInfo"_s, QByteArray(2 << 20, 'm'));
    write(root, u"iPod_Control/iTunes/DeviceInfo"_s, "xName\t" + QByteArray(2 << 20, 'n'));
    const DeviceInfo info = getpodinfo(root.path());
    EXPECT_EQ(info.infoText, driveLine + QString(64 * 1024, u'm'));
    EXPECT_EQ(info.deviceName, u"Name\t"_s);
}

}  // namespace
