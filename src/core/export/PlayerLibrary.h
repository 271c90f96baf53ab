#pragma once

#include "core/export/ExportSong.h"

class Library;

// The export's view of the player's library: every track field under the
// names of the tracks listing, and every playlist but the master one. The
// library must outlive the result.
ExportLibrary playerLibrary(const Library &library);

class GridModel;

// The songs whose grid rows carry the tag mark, by index: a row's song is
// the one whose location its file cell holds, in whatever order the grid is.
std::vector<bool> taggedSongs(const GridModel &grid, const ExportLibrary &library);
