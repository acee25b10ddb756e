#pragma once
// The one rule for loading a .map file, shared by the editor and tavrenna-map: only a regular file is read,
// and of it only the bytes a map uses; a file that cannot be a map is refused, where possible from the
// size it reports before a byte is read; a tile-set number outside 1..9 becomes 1, with its message.
//
// The messages are the editor's Japanese texts, marked for its translation catalogue (context
// "MapLoader"): the editor shows them in its language, tavrenna-map, which installs no translation, as
// they are written.

#include "FileAccess.h"
#include "MapGrid.h"

#include <QByteArray>
#include <QString>

#include <stdexcept>

namespace tav {

struct LoadedMap {
    MapGrid Grid{};
    tav::TileSet TileSet = tav::TileSet::Verda;
    bool TileSetCorrected = false; // the file's number lay outside 1..9 and was replaced by 1
    QByteArray Head;               // the bytes read, the first 2306 of the file
    qint64 ReportedSize = 0;       // the file's size as it reported it; more than 2306 when it has a tail
};

// A file that was read, or refused from its reported size, and cannot be a map.
class NotAMapError : public std::runtime_error {
public:
    // `reportedSize` when the size the file reported gave it away, -1 when its content did.
    NotAMapError(const QString& path, qint64 reportedSize);
    const QString& Path() const { return path_; }
    // "ファイル形式が正常ではありません", the message every refused file gets.
    static QString Message();
    // Why the file was refused before it was read, one sentence; empty when its content refused it.
    QString Reason() const;

private:
    QString path_;
    qint64 reportedSize_;
};

// "無効なキャラクタです。修正しました。", for a map loaded with LoadedMap::TileSetCorrected.
QString TileSetCorrectedMessage();

// Loads the map at `path`. Throws FileError when the file cannot be read or is no regular file, and
// NotAMapError when it cannot be a map: it reports or holds fewer than 2306 bytes.
LoadedMap LoadMapFile(const QString& path);

} // namespace tav
