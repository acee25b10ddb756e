#pragma once
// The map as a picture: the whole map drawn through the views' render path at one of the four tile
// edges, encoded as PNG and written like a map, through a temporary file.

#include "MapGrid.h"

#include <QByteArray>
#include <QString>

namespace tav {

// The tile edges a picture can be exported at, smallest first.
inline constexpr int ExportTileEdges[] = {4, 8, 16, 32};

// The PNG bytes of the whole map (48 * edge pixels square) in the pictures of `tileSet` (1..9).
// Throws TileLoadError when the tile set's pictures cannot be loaded, std::runtime_error when encoding fails.
QByteArray MapPngBytes(const MapGrid& grid, int tileSet, int edge);

// Writes MapPngBytes to `path` atomically; throws FileError naming the file when the write fails.
void ExportMapPng(const QString& path, const MapGrid& grid, int tileSet, int edge);

} // namespace tav
