#include "Form1Fixture.h"

#include "core/grid/Tagging.h"

#include <QLineEdit>

#include <functional>

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

// Space toggles the row and moves down (the last row stays); Enter flips the
// rows after the last space up to the current one; letters only move.
TEST_F(Form1TaggingTest, SpaceTogglesEnterFlipsTheRangeLettersOnlyMove)
{
    const struct
    {
        const char *what;
        std::function<void()> keys;
        QList<int> tagged;
        int row;
    } steps[] = {
        {"Enter before any space", [this] { clickRow(7), press(Qt::Key_Return); }, {}, 7},
        {"space", [this] { clickRow(5), press(Qt::Key_Space); }, {5}, 6},
        {"space again", [this] { clickRow(5), press(Qt::Key_Space); }, {}, 6},
        {"range",
         [this] {
             clickRow(5);
             press(Qt::Key_Space);
             for (int i = 0; i < 3; ++i)
                 press(Qt::Key_Down);
             press(Qt::Key_Return);
         },
         {5, 6, 7, 8, 9},
         9},
        {"range again: the start stays", [this] { press(Qt::Key_Return); }, {5}, 9},
        {"current row above the start", [this] { clickRow(2), press(Qt::Key_Enter); }, {5}, 2},
        {"letters", [this] { clickRow(10), QTest::keyClicks(view(), u"k7!"_s); }, {5}, 13},
        {"last row", [this] { grid().setCurrentCell(300, 0), press(Qt::Key_Space); }, {5, 300}, 300},
    };
    for (const auto &step : steps) {
        step.keys();
        EXPECT_EQ(taggedRows(), step.tagged) << step.what;
        EXPECT_EQ(grid().row(), step.row) << step.what;
        EXPECT_EQ(view()->currentIndex(), grid().index(step.row - 1, grid().col())) << step.what;
    }
    EXPECT_EQ(grid().backColor(6, 0), GridColors::ButtonFace) << "untagged rows get their colour back";
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
