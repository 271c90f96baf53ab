#pragma once

class GridModel;

// Header row blue with white text, every song cell button face. The current
// cell ends on the last column of the last song row (row 0 without songs).
void setgridcolor(GridModel &grid);

// Every song cell white. The current cell ends on the last column of the last
// song row (row 0 without songs).
void resetgridcolor(GridModel &grid);

// The sort command: makes the key column current, orders the song rows by it
// (the header row stays), then repaints with resetgridcolor and setgridcolor,
// which also removes every tag. Rows with equal keys keep their order.
void sortGrid(GridModel &grid, int column, bool descending);
