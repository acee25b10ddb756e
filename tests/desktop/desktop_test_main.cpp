// One application object for the whole test program. HOME and the XDG folders point at a scratch folder
// first, so that settings and recovery copies never touch the user's own.
//
// Started as `desktop_tests --editor-child RECOVERY_FOLDER MAP INTERVAL_MS`, the program is an editor
// instead: it opens MAP, shifts the map right three times and switches to tile set 3 through the menu
// commands, and runs until it is killed or told to end, as the editor program does.

#include "CrashRecovery.h"
#include "EditorSession.h"
#include "ApplicationSetup.h"
#include "MainWindow.h"
#include "Platform.h"
#include "ProcessSignals.h"

#include <QAction>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

int RunEditorChild(int argc, char** argv) {
    tav::InstallProcessSignalHandling();
    tav::EditorApplication app(argc, argv);
    tav::InitApplication();
    tav::MainWindow window;
    auto* session =
        new tav::EditorSession(&window, {QString::fromLocal8Bit(argv[2]), std::atoi(argv[4])});
    tav::SetBeforeExitHook([session] { session->Recovery()->KeepForNextStart(); });
    window.show();
    session->Start(QString::fromLocal8Bit(argv[3]));
    for (int i = 0; i < 3; ++i)
        window.findChild<QAction*>(QStringLiteral("shiftRightAction"))->trigger();
    window.findChild<QAction*>(QStringLiteral("tileSet3Action"))->trigger();
    const int status = app.exec();
    tav::SetBeforeExitHook({});
    return status;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc == 5 && std::strcmp(argv[1], "--editor-child") == 0)
        return RunEditorChild(argc, argv);

    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    const QByteArray root = home.path().toLocal8Bit();
    setenv("HOME", root.constData(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
    setenv("XDG_CACHE_HOME", (root + "/cache").constData(), 1);
    setenv("XDG_RUNTIME_DIR", root.constData(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    tav::EditorApplication app(argc, argv);
    tav::InitApplication();
    return RUN_ALL_TESTS();
}
