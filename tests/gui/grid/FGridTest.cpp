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
    // Model to view: the current index moves.
    model.setCurrentCell(300, 3);
    EXPECT_EQ(view.currentIndex(), model.index(299, 3));

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
}

// The program moving the current cell (a sort, Select All, a copy) leaves
// the view where it is; the first visible row and the user's own moves scroll.
TEST_F(GridView, OnlyTheUserAndTheTopRowScrollTheView)
{
    view.resize(500, 300);  // narrower than the columns
    model.setTopRow(100);
    view.horizontalScrollBar()->setValue(0);
    QCoreApplication::processEvents();
    const auto shown = [this] { return std::pair(view.rowAt(0), view.horizontalScrollBar()->value()); };
    ASSERT_EQ(shown(), std::pair(99, 0));

    for (const auto &[row, col] : {std::pair(498, 7), {1, 0}, {400, 7}}) {
        model.setCurrentCell(row, col);
        QCoreApplication::processEvents();
        EXPECT_EQ(view.currentIndex(), model.index(row - 1, col));
        EXPECT_EQ(shown(), std::pair(99, 0)) << row;
    }
    // Also while hidden: showing the view again does not jump to the current cell.
    view.hide();
    model.setCurrentCell(480, 7);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_EQ(shown(), std::pair(99, 0));

    // The user's keys: the current cell is kept in view.
    model.setCurrentCell(400, 0);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(model.row(), 401);
    EXPECT_TRUE(view.viewport()->rect().contains(cellCenter(401, 0)));
    // A typed character moves on through the window's handler: shown too.
    QObject::connect(&view, &FGrid::characterTyped, &model, [this] { model.setRow(model.row() + 5); });
    model.setTopRow(100);
    model.setCurrentCell(120, 0);
    QTest::keyClick(&view, Qt::Key_Space);
    EXPECT_EQ(model.row(), 125);
    EXPECT_TRUE(view.viewport()->rect().contains(cellCenter(125, 0)));
}

// The current cell is framed and keeps its colour: a tagged current row
// still shows red; other selected cells are tinted, not covered.
TEST_F(GridView, HeaderTagsAndTheCurrentCellShowTheirColours)
{
    model.setBackColor(3, 0, GridColors::TagMark);
    model.setBackColor(4, 0, GridColors::TagMark);
    model.setCurrentCell(3, 0);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_EQ(view.selectionModel()->selectedIndexes().size(), 2);
    QCoreApplication::processEvents();
    const QImage cells = view.viewport()->grab().toImage();
    const QRect current = view.visualRect(model.index(2, 0));
    const QColor highlight = view.palette().color(QPalette::Highlight);
    EXPECT_EQ(cells.pixelColor(current.center() + QPoint(120, 0)), QColor(255, 0, 0));
    EXPECT_EQ(cells.pixelColor(current.left() + 1, current.center().y()), highlight) << "no frame";
    EXPECT_EQ(cells.pixelColor(current.right() - 1, current.center().y()), highlight) << "no frame";

    const QColor selected = cells.pixelColor(view.visualRect(model.index(3, 0)).center() + QPoint(120, 0));
    EXPECT_TRUE(selected != highlight && selected.red() > 150 && selected.red() > selected.green())
        << "the selection covers the tag mark";

    // The header row is blue; an untagged song cell keeps the button colour.
    const QImage header = view.horizontalHeader()->grab().toImage();
    EXPECT_EQ(header.pixelColor(view.columnWidth(0) - 20, header.height() / 2), QColor(0, 0, 255));
    EXPECT_EQ(cells.pixelColor(cellCenter(6, 2) + QPoint(40, 0)), view.palette().color(QPalette::Button));
}

}  // namespace
