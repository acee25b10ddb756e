#pragma once
// Reading and writing the tool's files through the safe file access it shares with the editor, with
// its failures turned into the tool's one-line errors.

#include "MapGrid.h"
#include "MapImage.h"
#include "FileAccess.h"

#include <QByteArray>
#include <QString>

#include <stdexcept>

namespace tav::cli {

// Exit statuses scripts rely on.
constexpr int ExitSuccess = 0;
constexpr int ExitProblemsFound = 1;
constexpr int ExitError = 2;

// A failure that ends the command: one line for stderr (without the program name) and exit status 2.
class CliFailure : public std::runtime_error {
public:
    explicit CliFailure(const QString& line) : std::runtime_error(line.toStdString()), line_(line) {}
    const QString& Line() const { return line_; }

private:
    QString line_;
};

// The editor's texts for a file that is too short and for a tile-set number outside 1..9.
inline const QString BadFormatMessage = QStringLiteral("ファイル形式が正常ではありません");
inline const QString InvalidTileSetMessage = QStringLiteral("無効なキャラクタです。修正しました。");

struct LoadedMap {
    MapGrid Grid{};
    tav::TileSet TileSet = tav::TileSet::Verda;
    bool TileSetCorrected = false; // the file's number lay outside 1..9 and was replaced by 1
};

// Reads a .map file as the editor's Open does. Throws CliFailure naming the file when it cannot be
// read, is not a regular file, or is shorter than 2306 bytes.
LoadedMap ReadMapFile(const QString& path);

// Writes `bytes` to `path` atomically, through a temporary file in the same folder that replaces the old
// file only once it is complete. Throws CliFailure naming the file; the old file is then left as it was.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

// The map as the editor saves it: 2306 bytes, the tile set x 10, a zero byte. Stale temporaries of an
// interrupted earlier write of the same map are removed first.
void WriteMapFile(const QString& path, const MapGrid& grid, TileSet tileSet);

} // namespace tav::cli
