#include "TileSetPictures.h"

namespace tav {

TileSetPictures::TileSetPictures(Document* document, QObject* parent) : QObject(parent), document_(document) {
    connect(document_, &Document::TileSetChanged, this, [this] {
        // Before the first showing nothing is drawn yet, so there is nothing to load either.
        if (inUse_)
            Load();
    });
    connect(document_, &Document::MapReset, this, &TileSetPictures::FollowNewMap);
}

void TileSetPictures::FollowNewMap() {
    if (inUse_ && loadedSet_ != document_->TileSet())
        Load();
    else
        emit Changed();
}

void TileSetPictures::Load(PictureReadAhead* readAhead) {
    inUse_ = true;
    QString failure;
    try {
        const TileSet tileSet = document_->TileSet();
        loadedSet_ = tileSet;
        auto readPictures = readAhead ? readAhead->TakeTileSet(tileSet, bitmaps_.PictureRoot()) : std::nullopt;
        if (readPictures)
            bitmaps_.TakeTileSetBitmaps(tileSet, std::move(*readPictures));
        else
            bitmaps_.LoadTileSetBitmaps(tileSet);
    } catch (const TileLoadError& error) {
        // The views show no tiles rather than the last set's under the new set's name.
        bitmaps_.FreeTileSetBitmaps();
        failure = QString::fromUtf8(error.what());
    }
    emit Changed();
    if (!failure.isEmpty())
        emit LoadFailed(failure);
}

} // namespace tav
