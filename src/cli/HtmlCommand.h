#pragma once

#include "cli/CliCommand.h"

// The html command of quillory-cli.
CliCommand htmlCommand();
