// One application object for the whole program, as the editor itself has; the windows are created per test.

#include "EditorDriver.h"

int main(int argc, char** argv) {
    return tav::testing::RunEditorTestProgram(argc, argv);
}
