// One application object for the whole test program; the windows are created per test.

#include "Mainform.h"
#include "Platform.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Headless unless the caller asked for a real display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    tav::EditorApplication app(argc, argv);
    tav::InitApplication();
    return RUN_ALL_TESTS();
}
