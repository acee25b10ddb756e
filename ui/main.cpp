// Tavrenna MapEditor: the application, the main window, then the event loop until the main window closes.
// Usage: TavrennaMapEditor [FILE.map] | --help | --version

#include "CommandLineAnswers.h"
#include "CrashRecovery.h"
#include "EditorSession.h"
#include "ApplicationSetup.h"
#include "MainWindow.h"
#include "Platform.h"
#include "ProcessSignals.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <exception>
#include <memory>

int main(int argc, char** argv) {
    // Asked before anything of Qt starts, so the answer needs no display.
    if (const auto status = tav::AnswerWithoutWindow(argc, argv, TAV_VERSION))
        return *status;
    tav::InstallProcessSignalHandling();
    // Whole-number scale factors keep the tiles' pixels square on a scaled desktop.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    tav::EditorApplication app(argc, argv);
    std::unique_ptr<tav::MainWindow> window;
    try {
        tav::InitApplication();
        const tav::EditorArguments arguments = tav::ParseEditorArguments(app.arguments().mid(1));
        if (!arguments.UsageError.isEmpty()) {
            tav::CurrentPlatform().ShowMessage(
                nullptr, QString::fromUtf8(tav::ApplicationTitle),
                arguments.UsageError + QLatin1Char('\n') +
                    QCoreApplication::translate("EditorSession", tav::EditorUsage));
            return 2;
        }
        window = std::make_unique<tav::MainWindow>();
        auto* session = new tav::EditorSession(window.get(), tav::EditorSession::DefaultOptions());
        // A logout, a closed terminal or a kill keeps the unsaved map for the next start.
        tav::SetBeforeExitHook([session] { session->Recovery()->KeepForNextStart(); });
        window->show();
        session->Start(arguments.MapPath);
        app.exec();
        tav::SetBeforeExitHook({});
    } catch (const std::exception& error) {
        tav::CurrentPlatform().ReportError(nullptr, QString::fromUtf8(error.what()));
    }
    // An error that ended start-up has been reported; the program still ends normally.
    return 0;
}
