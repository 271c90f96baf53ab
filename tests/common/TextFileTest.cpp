#include "common/TextFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(TextFile, LinesEndAtCrOrCrLfButNotAtLfAlone)
{
    EXPECT_EQ(TextFile::splitLines(QStringLiteral("a\rb\r\nc\nd\r\r\ne")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c\nd"), QString(), QStringLiteral("e")}));
    EXPECT_EQ(TextFile::splitLines(QStringLiteral("last\r\n")), QStringList{QStringLiteral("last")});
    EXPECT_TRUE(TextFile::splitLines(QString()).isEmpty());
}

TEST(TextFile, DecodesUtf8OrElseLatin1)
{
    EXPECT_EQ(TextFile::decode(QByteArray("Caf\xC3\xA9")), QStringLiteral("Café"));
    EXPECT_EQ(TextFile::decode(QByteArray("Caf\xE9")), QStringLiteral("Café"));
    EXPECT_EQ(TextFile::decode(QByteArray("\xC3\xA9 and \xE9")), QString::fromLatin1("\xC3\xA9 and \xE9"));
}

TEST(TextFile, ReadsFilesAndTellsMissingOrEmptyOnes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sysinfo"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("ModelNumStr: xA623\r\nvisibleBuildID: 0x\xE9\r\n");
    file.close();
    EXPECT_EQ(TextFile::readFirstLine(path), QStringLiteral("ModelNumStr: xA623"));
    EXPECT_EQ(TextFile::readLines(path), (QStringList{QStringLiteral("ModelNumStr: xA623"), QStringLiteral("visibleBuildID: 0xé")}));

    EXPECT_EQ(TextFile::readLines(dir.filePath(QStringLiteral("missing"))), std::nullopt);
    const QString empty = dir.filePath(QStringLiteral("empty"));
    ASSERT_TRUE(QFile(empty).open(QIODevice::WriteOnly));
    EXPECT_EQ(TextFile::readFirstLine(empty), std::nullopt);
    EXPECT_EQ(TextFile::readLines(empty), QStringList());
}

}  // namespace
