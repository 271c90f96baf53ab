#pragma once

#include "core/device/VolumeService.h"

#include <QString>

#include <optional>

// The player root: the first removable volume, in the order given, that holds
// the track database. Floppy drives and fixed volumes are skipped.
std::optional<QString> findpod(const VolumeService &volumes);

// The player root for Connect: the folder given on the command line when it
// holds the track database (nothing otherwise), or else the volume search.
std::optional<QString> locatePlayer(const std::optional<QString> &givenRoot, const VolumeService &volumes);
