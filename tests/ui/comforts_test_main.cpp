// The application object for the edit-window comfort tests, until they join the other window tests.

#include "MainWindow.h"
#include "Platform.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // No test may read or write the user's own settings.
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    tav::EditorApplication app(argc, argv);
    tav::InitApplication();
    return RUN_ALL_TESTS();
}
