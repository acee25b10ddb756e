// tavrenna-map: the editor's map rules from a shell. Needs no display: QCoreApplication is enough for
// reading the tile pictures and writing PNG files.

#include "Commands.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavrenna-map"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAV_VERSION));
    return tav::cli::RunTavrennaMap(QCoreApplication::arguments());
}
