#pragma once

#include "cli/CliCommand.h"

class TagFiller;

// export [--player DIR] --to FOLDER [--template T] [--rows LIST] [--verify]
// [--fill-tags] [--dry-run] [--quiet]: exports the songs (all, or those of
// the given rows of the unsorted grid) into FOLDER by album, with the
// playlists and Library.csv; --fill-tags writes the database's tags into the
// copies through tags. Says on standard error which songs could not be read.
// Exit status 0 when every song was exported, 3 when some could not be
// read, 4 when the destination is on the player, 5 when the destination
// failed.
CliCommand exportCommand(TagFiller &tags);
