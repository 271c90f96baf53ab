#include "core/grid/Tagging.h"
#include "core/grid/GridModel.h"

#include <gtest/gtest.h>

#include <vector>

// The cases the window's tagging tests do not reach: a selection of several
// cells, rows of other colours, and a grid without songs.
namespace {

std::vector<int> taggedRows(const GridModel &grid)
{
    std::vector<int> rows;
    for (int row = 0; row < grid.rows(); ++row)
        if (isTagged(grid, row))
            rows.push_back(row);
    return rows;
}

TEST(Tagging, KeysActOnTheSelectionEndAndUntaggedRowsGetTheirColourBack)
{
    GridModel grid;
    grid.setCols(8);
    grid.setRows(13);
    grid.fillBackColor(1, GridColors::ButtonFace);
    grid.setBackColor(6, 1, GridColors::White);
    grid.setBackColor(8, 0, GridColors::TagMark);
    Tagging tagging(grid);

    grid.setCurrentCell(3, 1);
    grid.setSelectionEnd(6, 2);
    EXPECT_FALSE(tagging.keyPress(Tagging::spaceKey));
    EXPECT_EQ(taggedRows(grid), (std::vector<int>{6, 8}));
    EXPECT_EQ(std::pair(grid.row(), grid.col()), std::pair(7, 2));

    // Enter flips every row after the start, tagged ones too.
    grid.setCurrentCell(9, 4);
    EXPECT_TRUE(tagging.keyPress(Tagging::enterKey));
    EXPECT_EQ(taggedRows(grid), (std::vector<int>{6, 7, 9}));
    EXPECT_EQ(grid.backColor(8, 0), GridColors::ButtonFace);

    grid.setCurrentCell(6, 0);
    EXPECT_TRUE(tagging.keyPress(Tagging::spaceKey));
    EXPECT_EQ(grid.backColor(6, 0), GridColors::White);

    // Without song rows there is nothing to tag; the header keeps its colour.
    grid.setRows(1);
    grid.setBackColor(0, 0, GridColors::TagMark);
    tagging.selectAll();
    EXPECT_FALSE(tagging.unselectAll());
    EXPECT_EQ(grid.backColor(0, 0), GridColors::TagMark);
}

}  // namespace
