#include "grid/GridModel.h"
#include "grid/Tagging.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TaggingTest : public ::testing::Test
{
protected:
    explicit TaggingTest(int songs = 12)
    {
        grid.setCols(8);
        setSongs(songs);
    }

    void setSongs(int songs)
    {
        grid.setRows(songs + 1);
        grid.fillBackColor(1, GridColors::ButtonFace);
        grid.setCurrentCell(1, 0);
    }

    std::vector<int> taggedRows() const
    {
        std::vector<int> rows;
        for (int row = 0; row < grid.rows(); ++row)
            if (isTagged(grid, row))
                rows.push_back(row);
        return rows;
    }

    int lastRow() const { return grid.rows() - 1; }

    GridModel grid;
    Tagging tagging{grid};
};

using Rows = std::vector<int>;

TEST_F(TaggingTest, SpaceTagsTheRowAndMovesDown)
{
    grid.setCurrentCell(3, 4);
    EXPECT_FALSE(tagging.keyPress(Tagging::spaceKey));

    EXPECT_EQ(taggedRows(), Rows{3});
    EXPECT_EQ(grid.backColor(3, 0), GridColors::TagMark);
    EXPECT_EQ(grid.backColor(3, 1), GridColors::ButtonFace);
    EXPECT_EQ(tagging.tagstart(), 3);
    EXPECT_EQ(grid.row(), 4);
    EXPECT_EQ(grid.col(), 4);
}

TEST_F(TaggingTest, SpaceOnATaggedRowGivesItTheColumnOneColourBack)
{
    grid.setBackColor(3, 1, GridColors::White);
    grid.setCurrentCell(3, 0);
    tagging.keyPress(Tagging::spaceKey);
    ASSERT_EQ(taggedRows(), Rows{3});

    grid.setCurrentCell(3, 5);
    EXPECT_TRUE(tagging.keyPress(Tagging::spaceKey));
    EXPECT_TRUE(taggedRows().empty());
    EXPECT_EQ(grid.backColor(3, 0), GridColors::White);
    EXPECT_EQ(grid.row(), 4);
    EXPECT_EQ(grid.col(), 0);
}

TEST_F(TaggingTest, SpaceActsOnTheSelectionEndRow)
{
    grid.setCurrentCell(3, 1);
    grid.setSelectionEnd(6, 2);
    tagging.keyPress(Tagging::spaceKey);

    EXPECT_EQ(taggedRows(), Rows{6});
    EXPECT_EQ(tagging.tagstart(), 6);
    EXPECT_EQ(grid.row(), 7);
    EXPECT_EQ(grid.col(), 2);
}

TEST_F(TaggingTest, SpaceOnTheLastRowTagsItAndStays)
{
    grid.setCurrentCell(lastRow(), 0);
    tagging.keyPress(Tagging::spaceKey);

    EXPECT_EQ(taggedRows(), Rows{lastRow()});
    EXPECT_EQ(grid.row(), lastRow());
}

TEST_F(TaggingTest, EnterTagsTheRangeAndAgainFlipsAllButItsStart)
{
    grid.setCurrentCell(5, 0);
    tagging.keyPress(Tagging::spaceKey);
    ASSERT_EQ(grid.row(), 6);
    grid.setCurrentCell(9, 3);

    EXPECT_FALSE(tagging.keyPress(Tagging::enterKey));
    EXPECT_EQ(taggedRows(), (Rows{5, 6, 7, 8, 9}));
    EXPECT_EQ(grid.row(), 9);
    EXPECT_EQ(grid.col(), 0);

    EXPECT_TRUE(tagging.keyPress(Tagging::enterKey));
    EXPECT_EQ(taggedRows(), Rows{5});
    EXPECT_EQ(grid.row(), 9);
    for (int row = 6; row <= 9; ++row)
        EXPECT_EQ(grid.backColor(row, 0), GridColors::ButtonFace) << "row " << row;
}

TEST_F(TaggingTest, EnterFlipsRowsThatWereAlreadyTagged)
{
    grid.setCurrentCell(7, 0);
    tagging.keyPress(Tagging::spaceKey);
    grid.setCurrentCell(5, 0);
    tagging.keyPress(Tagging::spaceKey);
    ASSERT_EQ(taggedRows(), (Rows{5, 7}));

    grid.setCurrentCell(8, 0);
    tagging.keyPress(Tagging::enterKey);
    EXPECT_EQ(taggedRows(), (Rows{5, 6, 8}));
}

TEST_F(TaggingTest, EnterWithoutAStartOrAboveItChangesNothing)
{
    grid.setCurrentCell(4, 2);
    EXPECT_FALSE(tagging.keyPress(Tagging::enterKey));
    EXPECT_TRUE(taggedRows().empty());
    EXPECT_EQ(grid.row(), 4);
    EXPECT_EQ(grid.col(), 2);

    grid.setCurrentCell(8, 0);
    tagging.keyPress(Tagging::spaceKey);
    grid.setCurrentCell(4, 2);
    tagging.keyPress(Tagging::enterKey);
    EXPECT_EQ(taggedRows(), Rows{8});
    EXPECT_EQ(grid.row(), 4);
    EXPECT_EQ(grid.col(), 2);
}

TEST_F(TaggingTest, OtherCharactersMoveDownAndTagNothing)
{
    grid.setCurrentCell(3, 2);
    EXPECT_FALSE(tagging.keyPress('a'));
    EXPECT_FALSE(tagging.keyPress('1'));
    EXPECT_TRUE(taggedRows().empty());
    EXPECT_EQ(tagging.tagstart(), 0);
    EXPECT_EQ(grid.row(), 5);
    EXPECT_EQ(grid.col(), 2);

    grid.setCurrentCell(lastRow(), 2);
    tagging.keyPress('x');
    EXPECT_EQ(grid.row(), lastRow());
}

TEST_F(TaggingTest, SelectAllAndUnselectAllOnThreeHundredSongs)
{
    setSongs(300);
    grid.setBackColor(150, 1, GridColors::White);
    grid.setCurrentCell(20, 5);

    tagging.selectAll();
    EXPECT_EQ(taggedRows().size(), 300u);
    EXPECT_EQ(taggedRows().front(), 1);
    EXPECT_FALSE(isTagged(grid, 0));
    EXPECT_EQ(grid.row(), 300);
    EXPECT_EQ(grid.col(), 0);

    grid.setCurrentCell(20, 5);
    EXPECT_TRUE(tagging.unselectAll());
    EXPECT_TRUE(taggedRows().empty());
    EXPECT_EQ(grid.backColor(150, 0), GridColors::White);
    EXPECT_EQ(grid.backColor(151, 0), GridColors::ButtonFace);
    EXPECT_EQ(grid.row(), 300);
    EXPECT_EQ(grid.col(), 0);

    EXPECT_FALSE(tagging.unselectAll());
}

TEST_F(TaggingTest, ARecolouringOfTheSongRowsRemovesEveryTag)
{
    tagging.selectAll();
    ASSERT_EQ(taggedRows().size(), 12u);
    grid.fillBackColor(1, GridColors::ButtonFace);
    EXPECT_TRUE(taggedRows().empty());
}

TEST_F(TaggingTest, WithoutSongsNothingIsTagged)
{
    grid.setRows(1);
    grid.setBackColor(0, 0, GridColors::TagMark);
    tagging.selectAll();
    EXPECT_FALSE(tagging.unselectAll());
    EXPECT_TRUE(taggedRows().empty());
    EXPECT_EQ(grid.row(), 0);
    EXPECT_EQ(grid.backColor(0, 0), GridColors::TagMark);
}

}  // namespace
