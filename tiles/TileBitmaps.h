#pragma once
// The four pictures of the tile set in force, one per tile edge.
//
// The pictures are linked into every program that uses this library as Qt resources:
//   ":/tiles/MD00.png" .. ":/tiles/MD83.png"  the 36 tile-set pictures (8-bit indexed colour)
//   ":/toolbar/<name>.png"                    the 26 tool-bar pictures, e.g. ":/toolbar/pen.png"
//   ":/icon.png", ":/icon48.png"              the window icon (32 x 32, 48 x 48); ":/icon96.png" doubled
//   ":/about.png"                             the about-box picture (150 x 150)

#include "TileSets.h"

#include <QImage>
#include <QString>

#include <array>
#include <stdexcept>

namespace tav {

// Reads the PNG picture at `path` (a file or a resource) with Qt's own PNG reader; a null image when it
// cannot. Every picture of the editor is a PNG: asking the image plug-ins whether they know the format
// would load each of them, which costs start-up time and reads nothing better.
QImage ReadPng(const QString& path);

// A tile picture that could not be loaded; the message names the picture.
class TileLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The four pictures of one tile set, in the order of AllTileEdges (smallest edge first).
using TileSetPictureArray = std::array<QImage, AllTileEdges.size()>;

// The four pictures of `tileSet` below `root` as their files hold them (8-bit indexed for the linked-in sets).
// Throws TileLoadError naming the picture that is missing or has the wrong geometry. Safe on any thread.
TileSetPictureArray ReadStoredTileSetPictures(const QString& root, TileSet tileSet);
// The same pictures, each converted into the format the views copy from.
TileSetPictureArray ReadTileSetPictures(const QString& root, TileSet tileSet);
// The one picture of `tileSet` with tiles of `edge` pixels, converted as ReadTileSetPictures converts it:
// for a caller that draws at one edge only, so that the other three files are never decoded. Throws as
// ReadStoredTileSetPictures does.
QImage ReadTileSetPicture(const QString& root, TileSet tileSet, TileEdge edge);

// Holds the four pictures of one tile set in the format the views copy from. Each set's files are read once:
// what they hold is kept as it is stored (8-bit indexed, a quarter of the views' format), so that loading a
// set again is a conversion of a few hundred thousand pixels, not four PNG decodes.
class TileBitmaps {
public:
    // Frees the pictures held, then loads the four pictures of `tileSet`, converted into the format the
    // views copy from. Throws TileLoadError naming the picture that is missing or has the wrong geometry;
    // nothing is held then.
    void LoadTileSetBitmaps(TileSet tileSet);
    // Holds `pictures`, read by ReadStoredTileSetPictures for `tileSet` below PictureRoot(), in place of a read.
    void TakeTileSetBitmaps(TileSet tileSet, TileSetPictureArray pictures);
    void FreeTileSetBitmaps();

    static QString LinkedPictureRoot() { return QStringLiteral(":/tiles"); }
    // Where the tile pictures are looked up; the linked-in resources unless a caller points elsewhere. The
    // pictures read from the old place are forgotten.
    void SetPictureRoot(const QString& root);
    const QString& PictureRoot() const { return pictureRoot_; }

    bool IsLoaded() const { return loaded_; }
    // The set held; only meaningful while loaded.
    TileSet LoadedTileSet() const { return tileSet_; }

    // The picture with tiles of `edge` pixels; only valid while loaded.
    const QImage& Picture(TileEdge edge) const { return pictures_[SlotOf(edge)]; }

    // Where the picture of `edge` sits in a TileSetPictureArray.
    static std::size_t SlotOf(TileEdge edge);

private:
    // Converts the stored pictures of `tileSet` into pictures_, writing into the pictures held where they
    // have the right size, so that a switch of sets allocates nothing.
    void HoldConverted(TileSet tileSet);

    TileSetPictureArray pictures_;
    std::array<TileSetPictureArray, TileSetCount> stored_; // by set number - 1; null pictures until read
    QString pictureRoot_ = LinkedPictureRoot();
    bool loaded_ = false;
    TileSet tileSet_ = TileSet::Verda;
};

} // namespace tav
