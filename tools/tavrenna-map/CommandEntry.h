#pragma once
// One row of the tool's command table: a command's name, its line of the interface, its summary and the
// function that runs it. Each command's file declares its functions with it.

#include <QStringList>

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

} // namespace tav::cli
