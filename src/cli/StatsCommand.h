#pragma once

#include "cli/CliCommand.h"

// The stats command of quillory-cli.
CliCommand statsCommand();
