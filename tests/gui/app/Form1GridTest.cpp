#include "Form1Fixture.h"

#include "core/grid/Tagging.h"

#include <QHeaderView>
#include <QMenu>

namespace {

// The grid's menu opens on the right button only; its sort items run the sort, which clears every tag.
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

    child<QAction>("mnuSelectAll")->trigger();
    child<QAction>("mnutitlede")->trigger();
    EXPECT_EQ(grid().text(1, 0), u"  Song 6"_s);
    for (int r = 1; r < grid().rows(); ++r)
        EXPECT_FALSE(isTagged(grid(), r)) << r;
}

// The design size is the smallest; a larger window gives its room to the
// grid, and the strip below the grid follows the bottom edge.
TEST_F(Form1Test, TheWindowResizesAndTheGridTakesTheRoom)
{
    Form1 &w = openConnected(3);
    const QSize design = w.size();
    const auto place = [this](const char *name) { return child<QWidget>(name)->geometry(); };
    const QRect grid0 = place("FGrid"), info0 = place("InfoFrame"), photos0 = place("PictureFrame");
    const QRect search0 = place("Text4"), bar0 = place("PBar");
    EXPECT_EQ(grid0, QRect(5, 258, 781, 180));  // the design place, in pixels at 96 dpi

    // File Name shows its usual text.
    QHeaderView *header = view()->horizontalHeader();
    EXPECT_GE(header->sectionSize(GridColumn::FileName),
              view()->fontMetrics().horizontalAdvance(u"  \\iPod_Control\\Music\\F00\\ABCD.mp3"_s));

    // Wider than all its columns, the grid's last column reaches its right edge.
    w.resize(design + QSize(900, 300));
    ASSERT_EQ(w.size(), design + QSize(900, 300));
    EXPECT_EQ(place("FGrid"), grid0.adjusted(0, 0, 900, 300));
    EXPECT_EQ(place("InfoFrame"), info0);
    EXPECT_EQ(place("PictureFrame"), photos0);
    EXPECT_EQ(place("Text4"), search0.translated(0, 300));
    EXPECT_EQ(place("PBar"), bar0.translated(0, 300).adjusted(0, 0, 900, 0));
    EXPECT_EQ(header->sectionViewportPosition(7) + header->sectionSize(7), view()->viewport()->width());

    w.resize(200, 200);
    EXPECT_EQ(w.size(), design);
    EXPECT_EQ(place("FGrid"), grid0);
}

}  // namespace
