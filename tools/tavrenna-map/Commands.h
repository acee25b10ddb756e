#pragma once
// The tool's commands in one table: the top help lists them from it, dispatch picks from it, and each
// command's own help takes its usage line from it.

#include <QStringList>

#include <span>
#include <string_view>

namespace tav::cli {

struct CommandEntry {
    std::string_view Name;
    // The command's line of the interface, without the program name; the first word is the name.
    std::string_view Usage;
    // What the command does, a few words for the top help's list.
    std::string_view Summary;
    // Runs the command on the arguments after its name and returns the exit status.
    int (*Run)(const CommandEntry& command, const QStringList& arguments);
};

// Every command, in the order the top help lists them.
std::span<const CommandEntry> CommandTable();

// Runs the tool on its arguments (the program name first) and returns the exit status:
// 0 success, 1 the check found problems, 2 any error (already reported on stderr).
int RunTavrennaMap(const QStringList& arguments);

} // namespace tav::cli
