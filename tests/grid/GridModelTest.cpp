#include "grid/GridModel.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

TEST(GridModel, ResizeKeepsCellsAndGivesNewCellsDefaults)
{
    GridModel grid;
    grid.setRows(3);
    grid.setText(1, 1, QStringLiteral("kept"));
    grid.setBackColor(1, 1, GridColors::TagMark);
    grid.setText(2, 7, QStringLiteral("dropped"));

    grid.setRows(5);
    grid.setCols(10);
    EXPECT_EQ(grid.text(1, 1), QStringLiteral("kept"));
    EXPECT_EQ(grid.backColor(1, 1), GridColors::TagMark);
    EXPECT_EQ(grid.text(2, 7), QStringLiteral("dropped"));
    EXPECT_TRUE(grid.text(4, 9).isEmpty());
    EXPECT_EQ(grid.backColor(4, 9), GridColors::WindowBack);
    EXPECT_EQ(grid.foreColor(4, 9), GridColors::WindowText);

    grid.setRows(2);
    grid.setRows(3);
    EXPECT_TRUE(grid.text(2, 7).isEmpty()) << "a row removed and added again starts empty";
    EXPECT_EQ(grid.rowCount(), 2) << "the Qt model shows the song rows only";
}

TEST(GridModel, CurrentCellCollapsesSelectionAndRefusesCellsOutside)
{
    GridModel grid;
    grid.setRows(10);
    ASSERT_TRUE(grid.setCurrentCell(2, 3));
    grid.setSelectionEnd(6, 5);
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.rowSel(), 6);
    EXPECT_EQ(grid.colSel(), 5);

    EXPECT_TRUE(grid.setCol(4));
    EXPECT_EQ(grid.rowSel(), 2);
    EXPECT_EQ(grid.colSel(), 4);

    grid.setSelectionEnd(8, 0);
    EXPECT_TRUE(grid.setRow(7));
    EXPECT_EQ(grid.rowSel(), 7);
    EXPECT_EQ(grid.colSel(), 4);

    EXPECT_FALSE(grid.setRow(10));
    EXPECT_FALSE(grid.setCol(-1));
    EXPECT_EQ(grid.row(), 7);
    EXPECT_EQ(grid.col(), 4);

    grid.setRows(4);
    EXPECT_EQ(grid.row(), 3) << "shrinking pulls the current cell inside";
}

TEST(GridModel, ReorderRowsMovesWholeRowsAndKeepsTheHeader)
{
    GridModel grid;
    grid.setRows(4);
    grid.setCols(2);
    grid.setText(0, 0, QStringLiteral("head"));
    for (int r = 1; r < 4; ++r) {
        grid.setText(r, 0, QString::number(r));
        grid.setText(r, 1, QStringLiteral("row %1").arg(r));
        grid.setBackColor(r, 0, static_cast<OleColor>(r));
    }

    grid.reorderRows({3, 1, 2});
    EXPECT_EQ(grid.text(0, 0), QStringLiteral("head"));
    EXPECT_EQ(grid.text(1, 0), QStringLiteral("3"));
    EXPECT_EQ(grid.text(1, 1), QStringLiteral("row 3"));
    EXPECT_EQ(grid.backColor(1, 0), 3u);
    EXPECT_EQ(grid.text(2, 1), QStringLiteral("row 1"));
    EXPECT_EQ(grid.text(3, 1), QStringLiteral("row 2"));

    // Not a permutation: refused, nothing lost.
    grid.reorderRows({1, 1, 2});
    grid.reorderRows({1, 2});
    grid.reorderRows({0, 1, 2});
    EXPECT_EQ(grid.text(1, 1), QStringLiteral("row 3"));
    EXPECT_EQ(grid.text(2, 1), QStringLiteral("row 1"));
    EXPECT_EQ(grid.text(3, 1), QStringLiteral("row 2"));
}

TEST(GridModel, BulkUpdateSendsOneChangeAtTheEnd)
{
    GridModel grid;
    grid.setRows(50);
    QSignalSpy data(&grid, &QAbstractItemModel::dataChanged);
    QSignalSpy header(&grid, &QAbstractItemModel::headerDataChanged);

    grid.beginBulkUpdate();
    grid.beginBulkUpdate();
    for (int r = 0; r < 50; ++r)
        grid.setText(r, 0, QStringLiteral("x"));
    grid.fillBackColor(1, GridColors::White);
    grid.endBulkUpdate();
    EXPECT_EQ(data.count(), 0) << "nested bulk updates close with the outermost";
    grid.endBulkUpdate();
    ASSERT_EQ(data.count(), 1);
    EXPECT_EQ(header.count(), 1);
    const auto topLeft = data.first().at(0).value<QModelIndex>();
    const auto bottomRight = data.first().at(1).value<QModelIndex>();
    EXPECT_EQ(topLeft.row(), 0);
    EXPECT_EQ(bottomRight.row(), 48);
    EXPECT_EQ(bottomRight.column(), 7);

    // Outside a bulk update each change is reported, the header through headerDataChanged.
    grid.setText(3, 2, QStringLiteral("y"));
    grid.setText(0, 2, QStringLiteral("z"));
    EXPECT_EQ(data.count(), 2);
    EXPECT_EQ(header.count(), 2);
    EXPECT_EQ(data.last().at(0).value<QModelIndex>(), grid.index(2, 2));
}

TEST(GridModel, ModelRolesShowSongRowsAndHeader)
{
    GridModel grid;
    grid.setText(0, 1, QStringLiteral("Length"));
    grid.setText(1, 1, QStringLiteral("  4:05"));
    grid.setBackColor(1, 1, GridColors::TagMark);
    grid.setForeColor(0, 1, GridColors::HeaderText);
    EXPECT_EQ(grid.data(grid.index(0, 1)).toString(), QStringLiteral("  4:05"));
    EXPECT_EQ(grid.data(grid.index(0, 1), GridModel::OleBackColorRole).toUInt(), GridColors::TagMark);
    EXPECT_EQ(grid.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Length"));
    EXPECT_EQ(grid.headerData(1, Qt::Horizontal, GridModel::OleForeColorRole).toUInt(), GridColors::HeaderText);
}

}  // namespace
