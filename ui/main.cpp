// Tavrenna MapEditor: the application, the main window, then the event loop until the main window closes.
// Usage: TavrennaMapEditor [FILE.map]

#include "EditorProgram.h"

int main(int argc, char** argv) {
    return tav::RunEditorProgram(argc, argv);
}
