// Tavrenna MapEditor: start-up in the fixed order, then the event loop until the main window closes.

#include "Mainform.h"
#include "Platform.h"
#include "ProcessSignals.h"

#include <QGuiApplication>

#include <exception>

int main(int argc, char** argv) {
    tav::InstallProcessSignalHandling();
    // Whole-number scale factors keep the tiles' pixels square on a scaled desktop.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    tav::EditorApplication app(argc, argv);
    try {
        tav::InitApplication();
        tav::CreateEditorWindows();
        tav::MainView->show();
        app.exec();
    } catch (const std::exception& error) {
        tav::CurrentPlatform().ReportError(nullptr, QString::fromUtf8(error.what()));
    }
    tav::DestroyEditorWindows();
    // An error that ended start-up has been reported; the program still ends normally.
    return 0;
}
