#include "core/grid/GridModel.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace {
constexpr int defaultRows = 2;
constexpr int defaultCols = 8;
}  // namespace

GridModel::GridModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    resizeCells(defaultRows, defaultCols);
}

std::size_t GridModel::cellIndex(int row, int col) const
{
    return static_cast<std::size_t>(m_place[static_cast<std::size_t>(row)]) * static_cast<std::size_t>(m_cols)
        + static_cast<std::size_t>(col);
}

bool GridModel::isValidCell(int row, int col) const
{
    return row >= 0 && row < m_rows && col >= 0 && col < m_cols;
}

void GridModel::resizeCells(int rows, int cols)
{
    std::vector<QString> text(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    std::vector<OleColor> back(text.size(), GridColors::WindowBack);
    std::vector<OleColor> fore(text.size(), GridColors::WindowText);
    for (int c = 0; c < cols; ++c)
        back[static_cast<std::size_t>(c)] = GridColors::ButtonFace;  // fixed row
    const int keepRows = std::min(rows, m_rows);
    const int keepCols = std::min(cols, m_cols);
    for (int r = 0; r < keepRows; ++r) {
        for (int c = 0; c < keepCols; ++c) {
            const std::size_t from = cellIndex(r, c);
            const std::size_t to =
                static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(c);
            text[to] = std::move(m_text[from]);
            back[to] = m_back[from];
            fore[to] = m_fore[from];
        }
    }
    std::vector<UpperSpan> upper(text.size());
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_cols; ++c) {
            const UpperSpan &span = m_upper[cellIndex(r, c)];
            if (r < keepRows && c < keepCols)
                upper[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(c)] =
                    span;
            else
                dropUpperText(span);
        }
    }
    m_text = std::move(text);
    m_back = std::move(back);
    m_fore = std::move(fore);
    m_upper = std::move(upper);
    // The cells were copied in row order: every row holds its own again.
    m_place.resize(static_cast<std::size_t>(rows));
    std::iota(m_place.begin(), m_place.end(), 0);
    m_colKeys.assign(static_cast<std::size_t>(cols), {});
    m_colWidth.resize(static_cast<std::size_t>(cols), -1);
    m_colAlign.resize(static_cast<std::size_t>(cols), Align::LeftCenter);
    m_rows = rows;
    m_cols = cols;
    m_row = std::min(m_row, rows - 1);
    m_col = std::min(m_col, cols - 1);
    m_rowSel = m_row;
    m_colSel = m_col;
    m_topRow = std::clamp(m_topRow, 1, std::max(1, rows - 1));
}

void GridModel::setRows(int rows)
{
    if (rows < 1 || rows == m_rows)
        return;
    beginResetModel();
    resizeCells(rows, m_cols);
    endResetModel();
    emit currentCellChanged(m_row, m_col);
}

void GridModel::setCols(int cols)
{
    if (cols < 1 || cols == m_cols)
        return;
    beginResetModel();
    resizeCells(m_rows, cols);
    endResetModel();
    emit columnLayoutChanged();
    emit currentCellChanged(m_row, m_col);
}

const QString &GridModel::text(int row, int col) const
{
    static const QString none;
    return isValidCell(row, col) ? m_text[cellIndex(row, col)] : none;
}

template <typename T>
void GridModel::setCell(std::vector<T> &cells, int row, int col, const T &value)
{
    if (!isValidCell(row, col))
        return;
    cells[cellIndex(row, col)] = value;
    cellChanged(row, col);
}

void GridModel::setText(int row, int col, const QString &text)
{
    if (!isValidCell(row, col))
        return;
    if (row > 0)
        m_colKeys[static_cast<std::size_t>(col)] = {};
    m_text[cellIndex(row, col)] = text;
    keepUpperText(cellIndex(row, col));
    cellChanged(row, col);
}

QStringView GridModel::upperText(int row, int col) const
{
    if (!isValidCell(row, col))
        return {};
    const std::size_t cell = cellIndex(row, col);
    const UpperSpan &span = m_upper[cell];
    if (span.start == UpperSpan::sameAsText)
        return m_text[cell];
    return QStringView(m_upperUnits.data() + span.start, static_cast<qsizetype>(span.size));
}

void GridModel::dropUpperText(const UpperSpan &span)
{
    if (span.start != UpperSpan::sameAsText)
        m_upperUnitsUnused += static_cast<std::size_t>(span.size);
}

