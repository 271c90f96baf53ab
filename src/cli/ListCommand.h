#pragma once

#include "cli/CliCommand.h"

// list [--player DIR] [--format FORMAT]: prints the song list of the player,
// one labelled line each, or its songs in database order as a table.
CliCommand listCommand();
