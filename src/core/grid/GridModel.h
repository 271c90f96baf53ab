#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <cstdint>
#include <vector>

// Colours are kept as OLE colour numbers: 0x00BBGGRR for a plain colour, the
// top bit set for a system colour (the low byte is the system colour index).
using OleColor = std::uint32_t;

namespace GridColors {
constexpr OleColor HeaderBack = 0xFF0000;    // pure blue
constexpr OleColor HeaderText = 0xFFFFFF;    // white
constexpr OleColor ButtonFace = 0x8000000F;  // system colour 15
constexpr OleColor White = 0xFFFFFF;
constexpr OleColor TagMark = 0x0000FF;       // pure red on a song row's column-0 cell
constexpr OleColor WindowText = 0x80000008;  // system colour 8: the grid's default text colour
constexpr OleColor WindowBack = 0x80000005;  // system colour 5: the grid's default background
constexpr bool isSystemColor(OleColor c)
{
    return (c & 0x80000000u) != 0;
}
}  // namespace GridColors

// The song grid as a flex grid: row 0 is the fixed header row, the other rows
// hold songs. Cells live in flat vectors (text, background, text colour).
// The grid keeps a current cell, the end cell of the selection (which starts
// at the current cell), and the first visible row.
//
// As a Qt table model it shows only the song rows (model row = grid row - 1);
// row 0 is reported through headerData. A cell's tooltip is its text, escaped
// so that it shows literally, never as markup.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role {
        OleBackColorRole = Qt::UserRole + 1,  // OleColor of the cell background
        OleForeColorRole,                     // OleColor of the cell text
    };
    enum class Align : std::uint8_t { LeftCenter, LeftTop, CenterCenter };

    explicit GridModel(QObject *parent = nullptr);

    // Size. Growing keeps existing cells; new cells are empty with default colours.
    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    void setRows(int rows);
    void setCols(int cols);

    // Cell access by grid row and column (row 0 is the header).
    bool isValidCell(int row, int col) const;
    // The text of a cell (an empty text outside the grid). The reference holds
    // until the cell or the grid's size changes.
    const QString &text(int row, int col) const;
    void setText(int row, int col, const QString &text);
    // The cell's text upper-cased (QString::toUpper), as the search compares
    // it. The grid upper-cases each text once, when it is set, and keeps the
    // result only where it differs from the text. The view holds until the
    // next change of any cell's text or of the grid's size.
    QStringView upperText(int row, int col) const;
    // Asks the processor to fetch the texts of a row that is about to be read
    // (of column col alone when col is a column), and the cells of the row
    // eight further on. Each text lies in memory of its own, the more so after
    // a sort; a loop over the rows that asks eight rows ahead of the one it
    // reads waits for memory seldom, not once per cell.
    void prefetchRow(int row, int col = -1) const;
    OleColor backColor(int row, int col) const;
    void setBackColor(int row, int col, OleColor color);
    OleColor foreColor(int row, int col) const;
    void setForeColor(int row, int col, OleColor color);
    // Sets the background of every cell of rows [firstRow, rows()) in one go.
    void fillBackColor(int firstRow, OleColor color);

    // Current cell. Choosing the row or the column collapses the selection to
    // the current cell. Out-of-range values are refused (returns false).
    int row() const { return m_row; }
    int col() const { return m_col; }
    bool setRow(int row);
    bool setCol(int col);
    bool setCurrentCell(int row, int col);
    // End cell of the selection (equals the current cell when collapsed).
    int rowSel() const { return m_rowSel; }
    int colSel() const { return m_colSel; }
    void setSelectionEnd(int row, int col);

    // First visible song row.
    int topRow() const { return m_topRow; }
    void setTopRow(int row);

    // Layout: widths in twips (-1 = the grid's default) and alignment.
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    Align colAlignment(int col) const;
    void setColAlignment(int col, Align align);

    // Moves whole song rows: order[i] is the old grid row that becomes row i + 1.
    // Anything but a permutation of 1 .. rows() - 1 is refused. The cells stay
    // where they lie in memory: the grid keeps, per row, where its cells are,
    // so a move costs one pass over the rows whatever the number of columns.
    void reorderRows(const std::vector<int> &order);

    // Sort keys of a column: one value per song row, made by the sort from the
    // column's song cells. The keys stay with their rows through reorderRows;
    // a change of any song cell of the column, or of the grid's size, drops them.
    bool hasColumnKeys(int col) const;
    // The key of song row `row` (1 .. rows() - 1) of a column that has keys.
    std::uint32_t columnKey(int row, int col) const
    {
        return m_colKeys[static_cast<std::size_t>(col)]
                        [static_cast<std::size_t>(m_place[static_cast<std::size_t>(row)]) - 1];
    }
    // keys[i] is the key of grid row i + 1; anything but one key a song row is ignored.
    void keepColumnKeys(int col, const std::vector<std::uint32_t> &keys);

    // While a bulk update is open, cell changes emit no per-cell signals; the
    // close emits one change for the whole grid.
    void beginBulkUpdate();
    void endBulkUpdate();

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // The current cell moved, or an extended selection collapsed onto it.
    void currentCellChanged(int row, int col);
    void topRowChanged(int row);
    void columnLayoutChanged();

private:
    std::size_t cellIndex(int row, int col) const;
    void cellChanged(int row, int col);
    template <typename T>
    void setCell(std::vector<T> &cells, int row, int col, const T &value);
    void resizeCells(int rows, int cols);
    // Where a cell's upper-cased text lies in m_upperUnits; sameAsText: the
    // text itself.
    struct UpperSpan
    {
        static constexpr std::uint32_t sameAsText = 0xFFFF'FFFF;
        std::uint32_t start = sameAsText;
        std::uint32_t size = 0;
    };
    void keepUpperText(std::size_t cell);
    void dropUpperText(const UpperSpan &span);

    int m_rows = 0;
    int m_cols = 0;
    // Per grid row, the row of the cell vectors that holds its cells. Row 0,
    // the header, always holds its own; the song rows hold rows 1 .. m_rows - 1.
    std::vector<int> m_place;
    std::vector<QString> m_text;
    std::vector<OleColor> m_back;
    std::vector<OleColor> m_fore;
    std::vector<UpperSpan> m_upper;                     // per cell
    std::vector<char16_t> m_upperUnits;                 // the upper-cased texts that differ from theirs
    std::size_t m_upperUnitsUnused = 0;                 // units of m_upperUnits that no cell uses any more
    std::vector<std::vector<std::uint32_t>> m_colKeys;  // per column, by cell vector row - 1; empty: none kept
    std::vector<int> m_colWidth;
    std::vector<Align> m_colAlign;
    int m_row = 0;
    int m_col = 0;
    int m_rowSel = 0;
    int m_colSel = 0;
    int m_topRow = 1;
    int m_bulkDepth = 0;
};
