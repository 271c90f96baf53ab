#pragma once

#include "cli/CliCommand.h"

// grid [--player DIR] [--sort COLUMN] [--descending]: prints the song grid as
// Connect fills it, sorted by COLUMN when asked (title, length, artist, album,
// genre, filetype or tracknumber; --descending reverses). One line per grid
// row, the header row first, the eight cells separated by tabs exactly as the
// grid holds them (leading blanks kept), UTF-8 with LF line ends.
CliStatus runGrid(const QStringList &args);
