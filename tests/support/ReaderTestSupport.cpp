#include "ReaderTestSupport.h"

#include "ItunesDbWriter.h"
#include "TestStrings.h"
#include "core/common/AppInfo.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

QStringList songLines(const SongList &list)
{
    QStringList lines;
    for (qsizetype i = 0; i < list.count(); ++i)
        lines.append(list.line(i));
    return lines;
}

std::vector<qsizetype> trackOffsets(const QByteArray &db)
{
    std::vector<qsizetype> offsets;
    const qsizetype count = itdb::getU32(db, itdb::firstTrackOffset(db) - 92 + 8);
    qsizetype p = itdb::firstTrackOffset(db);
    for (qsizetype i = 0; i < count; ++i) {
        offsets.push_back(p);
        p += itdb::getU32(db, p + 8);
    }
    offsets.push_back(p);  // one past the last track
    return offsets;
}

void expectWholeTracks(const iPod &pod)
{
    const SongList &list = pod.songList();
    ASSERT_EQ(list.trackCount(), pod.songsstored());
    EXPECT_EQ(pod.lastsongindex(), std::max(pod.songsstored() - 1, 0));
    for (qsizetype t = 0; t < list.trackCount(); ++t) {
        const songinfo song = pod.song(t);
        const qsizetype start = list.trackStart(t);
        // A numbered track ends with its TRACK NUMBER line, and only there.
        const qsizetype end = list.trackEnd(t) - (song.tracknumber != 0 ? 1 : 0);
        ASSERT_LE(start, end);
        if (song.tracknumber != 0) {
            EXPECT_EQ(list.line(end), u"TRACK NUMBER:  "_s + signBlank(song.tracknumber));
        }
        for (qsizetype i = start; i < end; ++i) {
            EXPECT_NE(list.at(i).field, SongField::TrackNumber);
            if (list.at(i).field == SongField::Title) {
                ASSERT_LT(i + 1, end);
                EXPECT_EQ(list.line(i + 1), u"LENGTH:  "_s + song.length);
            }
        }
    }
}

QString PlayerFolderTest::databasePath(const QString &name) const
{
    return player.root() + u"/iPod_Control/iTunes/"_s + name;
}

void PlayerFolderTest::put(const QString &name, const QByteArray &bytes) const
{
    writeBytes(databasePath(name), bytes);
}

iPod::ReadOutcome PlayerFolderTest::read(iPod &pod) const
{
    return pod.readitunesdb([this] { return std::optional<QString>(player.root()); });
}

void PlayerFolderTest::expectStop(const QString &name, const QString &reason) const
{
    iPod pod;
    EXPECT_EQ(read(pod), iPod::ReadOutcome::Stopped);
    EXPECT_EQ(pod.errorText(), databasePath(name) + reason);
    EXPECT_FALSE(pod.dbloaded());
    expectWholeTracks(pod);
}
