#pragma once
// Reading and writing the tool's files through the safe file access it shares with the editor, with
// its failures turned into the tool's one-line errors.

#include "CliFailure.h"
#include "MapGrid.h"
#include "MapImage.h"
#include "FileAccess.h"
#include "MapLoader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <map>
#include <stdexcept>
#include <utility>

namespace tav::cli {

// Loads a .map file by the editor's rule (mapio's LoadMapFile). Throws CliFailure naming the file when it
// cannot be read, is not a regular file, or cannot be a map; the line then says why as the editor does.
LoadedMap ReadMapFile(const QString& path);

// Reads a whole text file of at most `limit` bytes. Throws CliFailure naming the file when it cannot be
// read, is a folder, is larger than the limit (it is never cut), or reports a size of 0 (a file under /proc
// or /sys, which is not read at all: reading may take what others wait for).
QByteArray ReadTextFile(const QString& path, qint64 limit);

// The error's line with its file named as a terminal should show it, and a folder named as a folder and
// not as `wanted` ("a text file") would be.
QString LineNamingFolder(const FileError& error, const QString& wanted);

// Writes a PNG picture as WriteFileAtomically does; a folder at `path` is named as such.
void WritePictureFile(const QString& path, const QByteArray& png);

// The files a command reads, by device and inode, for the commands whose output is not a map: such an
// output must never replace one of its inputs.
class InputFiles {
public:
    explicit InputFiles(const QStringList& paths);
    // Throws CliFailure when `output` is one of the inputs: the same file, also through links or "..".
    void RefuseAsOutput(const QString& output) const;

private:
    std::map<std::pair<dev_t, ino_t>, QString> files_;
};

// Prints "tavrenna-map: <line>" on standard error, with control characters shown as \xHH.
void PrintError(const QString& line);

// Reads a .map file as ReadMapFile does; a tile set outside 1..9 becomes 1 with the editor's message on
// standard error.
LoadedMap LoadInput(const QString& path);

// The file's first 2306 bytes as they are, tile-set bytes included.
MapImage StoredImage(const LoadedMap& map);

// Writes `bytes` to `path` atomically, through a temporary file in the same folder that replaces the old
// file only once it is complete. Throws CliFailure naming the file; the old file is then left as it was.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

// The map as the editor saves it: 2306 bytes, the tile set x 10, a zero byte. Stale temporaries of an
// interrupted earlier write of the same map are removed first.
void WriteMapFile(const QString& path, const MapGrid& grid, TileSet tileSet);

} // namespace tav::cli
