#include "MapFiles.h"

namespace tav::cli {

LoadedMap ReadMapFile(const QString& path) {
    try {
        return LoadMapFile(path);
    } catch (const FileError& error) {
        throw CliFailure(error.Text());
    } catch (const NotAMapError& error) {
        const QString reason = error.Reason();
        throw CliFailure(path + QStringLiteral(": ") + error.Message() +
                         (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
    }
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    try {
        tav::WriteFileAtomically(path, bytes);
    } catch (const FileError& error) {
        throw CliFailure(error.Text());
    }
}

void WriteMapFile(const QString& path, const MapGrid& grid, int tileSet) {
    // What an earlier write of this map left when it was killed goes before the new one is made.
    RemoveStaleTemporaries(path);
    WriteFileAtomically(path, MapImageBytes(BuildMapImage(grid, tileSet)));
}

} // namespace tav::cli
