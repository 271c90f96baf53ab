#pragma once

#include <QString>

class iPod;

// The status bar text while Connect runs:
//   "Starting" before the first track,
//   the share of tracks read so far ("57%", halves rounded to even),
//   "Parsing <n> songs..." once the database is read and the grid fills,
//   "Sorting" in the moment between the last track and the database being marked read.
QString progresstext(qint64 songindex, qint64 songtotal, bool dbloaded);
QString progresstext(const iPod &pod);
