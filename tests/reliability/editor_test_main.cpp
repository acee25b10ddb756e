// One application object for the whole program, as the editor itself has; the windows are created per test.

#include "Mainform.h"
#include "Platform.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    tav::EditorApplication app(argc, argv);
    tav::InitApplication();
    return RUN_ALL_TESTS();
}
