// Tavrenna MapEditor: the application, the main window, then the event loop until the main window closes.

#include "MainWindow.h"
#include "Platform.h"
#include "ProcessSignals.h"

#include <QGuiApplication>

#include <exception>
#include <memory>

int main(int argc, char** argv) {
    tav::InstallProcessSignalHandling();
    // Whole-number scale factors keep the tiles' pixels square on a scaled desktop.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    tav::EditorApplication app(argc, argv);
    std::unique_ptr<tav::MainWindow> window;
    try {
        tav::InitApplication();
        window = std::make_unique<tav::MainWindow>();
        window->show();
        app.exec();
    } catch (const std::exception& error) {
        tav::CurrentPlatform().ReportError(nullptr, QString::fromUtf8(error.what()));
    }
    // An error that ended start-up has been reported; the program still ends normally.
    return 0;
}
