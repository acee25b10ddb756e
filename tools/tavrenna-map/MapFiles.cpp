#include "MapFiles.h"

#include <algorithm>
#include <cstdio>
#include <span>

namespace tav::cli {

LoadedMap ReadMapFile(const QString& path) {
    QByteArray bytes;
    try {
        // One byte more than a map tells whether the file has a tail, at no cost.
        bytes = ReadFileHead(path, static_cast<qint64>(MapFileSize) + 1);
    } catch (const FileError& error) {
        throw CliFailure(error.Text());
    }
    const auto content = ReadMapImage(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                static_cast<std::size_t>(bytes.size())));
    if (!content)
        throw CliFailure(path + QStringLiteral(": ") + BadFormatMessage);

    LoadedMap map;
    map.Path = path;
    map.Grid = content->Grid;
    map.HasTail = bytes.size() > static_cast<qsizetype>(MapFileSize);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(bytes.constData()), MapFileSize, map.Image.begin());
    if (content->TileSet < 1 || content->TileSet > TileSetCount) {
        map.TileSet = 1;
        map.TileSetCorrected = true;
    } else {
        map.TileSet = content->TileSet;
    }
    return map;
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
        PrintError(path + QStringLiteral(": ") + InvalidTileSetMessage);
    return map;
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
