#include "MapFiles.h"

#include <span>

namespace tav::cli {

LoadedMap ReadMapFile(const QString& path) {
    QByteArray bytes;
    try {
        bytes = ReadMapFileBytes(path);
    } catch (const FileError& error) {
        throw CliFailure(error.Text());
    }
    const auto content = ReadMapImage(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                static_cast<std::size_t>(bytes.size())));
    if (!content)
        throw CliFailure(path + QStringLiteral(": ") + BadFormatMessage);

    LoadedMap map;
    map.Grid = content->Grid;
    const std::optional<TileSet> tileSet = TileSetNumbered(content->TileSet);
    map.TileSet = tileSet.value_or(TileSet::Verda);
    map.TileSetCorrected = !tileSet;
    return map;
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
