#pragma once

#include "core/common/ProgressSink.h"

#include <QString>

class GridModel;

// The search of the song grid: each press finds the next cell, column by
// column and top to bottom, whose text contains the search text without
// regard to case, and makes its row the first visible row. The position is
// kept between presses; after the last cell of the last column the next press
// shows "Search over..!" and starts again from the top. The current cell and
// the selection never change. A walk yields once per cell examined and,
// when cancelled, stops where it is, as if the grid ended there.
class GridSearch
{
public:
    struct Outcome
    {
        bool ran = false;      // false: a walk was already running, the press was ignored
        bool wrapped = false;  // the press started again from the top
        bool found = false;    // a cell matched; row and col name it
        int row = 0;
        int col = 0;
    };

    explicit GridSearch(GridModel &grid);

    // The search button: the searching text, then searchgrid.
    Outcome press(const QString &textToFind, ProgressSink &progress = noProgress());
    // One walk from the kept position to the next match or the end of the grid.
    Outcome searchgrid(const QString &textToFind, ProgressSink &progress = noProgress());

    bool running() const { return m_running; }
    int searchrow() const { return m_searchrow; }
    int searchcol() const { return m_searchcol; }

private:
    GridModel &m_grid;
    int m_searchrow = 0;  // row of the last cell examined
    int m_searchcol = 0;  // column of the last cell examined
    bool m_running = false;
};