void GridModel::keepUpperText(std::size_t cell)
{
    dropUpperText(m_upper[cell]);
    m_upper[cell] = {};
    // Once most of the kept units belong to no cell, the live ones are
    // gathered afresh, so the store stays within twice what the cells need.
    if (m_upperUnitsUnused > 4096 && m_upperUnitsUnused > m_upperUnits.size() / 2) {
        std::vector<char16_t> units;
        units.reserve(m_upperUnits.size() - m_upperUnitsUnused);
        for (UpperSpan &span : m_upper) {
            if (span.start == UpperSpan::sameAsText)
                continue;
            const auto from = m_upperUnits.begin() + span.start;
            span.start = static_cast<std::uint32_t>(units.size());
            units.insert(units.end(), from, from + span.size);
        }
        m_upperUnits = std::move(units);
        m_upperUnitsUnused = 0;
    }
    // Most tags are ASCII: upper-cased here in one pass, kept only when a
    // small letter changed. Other texts go through the full Unicode mapping.
    const QString &text = m_text[cell];
    const QStringView units(text);
    const std::size_t start = m_upperUnits.size();
    m_upperUnits.resize(start + static_cast<std::size_t>(units.size()));
    char16_t *out = m_upperUnits.data() + start;
    char16_t seen = 0;
    bool changed = false;
    for (const QChar ch : units) {
        const char16_t c = ch.unicode();
        seen |= c;
        const bool small = static_cast<char16_t>(c - u'a') < 26;
        changed = changed || small;
        *out++ = small ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
    }
    if (seen >= 0x80) {
        m_upperUnits.resize(start);
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const QStringView upperUnits(upper);
        m_upperUnits.insert(m_upperUnits.end(), upperUnits.utf16(), upperUnits.utf16() + upperUnits.size());
    } else if (!changed) {
        m_upperUnits.resize(start);
        return;
    }
    // Spans count in 32 bits: more upper-cased text than that (8 GB) is
    // treated as the allocation failure it would be anyway.
    if (m_upperUnits.size() >= UpperSpan::sameAsText)
        throw std::length_error("grid texts beyond 4 G units");
    m_upper[cell] = {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(m_upperUnits.size() - start)};
}

void GridModel::prefetchRow(int row, int col) const
{
    constexpr int cellsAhead = 8;
    const bool oneColumn = col >= 0 && col < m_cols;
    const std::size_t first = oneColumn ? static_cast<std::size_t>(col) : 0;
    const std::size_t count = oneColumn ? 1 : static_cast<std::size_t>(m_cols);
    if (row + cellsAhead >= 0 && row + cellsAhead < m_rows) {
        const char *cells = reinterpret_cast<const char *>(m_text.data() + cellIndex(row + cellsAhead, 0) + first);
        for (std::size_t b = 0; b < count * sizeof(QString); b += 64)
            __builtin_prefetch(cells + b);
    }
    if (row < 0 || row >= m_rows)
        return;
    for (std::size_t i = cellIndex(row, 0) + first, end = i + count; i < end; ++i)
        __builtin_prefetch(m_text[i].constData());
}

OleColor GridModel::backColor(int row, int col) const
{
    return isValidCell(row, col) ? m_back[cellIndex(row, col)] : GridColors::WindowBack;
}

void GridModel::setBackColor(int row, int col, OleColor color)
{
    setCell(m_back, row, col, color);
}

OleColor GridModel::foreColor(int row, int col) const
{
    return isValidCell(row, col) ? m_fore[cellIndex(row, col)] : GridColors::WindowText;
}

void GridModel::setForeColor(int row, int col, OleColor color)
{
    setCell(m_fore, row, col, color);
}

void GridModel::fillBackColor(int firstRow, OleColor color)
{
    firstRow = std::max(firstRow, 0);
    if (firstRow >= m_rows)
        return;
    // Rows 1 on hold the cell vector rows 1 on in some order: from row 0 or 1
    // on, the cells to fill lie together at the end.
    const auto rowBegin = [this](int row) { return m_back.begin() + static_cast<std::ptrdiff_t>(cellIndex(row, 0)); };
    if (firstRow <= 1) {
        std::fill(m_back.begin() + static_cast<std::ptrdiff_t>(firstRow) * m_cols, m_back.end(), color);
    } else {
        for (int r = firstRow; r < m_rows; ++r)
            std::fill(rowBegin(r), rowBegin(r) + m_cols, color);
    }
    if (m_bulkDepth > 0)
        return;
    if (firstRow == 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
    const int first = std::max(firstRow, 1);
    if (first < m_rows)
        emit dataChanged(index(first - 1, 0), index(m_rows - 2, m_cols - 1), {OleBackColorRole, Qt::BackgroundRole});
}

void GridModel::cellChanged(int row, int col)
{
    if (m_bulkDepth > 0)
        return;
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, col, col);
    } else {
        const QModelIndex i = index(row - 1, col);
        emit dataChanged(i, i);
    }
}

bool GridModel::setRow(int row)
{
    return setCurrentCell(row, m_col);
}

