#include "core/grid/Search.h"

#include "core/grid/GridModel.h"

#include <QStringView>

#include <string_view>

namespace {

// Whether the text holds the part, unit by unit. Cells are short: a plain
// scan beats the general search, which prepares itself for each cell.
bool containsUnits(QStringView text, std::u16string_view part)
{
    return std::u16string_view(text.utf16(), static_cast<std::size_t>(text.size())).find(part)
        != std::u16string_view::npos;
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

    // The grid keeps each cell upper-cased: a press upper-cases only the text sought.
    const QString upper = textToFind.toUpper();
    const std::u16string_view wanted(QStringView(upper).utf16(), static_cast<std::size_t>(upper.size()));
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
        if (containsUnits(m_grid.upperText(m_searchrow, m_searchcol), wanted)) {
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
