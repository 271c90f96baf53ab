#include "core/device/DeviceInfo.h"
#include "core/device/PlayerDetection.h"
#include "core/device/SystemVolumeService.h"

#include "CopyTestSupport.h"
#include "FakeVolumes.h"
#include "TestStrings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A folder that looks like a player: it holds the track database.
QString makePlayer(const QTemporaryDir &base, const QString &name,
                   const QString &db = u"iPod_Control/iTunes/iTunesDB"_s, const QByteArray &bytes = "mhbd")
{
    writeBytes(base.filePath(name + u'/' + db), bytes);
    return base.filePath(name);
}

// A database found whatever the case of its path, the compressed one alone
// too; an empty plain database alone is no player.
TEST(Findpod, TakesTheFirstRemovableVolumeHoldingTheDatabase)
{
    QTemporaryDir base;
    const QString first = makePlayer(base, u"first"_s, u"IPOD_CONTROL/itunes/ITUNESDB"_s);
    const QString second = makePlayer(base, u"second"_s, u"iPod_Control/iTunes/iTunesCDB"_s);

    FakeVolumes volumes;
    volumes.list = {{makePlayer(base, u"fixed"_s), false, false},
                    {makePlayer(base, u"floppy"_s), true, true},
                    {makePlayer(base, u"stick"_s, u"iPod_Control/iTunes/iTunesDB.bak"_s), true, false},
                    {makePlayer(base, u"empty"_s, u"iPod_Control/iTunes/iTunesDB"_s, {}), true, false},
                    {first, true, false},
                    {second, true, false}};
    EXPECT_EQ(findpod(volumes), first);
    volumes.list.erase(volumes.list.begin() + 4);
    EXPECT_EQ(findpod(volumes), second);
    volumes.list.pop_back();
    EXPECT_EQ(findpod(volumes), std::nullopt);
}

TEST(LocatePlayer, ANamedFolderWithAnythingAtItsDatabasePathIsThePlayer)
{
    QTemporaryDir base;
    FakeVolumes volumes;
    const QString searched = makePlayer(base, u"searched"_s);
    volumes.list = {{searched, true, false}};
    EXPECT_EQ(locatePlayer(std::nullopt, volumes), searched);

    const QString named = base.filePath(u"named"_s);
    const QString db = named + u"/iPod_Control/iTunes/iTunesDB"_s;
    EXPECT_EQ(locatePlayer(named, volumes), std::nullopt) << "no such folder";
    EXPECT_EQ(playerNotFound(named), u"no folder "_s + named);
    ASSERT_TRUE(QDir().mkpath(named + u"/iPod_Control/iTunes"_s));
    EXPECT_EQ(locatePlayer(named, volumes), std::nullopt) << "no database";
    EXPECT_EQ(playerNotFound(named), named + u" holds no iPod_Control/iTunes/iTunesDB or iTunesCDB"_s);
    EXPECT_EQ(playerNotFound(std::nullopt), u"iPod not detected"_s);
    ASSERT_TRUE(QFile::link(named + u"/nowhere"_s, db));
    EXPECT_EQ(locatePlayer(named, volumes), named) << "a link that leads nowhere";
    ASSERT_TRUE(QFile::remove(db));
    ASSERT_TRUE(QDir().mkdir(db));
    EXPECT_EQ(locatePlayer(named, volumes), named) << "a folder in the database's place";
    EXPECT_EQ(locatePlayer(db + u"/missing"_s, volumes), std::nullopt);
    EXPECT_EQ(locatePlayer(searched + u"/iPod_Control/iTunes/iTunesDB"_s, volumes), std::nullopt) << "a file";
}

