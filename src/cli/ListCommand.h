#pragma once

#include "cli/CliCommand.h"

// list [--player DIR]: prints the song list of the player, one line each, in
// UTF-8 with LF line ends. Without --player the removable volumes are searched.
CliStatus runList(const QStringList &args);
