#pragma once

#include "cli/CliCommand.h"

#include <QString>

#include <optional>

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

// --sort COLUMN and --descending, which the commands on the grid take.
QList<QCommandLineOption> sortOptions();

// What the commands on the grid share: checks --sort and --descending,
// connects as connectPlayer does, then orders the grid by the sort column as
// the sort menu would. An unknown column, or --descending without --sort,
// gives CliUsageError before the player is read.
CliStatus openSortedGrid(const QCommandLineParser &options, PlayerSession &session);

// Whether a command ends with this status from openSortedGrid rather than go on.
inline bool endsCommand(CliStatus status)
{
    return status == CliNoPlayer || status == CliUsageError;
}
