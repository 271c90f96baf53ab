#include "core/grid/Tagging.h"

#include "core/grid/GridModel.h"

namespace {
bool isSongRow(const GridModel &grid, int row)
{
    return row >= 1 && row < grid.rows();
}
}  // namespace

bool isTagged(const GridModel &grid, int row)
{
    return isSongRow(grid, row) && grid.backColor(row, 0) == GridColors::TagMark;
}

void Tagging::tagRow(int row)
{
    if (isSongRow(m_grid, row))
        m_grid.setBackColor(row, 0, GridColors::TagMark);
}

// The row gets back its standing colour, which its column-1 cell still has.
void Tagging::untagRow(int row)
{
    m_grid.setBackColor(row, 0, m_grid.backColor(row, 1));
}

bool Tagging::keyPress(int charCode)
{
    bool untagged = false;
    if (charCode == enterKey) {
        if (m_tagstart == 0)
            return false;
        const int rangeEnd = m_grid.rowSel();
        for (int row = m_tagstart; row <= rangeEnd; ++row) {
            m_grid.setCurrentCell(row, 0);
            if (row > m_tagstart && isTagged(m_grid, row)) {
                untagRow(row);
                untagged = true;
            } else {
                tagRow(row);
            }
        }
        return untagged;
    }

    if (charCode == spaceKey) {
        const int row = m_grid.rowSel();
        const int col = m_grid.colSel();
        m_tagstart = row;
        m_grid.setCurrentCell(row, 0);
        if (isTagged(m_grid, row)) {
            untagRow(row);
            untagged = true;
        } else {
            tagRow(row);
            m_grid.setCol(col);
        }
    }
    // One row down, as the Down arrow key does; refused at the last row.
    m_grid.setRow(m_grid.row() + 1);
    return untagged;
}

void Tagging::selectAll()
{
    const int last = m_grid.rows() - 1;
    if (last < 1)
        return;
    m_grid.beginBulkUpdate();
    for (int row = 1; row <= last; ++row)
        tagRow(row);
    m_grid.endBulkUpdate();
    m_grid.setCurrentCell(last, 0);
}

bool Tagging::unselectAll()
{
    const int last = m_grid.rows() - 1;
    if (last < 1)
        return false;
    bool untagged = false;
    m_grid.beginBulkUpdate();
    for (int row = 1; row <= last; ++row) {
        if (isTagged(m_grid, row)) {
            untagRow(row);
            untagged = true;
        }
    }
    m_grid.endBulkUpdate();
    m_grid.setCurrentCell(last, 0);
    return untagged;
}
