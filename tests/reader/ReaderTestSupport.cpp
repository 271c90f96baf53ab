#include "ReaderTestSupport.h"

#include "ItunesDbWriter.h"
#include "common/AppInfo.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(pod.lastsongindex(), pod.songsstored() == 0 ? 0 : pod.songsstored() - 1);
    if (list.count() > 0) {
        ASSERT_GT(list.trackCount(), 0);
        EXPECT_EQ(list.trackStart(0), 0);
    }
    for (qsizetype t = 0; t < list.trackCount(); ++t) {
        const qsizetype start = list.trackStart(t);
        const qsizetype end = list.trackEnd(t);
        ASSERT_LE(start, end);
        const songinfo &song = pod.songs()[static_cast<std::size_t>(t)];
        const bool numbered = song.tracknumber != 0;
        if (numbered) {
            ASSERT_LT(start, end);
            EXPECT_EQ(list.at(end - 1).field, SongField::TrackNumber);
            EXPECT_EQ(list.at(end - 1).value, signBlank(song.tracknumber));
        }
        for (qsizetype i = start; i < end - (numbered ? 1 : 0); ++i) {
            const SongList::Line &line = list.at(i);
            EXPECT_NE(line.field, SongField::TrackNumber);
            if (line.field == SongField::Title) {
                ASSERT_LT(i + 1, end);
                EXPECT_EQ(list.at(i + 1).field, SongField::Length);
                EXPECT_EQ(list.at(i + 1).value, song.length);
            }
        }
    }
}
