#include "MapExport.h"

#include "FileAccess.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>

#include <stdexcept>

namespace tav {

QByteArray MapPngBytes(const MapGrid& grid, TileSet tileSet, TileEdge edge) {
    TileBitmaps bitmaps;
    bitmaps.LoadTileSetBitmaps(tileSet);
    const QImage picture = RenderMap(grid, bitmaps.Picture(edge), Pixels(edge));
    // Encoded in memory first, so the file is written in one piece and a failing disk never meets libpng.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture))
        throw std::runtime_error(
            QCoreApplication::translate("MapExport", "画像を PNG に変換できませんでした: %1")
                .arg(writer.errorString())
                .toStdString());
    return png;
}

void ExportMapPng(const QString& path, const MapGrid& grid, TileSet tileSet, TileEdge edge) {
    WriteFileAtomically(path, MapPngBytes(grid, tileSet, edge));
}

} // namespace tav
