#pragma once

#include "cli/CliCommand.h"

// grid [--player DIR] [--sort COLUMN [--descending]] [--format FORMAT]:
// prints the song grid as Connect fills it, sorted when asked. The text
// format is one line per grid row, the header row first, the eight cells
// exactly as the grid holds them (leading blanks kept), separated by tabs,
// with backslash, tab, line feed and carriage return written as \\, \t, \n
// and \r.
CliCommand gridCommand();
