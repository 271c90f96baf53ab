#include "grid/FGrid.h"

#include "grid/GridFill.h"
#include "grid/GridSort.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class GridView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        formatgrid(model, 498);  // 499 songs
        for (int r = 1; r < model.rows(); ++r) {
            model.setText(r, GridColumn::Title, QStringLiteral("  Song %1").arg(r, 3, 10, QLatin1Char('0')));
            model.setText(r, GridColumn::FileName, QString::number(r));
        }
        setgridcolor(model);
        view.resize(900, 400);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QPoint cellCenter(int gridRow, int col) const
    {
        return view.visualRect(model.index(gridRow - 1, col)).center();
    }

    GridModel model;
    FGrid view{&model};
};

TEST_F(GridView, OnlyTheRightButtonAloneAsksForTheMenu)
{
    model.setCurrentCell(3, 2);
    QSignalSpy menu(&view, &FGrid::rightButtonPressed);
    const QPoint at = cellCenter(5, 1);
    QTest::mousePress(view.viewport(), Qt::RightButton, {}, at);
    ASSERT_EQ(menu.count(), 1);
    EXPECT_EQ(menu.first().at(0).toPoint(), view.viewport()->mapToGlobal(at));
    QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, at);
    EXPECT_EQ(model.row(), 3) << "a right click does not move the current cell";

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseClick(view.viewport(), Qt::MiddleButton, {}, at);
    EXPECT_EQ(menu.count(), 1);
}

TEST_F(GridView, CurrentCellFollowsBothWays)
{
    // Model to view: the current index moves and is scrolled into view.
    model.setCurrentCell(300, 3);
    EXPECT_EQ(view.currentIndex(), model.index(299, 3));
    EXPECT_TRUE(view.viewport()->rect().contains(cellCenter(300, 3)));

    // Keyboard in the view to the model.
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(model.row(), 301);
    EXPECT_EQ(model.col(), 3);

    // Shift extends the selection: the current cell stays, the end moves.
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(model.row(), 301);
    EXPECT_EQ(model.rowSel(), 303);

    // A mouse click collapses it on the clicked cell.
    QSignalSpy clicks(&view, &FGrid::cellClicked);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cellCenter(model.row() + 1, 1));
    EXPECT_EQ(model.row(), 302);
    EXPECT_EQ(model.col(), 1);
    EXPECT_EQ(model.rowSel(), 302);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(view.selectionModel()->selectedIndexes().size(), 1);

    // The header row as the current cell leaves the view without one.
    model.setCurrentCell(0, 0);
    EXPECT_FALSE(view.currentIndex().isValid());
}

TEST_F(GridView, CharacterKeysGoToTheWindowOnly)
{
    model.setCurrentCell(10, 0);
    QSignalSpy typed(&view, &FGrid::characterTyped);
    QTest::keyClick(&view, Qt::Key_Space);
    QTest::keyClick(&view, Qt::Key_Return);
    QTest::keyClick(&view, Qt::Key_S, Qt::NoModifier);
    QTest::keyClick(&view, Qt::Key_Up);
    ASSERT_EQ(typed.count(), 3);
    EXPECT_EQ(typed.at(0).at(0).toInt(), 32);
    EXPECT_EQ(typed.at(1).at(0).toInt(), 13);
    EXPECT_EQ(typed.at(2).at(0).toInt(), int('s'));
    EXPECT_EQ(model.row(), 9) << "only the arrow key moved the view; 's' found no song to jump to";
}

TEST_F(GridView, MoveDownStopsAtTheLastRow)
{
    model.setCurrentCell(498, 4);
    view.moveDown();
    view.moveDown();
    EXPECT_EQ(model.row(), 499);
    EXPECT_EQ(model.col(), 4);
    EXPECT_EQ(view.currentIndex(), model.index(498, 4));

    // From the end of an extended selection.
    model.setCurrentCell(20, 1);
    model.setSelectionEnd(25, 2);
    view.moveDown();
    EXPECT_EQ(model.row(), 26);
    EXPECT_EQ(model.col(), 2);
}

TEST_F(GridView, ShowsLayoutColoursAndSortedOrder)
{
    EXPECT_EQ(view.columnWidth(GridColumn::Title), 280);
    EXPECT_EQ(view.columnWidth(GridColumn::Artist), 146);
    EXPECT_EQ(view.horizontalHeader()->sectionSize(GridColumn::FileName), view.horizontalHeader()->defaultSectionSize());

    model.setTopRow(200);
    EXPECT_EQ(view.rowAt(0), 199);
    model.setBackColor(1, 0, GridColors::TagMark);
    sortGrid(model, GridColumn::Title, true);
    model.setTopRow(1);
    view.horizontalScrollBar()->setValue(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.rowAt(0), 0);
    const QModelIndex first = view.indexAt(cellCenter(1, 0));
    EXPECT_EQ(first.data().toString(), QStringLiteral("  Song 499"));

    const QImage header = view.horizontalHeader()->grab().toImage();
    EXPECT_EQ(header.pixelColor(view.columnWidth(0) - 20, header.height() / 2), QColor(0, 0, 255));
    const QImage cells = view.viewport()->grab().toImage();
    const QPoint songCell = cellCenter(2, 2) + QPoint(40, 0);  // right of the text
    EXPECT_EQ(cells.pixelColor(songCell), view.palette().color(QPalette::Button));

    model.setBackColor(2, 0, GridColors::TagMark);
    QCoreApplication::processEvents();
    const QImage tagged = view.viewport()->grab().toImage();
    EXPECT_EQ(tagged.pixelColor(cellCenter(2, 0) + QPoint(120, 0)), QColor(255, 0, 0));
}

TEST(OleColor, PlainAndSystemColours)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Base, QColor(4, 5, 6));
    palette.setColor(QPalette::Text, QColor(7, 8, 9));
    EXPECT_EQ(oleColor(0x00336699, palette), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(oleColor(GridColors::ButtonFace, palette), QColor(1, 2, 3));
    EXPECT_EQ(oleColor(GridColors::WindowBack, palette), QColor(4, 5, 6));
    EXPECT_EQ(oleColor(GridColors::WindowText, palette), QColor(7, 8, 9));
}

}  // namespace
