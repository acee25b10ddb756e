#pragma once
// The editor's answers that need no window: its version and its help. They are read from the raw
// arguments before the application object exists, so they work without a display, as a package manager,
// a script or a user on a text console asks them.

#include <optional>

namespace tav {

// The help printed by --help, ending in a newline.
extern const char* const EditorHelpText;

// When an argument before "--" is -h/--help or -v/--version, prints the help or "TavrennaMapEditor
// <version>" to standard output and returns the exit status (0); otherwise returns nothing and prints
// nothing. Help wins when both are asked for.
std::optional<int> AnswerWithoutWindow(int argc, const char* const* argv, const char* version);

} // namespace tav
