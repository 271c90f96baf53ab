#pragma once

#include "core/export/ExportSong.h"

class iPod;

// The export's view of the player's library as read into pod; pod must
// outlive the result.
ExportLibrary playerLibrary(const iPod &pod);
