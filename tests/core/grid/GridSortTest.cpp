// The grid's sort, its change signals and its tagging keys.
#include "core/grid/GridSort.h"

#include "TestStrings.h"
#include "core/grid/GridFill.h"
#include "core/grid/GridModel.h"
#include "core/grid/Tagging.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

QStringList column(const GridModel &grid, int col)
{
    QStringList cells;
    for (int r = 1; r < grid.rows(); ++r)
        cells << grid.text(r, col);
    return cells;
}

TEST(SortGrid, EachColumnKindInBothDirectionsMovingWholeRows)
{
    const struct
    {
        int column;
        const char16_t *cells, *ascending, *ascendingRows, *descending;
    } cases[] = {
        // Text ignores letter case; equal keys keep their order.
        {GridColumn::Artist, u"  beta|  ÉCOLE|  ALPHA|  Gamma|  école|  alpha|  Straße|  STRASSE",
         u"  ALPHA|  alpha|  beta|  Gamma|  STRASSE|  Straße|  ÉCOLE|  école", u"3|6|1|4|8|7|2|5",
         u"  ÉCOLE|  école|  Straße|  STRASSE|  Gamma|  beta|  ALPHA|  alpha"},
        // Texts that share their first words, one of them no more than those.
        {GridColumn::Title, u"  The Band Two|  the band|  THE BAND ONE|  The Ban|  The Band",
         u"  The Ban|  the band|  The Band|  THE BAND ONE|  The Band Two", u"4|2|5|3|1",
         u"  The Band Two|  THE BAND ONE|  the band|  The Band|  The Ban"},
        // Lengths by duration.
        {GridColumn::Length, u"  10:05|  2:30|  65:00|  0:09|  9:59", u"  0:09|  2:30|  9:59|  10:05|  65:00",
         u"4|2|5|1|3", u"  65:00|  10:05|  9:59|  2:30|  0:09"},
        // Numbers by value, before texts.
        {GridColumn::TrackNumber, u"   10||   2|  1a|   2|   1", u"   1|   2|   2|   10||  1a", u"6|3|5|1|2|4",
         u"  1a||   10|   2|   2|   1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.cells).toStdString());
        const QStringList cells = texts(c.cells);
        GridModel grid;
        formatgrid(grid, static_cast<int>(cells.size()) - 1);
        for (int i = 0; i < cells.size(); ++i) {
            grid.setText(i + 1, c.column, cells[i]);
            grid.setText(i + 1, GridColumn::FileName, QString::number(i + 1));  // the row it came from
        }
        setgridcolor(grid);
        grid.setCurrentCell(2, 3);
        sortGrid(grid, c.column, false);
        EXPECT_EQ(column(grid, c.column), texts(c.ascending));
        EXPECT_EQ(column(grid, GridColumn::FileName), texts(c.ascendingRows));
        EXPECT_EQ(grid.row(), grid.rows() - 1) << "the sort leaves the last cell current";
        EXPECT_EQ(grid.col(), GridColumn::FileName);
        sortGrid(grid, c.column, true);
        EXPECT_EQ(column(grid, c.column), texts(c.descending));
    }
}

// The keys a sort keeps must follow the rows through other sorts and give way
// to a changed cell.
TEST(SortGrid, KeptKeysFollowOtherSortsAndChangedCells)
{
    GridModel grid;
    formatgrid(grid, 3);
    const QStringList artists = texts(u"  Cello|  Alto|  Bass|  Drum");
    const QStringList albums = texts(u"  W|  Z|  Y|  X");
    for (int i = 0; i < artists.size(); ++i) {
        grid.setText(i + 1, GridColumn::Artist, artists[i]);
        grid.setText(i + 1, GridColumn::Album, albums[i]);
    }
    sortGrid(grid, GridColumn::Artist, false);
    sortGrid(grid, GridColumn::Album, false);
    sortGrid(grid, GridColumn::Artist, true);
    EXPECT_EQ(column(grid, GridColumn::Artist), texts(u"  Drum|  Cello|  Bass|  Alto"));
    EXPECT_EQ(column(grid, GridColumn::Album), texts(u"  X|  W|  Y|  Z"));
    grid.setText(4, GridColumn::Artist, QStringLiteral("  Zither"));
    sortGrid(grid, GridColumn::Artist, false);
    EXPECT_EQ(column(grid, GridColumn::Artist), texts(u"  Bass|  Cello|  Drum|  Zither"));
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
    EXPECT_EQ(grid.foreColor(0, 7), GridColors::HeaderText);
    EXPECT_EQ(grid.row(), 0);
}

TEST(GridModel, BulkUpdateSendsOneChangeAndUpperTextsAndColoursFollowTheirCells)
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

    // The upper-cased texts the search reads, and the colours, stay with their
    // cells through overwrites (enough to gather the store afresh), moves and resizes.
    GridModel moved;
    moved.setRows(4);
    moved.setCols(2);
    const QString texts[] = {u"  abc 12"_s, u"  ABC 12"_s, u"  Straße"_s, u"  été"_s, {}, u"  Ωmega"_s};
    for (int i = 0; i < 6; ++i)
        moved.setText(1 + i / 2, i % 2, texts[i]);
    for (int i = 0; i < 1000; ++i)
        moved.setText(0, 0, u"header %1"_s.arg(i));
    moved.setBackColor(3, 1, GridColors::TagMark);

    moved.reorderRows({3, 1, 2});
    moved.setCols(3);
    EXPECT_EQ(moved.text(1, 1), u"  Ωmega"_s);
    EXPECT_EQ(moved.backColor(1, 1), GridColors::TagMark);
    EXPECT_EQ(moved.backColor(3, 1), GridColors::WindowBack);
    for (int r = 0; r < moved.rows(); ++r) {
        for (int c = 0; c < moved.cols(); ++c)
            EXPECT_EQ(moved.upperText(r, c), moved.text(r, c).toUpper()) << r << ',' << c;
    }
}

