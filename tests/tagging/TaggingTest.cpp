#include "grid/GridModel.h"
#include "grid/Tagging.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Rows = std::vector<int>;
constexpr int space = Tagging::spaceKey;
constexpr int enter = Tagging::enterKey;

class TaggingTest : public ::testing::Test
{
protected:
    TaggingTest()
    {
        grid.setCols(8);
        setSongs(12);
    }

    void setSongs(int songs)
    {
        grid.setRows(songs + 1);
        grid.fillBackColor(1, GridColors::ButtonFace);
    }

    bool press(int row, int col, int key)
    {
        grid.setCurrentCell(row, col);
        return tagging.keyPress(key);
    }

    Rows taggedRows() const
    {
        Rows rows;
        for (int row = 0; row < grid.rows(); ++row)
            if (isTagged(grid, row))
                rows.push_back(row);
        return rows;
    }

    Rows cell() const { return {grid.row(), grid.col()}; }

    GridModel grid;
    Tagging tagging{grid};
};

TEST_F(TaggingTest, SpaceTogglesTheSelectionEndRowAndMovesDown)
{
    grid.setBackColor(3, 1, GridColors::White);
    EXPECT_FALSE(press(3, 4, space));
    EXPECT_EQ(taggedRows(), Rows{3});
    EXPECT_EQ(grid.backColor(3, 0), GridColors::TagMark);
    EXPECT_EQ(grid.backColor(3, 1), GridColors::White) << "only column 0 carries the tag";
    EXPECT_EQ(tagging.tagstart(), 3);
    EXPECT_EQ(cell(), (Rows{4, 4}));

    // Again: the row gets the colour of its column 1 back.
    EXPECT_TRUE(press(3, 5, space));
    EXPECT_TRUE(taggedRows().empty());
    EXPECT_EQ(grid.backColor(3, 0), GridColors::White);
    EXPECT_EQ(cell(), (Rows{4, 0}));

    grid.setCurrentCell(3, 1);
    grid.setSelectionEnd(6, 2);
    tagging.keyPress(space);
    EXPECT_EQ(taggedRows(), Rows{6});
    EXPECT_EQ(tagging.tagstart(), 6);
    EXPECT_EQ(cell(), (Rows{7, 2}));

    // The last row is tagged and stays current.
    press(12, 0, space);
    EXPECT_EQ(taggedRows(), (Rows{6, 12}));
    EXPECT_EQ(grid.row(), 12);
}

TEST_F(TaggingTest, EnterFlipsTheRowsAfterTheTagStart)
{
    // Without a start nothing changes, and the current cell stays.
    EXPECT_FALSE(press(4, 2, enter));
    EXPECT_TRUE(taggedRows().empty());
    EXPECT_EQ(cell(), (Rows{4, 2}));

    press(5, 0, space);
    EXPECT_FALSE(press(9, 3, enter));
    EXPECT_EQ(taggedRows(), (Rows{5, 6, 7, 8, 9}));
    EXPECT_EQ(cell(), (Rows{9, 0}));
    EXPECT_TRUE(press(9, 3, enter));
    EXPECT_EQ(taggedRows(), Rows{5});
    EXPECT_EQ(grid.backColor(9, 0), GridColors::ButtonFace);

    // Rows already tagged flip too; above the start nothing changes.
    press(7, 0, space);
    press(5, 0, space);
    ASSERT_EQ(taggedRows(), Rows{7});
    press(5, 0, space);
    EXPECT_TRUE(press(8, 0, enter));
    EXPECT_EQ(taggedRows(), (Rows{5, 6, 8}));
    EXPECT_FALSE(press(4, 2, enter));
    EXPECT_EQ(taggedRows(), (Rows{5, 6, 8}));
    EXPECT_EQ(cell(), (Rows{4, 2}));
}

TEST_F(TaggingTest, OtherCharactersMoveDownAndTagNothing)
{
    EXPECT_FALSE(press(3, 2, 'a'));
    EXPECT_FALSE(tagging.keyPress('1'));
    EXPECT_TRUE(taggedRows().empty());
    EXPECT_EQ(tagging.tagstart(), 0);
    EXPECT_EQ(cell(), (Rows{5, 2}));
    press(12, 2, 'x');
    EXPECT_EQ(grid.row(), 12);
}

TEST_F(TaggingTest, SelectAllAndUnselectAllOnThreeHundredSongs)
{
    setSongs(300);
    grid.setBackColor(150, 1, GridColors::White);
    grid.setCurrentCell(20, 5);
    tagging.selectAll();
    EXPECT_EQ(taggedRows().size(), 300u);
    EXPECT_FALSE(isTagged(grid, 0));
    EXPECT_EQ(cell(), (Rows{300, 0}));

    grid.setCurrentCell(20, 5);
    EXPECT_TRUE(tagging.unselectAll());
    EXPECT_TRUE(taggedRows().empty());
    EXPECT_EQ(grid.backColor(150, 0), GridColors::White);
    EXPECT_EQ(grid.backColor(151, 0), GridColors::ButtonFace);
    EXPECT_EQ(cell(), (Rows{300, 0}));
    EXPECT_FALSE(tagging.unselectAll());

    // A recolouring of the song rows removes every tag.
    tagging.selectAll();
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
