#pragma once

#include "cli/CliCommand.h"

#include <QList>
#include <QStringList>

// Runs quillory-cli with its arguments (the program's name first): answers
// --help and --version, or finds the command named by the first argument
// and runs it with the arguments after it. Help goes to standard output; a
// usage error prints what was wrong and the usage text on standard error and
// gives CliUsageError. Returns the exit status.
int runCliProgram(const QStringList &arguments, const QList<CliCommand> &commands);
