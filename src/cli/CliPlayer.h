#pragma once

#include "cli/CliCommand.h"

#include <QString>

#include <optional>

class CliOptions;
class PlayerSession;

// Finds the player and reads its track database into the session. The player
// is playerDir when given, otherwise the first removable volume that holds a
// database. Says on standard error why it failed: CliNoPlayer when there is no
// player, CliReadFailed when the read stopped early or read nothing (the
// session keeps the songs read until then).
CliStatus readPlayer(const std::optional<QString> &playerDir, PlayerSession &session);

// What Connect does: reads the player as readPlayer does, then fills the grid
// from the song list (layout, one row per track, colours). On CliReadFailed
// the grid holds the songs that were read.
CliStatus connectPlayer(const std::optional<QString> &playerDir, PlayerSession &session);

// What the grid commands share: connects as connectPlayer does with the
// options' --player DIR, then orders the grid by --sort COLUMN (descending
// with --descending) as the sort menu would. An unknown or unsortable column,
// or --descending without --sort, is a usage error found before the player
// is read.
CliStatus connectSorted(const CliOptions &options, PlayerSession &session);
