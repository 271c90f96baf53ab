#pragma once

#include "cli/CliCommand.h"

// quillory-cli html [--player DIR] [--sort COLUMN [--descending]] --out FILE:
// writes the HTML song list that Create HTML writes and prints its path.
CliStatus runHtml(const QStringList &args);
