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
    return picture;
}

// `stored` in the views' format (RGB32: every tile copy is then a plain row copy), written into `target`
// when that is a picture of the same size nobody else shares. The colour of each index is the one Qt's own
// conversion gives it, so the pixels are those of convertToFormat.
void ConvertForViews(const QImage& stored, QImage& target) {
    if (stored.format() != QImage::Format_Indexed8) {
        target = stored.convertToFormat(QImage::Format_RGB32);
        return;
    }
    if (target.size() != stored.size() || target.format() != QImage::Format_RGB32 || !target.isDetached())
        target = QImage(stored.size(), QImage::Format_RGB32);
    QImage indices(256, 1, QImage::Format_Indexed8);
    indices.setColorTable(stored.colorTable());
    for (int i = 0; i < 256; ++i)
        indices.scanLine(0)[i] = static_cast<uchar>(i);
    const QImage colours = indices.convertToFormat(QImage::Format_RGB32);
    const auto* colour = reinterpret_cast<const QRgb*>(colours.constScanLine(0));
    const qsizetype fromStride = stored.bytesPerLine();
    const qsizetype toStride = target.bytesPerLine();
    const uchar* from = stored.constBits();
    uchar* to = target.bits();
    // The sizes are read once: the writes below could alias anything, so the compiler would read them again
    // for every pixel.
    const int width = stored.width();
    const int height = stored.height();
    for (int y = 0; y < height; ++y, from += fromStride, to += toStride) {
        auto* row = reinterpret_cast<QRgb*>(to);
        for (int x = 0; x < width; ++x)
            row[x] = colour[from[x]];
    }
}

} // namespace

namespace {

void RefuseUnnumberedSet(TileSet tileSet) {
    if (!TileSetNumbered(TileSetNumber(tileSet)))
        throw TileLoadError("No tile set " + std::to_string(TileSetNumber(tileSet)) +
                            "; tile sets are numbered 1 to 9");
}

} // namespace

TileSetPictureArray ReadStoredTileSetPictures(const QString& root, TileSet tileSet) {
    RefuseUnnumberedSet(tileSet);
    TileSetPictureArray pictures;
    for (TileEdge edge : AllTileEdges)
        pictures[TileBitmaps::SlotOf(edge)] = LoadPicture(root, tileSet, edge);
    return pictures;
}

TileSetPictureArray ReadTileSetPictures(const QString& root, TileSet tileSet) {
    TileSetPictureArray pictures = ReadStoredTileSetPictures(root, tileSet);
    for (QImage& picture : pictures)
        ConvertForViews(QImage(picture), picture);
    return pictures;
}

QImage ReadTileSetPicture(const QString& root, TileSet tileSet, TileEdge edge) {
    RefuseUnnumberedSet(tileSet);
    QImage picture = LoadPicture(root, tileSet, edge);
    ConvertForViews(QImage(picture), picture);
    return picture;
}

std::size_t TileBitmaps::SlotOf(TileEdge edge) {
    for (std::size_t slot = 0; slot < AllTileEdges.size(); ++slot)
        if (AllTileEdges[slot] == edge)
            return slot;
    return 0;
}

void TileBitmaps::SetPictureRoot(const QString& root) {
    if (root == pictureRoot_)
        return;
    pictureRoot_ = root;
    stored_ = {};
}

void TileBitmaps::LoadTileSetBitmaps(TileSet tileSet) {
    // The pictures held stay allocated through a switch (their pixels are written anew), but a failure
    // leaves nothing held.
    loaded_ = false;
    const int number = TileSetNumber(tileSet);
    if (!TileSetNumbered(number) || stored_[static_cast<std::size_t>(number - 1)][0].isNull()) {
        // All four are read before any is kept, so a failure leaves nothing half read.
        TileSetPictureArray read;
        try {
            read = ReadStoredTileSetPictures(pictureRoot_, tileSet);
        } catch (const TileLoadError&) {
            FreeTileSetBitmaps();
            throw;
        }
        stored_[static_cast<std::size_t>(number - 1)] = std::move(read);
    }
    HoldConverted(tileSet);
}

void TileBitmaps::TakeTileSetBitmaps(TileSet tileSet, TileSetPictureArray pictures) {
    stored_[static_cast<std::size_t>(TileSetNumber(tileSet) - 1)] = std::move(pictures);
    HoldConverted(tileSet);
}

void TileBitmaps::HoldConverted(TileSet tileSet) {
    const TileSetPictureArray& stored = stored_[static_cast<std::size_t>(TileSetNumber(tileSet) - 1)];
    for (std::size_t slot = 0; slot < pictures_.size(); ++slot)
        ConvertForViews(stored[slot], pictures_[slot]);
    loaded_ = true;
    tileSet_ = tileSet;
}

void TileBitmaps::FreeTileSetBitmaps() {
    for (QImage& picture : pictures_)
        picture = QImage();
    loaded_ = false;
}

} // namespace tav
