#pragma once
// The pictures of the map's tile set at its four tile edges, kept in step with the document: when the map's
// tile set changes they are loaded again first, and then the views are told to redraw. A new map comes to
// the views the same way, after the pictures followed its set, so that each view draws it once.

#include "Document.h"
#include "PictureReadAhead.h"
#include "TileBitmaps.h"

#include <QObject>

namespace tav {

class TileSetPictures : public QObject {
    Q_OBJECT
public:
    explicit TileSetPictures(Document* document, QObject* parent = nullptr);

    // Loads the pictures of the document's tile set now (the first showing does this), taking them from
    // `readAhead` when it read that set. A picture that cannot be loaded leaves the views without tiles and
    // is announced through LoadFailed.
    void Load(PictureReadAhead* readAhead = nullptr);
    const TileBitmaps& Bitmaps() const { return bitmaps_; }
    bool IsLoaded() const { return bitmaps_.IsLoaded(); }
    const QImage& Picture(TileEdge edge) const { return bitmaps_.Picture(edge); }

signals:
    // Other pictures are in force, or a new map came: every view draws the whole map anew.
    void Changed();
    void LoadFailed(const QString& reason);

private:
    void FollowNewMap();

    Document* document_;
    TileBitmaps bitmaps_;
    bool inUse_ = false; // loaded once: later tile-set changes load again, also after a failed load
    TileSet loadedSet_ = TileSet::Verda; // the set last loaded, or tried
};

} // namespace tav
