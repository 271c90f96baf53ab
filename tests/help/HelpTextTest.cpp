#include "help/HelpText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class HelpTextTest : public ::testing::Test
{
protected:
    QString write(const QByteArray &bytes, const QString &name = helpFileName())
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    QTemporaryDir dir;
    HelpText help;
};

TEST(HelpKeyTest, NumberInCapitalsWithoutBlanks)
{
    EXPECT_EQ(helpKey(36), QStringLiteral("HID:36"));
    EXPECT_EQ(helpKey(0), QStringLiteral("HID:0"));
    EXPECT_EQ(helpKey(std::nullopt), QStringLiteral("HID:"));
}

TEST_F(HelpTextTest, SectionsOpenOnTheExactKeyLineAndCloseOnAnyCase)
{
    const struct
    {
        const char *file;
        std::optional<int> number;
        HelpText::Lookup lookup;
        const char16_t *text;  // lines kept as they are, each followed by CR LF
    } cases[] = {
        {"intro\r\nhid:21\r\nFirst line of play.\r\n  second  \r\n  HidOver:  \r\nafter\r\n", 21,
         HelpText::Lookup::Found, u"First line of play.\r\n  second  \r\n"},
        // A blank before the key, a blank inside it, or a longer number do not open the section.
        {" HID:21\r\nwrong\r\nHIDOVER:\r\nHID: 21\r\nwrong\r\nHIDOVER:\r\nHID:210\r\nwrong\r\nHIDOVER:\r\n", 21,
         HelpText::Lookup::NotFound, u""},
        // The first matching section wins; an empty one is found.
        {"HID:5\r\nHIDOVER:\r\nHID:7\r\nfirst\r\nHIDOVER:\r\nHID:7\r\nsecond\r\nHIDOVER:\r\n", 5, HelpText::Lookup::Found, u""},
        {"HID:5\r\nHIDOVER:\r\nHID:7\r\nfirst\r\nHIDOVER:\r\nHID:7\r\nsecond\r\nHIDOVER:\r\n", 7, HelpText::Lookup::Found,
         u"first\r\n"},
        // LF alone does not end a line: the lines form one, which is not the key.
        {"HID:3\nsomething\nHIDOVER:\n", 3, HelpText::Lookup::NotFound, u""},
        // A key without a number matches only the bare key.
        {"HID:4\r\nfour\r\nHIDOVER:\r\nhid:\r\nbare\r\nhidover:\r\n", std::nullopt, HelpText::Lookup::Found, u"bare\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        HelpText fresh;
        EXPECT_EQ(fresh.readSection(write(c.file), c.number), c.lookup);
        EXPECT_EQ(fresh.takePending(), QString::fromUtf16(c.text));
        EXPECT_TRUE(fresh.pending().isEmpty());
    }
}

TEST_F(HelpTextTest, UnterminatedSectionIsCarriedToTheNextOne)
{
    const QString broken = write("HID:1\r\nleft over\r\nstill open", QStringLiteral("broken.txt"));
    EXPECT_EQ(help.readSection(broken, 1), HelpText::Lookup::Unterminated);
    EXPECT_EQ(help.pending(), QStringLiteral("left over\r\nstill open\r\n"));

    // A missing file leaves the pending text alone.
    EXPECT_EQ(help.readSection(dir.filePath(QStringLiteral("absent.txt")), 1), HelpText::Lookup::FileMissing);
    EXPECT_EQ(help.readSection(QString(), 1), HelpText::Lookup::FileMissing);
    EXPECT_EQ(help.pending(), QStringLiteral("left over\r\nstill open\r\n"));

    const QString good = write("HID:2\r\nsection two\r\nHIDOVER:\r\n");
    EXPECT_EQ(help.readSection(good, 2), HelpText::Lookup::Found);
    EXPECT_EQ(help.takePending(), QStringLiteral("left over\r\nstill open\r\nsection two\r\n"));
}

TEST_F(HelpTextTest, FindsTheFileInTheFirstFolderThatHasIt)
{
    QTemporaryDir other;
    const QString empty = other.path() + QStringLiteral("/nothing-here");
    const QString path = write("HID:0\r\nx\r\nHIDOVER:\r\n");
    EXPECT_EQ(findHelpFile({empty, dir.path()}, helpFileName()), path);
    EXPECT_TRUE(findHelpFile({empty}, helpFileName()).isEmpty());
    // A folder of that name is not the file.
    ASSERT_TRUE(QDir(other.path()).mkdir(helpFileName()));
    EXPECT_EQ(findHelpFile({other.path(), dir.path()}, helpFileName()), path);
}

TEST(HelpDirsTest, ProgramFolderFirstThenInstalledData)
{
    const QStringList dirs = defaultHelpDirs();
    ASSERT_EQ(dirs.size(), 3);
    EXPECT_EQ(dirs[0], QCoreApplication::applicationDirPath());
    EXPECT_TRUE(dirs[1].endsWith(QStringLiteral("/quillory")));
    EXPECT_TRUE(dirs[2].endsWith(QStringLiteral("/share/quillory")));
}

}  // namespace
