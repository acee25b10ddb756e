#pragma once
// The maps a command is asked to read: file arguments as they are, and every *.map file under each folder
// argument, so that one command can go through a whole map pack.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tav::cli {

struct MapInput {
    QString Path;     // the argument, or the folder argument joined with the rest
    QString Relative; // below its folder argument; a file argument's base name
    // Set when the map cannot be read: its name is not UTF-8, or it stands for a folder that cannot be read
    // or holds no map. The error line.
    QString Error;
    // The path's bytes when they are not UTF-8 text (Path then shows them escaped); else empty.
    QByteArray Bytes;

    // The path for a terminal: escaped so that no two files look alike and no name acts on the terminal.
    QString Shown() const;
};

struct MapInputs {
    std::vector<MapInput> Maps;
    // Whether the output must say which map each line belongs to: several arguments or any folder.
    bool Several = false;
};

// A folder argument means every regular file whose name ends in ".map" (letter case as written) below it,
// in any depth, sorted by the bytes of their paths. Links to folders are never followed, and a link to a
// file is read only when its target lies inside the folder: a pack must not reach out of itself. Every
// other link named *.map is passed to `skipped`. A folder or subfolder that cannot be read is listed in its
// place with its Error, and the walk goes on with the rest; so is a folder argument below which no map is
// found. A map whose name is not UTF-8, and an argument that is not, is listed with its Error.
MapInputs ExpandMapInputs(const QStringList& arguments, const std::function<void(const QString& line)>& skipped);

} // namespace tav::cli
