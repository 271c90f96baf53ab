#include "core/grid/Search.h"

#include "core/grid/GridModel.h"

#include <QStringView>

namespace {

// Whether the cell, upper-cased, contains wanted (already upper-cased). Cells
// and texts of plain ASCII compare without building the upper-cased copy.
bool containsUpper(const QString &cell, const QString &wanted, bool wantedIsAscii)
{
    if (wantedIsAscii && QtPrivate::isAscii(QStringView(cell)))
        return QStringView(cell).contains(wanted, Qt::CaseInsensitive);
    return cell.toUpper().contains(wanted);
}

}  // namespace

GridSearch::GridSearch(GridModel &grid)
    : m_grid(grid)
{}

GridSearch::Outcome GridSearch::press(const QString &textToFind, ProgressSink &progress)
{
    if (m_running)
        return {};
    progress.setStatusText(QStringLiteral("Searching!.. Click Search For Next Match!"));
    return searchgrid(textToFind, progress);
}

GridSearch::Outcome GridSearch::searchgrid(const QString &textToFind, ProgressSink &progress)
{
    if (m_running)
        return {};
    // The walk lets window events run; a second press meanwhile is ignored
    // rather than walking the shared position twice.
    m_running = true;
    Outcome outcome;
    outcome.ran = true;
    if (m_searchcol == m_grid.cols()) {
        m_searchrow = 0;
        m_searchcol = 0;
        outcome.wrapped = true;
        progress.setStatusText(QStringLiteral("Search over..!"));
    }

    const QString wanted = textToFind.toUpper();
    const bool wantedIsAscii = QtPrivate::isAscii(QStringView(wanted));
    for (;;) {
        progress.yield();
        if (progress.cancelled())
            break;
        // Rows are read afresh each step: a sort during the walk shows in the next cells.
        ++m_searchrow;
        if (m_searchrow >= m_grid.rows()) {
            ++m_searchcol;
            m_searchrow = 1;
        }
        if (!m_grid.isValidCell(m_searchrow, m_searchcol))
            break;
        if (containsUpper(m_grid.text(m_searchrow, m_searchcol), wanted, wantedIsAscii)) {
            outcome.found = true;
            outcome.row = m_searchrow;
            outcome.col = m_searchcol;
            break;
        }
    }
    m_grid.setTopRow(m_searchrow);
    m_running = false;
    return outcome;
}
