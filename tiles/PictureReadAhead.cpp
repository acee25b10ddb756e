#include "PictureReadAhead.h"

#include "TileBitmaps.h"

#include <utility>

namespace tav {

PictureReadAhead::PictureReadAhead(const QStringList& paths, TileSet tileSet) : tileSet_(tileSet) {
    std::promise<std::map<QString, QImage>> pictures;
    std::promise<TileSetPictureArray> tiles;
    picturesFuture_ = pictures.get_future();
    tilesFuture_ = tiles.get_future();
    worker_ = std::thread([pictures = std::move(pictures), tiles = std::move(tiles), paths, tileSet]() mutable {
        try {
            std::map<QString, QImage> read;
            for (const QString& path : paths)
                read.emplace(path, ReadPng(path));
            pictures.set_value(std::move(read));
        } catch (...) {
            pictures.set_exception(std::current_exception());
        }
        try {
            tiles.set_value(ReadStoredTileSetPictures(TileBitmaps::LinkedPictureRoot(), tileSet));
        } catch (...) {
            tiles.set_exception(std::current_exception());
        }
    });
}

PictureReadAhead::~PictureReadAhead() {
    worker_.join();
}

QImage PictureReadAhead::Picture(const QString& path) {
    if (picturesFuture_.valid())
        pictures_ = picturesFuture_.get();
    const auto found = pictures_.find(path);
    return found == pictures_.end() ? ReadPng(path) : found->second;
}

std::optional<TileSetPictureArray> PictureReadAhead::TakeTileSet(TileSet tileSet, const QString& root) {
    if (!tilesFuture_.valid() || tileSet != tileSet_ || root != TileBitmaps::LinkedPictureRoot())
        return std::nullopt;
    return tilesFuture_.get();
}

} // namespace tav
