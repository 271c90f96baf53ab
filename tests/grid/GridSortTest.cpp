#include "grid/GridSort.h"

#include "grid/GridFill.h"
#include "grid/GridModel.h"

#include <gtest/gtest.h>

namespace {

// A grid whose song rows hold the given texts in one column, and the original
// row number in the File Name column so whole-row moves can be checked.
void fillColumn(GridModel &grid, int column, const QStringList &texts)
{
    formatgrid(grid, static_cast<int>(texts.size()) - 1);
    for (int i = 0; i < texts.size(); ++i) {
        grid.setText(i + 1, column, texts[i]);
        grid.setText(i + 1, GridColumn::FileName, QString::number(i + 1));
    }
    setgridcolor(grid);
}

QStringList column(const GridModel &grid, int col)
{
    QStringList texts;
    for (int r = 1; r < grid.rows(); ++r)
        texts << grid.text(r, col);
    return texts;
}

TEST(SortGrid, TitlesAscendingAndDescendingMoveWholeRows)
{
    GridModel grid;
    fillColumn(grid, GridColumn::Title, {QStringLiteral("  Mango"), QStringLiteral("  apple"),
                                                  QStringLiteral("  Zebra"), QStringLiteral("  banana")});
    sortGrid(grid, GridColumn::Title, true);
    EXPECT_EQ(column(grid, GridColumn::Title),
              (QStringList{QStringLiteral("  Zebra"), QStringLiteral("  Mango"), QStringLiteral("  banana"),
                           QStringLiteral("  apple")}));
    EXPECT_EQ(column(grid, GridColumn::FileName),
              (QStringList{QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("2")}));
    EXPECT_EQ(grid.text(0, GridColumn::Title), QStringLiteral("Title"));

    sortGrid(grid, GridColumn::Title, false);
    EXPECT_EQ(column(grid, GridColumn::FileName),
              (QStringList{QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("1"), QStringLiteral("3")}));
}

TEST(SortGrid, LengthSortsByDuration)
{
    GridModel grid;
    fillColumn(grid, GridColumn::Length, {QStringLiteral("  10:05"), QStringLiteral("  2:30"),
                                                   QStringLiteral("  65:00"), QStringLiteral("  0:09"),
                                                   QStringLiteral("  9:59")});
    sortGrid(grid, GridColumn::Length, false);
    EXPECT_EQ(column(grid, GridColumn::Length),
              (QStringList{QStringLiteral("  0:09"), QStringLiteral("  2:30"), QStringLiteral("  9:59"),
                           QStringLiteral("  10:05"), QStringLiteral("  65:00")}));
    sortGrid(grid, GridColumn::Length, true);
    EXPECT_EQ(column(grid, GridColumn::Length).first(), QStringLiteral("  65:00"));
    EXPECT_EQ(column(grid, GridColumn::Length).last(), QStringLiteral("  0:09"));
}

TEST(SortGrid, NumbersByValueBeforeTextsAndEqualKeysKeepTheirOrder)
{
    GridModel grid;
    fillColumn(grid, GridColumn::TrackNumber, {QStringLiteral("   10"), QString(), QStringLiteral("   2"),
                                                        QStringLiteral("  1a"), QStringLiteral("   2"),
                                                        QStringLiteral("   1")});
    sortGrid(grid, GridColumn::TrackNumber, false);
    EXPECT_EQ(column(grid, GridColumn::TrackNumber),
              (QStringList{QStringLiteral("   1"), QStringLiteral("   2"), QStringLiteral("   2"),
                           QStringLiteral("   10"), QString(), QStringLiteral("  1a")}));
    EXPECT_EQ(column(grid, GridColumn::FileName)[1], QStringLiteral("3")) << "ties keep the order they had";
    EXPECT_EQ(column(grid, GridColumn::FileName)[2], QStringLiteral("5"));

    sortGrid(grid, GridColumn::TrackNumber, true);
    EXPECT_EQ(column(grid, GridColumn::TrackNumber),
              (QStringList{QStringLiteral("  1a"), QString(), QStringLiteral("   10"), QStringLiteral("   2"),
                           QStringLiteral("   2"), QStringLiteral("   1")}));
}

TEST(SortGrid, TextIgnoresLetterCase)
{
    GridModel grid;
    fillColumn(grid, GridColumn::Artist, {QStringLiteral("  beta"), QStringLiteral("  ÉCOLE"),
                                          QStringLiteral("  ALPHA"), QStringLiteral("  Gamma"),
                                          QStringLiteral("  école"), QStringLiteral("  alpha"),
                                          QStringLiteral("  Straße"), QStringLiteral("  STRASSE")});
    sortGrid(grid, GridColumn::Artist, false);
    EXPECT_EQ(column(grid, GridColumn::Artist),
              (QStringList{QStringLiteral("  ALPHA"), QStringLiteral("  alpha"), QStringLiteral("  beta"),
                           QStringLiteral("  Gamma"), QStringLiteral("  STRASSE"), QStringLiteral("  Straße"),
                           QStringLiteral("  ÉCOLE"), QStringLiteral("  école")}));
}

TEST(SortGrid, RemovesTagsAndRepaintsStandingColours)
{
    GridModel grid;
    fillColumn(grid, GridColumn::Genre, {QStringLiteral("  c"), QStringLiteral("  b"),
                                                  QStringLiteral("  a"), QStringLiteral("  d")});
    for (int r : {1, 2, 4})
        grid.setBackColor(r, 0, GridColors::TagMark);
    grid.setCurrentCell(2, 3);
    sortGrid(grid, GridColumn::Genre, false);
    for (int r = 1; r < grid.rows(); ++r) {
        for (int c = 0; c < grid.cols(); ++c)
            EXPECT_EQ(grid.backColor(r, c), GridColors::ButtonFace) << r << "," << c;
    }
    for (int c = 0; c < grid.cols(); ++c) {
        EXPECT_EQ(grid.backColor(0, c), GridColors::HeaderBack);
        EXPECT_EQ(grid.foreColor(0, c), GridColors::HeaderText);
    }
    EXPECT_EQ(grid.row(), 4);
    EXPECT_EQ(grid.col(), 7);
    EXPECT_EQ(grid.rowSel(), 4);
}

TEST(SortGrid, HeaderOnlyGridStaysAsItIs)
{
    GridModel grid;
    formatgrid(grid, 0);
    grid.setRows(1);
    setgridcolor(grid);
    sortGrid(grid, GridColumn::Title, true);
    ASSERT_EQ(grid.rows(), 1);
    EXPECT_EQ(grid.text(0, 0), QStringLiteral("Title"));
    EXPECT_EQ(grid.backColor(0, 0), GridColors::HeaderBack);
    EXPECT_EQ(grid.foreColor(0, 7), GridColors::HeaderText);
    EXPECT_EQ(grid.row(), 0);
    EXPECT_EQ(grid.col(), 7);
}

TEST(SortGrid, ResetColourMakesSongCellsWhiteOnly)
{
    GridModel grid;
    fillColumn(grid, GridColumn::Title, {QStringLiteral("  a"), QStringLiteral("  b")});
    resetgridcolor(grid);
    EXPECT_EQ(grid.backColor(1, 0), GridColors::White);
    EXPECT_EQ(grid.backColor(2, 7), GridColors::White);
    EXPECT_EQ(grid.backColor(0, 0), GridColors::HeaderBack);
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.col(), 7);
}

}  // namespace
