#pragma once

#include "core/grid/Columns.h"

#include <QString>

#include <functional>

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

// What the fill reports while it runs. Both may be empty.
struct FillProgress
{
    using SetValue = std::function<void(int)>;
    // The progress bar: setMaximum(number of song list lines) once, then
    // setValue(line) whenever the shown percent changes, and setValue(0) at the end.
    SetValue setMaximum;
    SetValue setValue;
    // Lets the event loop run; called once per line, so it must throttle itself.
    std::function<void()> yield;
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
void FILLGRID(GridModel &grid, const SongList &songs, int lastsongindex, PlayTimeBoxes &total,
              const FillProgress &progress = {});
