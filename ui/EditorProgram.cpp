#include "EditorProgram.h"

#include "ApplicationSetup.h"
#include "CrashRecovery.h"
#include "EditorSession.h"
#include "MainWindow.h"
#include "Platform.h"
#include "ProcessSignals.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <exception>
#include <memory>

namespace tav {

int RunEditorProgram(int argc, char** argv) {
    InstallProcessSignalHandling();
    // Whole-number scale factors keep the tiles' pixels square on a scaled desktop.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    EditorApplication app(argc, argv);
    std::unique_ptr<MainWindow> window;
    try {
        InitApplication();
        const EditorArguments arguments = ParseEditorArguments(app.arguments().mid(1));
        if (!arguments.UsageError.isEmpty()) {
            CurrentPlatform().ShowMessage(nullptr, QString::fromUtf8(ApplicationTitle),
                                          arguments.UsageError + QLatin1Char('\n') +
                                              QCoreApplication::translate("EditorSession", EditorUsage));
            return 2;
        }
        window = std::make_unique<MainWindow>();
        auto* session = new EditorSession(window.get(), EditorSession::DefaultOptions());
        // A logout, a closed terminal or a kill keeps the unsaved map for the next start.
        SetBeforeExitHook([session] { session->Recovery()->KeepForNextStart(); });
        window->show();
        session->Start(arguments.MapPath);
        RunEventLoop();
        SetBeforeExitHook({});
    } catch (const std::exception& error) {
        CurrentPlatform().ReportError(nullptr, QString::fromUtf8(error.what()));
    }
    // An error that ended start-up has been reported; the program still ends normally.
    return 0;
}

} // namespace tav
