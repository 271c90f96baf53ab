#include "device/DeviceInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A player root in a temporary folder with the description files given.
class PlayerFolder : public ::testing::Test
{
protected:
    void write(const QString &relative, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(relative);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void writeSysinfo(const QByteArray &bytes) { write(QStringLiteral("iPod_Control/device/sysinfo"), bytes); }
    void writeDeviceInfo(const QByteArray &bytes) { write(QStringLiteral("iPod_Control/iTunes/DeviceInfo"), bytes); }
    QString root() const { return m_dir.path(); }
    QString driveLine() const { return QStringLiteral("iPod Drive: ") + root() + QStringLiteral("\r\n"); }

    QTemporaryDir m_dir;
};

TEST_F(PlayerFolder, SysinfoShowsItsFirstLineWhereOnlyCarriageReturnsEndLines)
{
    writeSysinfo("ModelNumStr: MA446\nBoardHwName: iPod Q21\nFirewireGuid: 0x000A27\n");
    EXPECT_EQ(getpodinfo(root()).infoText,
              driveLine() + QStringLiteral("ModelNumStr: MA446\nBoardHwName: iPod Q21\nFirewireGuid: 0x000A27\n"));

    writeSysinfo("ModelNumStr: MA446\rBoardHwName: iPod Q21\r\nFirewireGuid: 0x000A27\r\n");
    EXPECT_EQ(getpodinfo(root()).infoText, driveLine() + QStringLiteral("ModelNumStr: MA446"));

    writeSysinfo("");
    EXPECT_EQ(getpodinfo(root()).infoText, driveLine());
}

TEST_F(PlayerFolder, DeviceNameRunsUpToAndIncludingTheFirstTab)
{
    writeDeviceInfo(QByteArray("\x0B" "Anna's iPod\tmore\ttext\r\nsecond line"));
    const DeviceInfo info = getpodinfo(root());
    EXPECT_EQ(info.deviceName, QStringLiteral("Anna's iPod\t"));
    EXPECT_EQ(info.infoFrameCaption, QStringLiteral(" Anna's iPod\t "));
    EXPECT_EQ(info.pictureFrameCaption, QStringLiteral(" Anna's iPod\t Photos "));
    EXPECT_EQ(deviceNameFrom(QStringLiteral("x\t")), QStringLiteral("\t"));

    // No tab, or one character: an empty name.
    for (const QByteArray &line : {QByteArray("\x0B" "Anna's iPod"), QByteArray("\t"), QByteArray("x")}) {
        writeDeviceInfo(line);
        EXPECT_TRUE(getpodinfo(root()).deviceName.isEmpty()) << line.toStdString();
    }
}

TEST(DeviceInfo, MissingFilesGiveTheDriveLineAndEmptyNames)
{
    QTemporaryDir empty;
    const DeviceInfo info = getpodinfo(empty.path());
    EXPECT_EQ(info.infoText, QStringLiteral("iPod Drive: ") + empty.path() + QStringLiteral("\r\n"));
    EXPECT_EQ(info.infoFrameCaption, QStringLiteral("  "));
    EXPECT_EQ(info.pictureFrameCaption, QStringLiteral("  Photos "));
    EXPECT_TRUE(info.photosFolder.isEmpty()) << "no photos folder: the viewer stays where it was";
}

TEST_F(PlayerFolder, PhotosFolderAndFilesAreFoundWithoutRegardToCase)
{
    ASSERT_TRUE(QDir(root()).mkpath(QStringLiteral("Photos")));
    write(QStringLiteral("IPOD_CONTROL/Device/SysInfo"), "pNum: M9282\r");
    const DeviceInfo info = getpodinfo(root());
    EXPECT_EQ(info.photosFolder, root() + QStringLiteral("/Photos"));
    EXPECT_EQ(info.infoText, driveLine() + QStringLiteral("pNum: M9282"));

    // A file named photos is not a folder.
    QTemporaryDir other;
    QFile file(other.filePath(QStringLiteral("photos")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(getpodinfo(other.path()).photosFolder.isEmpty());
}

}  // namespace
