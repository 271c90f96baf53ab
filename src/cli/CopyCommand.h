#pragma once

#include "cli/CliCommand.h"

// copy [--player DIR] --to FOLDER (--all | --rows LIST) [--quiet]: tags the
// given grid rows (LIST: 1-based row numbers and ranges in grid order, such
// as 1-5,9) and copies their songs into FOLDER as the copy window does, with
// its file names, refusals and messages, which go to standard output. A
// progress line goes to standard error while it is a terminal, unless
// --quiet. Exit status 0 when every tagged song was copied.
CliCommand copyCommand();
