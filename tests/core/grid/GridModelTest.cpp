#include "core/grid/GridModel.h"

#include "TestStrings.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(GridModel, ResizeKeepsCellsAndTheCurrentCellInside)
{
    GridModel grid;
    grid.setRows(3);
    grid.setText(1, 1, u"kept"_s);
    grid.setBackColor(1, 1, GridColors::TagMark);
    grid.setText(2, 7, u"dropped"_s);
    ASSERT_TRUE(grid.setCurrentCell(2, 3));

    grid.setRows(5);
    grid.setCols(10);
    EXPECT_EQ(grid.text(1, 1), u"kept"_s);
    EXPECT_EQ(grid.backColor(1, 1), GridColors::TagMark);
    EXPECT_TRUE(grid.text(4, 9).isEmpty());
    EXPECT_EQ(grid.backColor(4, 9), GridColors::WindowBack);

    grid.setRows(2);
    EXPECT_EQ(grid.row(), 1) << "shrinking pulls the current cell inside";
    EXPECT_FALSE(grid.setCurrentCell(2, 0));
    EXPECT_FALSE(grid.setCol(10));
    grid.setRows(3);
    EXPECT_TRUE(grid.text(2, 7).isEmpty()) << "a row removed and added again starts empty";
    EXPECT_EQ(grid.rowCount(), 2) << "the Qt model shows the song rows only";
}

TEST(GridModel, ReorderRowsMovesWholeRowsKeepsTheHeaderAndRefusesNonPermutations)
{
    GridModel grid;
    grid.setRows(4);
    grid.setCols(2);
    grid.setText(0, 1, u"head"_s);
    for (int r = 1; r < 4; ++r) {
        grid.setText(r, 1, QString::number(r));
        grid.setBackColor(r, 0, static_cast<OleColor>(r));
    }
    const auto rows = [&grid] {
        return QStringList{grid.text(0, 1), grid.text(1, 1), grid.text(2, 1), grid.text(3, 1)};
    };

    grid.reorderRows({3, 1, 2});
    EXPECT_EQ(rows(), (QStringList{u"head"_s, u"3"_s, u"1"_s, u"2"_s}));
    EXPECT_EQ(grid.backColor(1, 0), 3u);
    for (const std::vector<int> &bad : {std::vector<int>{1, 1, 2}, {1, 2}, {0, 1, 2}})
        grid.reorderRows(bad);
    EXPECT_EQ(rows(), (QStringList{u"head"_s, u"3"_s, u"1"_s, u"2"_s}));
}

TEST(GridModel, BulkUpdateSendsOneChangeAtTheEndOfTheOutermost)
{
    GridModel grid;
    grid.setRows(50);
    QSignalSpy data(&grid, &QAbstractItemModel::dataChanged);
    QSignalSpy header(&grid, &QAbstractItemModel::headerDataChanged);

    grid.beginBulkUpdate();
    grid.beginBulkUpdate();
    for (int r = 0; r < 50; ++r)
        grid.setText(r, 0, u"x"_s);
    grid.fillBackColor(1, GridColors::White);
    grid.endBulkUpdate();
    EXPECT_EQ(data.count(), 0);
    grid.endBulkUpdate();
    ASSERT_EQ(data.count(), 1);
    EXPECT_EQ(header.count(), 1);
    EXPECT_EQ(data.first().at(0).value<QModelIndex>(), grid.index(0, 0));
    EXPECT_EQ(data.first().at(1).value<QModelIndex>(), grid.index(48, 7));
}

}  // namespace
