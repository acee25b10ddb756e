#include "MapExport.h"

#include "FileAccess.h"
#include "MapPng.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

namespace tav {

QByteArray MapPngBytes(const MapGrid& grid, TileSet tileSet, TileEdge edge) {
    TileBitmaps bitmaps;
    bitmaps.LoadTileSetBitmaps(tileSet);
    // Encoded in memory first, so the file is written in one piece.
    return MapPng(grid, bitmaps.Picture(edge), Pixels(edge));
}

void ExportMapPng(const QString& path, const MapGrid& grid, TileSet tileSet, TileEdge edge) {
    WriteFileAtomically(path, MapPngBytes(grid, tileSet, edge));
}

} // namespace tav
