#include "Form1Fixture.h"

#include "core/grid/Tagging.h"

#include <QLineEdit>

#include <functional>

namespace {

// The grid hands Space, Return, Enter and letters to the tagging and shows
// where it leaves the current row; what each key does is the core's. The
// menu's Select All and Unselect All reach it too, the latter giving the grid the focus back.
TEST_F(Form1Test, GridKeysAndSelectMenuItemsReachTheTagging)
{
    openConnected(20);
    const auto clickRow = [this](int row) {
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, cellCenter(row, 1));
        ASSERT_EQ(grid().row(), row);
    };
    const auto press = [this](Qt::Key key) { QTest::keyClick(view(), key); };
    const struct
    {
        const char *what;
        std::function<void()> keys;
        QList<int> tagged;
        int row;
    } steps[] = {
        {"space", [&] { clickRow(5), press(Qt::Key_Space); }, {5}, 6},
        {"range",
         [&] { press(Qt::Key_Down), press(Qt::Key_Down), press(Qt::Key_Down), press(Qt::Key_Return); },
         {5, 6, 7, 8, 9},
         9},
        {"keypad Enter", [&] { press(Qt::Key_Enter); }, {5}, 9},
        {"letters", [&] { clickRow(10), QTest::keyClicks(view(), u"k7!"_s); }, {5}, 13},
    };
    const auto taggedRows = [this] {
        QList<int> rows;
        for (int r = 1; r < grid().rows(); ++r) {
            if (isTagged(grid(), r))
                rows << r;
        }
        return rows;
    };
    for (const auto &step : steps) {
        step.keys();
        EXPECT_EQ(taggedRows(), step.tagged) << step.what;
        EXPECT_EQ(grid().row(), step.row) << step.what;
        EXPECT_EQ(view()->currentIndex(), grid().index(step.row - 1, grid().col())) << step.what;
    }

    child<QAction>("mnuSelectAll")->trigger();
    EXPECT_EQ(taggedRows().size(), 20);
    child<QLineEdit>("Text4")->setFocus();
    child<QAction>("mnuUnSelectAll")->trigger();
    EXPECT_TRUE(taggedRows().isEmpty());
    EXPECT_EQ(window->focusWidget(), view());
}

}  // namespace
