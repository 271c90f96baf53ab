#include "device/PlayerDetection.h"
#include "device/SystemVolumeService.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FakeVolumes : public VolumeService
{
public:
    std::vector<Volume> list;
    std::vector<Volume> volumes() const override { return list; }
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A folder that looks like a player: it holds the track database.
QString makePlayer(const QTemporaryDir &base, const QString &name, const QString &dbPath = QStringLiteral("iPod_Control/iTunes/iTunesDB"))
{
    const QString root = base.filePath(name);
    EXPECT_TRUE(writeFile(root + u'/' + dbPath, QByteArrayLiteral("mhbd")));
    return root;
}

TEST(Findpod, TakesTheFirstRemovableVolumeHoldingTheDatabase)
{
    QTemporaryDir base;
    const QString fixedPlayer = makePlayer(base, u"fixed"_s);
    const QString floppyPlayer = makePlayer(base, u"floppy"_s);
    const QString empty = base.filePath(u"stick"_s);
    ASSERT_TRUE(QDir().mkpath(empty + u"/iPod_Control/iTunes"_s));
    const QString odd = base.filePath(u"odd"_s);  // a folder named like the database is no player
    ASSERT_TRUE(QDir().mkpath(odd + u"/iPod_Control/iTunes/iTunesDB"_s));
    const QString first = makePlayer(base, u"first"_s, u"IPOD_CONTROL/itunes/ITUNESDB"_s);
    const QString second = makePlayer(base, u"second"_s);

    FakeVolumes volumes;
    volumes.list = {{fixedPlayer, false, false}, {floppyPlayer, true, true}, {empty, true, false},
                    {odd, true, false},          {first, true, false},       {second, true, false}};
    EXPECT_EQ(findpod(volumes), first);
    volumes.list.erase(volumes.list.begin() + 4);
    EXPECT_EQ(findpod(volumes), second);
    volumes.list.pop_back();
    EXPECT_EQ(findpod(volumes), std::nullopt);
}

TEST(MountInfo, ParsesFieldsAroundTheOptionalOnesAndDecodesEscapes)
{
    const QByteArray text =
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "90 22 8:17 / /media/anna/MY\\040IPOD rw,nosuid shared:50 master:3 - vfat /dev/sdb1 rw,uid=1000\n"
        "91 22 0:5 / /proc rw - proc proc rw\n"
        "92 22 8:33 / /media/back\\134slash\\011tab rw - hfsplus /dev/sdc1 rw\n"
        "broken line\n"
        "93 22 x:1 / /bad rw - vfat /dev/sdd1 rw\n"
        "94 22 8:49 / /no/separator rw shared:2 vfat /dev/sde1 rw\n"
        "\n";
    QStringList parsed;
    for (const MountEntry &m : parseMountInfo(text))
        parsed << u"%1:%2 %3 %4 %5"_s.arg(m.major).arg(m.minor).arg(m.mountPoint, m.fsType, m.source);
    EXPECT_EQ(parsed, (QStringList{u"8:1 / ext4 /dev/sda1"_s, u"8:17 /media/anna/MY IPOD vfat /dev/sdb1"_s,
                                   u"0:5 /proc proc proc"_s, u"8:33 /media/back\\slash\ttab hfsplus /dev/sdc1"_s}));
}

// A sysfs tree and a mountinfo file in a temporary folder, with the mount points as real folders.
class SystemVolumes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sys = base.filePath(QStringLiteral("sys"));
        media = base.filePath(QStringLiteral("media"));
        // An internal disk, a USB stick that does not report a removable medium, a CD
        // drive, a floppy drive.
        addDevice(QStringLiteral("8:1"), QStringLiteral("devices/pci0000:00/ata1/host0/block/sda/sda1"), "0");
        addDevice(QStringLiteral("8:17"), QStringLiteral("devices/pci0000:00/0000:00:14.0/usb2/2-1/host6/block/sdb/sdb1"), "0");
        addDevice(QStringLiteral("11:0"), QStringLiteral("devices/pci0000:00/ata2/host1/block/sr0"), "1");
        addDevice(QStringLiteral("2:0"), QStringLiteral("devices/platform/floppy.0/block/fd0"), "1");
        const QByteArray mountInfo = "1 0 8:1 / " + media.toUtf8() + "/root rw - ext4 /dev/sda1 rw\n"
            "2 1 0:22 / /proc rw - proc proc rw\n"
            "3 1 8:17 / " + media.toUtf8() + "/MY\\040IPOD rw shared:4 - vfat /dev/sdb1 rw\n"
            "4 1 11:0 / " + media.toUtf8() + "/cdrom ro - iso9660 /dev/sr0 ro\n"
            "5 1 2:0 / " + media.toUtf8() + "/floppy rw - vfat /dev/fd0 rw\n"
            "6 1 0:45 / " + media.toUtf8() + "/home rw - btrfs /dev/nvme0n1p2 rw\n"
            "7 1 8:1 / " + media.toUtf8() + "/hidden rw - ext4 /dev/sda1 rw\n"
            "8 7 0:50 / " + media.toUtf8() + "/hidden rw - tmpfs tmpfs rw\n";
        mountInfoPath = base.filePath(QStringLiteral("mountinfo"));
        ASSERT_TRUE(writeFile(mountInfoPath, mountInfo));
    }

    // devicePath is a partition when its disk folder is named as its start (sdb/sdb1).
    void addDevice(const QString &majorMinor, const QString &devicePath, const QByteArray &removable)
    {
        const QString device = sys + u'/' + devicePath;
        ASSERT_TRUE(QDir().mkpath(device));
        const QString parent = QFileInfo(QFileInfo(device).path()).fileName();
        const bool partition = QFileInfo(device).fileName().startsWith(parent);
        const QString disk = partition ? QFileInfo(device).path() : device;
        if (partition) {
            ASSERT_TRUE(writeFile(device + QStringLiteral("/partition"), "1\n"));
        }
        ASSERT_TRUE(writeFile(disk + QStringLiteral("/removable"), removable + '\n'));
        ASSERT_TRUE(QDir().mkpath(sys + QStringLiteral("/dev/block")));
        ASSERT_TRUE(QFile::link(QStringLiteral("../../") + devicePath, sys + QStringLiteral("/dev/block/") + majorMinor));
    }

    QTemporaryDir base;
    QString sys, media, mountInfoPath;
};

TEST_F(SystemVolumes, ListsBlockDevicesByMountPathTellsRemovableOnesAndFindsThePlayer)
{
    QStringList listed;
    for (const Volume &v : SystemVolumeService(mountInfoPath, sys).volumes())
        listed << v.rootPath.mid(media.size()) + (v.removable ? u" removable"_s : QString()) + (v.floppy ? u" floppy"_s : QString());
    EXPECT_EQ(listed, (QStringList{u"/MY IPOD removable"_s, u"/cdrom removable"_s, u"/floppy removable floppy"_s,
                                   u"/home"_s, u"/root"_s}));

    for (const char *name : {"root", "floppy", "MY IPOD"})
        makePlayer(base, u"media/"_s + QString::fromLatin1(name));
    EXPECT_EQ(findpod(SystemVolumeService(mountInfoPath, sys)), media + u"/MY IPOD"_s);
    EXPECT_EQ(findpod(SystemVolumeService(base.filePath(u"none"_s), sys)), std::nullopt);
}

}  // namespace
