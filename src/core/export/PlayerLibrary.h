#pragma once

#include "core/export/ExportSong.h"

class Library;

// The export's view of the player's library: every track field under the
// names of the tracks listing, and every playlist but the master one. The
// library must outlive the result.
ExportLibrary playerLibrary(const Library &library);
