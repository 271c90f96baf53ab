#include "core/grid/GridModel.h"

#include "TestStrings.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

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
