#pragma once

#include "core/common/ProgressSink.h"
#include "core/grid/Columns.h"

#include <QString>

class GridModel;
class SongList;

// The hidden text boxes that hold the total play time: Text2 whole minutes,
// Text3 the remaining seconds, Text1 the scratch input of addsongtime. They
// start with their design-time texts, which read as 0.
struct PlayTimeBoxes
{
    QString Text1 = QStringLiteral("Text1");
    QString Text2 = QStringLiteral("Text2");
    QString Text3 = QStringLiteral("Text3");
};

// Numeric value of a text the old way: leading blanks skipped, then the
// digits up to the first character that is not one; no digits give 0.
long long leadingNumber(QStringView text);

// Adds the length text in Text1 ("m:ss") to the total in Text2 and Text3 and
// empties Text1. A text without a colon, or whose seconds read as more than
// 59, changes nothing.
void addsongtime(PlayTimeBoxes &boxes);

// Lays out the grid: lastsongindex + 2 rows, 8 columns, widths, alignment and
// header texts.
void formatgrid(GridModel &grid, int lastsongindex);

// Lays out the grid, fills one row per track (row t + 1 holds track t of the
// song list), adds every length to the play time total and colours the grid.
// The progress range is the number of song list lines, the value the line
// reached, 0 at the end; the fill yields once per line and, when cancelled,
// leaves the rest of the rows empty.
void FILLGRID(GridModel &grid, const SongList &songs, int lastsongindex, PlayTimeBoxes &total,
              ProgressSink &progress = noProgress());
