#include "core/device/DeviceInfo.h"

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

TEST(DeviceInfo, SysinfoShowsItsFirstLineWhereCarriageReturnsEndLines)
{
    QTemporaryDir root;
    const std::pair<const char *, QString> cases[] = {
        {"ModelNumStr: MA446\rBoardHwName: iPod Q21\r\nFirewireGuid: 0x000A27\r\n", u"ModelNumStr: MA446"_s},
        {"pNum: M9282\r\n", u"pNum: M9282"_s},
        {"", QString()},
    };
    for (const auto &[bytes, shown] : cases) {
        write(root, u"IPOD_CONTROL/Device/SysInfo"_s, bytes);  // found whatever the case of its path
        EXPECT_EQ(getpodinfo(root.path()).infoText, u"iPod Drive: "_s + root.path() + u"\r\n"_s + shown);
    }
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
        {u"x"_s, QString()},
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

}  // namespace
