#pragma once
// The map as a picture: the whole map drawn through the views' render path at one of the four tile
// edges, encoded as PNG and written like a map, through a temporary file.

#include "TileSets.h"

#include <QByteArray>
#include <QString>

namespace tav {

// The PNG bytes of the whole map (48 * edge pixels square) in the pictures of `tileSet`; any of the four
// tile edges will do. Throws TileLoadError when the tile set's pictures cannot be loaded,
// std::runtime_error when encoding fails.
QByteArray MapPngBytes(const MapGrid& grid, TileSet tileSet, TileEdge edge);

// Writes MapPngBytes to `path` atomically; throws FileError naming the file when the write fails.
void ExportMapPng(const QString& path, const MapGrid& grid, TileSet tileSet, TileEdge edge);

} // namespace tav
