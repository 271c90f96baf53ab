// The cell escapes and number readings of the song tables.
#include "cli/SongTable.h"
#include "TestStrings.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(SongTableTest, LengthSecondsOnlyOfWellFormedLengths)
{
    EXPECT_EQ(lengthSeconds(u"0:00"), 0);
    EXPECT_EQ(lengthSeconds(u"4:05"), 245);
    EXPECT_EQ(lengthSeconds(u"1234:59"), 1234 * 60 + 59);
    for (const QString &bad : texts(u"|:|4:5|4:60|4:005|-1:00|a:00|4:0x|4.05|123456789012345:00"))
        EXPECT_FALSE(lengthSeconds(bad).has_value()) << bad.toStdString();
}

TEST(SongTableTest, EscapesRoundTripAndLeaveOtherTextAlone)
{
    const QString awkward = u"a\\b\tc\nd\re \"f\", g\x01h – é"_s;
    EXPECT_EQ(tsvEscaped(awkward), u"a\\\\b\\tc\\nd\\re \"f\", g\x01h – é"_s);
    EXPECT_EQ(tsvEscaped(u"\\t"), u"\\\\t"_s);  // a backslash before a t stays two characters
    EXPECT_EQ(csvField(u"plain text é"), u"plain text é"_s);
    EXPECT_EQ(csvField(u"a,b"), u"\"a,b\""_s);
    EXPECT_EQ(csvField(u"say \"x\""), u"\"say \"\"x\"\"\""_s);
    EXPECT_EQ(csvField(u"cr\r"), u"\"cr\r\""_s);
    // A JSON reader gets back exactly the text, control characters included.
    const QByteArray json = (u'[' + jsonString(awkward) + u']').toUtf8();
    QJsonParseError error{};
    EXPECT_EQ(QJsonDocument::fromJson(json, &error).array().at(0).toString(), awkward) << json.toStdString();
    EXPECT_EQ(error.error, QJsonParseError::NoError);
}

}  // namespace
