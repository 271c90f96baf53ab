#include "grid/GridFill.h"

#include "SongListBuilder.h"
#include "grid/GridModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using F = SongField;

QString s(const char16_t *text)
{
    return QString::fromUtf16(text);
}

int lastIndex(const SongList &songs)
{
    return std::max<int>(0, static_cast<int>(songs.trackCount()) - 1);
}

TEST(FillGrid, LaysOutHeaderWidthsAndAlignment)
{
    GridModel grid;
    PlayTimeBoxes total;
    FILLGRID(grid, SongList(), 0, total);
    EXPECT_EQ(grid.rows(), 2) << "header and one empty row when no track was read";
    ASSERT_EQ(grid.cols(), 8);
    const QStringList headers{s(u"Title"), s(u"Length"), s(u"Artist"), s(u"Album"),
                              s(u"Genre"), s(u"File Type"), s(u"Track Number"), s(u"File Name")};
    const std::vector<int> widths{4200, 1200, 2200, 4200, 1200, -1, -1, -1};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(grid.text(0, c), headers[c]);
        EXPECT_EQ(grid.colWidth(c), widths[static_cast<std::size_t>(c)]);
        EXPECT_EQ(grid.colAlignment(c), GridModel::Align::LeftCenter);
        EXPECT_TRUE(grid.text(1, c).isEmpty());
    }
    EXPECT_EQ(total.Text2, s(u"Text2"));
    EXPECT_EQ(total.Text3, s(u"Text3"));
}

TEST(FillGrid, EveryTrackGetsOneRowWhateverTheOrderOfItsLines)
{
    const SongList songs = makeSongList({
        {{F::Title, s(u"First")}, {F::Length, s(u"3:05")}, {F::File, s(u"\\iPod_Control\\Music\\F00\\ABCD.mp3")},
         {F::Album, s(u"One")}, {F::Artist, s(u"Ann")}, {F::Genre, s(u"Rock")}, {F::FileType, s(u"MPEG audio file")},
         {F::TrackNumber, s(u" 7")}},
        // File location first, as written by the desktop program and libgpod.
        {{F::File, s(u"\\iPod_Control\\Music\\F01\\EFGH.m4a")}, {F::Title, s(u"Second")}, {F::Length, s(u"4:58")},
         {F::Artist, s(u"Bob")}, {F::Album, s(u"Two")}, {F::Genre, s(u"Jazz")}, {F::FileType, s(u"AAC audio file")}},
        // No location at all, and labels inside the values.
        {{F::Title, s(u"ALBUM: Live")}, {F::Length, s(u"65:00")}, {F::Album, s(u"FILE: not a location")},
         {F::TrackNumber, s(u" 12")}},
        {{F::Title, s(u"Fourth")}, {F::File, s(u"\\iPod_Control\\Music\\F02\\IJKL.mp3")}},
    });
    GridModel grid;
    PlayTimeBoxes total;
    FILLGRID(grid, songs, lastIndex(songs), total);

    ASSERT_EQ(grid.rows(), 5);
    const std::vector<QStringList> expected{
        {s(u"  First"), s(u"  3:05"), s(u"  Ann"), s(u"  One"), s(u"  Rock"), s(u"  MPEG audio file"), s(u"   7"),
         s(u"  \\iPod_Control\\Music\\F00\\ABCD.mp3")},
        {s(u"  Second"), s(u"  4:58"), s(u"  Bob"), s(u"  Two"), s(u"  Jazz"), s(u"  AAC audio file"), QString(),
         s(u"  \\iPod_Control\\Music\\F01\\EFGH.m4a")},
        {s(u"  ALBUM: Live"), s(u"  65:00"), QString(), s(u"  FILE: not a location"), QString(), QString(),
         s(u"   12"), QString()},
        {s(u"  Fourth"), QString(), QString(), QString(), QString(), QString(), QString(),
         s(u"  \\iPod_Control\\Music\\F02\\IJKL.mp3")},
    };
    for (int r = 1; r < grid.rows(); ++r) {
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(grid.text(r, c), expected[static_cast<std::size_t>(r - 1)][c]) << "row " << r << " column " << c;
    }
    EXPECT_EQ(total.Text2, s(u"73"));
    EXPECT_EQ(total.Text3, s(u"3"));
}

