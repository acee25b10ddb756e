#pragma once
// The tool's commands in one table: the top help lists them from it, dispatch picks from it, and each
// command's own help takes its usage line from it.

#include "CommandEntry.h"

#include <QStringList>

#include <span>
#include <string_view>

namespace tav::cli {

// Every command, in the order the top help lists them.
std::span<const CommandEntry> CommandTable();

// Runs the tool on its arguments (the program name first) and returns the exit status:
// 0 success, 1 the check found problems, 2 any error (already reported on stderr).
int RunTavrennaMap(const QStringList& arguments);

} // namespace tav::cli
