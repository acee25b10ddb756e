#pragma once
// The editor program from its start to its end, as main runs it: the application, the main window with the
// editor's session, the event loop until the main window closes.

namespace tav {

// Usage: TavrennaMapEditor [FILE.map]. Returns the program's exit status.
int RunEditorProgram(int argc, char** argv);

} // namespace tav
