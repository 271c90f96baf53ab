#include "Form1Fixture.h"

#include "core/grid/Tagging.h"

#include <QMenu>

namespace {

TEST_F(Form1Test, GridMenuOpensOnTheRightButtonAndItsSortItemsReorderAndUntag)
{
    openConnected(6);
    QMenu *menu = window->gridMenu();
    const QPoint at = cellCenter(3, 2);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(menu->isVisible());
    QTest::mousePress(view()->viewport(), Qt::RightButton, {}, at);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->geometry().contains(view()->viewport()->mapToGlobal(at) + QPoint(1, 1)));
    menu->close();
    QTest::mouseRelease(view()->viewport(), Qt::RightButton, {}, at);

    // The sort clears every tag.
    child<QAction>("mnuSelectAll")->trigger();
    child<QAction>("mnutitlede")->trigger();
    EXPECT_EQ(column(0), texts(u"  Song 6|  Song 5|  Song 4|  Song 3|  Song 2|  Song 1"));
    EXPECT_EQ(grid().text(0, 0), u"Title"_s);
    for (int r = 1; r < grid().rows(); ++r)
        EXPECT_FALSE(isTagged(grid(), r)) << r;
}

}  // namespace
