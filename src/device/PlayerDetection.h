#pragma once

#include "device/VolumeService.h"

#include <QString>

#include <optional>

// The player root: the first removable volume, in the order given, that holds
// the track database. Floppy drives and fixed volumes are skipped.
std::optional<QString> findpod(const VolumeService &volumes);
