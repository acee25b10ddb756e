#pragma once
// The maps a command is asked to read: file arguments as they are, and every *.map file under each folder
// argument, so that one command can go through a whole map pack.

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tav::cli {

struct MapInput {
    QString Path;     // as the output names it: the argument, or the folder argument joined with the rest
    QString Relative; // below its folder argument; a file argument's base name
    // Set when the map cannot be read by its name (a folder entry whose name is not UTF-8): the error line.
    QString Error;
};

struct MapInputs {
    std::vector<MapInput> Maps;
    // Whether the output must say which map each line belongs to: several arguments or any folder.
    bool Several = false;
    // Folders and subfolders that could not be read in full; every map found elsewhere is still listed.
    int FolderErrors = 0;
};

// A folder argument means every regular file whose name ends in ".map" (letter case as written) below it,
// in any depth, sorted by the bytes of their paths. Links to folders are never followed, and a link to a
// file is read only when its target lies inside the folder: a pack must not reach out of itself. Every
// other link named *.map is passed to `skipped`, as is a folder or subfolder that cannot be read (with the
// reason); the walk goes on with the rest. A map whose name is not UTF-8 is listed with its Error.
MapInputs ExpandMapInputs(const QStringList& arguments, const std::function<void(const QString& line)>& skipped);

} // namespace tav::cli
