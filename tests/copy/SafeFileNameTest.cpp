#include "copy/SafeFileName.h"

#include <gtest/gtest.h>

namespace {

struct NameCase
{
    const char16_t *title;
    const char16_t *file;
    const char16_t *name;
    bool renamed;
};

TEST(SafeFileName, NameFromTitleAndExtension)
{
    const NameCase cases[] = {
        {u"  Rock/Roll: Live?", u"  \\iPod_Control\\Music\\F01\\XYZW.mp3", u"Rock_Roll_ Live_.mp3", true},
        // The whole name is trimmed: blanks before the extension stay.
        {u"    Song  ", u"  \\iPod_Control\\Music\\F00\\ABCD.mp3", u"Song  .mp3", false},
        {u"  Tune", u"  \\iPod_Control\\Music\\F02\\ABCD.aiff", u"Tuneaiff", false},
        // Shorter file cells are taken whole.
        {u"  Tune", u"ab", u"Tuneab", false},
        {u"  A*B|C", u"  \\x.m4a", u"A_B_C.m4a", true},
        {u"  [1]=a+b<c>;d,\"e\"", u"  \\x.mp3", u"_1__a_b_c__d__e_.mp3", true},
        {u"  Tab\there\x7f", u"  \\x.mp3", u"Tab_here_.mp3", true},
        {u"  back\\slash", u"  \\x.mp3", u"back_slash.mp3", true},
        {u"  Ünïcode ♫ & co.", u"  \\x.mp3", u"Ünïcode ♫ & co..mp3", false},
    };
    for (const NameCase &c : cases) {
        const SafeName safe = safeFileName(QString::fromUtf16(c.title), QString::fromUtf16(c.file));
        EXPECT_EQ(safe.name, QString::fromUtf16(c.name)) << safe.name.toStdString();
        EXPECT_EQ(safe.renamed, c.renamed) << safe.name.toStdString();
    }
}

TEST(SafeFileName, DestinationFolderGetsOneSeparator)
{
    EXPECT_EQ(destinationFolder(QStringLiteral("/home/anna/Music")), QStringLiteral("/home/anna/Music/"));
    EXPECT_EQ(destinationFolder(QStringLiteral("/home/anna/Music/")), QStringLiteral("/home/anna/Music/"));
    EXPECT_EQ(destinationFolder(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(destinationFolder(QStringLiteral(" /tmp ")), QStringLiteral("/tmp/"));
}

TEST(SafeFileName, SameNameInOneCopyGetsNumbered)
{
    DestinationNames names;
    EXPECT_EQ(names.claim(QStringLiteral("Song.mp3")), QStringLiteral("Song.mp3"));
    EXPECT_EQ(names.claim(QStringLiteral("Song.mp3")), QStringLiteral("Song (2).mp3"));
    // Case does not make names different: the disk may not tell them apart.
    EXPECT_EQ(names.claim(QStringLiteral("SONG.MP3")), QStringLiteral("SONG (3).MP3"));
    // A numbered name already taken by a song of that title is skipped.
    EXPECT_EQ(names.claim(QStringLiteral("Other (2).mp3")), QStringLiteral("Other (2).mp3"));
    EXPECT_EQ(names.claim(QStringLiteral("Other.mp3")), QStringLiteral("Other.mp3"));
    EXPECT_EQ(names.claim(QStringLiteral("Other.mp3")), QStringLiteral("Other (3).mp3"));
    // Without a dot (four-letter extensions) the number goes at the end;
    // a leading dot does not start an extension.
    EXPECT_EQ(names.claim(QStringLiteral("Tuneaiff")), QStringLiteral("Tuneaiff"));
    EXPECT_EQ(names.claim(QStringLiteral("Tuneaiff")), QStringLiteral("Tuneaiff (2)"));
    EXPECT_EQ(names.claim(QStringLiteral(".mp3")), QStringLiteral(".mp3"));
    EXPECT_EQ(names.claim(QStringLiteral(".mp3")), QStringLiteral(".mp3 (2)"));
}

TEST(SafeFileName, RenamedMessageHasThreeLines)
{
    const QStringList lines = renamedFilesMessage(2).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral(" 2 of your files were renamed using an underscore _ in the filename."));
    EXPECT_EQ(lines[1], QStringLiteral("This is due to the file naming limitations of Windows and Dos."));
    EXPECT_EQ(lines[2], QStringLiteral("You may remove the underscore _ in these filenames if you wish."));
    EXPECT_TRUE(renamedFilesMessage(12).startsWith(QStringLiteral(" 12 of your files")));
}

}  // namespace