TEST(FillGrid, ColoursTheGridAndLeavesTheCurrentCellOnTheLastCell)
{
    const SongList songs = makeSongList({{{F::Title, s(u"a")}}, {{F::Title, s(u"b")}}});
    GridModel grid;
    PlayTimeBoxes total;
    FILLGRID(grid, songs, 1, total);
    EXPECT_EQ(grid.backColor(0, 3), GridColors::HeaderBack);
    EXPECT_EQ(grid.foreColor(0, 3), GridColors::HeaderText);
    EXPECT_EQ(grid.backColor(2, 7), GridColors::ButtonFace);
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.col(), 7);
}

TEST(FillGrid, ReportsProgressPerLineAndYields)
{
    const SongList songs = makeSongList({
        {{F::Title, s(u"a")}, {F::Length, s(u"0:59")}, {F::File, s(u"x")}},
        {{F::Title, s(u"b")}, {F::Length, s(u"0:02")}},
    });
    std::vector<int> maxima;
    std::vector<int> values;
    int yields = 0;
    FillProgress progress;
    progress.setMaximum = [&](int m) { maxima.push_back(m); };
    progress.setValue = [&](int v) { values.push_back(v); };
    progress.yield = [&] { ++yields; };
    GridModel grid;
    PlayTimeBoxes total;
    FILLGRID(grid, songs, 1, total, progress);
    EXPECT_EQ(maxima, std::vector<int>{5});
    EXPECT_EQ(values, (std::vector<int>{0, 1, 2, 3, 4, 0}));
    EXPECT_EQ(yields, 5);
    EXPECT_EQ(total.Text2, s(u"1"));
    EXPECT_EQ(total.Text3, s(u"1"));
}

TEST(FillGrid, RowCountComesFromTheTrackRecords)
{
    // More tracks in the song list than rows: the extra ones have no row to go to.
    const SongList songs = makeSongList({{{F::Title, s(u"a")}}, {{F::Title, s(u"b")}}, {{F::Title, s(u"c")}}});
    GridModel grid;
    PlayTimeBoxes total;
    FILLGRID(grid, songs, 1, total);
    ASSERT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.text(2, 0), s(u"  b"));
}

TEST(AddSongTime, AddsMinutesAndSecondsWithCarry)
{
    PlayTimeBoxes total;
    for (const char16_t *length : {u"  3:05", u"  4:58", u"  0:00", u"  65:00"}) {
        total.Text1 = s(length);
        addsongtime(total);
        EXPECT_TRUE(total.Text1.isEmpty());
    }
    EXPECT_EQ(total.Text2, s(u"73"));
    EXPECT_EQ(total.Text3, s(u"3"));
}

TEST(AddSongTime, LeavesOutLengthsItCannotRead)
{
    PlayTimeBoxes total;
    total.Text2 = s(u"10");
    total.Text3 = s(u"30");
    for (const char16_t *bad : {u"  4.05", u"  1:60", u"  1:100", u""}) {
        total.Text1 = s(bad);
        addsongtime(total);
        EXPECT_EQ(total.Text1, s(bad)) << "an unread length stays in Text1";
    }
    EXPECT_EQ(total.Text2, s(u"10"));
    EXPECT_EQ(total.Text3, s(u"30"));

    // Seconds are read by value: "007" is 7, and text after the digits is ignored.
    total.Text1 = s(u"2:007");
    addsongtime(total);
    total.Text1 = s(u"x:05 min");
    addsongtime(total);
    EXPECT_EQ(total.Text2, s(u"12"));
    EXPECT_EQ(total.Text3, s(u"42"));
}

TEST(AddSongTime, LeadingNumberReadsTheOldWay)
{
    EXPECT_EQ(leadingNumber(u"   42abc"), 42);
    EXPECT_EQ(leadingNumber(u"Text2"), 0);
    EXPECT_EQ(leadingNumber(u""), 0);
    EXPECT_EQ(leadingNumber(u" 1 2"), 1);
}

}  // namespace
