#include "core/common/TextFile.h"

#include "TestStrings.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFile, LinesEndAtCrOrCrLfButNotAtLfAloneAndBytesAreUtf8OrElseLatin1)
{
    EXPECT_EQ(TextFile::splitLines(QStringLiteral("a\rb\r\nc\nd\r\r\ne\r\n")), texts(u"a|b|c\nd||e"));
    EXPECT_TRUE(TextFile::splitLines(QString()).isEmpty());
    EXPECT_EQ(TextFile::decode(QByteArray("Caf\xC3\xA9")), QStringLiteral("Café"));
    EXPECT_EQ(TextFile::decode(QByteArray("\xC3\xA9 and \xE9")), QString::fromLatin1("\xC3\xA9 and \xE9"));
}

}  // namespace
