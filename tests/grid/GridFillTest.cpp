#include "grid/GridFill.h"

#include "../common/TestStrings.h"
#include "SongListBuilder.h"
#include "grid/GridModel.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

using F = SongField;

QStringList rowTexts(const GridModel &grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid.cols(); ++c)
        cells << grid.text(row, c);
    return cells;
}

TEST(FillGrid, LaysOutHeaderWidthsAndAlignment)
{
    GridModel grid;
    PlayTimeBoxes total;
    FILLGRID(grid, SongList(), 0, total);
    EXPECT_EQ(grid.rows(), 2) << "header and one empty row when no track was read";
    EXPECT_EQ(rowTexts(grid, 0), texts(u"Title|Length|Artist|Album|Genre|File Type|Track Number|File Name"));
    EXPECT_EQ(rowTexts(grid, 1), QStringList(8));
    const std::vector<int> widths{4200, 1200, 2200, 4200, 1200, -1, -1, -1};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(grid.colWidth(c), widths[static_cast<std::size_t>(c)]);
        EXPECT_EQ(grid.colAlignment(c), GridModel::Align::LeftCenter);
    }
    EXPECT_EQ(total.Text2, u"Text2"_s);
    EXPECT_EQ(total.Text3, u"Text3"_s);
}

TEST(FillGrid, EveryTrackGetsOneRowWhateverTheOrderOfItsLines)
{
    const SongList songs = makeSongList({
        {{F::Title, u"First"_s}, {F::Length, u"3:05"_s}, {F::File, u"\\F00\\ABCD.mp3"_s}, {F::Album, u"One"_s},
         {F::Artist, u"Ann"_s}, {F::Genre, u"Rock"_s}, {F::FileType, u"MPEG audio file"_s}, {F::TrackNumber, u" 7"_s}},
        // File location first, as written by the desktop program and libgpod.
        {{F::File, u"\\F01\\EFGH.m4a"_s}, {F::Title, u"Second"_s}, {F::Length, u"4:58"_s}, {F::Artist, u"Bob"_s},
         {F::Album, u"Two"_s}, {F::Genre, u"Jazz"_s}, {F::FileType, u"AAC audio file"_s}},
        // No location at all, and labels inside the values.
        {{F::Title, u"ALBUM: Live"_s}, {F::Length, u"65:00"_s}, {F::Album, u"FILE: not a location"_s},
         {F::TrackNumber, u" 12"_s}},
        {{F::Title, u"Fourth"_s}, {F::File, u"\\F02\\IJKL.mp3"_s}},
        {{F::Title, u"Not shown"_s}},  // more tracks than the last index gives rows: no row to go to
    });
    GridModel grid;
    PlayTimeBoxes total;
    FILLGRID(grid, songs, 3, total);

    ASSERT_EQ(grid.rows(), 5);
    EXPECT_EQ(rowTexts(grid, 1), texts(u"  First|  3:05|  Ann|  One|  Rock|  MPEG audio file|   7|  \\F00\\ABCD.mp3"));
    EXPECT_EQ(rowTexts(grid, 2), texts(u"  Second|  4:58|  Bob|  Two|  Jazz|  AAC audio file||  \\F01\\EFGH.m4a"));
    EXPECT_EQ(rowTexts(grid, 3), texts(u"  ALBUM: Live|  65:00||  FILE: not a location|||   12|"));
    EXPECT_EQ(rowTexts(grid, 4), texts(u"  Fourth|||||||  \\F02\\IJKL.mp3"));
    EXPECT_EQ(total.Text2, u"73"_s);
    EXPECT_EQ(total.Text3, u"3"_s);

    // Colours, and the current cell left on the last cell.
    EXPECT_EQ(grid.backColor(0, 3), GridColors::HeaderBack);
    EXPECT_EQ(grid.foreColor(0, 3), GridColors::HeaderText);
    EXPECT_EQ(grid.backColor(4, 7), GridColors::ButtonFace);
    EXPECT_EQ(grid.row(), 4);
    EXPECT_EQ(grid.col(), 7);
}

TEST(FillGrid, ReportsProgressPerLineAndYields)
{
    const SongList songs = makeSongList({
        {{F::Title, u"a"_s}, {F::Length, u"0:59"_s}, {F::File, u"x"_s}},
        {{F::Title, u"b"_s}, {F::Length, u"0:02"_s}},
    });
    std::vector<int> maxima, values;
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
    EXPECT_EQ(total.Text2, u"1"_s);
    EXPECT_EQ(total.Text3, u"1"_s);
}

TEST(AddSongTime, AddsReadableLengthsWithCarryAndLeavesOthersInText1)
{
    // Each length, and the total in minutes and seconds after it.
    const struct
    {
        const char16_t *length;
        bool read;
        const char16_t *minutes, *seconds;
    } steps[] = {
        {u"  3:05", true, u"3", u"5"},   {u"  4:58", true, u"8", u"3"},     {u"  0:00", true, u"8", u"3"},
        {u"  65:00", true, u"73", u"3"}, {u"  4.05", false, u"73", u"3"},  {u"  1:60", false, u"73", u"3"},
        {u"  1:100", false, u"73", u"3"}, {u"", false, u"73", u"3"},
        // Seconds are read by value: "007" is 7, and text after the digits is ignored.
        {u"2:007", true, u"75", u"10"},  {u"x:55 min", true, u"76", u"5"},
    };
    PlayTimeBoxes total;
    for (const auto &step : steps) {
        total.Text1 = QString::fromUtf16(step.length);
        addsongtime(total);
        EXPECT_EQ(total.Text1, step.read ? QString() : QString::fromUtf16(step.length)) << total.Text1.toStdString();
        EXPECT_EQ(total.Text2, QString::fromUtf16(step.minutes)) << QString::fromUtf16(step.length).toStdString();
        EXPECT_EQ(total.Text3, QString::fromUtf16(step.seconds)) << QString::fromUtf16(step.length).toStdString();
    }

    EXPECT_EQ(leadingNumber(u"   42abc"), 42);
    EXPECT_EQ(leadingNumber(u"Text2"), 0);
    EXPECT_EQ(leadingNumber(u""), 0);
    EXPECT_EQ(leadingNumber(u" 1 2"), 1);
}

}  // namespace
