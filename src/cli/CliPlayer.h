#pragma once

#include "cli/CliCommand.h"

#include <QLatin1String>
#include <QString>
#include <QStringList>

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

// What the grid commands share: reads args as --player DIR, --sort COLUMN,
// --descending and the command's own value option when it has one (into
// options), connects as connectPlayer does, then orders the grid by the sort
// column (descending with --descending) as the sort menu would. Bad
// arguments, an unknown or unsortable column, or --descending without --sort
// give CliUsageError before the player is read.
CliStatus openSortedGrid(const QStringList &args, PlayerSession &session, CliOptions &options,
                         std::optional<QLatin1String> ownOption = std::nullopt);

// Whether a command ends with this status from openSortedGrid rather than go on.
inline bool endsCommand(CliStatus status)
{
    return status == CliNoPlayer || status == CliUsageError;
}
