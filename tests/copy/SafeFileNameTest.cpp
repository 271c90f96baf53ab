#include "copy/SafeFileName.h"

#include "../common/TestStrings.h"

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
    for (const auto &[folder, expected] : {std::pair{u"/home/anna/Music", u"/home/anna/Music/"},
                                           {u"/home/anna/Music/", u"/home/anna/Music/"}, {u"/", u"/"},
                                           {u" /tmp ", u"/tmp/"}})
        EXPECT_EQ(destinationFolder(QString::fromUtf16(folder)), QString::fromUtf16(expected));
}

TEST(SafeFileName, SameNameInOneCopyGetsNumbered)
{
    // Each name claimed in turn, and the name it gets.
    const std::pair<const char16_t *, const char16_t *> claims[] = {
        {u"Song.mp3", u"Song.mp3"}, {u"Song.mp3", u"Song (2).mp3"},
        // Case does not make names different: the disk may not tell them apart.
        {u"SONG.MP3", u"SONG (3).MP3"},
        // A numbered name already taken by a song of that title is skipped.
        {u"Other (2).mp3", u"Other (2).mp3"}, {u"Other.mp3", u"Other.mp3"}, {u"Other.mp3", u"Other (3).mp3"},
        // Without a dot (four-letter extensions) the number goes at the end;
        // a leading dot does not start an extension.
        {u"Tuneaiff", u"Tuneaiff"}, {u"Tuneaiff", u"Tuneaiff (2)"}, {u".mp3", u".mp3"}, {u".mp3", u".mp3 (2)"},
    };
    DestinationNames names;
    for (const auto &[name, claimed] : claims)
        EXPECT_EQ(names.claim(QString::fromUtf16(name)), QString::fromUtf16(claimed));
}

TEST(SafeFileName, RenamedMessageHasThreeLines)
{
    EXPECT_EQ(renamedFilesMessage(12).split(QStringLiteral("\r\n")),
              (QStringList{QStringLiteral(" 12 of your files were renamed using an underscore _ in the filename."),
                           QStringLiteral("This is due to the file naming limitations of Windows and Dos."),
                           QStringLiteral("You may remove the underscore _ in these filenames if you wish.")}));
}

}  // namespace
