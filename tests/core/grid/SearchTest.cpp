#include "core/grid/Search.h"

#include "ReportDoubles.h"
#include "SongGridSupport.h"
#include "TestStrings.h"
#include "core/grid/GridSort.h"

#include <gtest/gtest.h>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

using Cell = std::pair<int, int>;

Cell found(const GridSearch::Outcome &outcome)
{
    EXPECT_TRUE(outcome.ran);
    return outcome.found ? Cell{outcome.row, outcome.col} : Cell{-1, -1};
}

SongLibrary beatLibrary()
{
    return SongLibrary({
        {.title = u"Quiet Night"_s, .length = u"4:05"_s, .artist = u"Beatbox Crew"_s, .album = u"Noise"_s},
        {.title = u"Morning"_s, .length = u"3:10"_s, .artist = u"Sun"_s, .album = u"Days"_s},
        {.title = u"Heartbeat Road"_s, .length = u"2:00"_s, .artist = u"Pulse"_s, .album = u"Beats"_s},
    });
}

TEST(GridSearch, WalksColumnByColumnAndScrollsWithoutMovingTheCurrentCell)
{
    SongLibrary lib = beatLibrary();
    GridModel &grid = *lib.grid;
    grid.setCurrentCell(2, GridColumn::Genre);
    GridSearch search(grid);

    // Every title comes before any artist, so the lower title is found first.
    EXPECT_EQ(found(search.press(u"beat"_s)), Cell(3, GridColumn::Title));
    EXPECT_EQ(grid.topRow(), 3);
    EXPECT_EQ(found(search.press(u"BEAT"_s)), Cell(1, GridColumn::Artist));
    EXPECT_EQ(grid.topRow(), 1);
    EXPECT_EQ(found(search.press(u"beat"_s)), Cell(3, GridColumn::Album));
    EXPECT_EQ(grid.row(), 2) << "the current cell stays";
    EXPECT_EQ(grid.col(), GridColumn::Genre);
    EXPECT_EQ(grid.rowSel(), 2);

    // Cells keep their leading blanks: two blanks and a 3 start only the 3:10 length.
    SongLibrary lengths = beatLibrary();
    GridSearch lengthSearch(*lengths.grid);
    EXPECT_EQ(found(lengthSearch.press(u"  3:"_s)), Cell(2, GridColumn::Length));

    // Upper-casing follows Unicode: "ß" upper-cases to "SS" on both sides.
    SongLibrary unicode({{.title = u"Plain"_s}, {.title = u"ÉTÉ INDIEN"_s}, {.title = u"Straße"_s}});
    GridSearch unicodeSearch(*unicode.grid);
    EXPECT_EQ(found(unicodeSearch.press(u"été"_s)), Cell(2, 0));
    EXPECT_EQ(found(unicodeSearch.press(u"STRASS"_s)), Cell(3, 0));
}

TEST(GridSearch, AfterTheLastMatchRunsOutThenStartsOverAndAPressDuringAWalkIsIgnored)
{
    SongLibrary lib = beatLibrary();
    GridSearch search(*lib.grid);
    RecordingSink progress;
    QStringList &statuses = progress.statuses;

    EXPECT_EQ(found(search.press(u"night"_s, progress)), Cell(1, GridColumn::Title));
    lib.grid->setTopRow(3);
    const GridSearch::Outcome runOut = search.press(u"night"_s, progress);
    EXPECT_FALSE(runOut.found);
    EXPECT_FALSE(runOut.wrapped);
    EXPECT_EQ(lib.grid->topRow(), 1) << "row 1 comes to the top";
    EXPECT_EQ(search.searchcol(), GridColumn::Count);
    EXPECT_EQ(statuses, texts(u"Searching!.. Click Search For Next Match!|Searching!.. Click Search For Next Match!"));

    statuses.clear();
    const GridSearch::Outcome again = search.press(u"night"_s, progress);
    EXPECT_TRUE(again.wrapped);
    EXPECT_EQ(found(again), Cell(1, GridColumn::Title));
    EXPECT_EQ(statuses, texts(u"Searching!.. Click Search For Next Match!|Search over..!"));

    // A press during a walk is ignored.
    GridSearch walking(*lib.grid);
    int nestedPresses = 0;
    bool nestedRan = true;
    RecordingSink walk;
    walk.onYield = [&] {
        if (nestedPresses++ == 0) {
            EXPECT_TRUE(walking.running());
            nestedRan = walking.press(u"beat"_s).ran;
        }
    };
    EXPECT_EQ(found(walking.press(u"road"_s, walk)), Cell(3, 0));
    EXPECT_FALSE(nestedRan);
    EXPECT_FALSE(walking.running());
    EXPECT_EQ(found(walking.press(u"beat"_s)), Cell(1, GridColumn::Artist)) << "the ignored press moved nothing";
}

// Empty text moves one cell a press, down then across; a sort between presses
// keeps the position; rows beyond sixteen bits are walked.
TEST(GridSearch, PositionsOfEmptyTextSortsAndLargeGrids)
{
    SongLibrary lib({{.title = u"b one"_s}, {.title = u"c one"_s}, {.title = u"a one"_s}});
    GridSearch empty(*lib.grid);
    for (const Cell &cell : {Cell(1, 0), Cell(2, 0), Cell(3, 0), Cell(1, 1)})
        EXPECT_EQ(found(empty.press({})), cell);

    GridSearch search(*lib.grid);
    EXPECT_EQ(found(search.press(u"one"_s)), Cell(1, 0));
    sortGrid(*lib.grid, GridColumn::Title, false);
    // Row 2 of the new order is next, though "a one" now lies above it.
    EXPECT_EQ(found(search.press(u"one"_s)), Cell(2, 0));
    EXPECT_EQ(lib.grid->text(2, 0), u"  b one"_s);

    GridModel grid;
    formatgrid(grid, 39'999);
    grid.setText(40'000, GridColumn::Title, u"  needle"_s);
    GridSearch large(grid);
    EXPECT_EQ(found(large.press(u"NEEDLE"_s)), Cell(40'000, 0));
    EXPECT_EQ(grid.topRow(), 40'000);
}

TEST(GridSearch, GridsWithoutSongsEndEveryWalk)
{
    // No track read: one empty row, walked to the end.
    SongLibrary empty({});
    GridSearch search(*empty.grid);
    EXPECT_FALSE(search.press(u"x"_s).found);
    EXPECT_TRUE(search.press(u"x"_s).wrapped);

    // The header row alone: each press ends at once.
    empty.grid->setRows(1);
    GridSearch headerOnly(*empty.grid);
    for (int press = 0; press < 20; ++press)
        EXPECT_FALSE(headerOnly.press({}).found);
}

}  // namespace
