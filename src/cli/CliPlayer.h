#pragma once

#include "cli/CliCommand.h"

#include <QString>

#include <optional>

class GridModel;
class iPod;

// Finds the player and reads its track database into pod. The player is
// playerDir when given (it must hold a track database), otherwise the first
// removable volume that holds one. Says on standard error why it failed:
// CliNoPlayer when there is no player, CliReadFailed when the read stopped
// early (pod keeps the songs read until then).
CliStatus readPlayer(const std::optional<QString> &playerDir, iPod &pod);

// What Connect does: reads the player as readPlayer does, then fills the grid
// from the song list (layout, one row per track, colours). On CliReadFailed
// the grid holds the songs that were read.
CliStatus connectPlayer(const std::optional<QString> &playerDir, iPod &pod, GridModel &grid);