// A sysfs tree and a mountinfo file in a temporary folder: block device mounts
// listed by path, removable when the disk says so or sits on a USB bus.
TEST(SystemVolumes, ReadsMountInfoAndTellsRemovableAndFloppyDisks)
{
    QTemporaryDir base;
    const QString sys = base.filePath(u"sys"_s);
    // A disk, with the partition that is mounted when one is given.
    const auto addDevice = [&](const QString &majorMinor, const QString &disk, const QString &partition,
                               const QByteArray &removable) {
        const QString device = partition.isEmpty() ? disk : disk + u'/' + partition;
        writeBytes(sys + u'/' + disk + u"/removable"_s, removable);
        if (!partition.isEmpty())
            writeBytes(sys + u'/' + device + u"/partition"_s, "1");
        EXPECT_TRUE(QDir().mkpath(sys + u"/dev/block"_s));
        EXPECT_TRUE(QFile::link(u"../../"_s + device, sys + u"/dev/block/"_s + majorMinor));
    };
    // An internal disk, a USB stick that reports no removable medium, a floppy drive.
    addDevice(u"8:1"_s, u"devices/pci0000:00/ata1/host0/block/sda"_s, u"sda1"_s, "0");
    addDevice(u"8:17"_s, u"devices/pci0000:00/0000:00:14.0/usb2/2-1/host6/block/sdb"_s, u"sdb1"_s, "0");
    addDevice(u"2:0"_s, u"devices/platform/floppy.0/block/fd0"_s, QString(), "1");
    const QString mountInfo = base.filePath(u"mountinfo"_s);
    writeBytes(mountInfo,
               "1 0 8:1 / /root rw - ext4 /dev/sda1 rw\n"
               "3 1 8:17 / /media/MY\\040IPOD rw shared:4 master:1 - vfat /dev/sdb1 rw\n"
               "4 1 2:0 / /media/back\\134slash\\011tab rw - vfat /dev/fd0 rw\n"
               "5 1 0:45 / /home rw - btrfs /dev/nvme0n1p2 rw\n"
               "6 1 8:1 / /hidden rw - ext4 /dev/sda1 rw\n"
               "7 6 0:50 / /hidden rw - tmpfs tmpfs rw\n"
               "broken line\n"
               "9 1 8:49 / /no/separator rw shared:2 vfat /dev/sde1 rw\n");
    QStringList listed;
    for (const Volume &v : SystemVolumeService(mountInfo, sys).volumes())
        listed << v.rootPath + (v.removable ? u" removable"_s : QString()) + (v.floppy ? u" floppy"_s : QString());
    EXPECT_EQ(listed,
              (QStringList{u"/home"_s, u"/media/MY IPOD removable"_s, u"/media/back\\slash\ttab removable floppy"_s,
                           u"/root"_s}));
}

// The system description shows its first line; the device name runs up to
// and including the first tab after the first character. They and the photos
// folder are found whatever the case of their paths, and the folder must be one.
TEST(DeviceInfo, DescriptionFilesAndPhotosFolderAreFoundWithoutRegardToCase)
{
    EXPECT_EQ(deviceNameFrom(u"\vAnna's iPod\tmore\ttext"_s), u"Anna's iPod\t"_s);
    EXPECT_EQ(deviceNameFrom(u"\vAnna's iPod"_s), QString()) << "no tab";
    QTemporaryDir withFolder, withFile;
    writeBytes(withFolder.filePath(u"IPOD_CONTROL/Device/SysInfo"_s), "ModelNumStr: MA446\rBoardHwName: iPod Q21\r\n");
    writeBytes(withFolder.filePath(u"IPOD_CONTROL/iTunes/DeviceInfo"_s), "xName\tmore");
    ASSERT_TRUE(QDir(withFolder.path()).mkpath(u"Photos"_s));
    const DeviceInfo info = getpodinfo(withFolder.path());
    EXPECT_EQ(info.deviceName, u"Name\t"_s);
    EXPECT_EQ(info.infoText, u"iPod Drive: "_s + withFolder.path() + u"\r\nModelNumStr: MA446"_s);
    EXPECT_EQ(info.photosFolder, withFolder.filePath(u"Photos"_s));
    writeBytes(withFile.filePath(u"photos"_s), "");
    EXPECT_TRUE(getpodinfo(withFile.path()).photosFolder.isEmpty());
}

}  // namespace
