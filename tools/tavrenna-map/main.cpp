// tavrenna-map: the editor's map rules from a shell. Needs no display: QCoreApplication is enough for
// reading the tile pictures and writing PNG files.

#include "CommandLine.h"
#include "Commands.h"
#include "MapFiles.h"

#include <QCoreApplication>

#include <csignal>

int main(int argc, char* argv[]) {
    // A file-size limit then makes a write fail with an error that is reported, as a full disk does,
    // instead of ending the tool with SIGXFSZ.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavrenna-map"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAV_VERSION));
    return tav::cli::RunTavrennaMap(tav::cli::ToolArguments(argc, argv));
}
