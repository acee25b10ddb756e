#pragma once
// The pictures the first showing of the main window needs — the window icon, the tool-bar buttons and the
// start-up tile set — read on a worker thread while the main thread builds the windows. Each is waited for where it is
// first needed; by then the worker has long finished on any machine with a second core.

#include "TileBitmaps.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <future>
#include <map>
#include <optional>
#include <thread>

namespace tav {

class PictureReadAhead {
public:
    // Starts reading the PNG pictures at `paths`, then the four linked-in pictures of `tileSet`.
    PictureReadAhead(const QStringList& paths, TileSet tileSet);
    // Waits for the worker.
    ~PictureReadAhead();
    PictureReadAhead(const PictureReadAhead&) = delete;
    PictureReadAhead& operator=(const PictureReadAhead&) = delete;

    // The picture at one of the paths; a null image when it cannot be read.
    QImage Picture(const QString& path);
    // The pictures of `tileSet` below `root` as stored, if they are the ones read ahead, else nothing. A read that
    // failed throws its TileLoadError here, as loading them now would.
    std::optional<TileSetPictureArray> TakeTileSet(TileSet tileSet, const QString& root);

private:
    TileSet tileSet_;
    std::future<std::map<QString, QImage>> picturesFuture_;
    std::future<TileSetPictureArray> tilesFuture_;
    std::map<QString, QImage> pictures_;
    std::thread worker_;
};

} // namespace tav
