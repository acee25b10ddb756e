// Tavrenna MapEditor: the application, the main window, then the event loop until the main window closes.
// Usage: TavrennaMapEditor [FILE.map] | --help | --version

#include "CommandLineAnswers.h"
#include "EditorProgram.h"

int main(int argc, char** argv) {
    // Asked before anything of Qt starts, so the answer needs no display.
    if (const auto status = tav::AnswerWithoutWindow(argc, argv, TAV_VERSION))
        return *status;
    return tav::RunEditorProgram(argc, argv);
}
