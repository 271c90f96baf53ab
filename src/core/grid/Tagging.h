#pragma once

class GridModel;

// True when song row `row` carries the tag mark: a pure red (255) background
// on its column-0 cell. Any other colour, and any row that is not a song row,
// means untagged.
bool isTagged(const GridModel &grid, int row);

// Tagging songs in the grid from the keyboard and the Select All and
// UNSelect All commands. The methods that can untag a row return true when
// they did, so that the window gives the grid the input focus.
class Tagging
{
public:
    static constexpr int spaceKey = 32;
    static constexpr int enterKey = 13;

    explicit Tagging(GridModel &grid)
        : m_grid(grid)
    {}

    // A character typed in the grid. Space toggles the tag of the selection's
    // end row and remembers that row as the start of a range; Enter tags the
    // range from there to the selection's end row (rows after the start flip);
    // every character but Enter then moves the current row down by one.
    bool keyPress(int charCode);

    // Tags every song row. The current cell ends in column 0 of the last row.
    void selectAll();
    // Untags every tagged song row. The current cell ends in column 0 of the last row.
    bool unselectAll();

    // The row on which the space bar last acted; 0 before its first use.
    int tagstart() const { return m_tagstart; }

private:
    void tagRow(int row);
    void untagRow(int row);

    GridModel &m_grid;
    int m_tagstart = 0;
};
