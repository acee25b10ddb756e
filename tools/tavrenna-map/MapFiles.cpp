#include "MapFiles.h"

#include <algorithm>
#include <cstdio>

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

QByteArray ReadTextFile(const QString& path, qint64 limit) {
    try {
        return ReadFileHead(path, limit);
    } catch (const FileError& error) {
        throw CliFailure(error.Text());
    }
}

void PrintError(const QString& line) {
    std::fputs(("tavrenna-map: " + line + u'\n').toUtf8().constData(), stderr);
}

LoadedMap LoadInput(const QString& path) {
    LoadedMap map = ReadMapFile(path);
    if (map.TileSetCorrected)
        PrintError(path + QStringLiteral(": ") + TileSetCorrectedMessage());
    return map;
}

MapImage StoredImage(const LoadedMap& map) {
    MapImage image{};
    std::copy_n(reinterpret_cast<const std::uint8_t*>(map.Head.constData()),
                std::min<std::size_t>(image.size(), static_cast<std::size_t>(map.Head.size())), image.begin());
    return image;
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    try {
        tav::WriteFileAtomically(path, bytes);
    } catch (const FileError& error) {
        throw CliFailure(error.Text());
    }
}

void WriteMapFile(const QString& path, const MapGrid& grid, TileSet tileSet) {
    // What an earlier write of this map left when it was killed goes before the new one is made.
    RemoveStaleTemporaries(path);
    WriteFileAtomically(path, MapImageBytes(BuildMapImage(grid, tileSet)));
}

} // namespace tav::cli
