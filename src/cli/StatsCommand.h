#pragma once

#include "cli/CliCommand.h"

// quillory-cli stats [--player DIR] [--sort COLUMN [--descending]]: the
// statistics report as the statistics window shows it.
CliStatus runStats(const QStringList &args);