std::vector<int> taggedRows(const GridModel &grid)
{
    std::vector<int> rows;
    for (int row = 0; row < grid.rows(); ++row)
        if (isTagged(grid, row))
            rows.push_back(row);
    return rows;
}

TEST(Tagging, KeysActOnTheSelectionEndAndUntaggedRowsGetTheirColourBack)
{
    GridModel grid;
    grid.setCols(8);
    grid.setRows(13);
    grid.fillBackColor(1, GridColors::ButtonFace);
    grid.setBackColor(6, 1, GridColors::White);
    grid.setBackColor(8, 0, GridColors::TagMark);
    Tagging tagging(grid);

    grid.setCurrentCell(3, 1);
    grid.setSelectionEnd(6, 2);
    EXPECT_FALSE(tagging.keyPress(Tagging::spaceKey));
    EXPECT_EQ(taggedRows(grid), (std::vector<int>{6, 8}));
    EXPECT_EQ(std::pair(grid.row(), grid.col()), std::pair(7, 2));

    // Enter flips every row after the start, tagged ones too.
    grid.setCurrentCell(9, 4);
    EXPECT_TRUE(tagging.keyPress(Tagging::enterKey));
    EXPECT_EQ(taggedRows(grid), (std::vector<int>{6, 7, 9}));
    EXPECT_EQ(grid.backColor(8, 0), GridColors::ButtonFace);

    grid.setCurrentCell(6, 0);
    EXPECT_TRUE(tagging.keyPress(Tagging::spaceKey));
    EXPECT_EQ(grid.backColor(6, 0), GridColors::White);

    // Without song rows there is nothing to tag; the header keeps its colour.
    grid.setRows(1);
    grid.setBackColor(0, 0, GridColors::TagMark);
    tagging.selectAll();
    EXPECT_FALSE(tagging.unselectAll());
    EXPECT_EQ(grid.backColor(0, 0), GridColors::TagMark);
}

// Enter acts only on a range that a space began and that runs downwards; a
// second Enter keeps the start tagged; Space on the last row stays there.
TEST(Tagging, EnterNeedsARangeDownFromASpaceAndTheLastRowStays)
{
    GridModel grid;
    grid.setCols(8);
    grid.setRows(6);
    grid.fillBackColor(1, GridColors::ButtonFace);
    Tagging tagging(grid);

    grid.setCurrentCell(3, 0);
    EXPECT_FALSE(tagging.keyPress(Tagging::enterKey));
    EXPECT_TRUE(taggedRows(grid).empty());
    EXPECT_EQ(grid.row(), 3);

    grid.setCurrentCell(2, 0);
    tagging.keyPress(Tagging::spaceKey);
    grid.setCurrentCell(4, 0);
    EXPECT_FALSE(tagging.keyPress(Tagging::enterKey));
    EXPECT_EQ(taggedRows(grid), (std::vector<int>{2, 3, 4}));
    EXPECT_TRUE(tagging.keyPress(Tagging::enterKey));
    EXPECT_EQ(taggedRows(grid), (std::vector<int>{2}));

    grid.setCurrentCell(1, 0);
    tagging.keyPress(Tagging::enterKey);
    EXPECT_EQ(taggedRows(grid), (std::vector<int>{2}));

    grid.setCurrentCell(5, 0);
    tagging.keyPress(Tagging::spaceKey);
    EXPECT_EQ(taggedRows(grid), (std::vector<int>{2, 5}));
    EXPECT_EQ(grid.row(), 5);
}

}  // namespace
