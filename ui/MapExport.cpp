#include "MapExport.h"

#include "FileAccess.h"
#include "MapPng.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"


#include <stdexcept>

namespace tav {

QByteArray MapPngBytes(const MapGrid& grid, int tileSet, int edge) {
    int scaleIndex = -1;
    for (int i = 0; i < ScaleCount; ++i)
        if (ScaleTileEdge[static_cast<std::size_t>(i)] == edge)
            scaleIndex = i;
    if (scaleIndex < 0)
        throw std::invalid_argument("no tile pictures of this edge");
    TileBitmaps bitmaps;
    bitmaps.LoadTileSetBitmaps(tileSet);
    // Encoded in memory first, so the file is written in one piece.
    return MapPng(grid, bitmaps.Picture(scaleIndex), edge);
}

void ExportMapPng(const QString& path, const MapGrid& grid, int tileSet, int edge) {
    WriteFileAtomically(path, MapPngBytes(grid, tileSet, edge));
}

} // namespace tav
