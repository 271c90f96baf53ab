// The cell escapes, number readings and song lines of the song tables.
#include "cli/SongTable.h"
#include "TestStrings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(SongTableTest, LengthSecondsEscapesAndJsonSongLines)
{
    EXPECT_EQ(lengthSeconds(u"0:00"), 0);
    EXPECT_EQ(lengthSeconds(u"4:05"), 245);
    EXPECT_EQ(lengthSeconds(u"1234:59"), 1234 * 60 + 59);
    for (const QString &bad : texts(u"|:|4:5|4:60|4:005|-1:00|a:00|4:0x|4.05|123456789012345:00"))
        EXPECT_FALSE(lengthSeconds(bad).has_value()) << bad.toStdString();
    const QString awkward = u"a\\b\tc\nd\re \"f\", g\x01h – é\x1b[2J\u009B"_s;
    EXPECT_EQ(tsvEscaped(awkward), u"a\\\\b\\tc\\nd\\re \"f\", g\\x01h – é\\x1b[2J\\x9b"_s);
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

    // A song as a json line: every column, the length's seconds beside the text
    // and the track number a number or null.
    const SongValues song{u"Tab\there, \"x\""_s, u"59:59"_s, u"Maren"_s, {}, {}, {}, {}, u"\\F00\\A.mp3"_s};
    SongValues numbered = song;
    numbered[GridColumn::TrackNumber] = u"12"_s;
    for (const auto &[values, number] : {std::pair{song, QJsonValue()}, {numbered, QJsonValue(12)}}) {
        QJsonParseError lineError{};
        const QJsonObject object =
            QJsonDocument::fromJson(songLine(OutputFormat::Json, values).toUtf8(), &lineError).object();
        ASSERT_EQ(lineError.error, QJsonParseError::NoError);
        EXPECT_EQ(object.keys(), texts(u"album|artist|filename|filetype|genre|length|lengthseconds|title|tracknumber"));
        EXPECT_EQ(object[u"title"_s].toString(), song[0]);
        EXPECT_EQ(object[u"lengthseconds"_s], QJsonValue(3599));
        EXPECT_EQ(object[u"tracknumber"_s], number);
    }
}

}  // namespace
