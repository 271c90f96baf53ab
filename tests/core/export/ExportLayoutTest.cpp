#include "core/export/ExportLayout.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

ExportSong song(QString title, QString artist, QString album,
                QString location = u"\\iPod_Control\\Music\\F00\\ABCD.MP3"_s)
{
    ExportSong s;
    s.title = std::move(title);
    s.artist = std::move(artist);
    s.album = std::move(album);
    s.location = std::move(location);
    return s;
}

QString claimOnce(const ExportSong &s, const ExportLayout &layout = {})
{
    ExportPaths paths;
    return paths.claim(layout.path(s));
}

struct Row
{
    const char *what;
    ExportSong song;
    QString expected;
};

TEST(ExportLayout, DefaultLayoutAndTemplatesFallbacksDiscsAndSafeNames)
{
    ExportSong compilation = song(u"Hit"_s, u"Someone"_s, u"Hits"_s);
    compilation.compilation = true;
    ExportSong withAlbumArtist = compilation;
    withAlbumArtist.albumArtist = u"The Band"_s;
    ExportSong discs = song(u"Song"_s, u"A"_s, u"B"_s);
    discs.track = 3;
    discs.disc = 2;
    discs.discCount = 2;
    ExportSong oneDisc = discs;
    oneDisc.discCount = 1;
    ExportSong noNumber = discs;
    noNumber.track = 0;
    const QString longTitle = QString(200, u'é');  // 400 bytes of UTF-8

    const std::vector<Row> rows{
        {"every field", song(u"T"_s, u"A"_s, u"L"_s), u"A/L/T.mp3"_s},
        {"nothing but the file", song({}, {}, {}, u"\\iPod_Control\\Music\\F01\\WXYZ.M4A"_s),
         u"Unknown Artist/Unknown Album/WXYZ.m4a"_s},
        {"blank title and album", song(u"  "_s, u"A"_s, u" "_s), u"A/Unknown Album/ABCD.mp3"_s},
        {"compilation", compilation, u"Various Artists/Hits/Hit.mp3"_s},
        {"album artist wins", withAlbumArtist, u"The Band/Hits/Hit.mp3"_s},
        {"two discs", discs, u"A/B/2-03 Song.mp3"_s},
        {"one disc", oneDisc, u"A/B/03 Song.mp3"_s},
        {"track 0", noNumber, u"A/B/Song.mp3"_s},
        {"refused characters", song(u"a\"*:<>?|b"_s, u"AC/DC"_s, u"x\\y\tz"_s), u"AC_DC/x_y_z/a_______b.mp3"_s},
        {"dots and blanks", song(u".hidden"_s, u" Artist. "_s, u"..."_s), u"Artist/_/_hidden.mp3"_s},
        {"reserved names", song(u"con"_s, u"LPT1.live"_s, u"Nul "_s), u"LPT1_.live/Nul_/con_.mp3"_s},
        {"not reserved", song(u"COM0"_s, u"CONSOLE"_s, u"COM10"_s), u"CONSOLE/COM10/COM0.mp3"_s},
        {"long names cut on characters", song(longTitle, longTitle + u"x"_s, u"L"_s),
         QString(127, u'é') + u"/L/"_s + QString(125, u'é') + u".mp3"_s},
    };
    for (const Row &row : rows)
        EXPECT_EQ(claimOnce(row.song), row.expected) << row.what;

    // Templates take fields and fallbacks and drop empty folders.
    ExportSong s = song({}, u"Artist"_s, {});
    s.year = 1999;
    s.track = 7;
    s.disc = 1;
    s.composer = u"Bach"_s;
    const auto layout =
        ExportLayout::fromTemplate(u"{genre}/{ARTIST}/{year} - {album}/{disc}.{track} {title} ({composer})"_s);
    ASSERT_TRUE(layout);
    EXPECT_EQ(claimOnce(s, *layout), u"Artist/1999 - Unknown Album/1.07 ABCD (Bach).mp3"_s);

    QString why;
    EXPECT_FALSE(ExportLayout::fromTemplate(u"{artist}/{bogus}"_s, &why));
    EXPECT_TRUE(why.contains(u"{bogus}"_s)) << why.toStdString();
    EXPECT_FALSE(ExportLayout::fromTemplate(u"{artist/{title}"_s));
    EXPECT_FALSE(ExportLayout::fromTemplate(u"{artist}/fixed"_s));
}

TEST(ExportLayout, ClashesGetNumbersAndFoldersKeepTheirFirstSpelling)
{
    const ExportLayout layout;
    ExportPaths paths;
    EXPECT_EQ(paths.claim(layout.path(song(u"Song"_s, u"Abba"_s, u"Gold"_s))), u"Abba/Gold/Song.mp3"_s);
    EXPECT_EQ(paths.claim(layout.path(song(u"song"_s, u"ABBA"_s, u"gold"_s))), u"Abba/Gold/song (2).mp3"_s);
    EXPECT_EQ(paths.claim(layout.path(song(u"Song"_s, u"Abba"_s, u"Gold"_s))), u"Abba/Gold/Song (3).mp3"_s);
    EXPECT_EQ(paths.claim(layout.path(song(u"Other"_s, u"abba"_s, u"Silver"_s))), u"Abba/Silver/Other.mp3"_s);

    // A file that takes a folder's name in the same folder, and a folder a file's.
    const auto flat = ExportLayout::fromTemplate(u"{artist}"_s);
    ASSERT_TRUE(flat);
    ExportSong noExtension = song(u"x"_s, u"Abba"_s, {}, u"\\iPod_Control\\Music\\F00\\ABCD"_s);
    EXPECT_EQ(paths.claim(flat->path(noExtension)), u"Abba (2)"_s);
    EXPECT_EQ(paths.claim(layout.path(song(u"Song"_s, u"Abba (2)"_s, u"X"_s))), u"Abba (2) (2)/X/Song.mp3"_s);
}

}  // namespace
