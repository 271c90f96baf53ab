#include "Form1Fixture.h"

#include "core/grid/Tagging.h"

#include <QLineEdit>

namespace {

class Form1TaggingTest : public Form1Test
{
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        openConnected(300);
        ASSERT_EQ(grid().rows(), 301);
    }

    // Clicks a cell, as the user would, to make it current.
    void clickRow(int row)
    {
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCenter(row, 1));
        ASSERT_EQ(grid().row(), row);
    }

    void press(Qt::Key key) { QTest::keyClick(view(), key); }

    QList<int> taggedRows() const
    {
        QList<int> rows;
        for (int r = 1; r < grid().rows(); ++r) {
            if (isTagged(grid(), r))
                rows << r;
        }
        return rows;
    }
};

TEST_F(Form1TaggingTest, SpaceTogglesTheRowAndMovesDownLettersOnlyMove)
{
    clickRow(5);
    press(Qt::Key_Space);
    EXPECT_EQ(taggedRows(), QList<int>{5});
    EXPECT_EQ(grid().row(), 6);
    EXPECT_EQ(view()->currentIndex(), grid().index(5, 1));

    // Again on row 5: untagged, with the row's standing colour back.
    clickRow(5);
    press(Qt::Key_Space);
    EXPECT_TRUE(taggedRows().isEmpty());
    EXPECT_EQ(grid().backColor(5, 0), GridColors::ButtonFace);

    // The last row is tagged and stays current.
    grid().setCurrentCell(300, 0);
    press(Qt::Key_Space);
    EXPECT_EQ(taggedRows(), QList<int>{300});
    EXPECT_EQ(grid().row(), 300);

    clickRow(10);
    QTest::keyClicks(view(), u"k7!"_s);
    EXPECT_EQ(grid().row(), 13);
    EXPECT_EQ(taggedRows(), QList<int>{300});
}

TEST_F(Form1TaggingTest, EnterFlipsTheRangeFromTheLastSpace)
{
    // Enter before any space changes nothing and stays put.
    clickRow(7);
    press(Qt::Key_Return);
    EXPECT_TRUE(taggedRows().isEmpty());
    EXPECT_EQ(grid().row(), 7);

    clickRow(5);
    press(Qt::Key_Space);
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_EQ(taggedRows(), (QList<int>{5, 6, 7, 8, 9}));
    EXPECT_EQ(grid().row(), 9);

    // At once again: the start stays tagged, the rest of the range flips back.
    press(Qt::Key_Return);
    EXPECT_EQ(taggedRows(), QList<int>{5});

    // With the current row above the start nothing changes.
    clickRow(2);
    press(Qt::Key_Enter);
    EXPECT_EQ(taggedRows(), QList<int>{5});
    EXPECT_EQ(grid().row(), 2);
}

TEST_F(Form1TaggingTest, SelectAllAndUnselectAll)
{
    child<QAction>("mnuSelectAll")->trigger();
    EXPECT_EQ(taggedRows().size(), 300);
    EXPECT_EQ(grid().row(), 300);

    // Untagging gives the grid the focus back.
    child<QLineEdit>("Text4")->setFocus();
    child<QAction>("mnuUnSelectAll")->trigger();
    EXPECT_TRUE(taggedRows().isEmpty());
    EXPECT_EQ(grid().backColor(150, 0), GridColors::ButtonFace);
    EXPECT_EQ(window->focusWidget(), view());
}

}  // namespace
