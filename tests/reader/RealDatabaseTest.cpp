#include "ReaderTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Reads one of the databases written by the desktop program that synced real players.
QByteArray realDatabase(const char *name)
{
    QFile file(QStringLiteral(QUILLORY_TESTDATA_DIR "/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

qsizetype linesOf(const SongList &list, SongField field)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < list.count(); ++i)
        n += list.at(i).field == field ? 1 : 0;
    return n;
}

TEST(RealDatabase, OldLibraryWithTheTrackListFirst)
{
    const QByteArray bytes = realDatabase("old-5375-tracks.itdb");
    ASSERT_FALSE(bytes.isEmpty()) << "missing test data in " QUILLORY_TESTDATA_DIR;
    iPod pod;
    ASSERT_EQ(pod.readDatabase(bytes), iPod::ReadOutcome::Complete);
    EXPECT_EQ(pod.songtotal(), 5375);
    ASSERT_EQ(pod.songsstored(), 5375);
    EXPECT_EQ(pod.songs().front().title, QStringLiteral("Glenn Miller-In The Mood"));
    EXPECT_EQ(pod.songs().back().title, QStringLiteral("We're Not Right"));

    const SongList &list = pod.songList();
    EXPECT_EQ(linesOf(list, SongField::TrackNumber), 5010);
    EXPECT_EQ(linesOf(list, SongField::Title), 5375);
    EXPECT_EQ(linesOf(list, SongField::File), 5375);
    EXPECT_EQ(list.line(0), QStringLiteral("TITLE:  Glenn Miller-In The Mood"));
    EXPECT_TRUE(list.line(2).startsWith(QStringLiteral("FILE:  \\iPod_Control\\Music\\")));

    const auto longest = std::max_element(pod.songs().begin(), pod.songs().end(), [](const songinfo &a, const songinfo &b) {
        return a.length.size() != b.length.size() ? a.length.size() < b.length.size() : a.length < b.length;
    });
    EXPECT_EQ(longest->length, QStringLiteral("65:03"));
    const auto nonAscii = std::count_if(pod.songs().begin(), pod.songs().end(), [](const songinfo &s) {
        for (const QString *text : {&s.title, &s.artist, &s.album, &s.genre, &s.file})
            for (QChar c : *text)
                if (c.unicode() > 0x7F)
                    return true;
        return false;
    });
    EXPECT_EQ(nonAscii, 42);
    expectWholeTracks(pod);
}

TEST(RealDatabase, NewerLibraryWithTheAlbumListFirst)
{
    const QByteArray bytes = realDatabase("modern-2-tracks.itdb");
    ASSERT_FALSE(bytes.isEmpty()) << "missing test data in " QUILLORY_TESTDATA_DIR;
    iPod pod;
    ASSERT_EQ(pod.readDatabase(bytes), iPod::ReadOutcome::Complete);
    ASSERT_EQ(pod.songsstored(), 2);
    EXPECT_EQ(pod.songs().front().title, QStringLiteral("終わりへ向かう始まりの歌"));
    EXPECT_EQ(pod.songs().back().title, QStringLiteral("君の知らない物語"));
    for (const songinfo &s : pod.songs()) {
        EXPECT_TRUE(s.file.startsWith(QStringLiteral("\\iPod_Control\\"))) << s.file.toStdString();
        EXPECT_FALSE(s.file.contains(u':'));
        EXPECT_FALSE(s.length.isEmpty());
    }
    expectWholeTracks(pod);
}

}  // namespace
