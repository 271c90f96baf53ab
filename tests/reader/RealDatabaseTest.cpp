#include "ReaderTestSupport.h"

#include "../common/TestStrings.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Reads one of the databases written by the desktop program that synced real
// players completely, and checks its track count and first and last titles.
void readReal(iPod &pod, const char *name, int tracks, const QString &first, const QString &last)
{
    QFile file(QStringLiteral(QUILLORY_TESTDATA_DIR "/") + QString::fromLatin1(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "missing test data in " QUILLORY_TESTDATA_DIR;
    ASSERT_EQ(pod.readDatabase(file.readAll()), iPod::ReadOutcome::Complete);
    EXPECT_EQ(pod.songtotal(), tracks);
    ASSERT_EQ(pod.songsstored(), tracks);
    EXPECT_EQ(pod.songs().front().title, first);
    EXPECT_EQ(pod.songs().back().title, last);
    expectWholeTracks(pod);
}

TEST(RealDatabase, OldLibraryWithTheTrackListFirst)
{
    iPod pod;
    ASSERT_NO_FATAL_FAILURE(readReal(pod, "old-5375-tracks.itdb", 5375, u"Glenn Miller-In The Mood"_s, u"We're Not Right"_s));
    const auto &songs = pod.songs();
    EXPECT_EQ(std::count_if(songs.begin(), songs.end(), [](const songinfo &s) { return s.tracknumber != 0; }), 5010);
    EXPECT_TRUE(std::all_of(songs.begin(), songs.end(), [](const songinfo &s) {
        return s.file.startsWith(u"\\iPod_Control\\Music\\"_s) && !s.length.isEmpty();
    }));
    const auto longest = std::max_element(songs.begin(), songs.end(), [](const songinfo &a, const songinfo &b) {
        return a.length.size() != b.length.size() ? a.length.size() < b.length.size() : a.length < b.length;
    });
    EXPECT_EQ(longest->length, u"65:03"_s);
    const auto nonAscii = std::count_if(songs.begin(), songs.end(), [](const songinfo &s) {
        const QString all = s.title + s.artist + s.album + s.genre + s.file;
        return std::any_of(all.begin(), all.end(), [](QChar c) { return c.unicode() > 0x7F; });
    });
    EXPECT_EQ(nonAscii, 42);
}

TEST(RealDatabase, NewerLibraryWithTheAlbumListFirst)
{
    iPod pod;
    ASSERT_NO_FATAL_FAILURE(readReal(pod, "modern-2-tracks.itdb", 2, u"終わりへ向かう始まりの歌"_s, u"君の知らない物語"_s));
    for (const songinfo &s : pod.songs()) {
        EXPECT_TRUE(s.file.startsWith(u"\\iPod_Control\\"_s) && !s.file.contains(u':')) << s.file.toStdString();
        EXPECT_FALSE(s.length.isEmpty());
    }
}

}  // namespace
