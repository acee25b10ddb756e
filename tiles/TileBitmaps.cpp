#include "TileBitmaps.h"

#include "TileSets.h"

#include <QFile>
#include <QImageReader>

namespace tav {

QImage ReadPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

namespace {

// Loads one picture and checks its geometry, so that no view ever copies from outside it.
QImage LoadPicture(const QString& root, TileSet tileSet, TileEdge tileEdge) {
    const QString name = PictureName(tileSet, tileEdge);
    const QString path = root + u'/' + name + QStringLiteral(".png");
    QImage picture = ReadPng(path);
    if (picture.isNull())
        throw TileLoadError("Cannot load tile picture " + name.toStdString() + " (" + path.toStdString() + ")");
    const int edge = Pixels(tileEdge);
    if (picture.width() != 8 * edge || picture.height() != 16 * edge)
        throw TileLoadError("Tile picture " + name.toStdString() + " is " + std::to_string(picture.width()) + " x " +
                            std::to_string(picture.height()) + " pixels, expected " + std::to_string(8 * edge) +
                            " x " + std::to_string(16 * edge));
    // The views are RGB32 as well: converting here once lets every tile copy be a plain row copy.
    return picture.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TileSetPictureArray ReadTileSetPictures(const QString& root, TileSet tileSet) {
    if (!TileSetNumbered(TileSetNumber(tileSet)))
        throw TileLoadError("No tile set " + std::to_string(TileSetNumber(tileSet)) +
                            "; tile sets are numbered 1 to 9");
    TileSetPictureArray pictures;
    for (TileEdge edge : AllTileEdges)
        pictures[TileBitmaps::SlotOf(edge)] = LoadPicture(root, tileSet, edge);
    return pictures;
}

std::size_t TileBitmaps::SlotOf(TileEdge edge) {
    for (std::size_t slot = 0; slot < AllTileEdges.size(); ++slot)
        if (AllTileEdges[slot] == edge)
            return slot;
    return 0;
}

void TileBitmaps::LoadTileSetBitmaps(TileSet tileSet) {
    FreeTileSetBitmaps();
    // All four are read before any is taken, so a failure leaves nothing half loaded.
    TakeTileSetBitmaps(tileSet, ReadTileSetPictures(pictureRoot_, tileSet));
}

void TileBitmaps::TakeTileSetBitmaps(TileSet tileSet, TileSetPictureArray pictures) {
    pictures_ = std::move(pictures);
    loaded_ = true;
    tileSet_ = tileSet;
}

void TileBitmaps::FreeTileSetBitmaps() {
    if (!loaded_)
        return;
    for (QImage& picture : pictures_)
        picture = QImage();
    loaded_ = false;
}

} // namespace tav
