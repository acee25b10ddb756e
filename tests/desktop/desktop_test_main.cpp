// One application object for the whole test program. HOME and the XDG folders point at a scratch folder
// first, so that settings and recovery copies never touch the user's own.
//
// Started as `desktop_tests --editor-child RECOVERY_FOLDER MAP INTERVAL_MS`, the program is an editor
// instead: it opens MAP, and once its event loop runs shifts the map right three times and switches to tile
// set 3 through the menu commands, and runs until it is killed or told to end, as the editor program does.
//
// Started as `desktop_tests --editor-program NOTES [ARGUMENTS...]`, it is the editor program itself, on the
// real platform, except that the text of every question and message is added to the file NOTES just before
// it is shown, so that a test knows when one is on the screen.

#include "CrashRecovery.h"
#include "EditorProgram.h"
#include "EditorSession.h"
#include "ApplicationSetup.h"
#include "MainWindow.h"
#include "Platform.h"
#include "ProcessSignals.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

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
    // Made in the event loop, so that the first recovery copy tells the test the loop is running.
    QTimer::singleShot(0, &window, [&window] {
        for (int i = 0; i < 3; ++i)
            window.findChild<QAction*>(QStringLiteral("shiftRightAction"))->trigger();
        window.findChild<QAction*>(QStringLiteral("tileSet3Action"))->trigger();
    });
    const int status = tav::RunEventLoop();
    tav::SetBeforeExitHook({});
    return status;
}

class NotingPlatform : public tav::Platform {
public:
    explicit NotingPlatform(QString notes) : notes_(std::move(notes)) {}
    bool AskOkCancel(QWidget* parent, const QString& caption, const QString& text) override {
        Note(text);
        return Platform::AskOkCancel(parent, caption, text);
    }
    void ShowMessage(QWidget* parent, const QString& caption, const QString& text) override {
        Note(text);
        Platform::ShowMessage(parent, caption, text);
    }
    void ReportError(QWidget* parent, const QString& text) override {
        Note(text);
        Platform::ReportError(parent, text);
    }

private:
    void Note(const QString& text) {
        QFile file(notes_);
        if (file.open(QIODevice::Append))
            file.write(text.toUtf8() + '\n');
    }
    QString notes_;
};

int RunNotedEditorProgram(int argc, char** argv) {
    tav::InstallPlatform(std::make_unique<NotingPlatform>(QString::fromLocal8Bit(argv[2])));
    std::vector<char*> arguments = {argv[0]};
    arguments.insert(arguments.end(), argv + 3, argv + argc);
    arguments.push_back(nullptr);
    int count = argc - 2;
    return tav::RunEditorProgram(count, arguments.data());
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc == 5 && std::strcmp(argv[1], "--editor-child") == 0)
        return RunEditorChild(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "--editor-program") == 0)
        return RunNotedEditorProgram(argc, argv);

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
