#include "gui/grid/FGrid.h"

#include "TestStrings.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridSort.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class GridView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        formatgrid(model, 498);  // 499 songs
        for (int r = 1; r < model.rows(); ++r)
            model.setText(r, GridColumn::Title, QStringLiteral("  Song %1").arg(r, 3, 10, QLatin1Char('0')));
        setgridcolor(model);
        view.resize(900, 400);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QPoint cellCenter(int gridRow, int col) const { return view.visualRect(model.index(gridRow - 1, col)).center(); }

    GridModel model;
    FGrid view{&model};
};

TEST_F(GridView, CurrentCellAndSelectionFollowBothWays)
{
    // Model to view: the current index moves and is scrolled into view.
    model.setCurrentCell(300, 3);
    EXPECT_EQ(view.currentIndex(), model.index(299, 3));
    EXPECT_TRUE(view.viewport()->rect().contains(cellCenter(300, 3)));

    // Shift extends the selection: the current cell stays, the end moves.
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(model.row(), 300);
    EXPECT_EQ(model.rowSel(), 302);

    // A mouse click collapses the selection on the clicked cell.
    model.setSelectionEnd(306, 3);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cellCenter(302, 1));
    EXPECT_EQ(model.row(), 302);
    EXPECT_EQ(model.col(), 1);
    EXPECT_EQ(model.rowSel(), 302);
    EXPECT_EQ(view.selectionModel()->selectedIndexes().size(), 1);

    model.setCurrentCell(0, 0);
    EXPECT_FALSE(view.currentIndex().isValid()) << "the header row is no cell of the view";
}

TEST_F(GridView, ShowsLayoutColoursAndSortedOrder)
{
    EXPECT_EQ(view.columnWidth(GridColumn::Title), 280);

    model.setTopRow(200);
    EXPECT_EQ(view.rowAt(0), 199);
    sortGrid(model, GridColumn::Title, true);
    model.setTopRow(1);
    view.horizontalScrollBar()->setValue(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.indexAt(cellCenter(1, 0)).data().toString(), QStringLiteral("  Song 499"));

    const QImage header = view.horizontalHeader()->grab().toImage();
    EXPECT_EQ(header.pixelColor(view.columnWidth(0) - 20, header.height() / 2), QColor(0, 0, 255));
    model.setBackColor(2, 0, GridColors::TagMark);
    QCoreApplication::processEvents();
    const QImage cells = view.viewport()->grab().toImage();
    EXPECT_EQ(cells.pixelColor(cellCenter(2, 0) + QPoint(120, 0)), QColor(255, 0, 0));
    EXPECT_EQ(cells.pixelColor(cellCenter(2, 2) + QPoint(40, 0)), view.palette().color(QPalette::Button));
}

}  // namespace
