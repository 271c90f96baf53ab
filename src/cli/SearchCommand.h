#pragma once

#include "cli/CliCommand.h"

// The search command of quillory-cli.
CliCommand searchCommand();
