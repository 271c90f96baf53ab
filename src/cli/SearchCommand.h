#pragma once

#include "cli/CliCommand.h"

// quillory-cli search [--player DIR] [--sort COLUMN [--descending]] TEXT:
// every cell the search button would find, in the order it finds them.
CliStatus runSearch(const QStringList &args);