bool GridModel::setCol(int col)
{
    return setCurrentCell(m_row, col);
}

bool GridModel::setCurrentCell(int row, int col)
{
    if (!isValidCell(row, col))
        return false;
    const bool moved = row != m_row || col != m_col || m_rowSel != row || m_colSel != col;
    m_row = row;
    m_col = col;
    m_rowSel = row;
    m_colSel = col;
    if (moved)
        emit currentCellChanged(m_row, m_col);
    return true;
}

void GridModel::setSelectionEnd(int row, int col)
{
    if (!isValidCell(row, col))
        return;
    m_rowSel = row;
    m_colSel = col;
}

void GridModel::setTopRow(int row)
{
    if (row < 1 || row >= m_rows)
        return;
    m_topRow = row;
    emit topRowChanged(row);
}

int GridModel::colWidth(int col) const
{
    return col >= 0 && col < m_cols ? m_colWidth[static_cast<std::size_t>(col)] : -1;
}

void GridModel::setColWidth(int col, int twips)
{
    if (col < 0 || col >= m_cols)
        return;
    m_colWidth[static_cast<std::size_t>(col)] = twips;
    emit columnLayoutChanged();
}

GridModel::Align GridModel::colAlignment(int col) const
{
    return col >= 0 && col < m_cols ? m_colAlign[static_cast<std::size_t>(col)] : Align::LeftCenter;
}

void GridModel::setColAlignment(int col, Align align)
{
    if (col < 0 || col >= m_cols)
        return;
    m_colAlign[static_cast<std::size_t>(col)] = align;
    emit columnLayoutChanged();
}

void GridModel::reorderRows(const std::vector<int> &order)
{
    if (static_cast<int>(order.size()) != m_rows - 1)
        return;
    std::vector<int> place(m_place.size(), 0);
    std::vector<bool> taken(m_place.size(), false);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const int from = order[i];
        if (from < 1 || from >= m_rows || taken[static_cast<std::size_t>(from)])
            return;
        taken[static_cast<std::size_t>(from)] = true;
        place[i + 1] = m_place[static_cast<std::size_t>(from)];
    }
    m_place = std::move(place);
    if (m_bulkDepth == 0 && m_rows > 1)
        emit dataChanged(index(0, 0), index(m_rows - 2, m_cols - 1));
}

bool GridModel::hasColumnKeys(int col) const
{
    return col >= 0 && col < m_cols && !m_colKeys[static_cast<std::size_t>(col)].empty();
}

void GridModel::keepColumnKeys(int col, const std::vector<std::uint32_t> &keys)
{
    if (col < 0 || col >= m_cols || keys.size() != static_cast<std::size_t>(m_rows - 1))
        return;
    std::vector<std::uint32_t> kept(keys.size());
    for (std::size_t r = 1; r < m_place.size(); ++r)
        kept[static_cast<std::size_t>(m_place[r]) - 1] = keys[r - 1];
    m_colKeys[static_cast<std::size_t>(col)] = std::move(kept);
}

void GridModel::beginBulkUpdate()
{
    ++m_bulkDepth;
}

void GridModel::endBulkUpdate()
{
    if (m_bulkDepth == 0 || --m_bulkDepth > 0)
        return;
    emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
    if (m_rows > 1)
        emit dataChanged(index(0, 0), index(m_rows - 2, m_cols - 1));
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows - 1;
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row() + 1;
    const int col = index.column();
    if (!isValidCell(row, col))
        return {};
    switch (role) {
    case Qt::DisplayRole: return m_text[cellIndex(row, col)];
    // Tooltips are read as rich text when they look like it: the cell's text
    // is escaped into a paragraph that keeps its blanks.
    case Qt::ToolTipRole: {
        const QString &text = m_text[cellIndex(row, col)];
        if (text.isEmpty())
            return {};
        return QStringLiteral("<p style=\"white-space:pre\">%1</p>").arg(text.toHtmlEscaped());
    }
    case OleBackColorRole: return static_cast<uint>(m_back[cellIndex(row, col)]);
    case OleForeColorRole: return static_cast<uint>(m_fore[cellIndex(row, col)]);
    case Qt::TextAlignmentRole:
        return colAlignment(col) == Align::CenterCenter ? int(Qt::AlignCenter)
            : colAlignment(col) == Align::LeftTop       ? int(Qt::AlignLeft | Qt::AlignTop)
                                                        : int(Qt::AlignLeft | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_cols)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole: return m_text[cellIndex(0, section)];
    case OleBackColorRole: return static_cast<uint>(m_back[cellIndex(0, section)]);
    case OleForeColorRole: return static_cast<uint>(m_fore[cellIndex(0, section)]);
    default: return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
