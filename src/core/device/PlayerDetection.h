#pragma once

#include "core/device/VolumeService.h"

#include <QString>

#include <optional>

// The player root: the first removable volume, in the order given, that holds
// the track database (a plain one that is not empty, or else a compressed one).
// Floppy drives and fixed volumes are skipped.
std::optional<QString> findpod(const VolumeService &volumes);

// The player root for Connect: the folder given on the command line when it is a
// folder and anything stands at its database path (plain or compressed), even one that is not a
// readable database, so that the read can say what is wrong with it; nothing
// when it has no database path at all. Without a given folder, the volume search.
std::optional<QString> locatePlayer(const std::optional<QString> &givenRoot, const VolumeService &volumes);

// What the user is told when locatePlayer found no player: without a given
// folder "iPod not detected"; else that the folder is not there, or that it
// holds no track database.
QString playerNotFound(const std::optional<QString> &givenRoot);
