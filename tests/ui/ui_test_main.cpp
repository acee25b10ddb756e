// One application object for the whole test program; the windows are created per test.

#include "EditorDriver.h"

int main(int argc, char** argv) {
    return tav::testing::RunEditorTestProgram(argc, argv);
}
