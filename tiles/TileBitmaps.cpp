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
QImage LoadPicture(const QString& root, int tileSet, int scaleIndex) {
    const QString name = PictureName(tileSet, scaleIndex);
    const QString path = root + u'/' + name + QStringLiteral(".png");
    QImage picture = ReadPng(path);
    if (picture.isNull())
        throw TileLoadError("Cannot load tile picture " + name.toStdString() + " (" + path.toStdString() + ")");
    const int edge = ScaleTileEdge[static_cast<std::size_t>(scaleIndex)];
    if (picture.width() != 8 * edge || picture.height() != 16 * edge)
        throw TileLoadError("Tile picture " + name.toStdString() + " is " + std::to_string(picture.width()) + " x " +
                            std::to_string(picture.height()) + " pixels, expected " + std::to_string(8 * edge) +
                            " x " + std::to_string(16 * edge));
    // The views are RGB32 as well: converting here once lets every tile copy be a plain row copy.
    return picture.convertToFormat(QImage::Format_RGB32);
}

} // namespace

std::array<QImage, 4> ReadTileSetPictures(const QString& root, int tileSet) {
    if (tileSet < 1 || tileSet > 9)
        throw TileLoadError("No tile set " + std::to_string(tileSet) + "; tile sets are numbered 1 to 9");
    std::array<QImage, 4> pictures;
    for (int z = 0; z < ScaleCount; ++z)
        pictures[static_cast<std::size_t>(z)] = LoadPicture(root, tileSet, z);
    return pictures;
}

void TileBitmaps::LoadTileSetBitmaps(int tileSet) {
    FreeTileSetBitmaps();
    // All four are read before any is taken, so a failure leaves nothing half loaded.
    TakeTileSetBitmaps(tileSet, ReadTileSetPictures(pictureRoot_, tileSet));
}

void TileBitmaps::TakeTileSetBitmaps(int tileSet, std::array<QImage, 4> pictures) {
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
    tileSet_ = 0;
}

} // namespace tav
