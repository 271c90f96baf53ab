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

// The upper-cased texts the search reads, and the colours, stay with their
// cells through overwrites (enough to gather the store afresh), moves and resizes.
TEST(GridModel, UpperTextsAndColoursFollowTheirCells)
{
    GridModel grid;
    grid.setRows(4);
    grid.setCols(2);
    const QString texts[] = {u"  abc 12"_s, u"  ABC 12"_s, u"  Straße"_s, u"  été"_s, {}, u"  Ωmega"_s};
    for (int i = 0; i < 6; ++i)
        grid.setText(1 + i / 2, i % 2, texts[i]);
    for (int i = 0; i < 1000; ++i)
        grid.setText(0, 0, u"header %1"_s.arg(i));
    grid.setBackColor(3, 1, GridColors::TagMark);

    grid.reorderRows({3, 1, 2});
    grid.setCols(3);
    EXPECT_EQ(grid.text(1, 1), u"  Ωmega"_s);
    EXPECT_EQ(grid.backColor(1, 1), GridColors::TagMark);
    EXPECT_EQ(grid.backColor(3, 1), GridColors::WindowBack);
    EXPECT_EQ(grid.upperText(2, 0), u"  ABC 12"_s);
    EXPECT_EQ(grid.upperText(3, 0), u"  STRASSE"_s);
    for (int r = 0; r < grid.rows(); ++r) {
        for (int c = 0; c < grid.cols(); ++c)
            EXPECT_EQ(grid.upperText(r, c), grid.text(r, c).toUpper()) << r << ',' << c;
    }
}

}  // namespace
