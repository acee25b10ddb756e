#include "MapFiles.h"

#include "CommandLine.h"

#include <QFile>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace tav::cli {
namespace {

// The error's line with its file named as a terminal should show it.
QString ShownLine(const FileError& error) {
    const QString& text = error.Text();
    if (!text.startsWith(error.Path()))
        return text;
    return ShownName(error.Path()) + text.mid(error.Path().size());
}

} // namespace

QString LineNamingFolder(const FileError& error, const QString& wanted) {
    if (error.Problem() != FileProblem::Directory)
        return ShownLine(error);
    const QString operation =
        error.Operation() == FileOperation::Read ? QStringLiteral("cannot read") : QStringLiteral("cannot write");
    return ShownName(error.Path()) + QStringLiteral(": ") + operation + QStringLiteral(": is a directory, not ") + wanted;
}

LoadedMap ReadMapFile(const QString& path) {
    try {
        return LoadMapFile(path);
    } catch (const FileError& error) {
        throw CliFailure(ShownLine(error));
    } catch (const NotAMapError& error) {
        const QString reason = error.Reason();
        throw CliFailure(ShownName(path) + QStringLiteral(": ") + error.Message() +
                         (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason));
    }
}

QByteArray ReadTextFile(const QString& path, qint64 limit) {
    FileHead head;
    try {
        // One byte more than the limit tells a file of exactly the limit from a larger one.
        head = ReadFileHead(path, limit + 1, 1);
    } catch (const FileError& error) {
        throw CliFailure(LineNamingFolder(error, QStringLiteral("a text file")));
    }
    if (head.ReportedSize == 0)
        throw CliFailure(ShownName(path) + QStringLiteral(": cannot read: the file reports a size of 0 bytes (a "
                                                          "text map is never empty); nothing was read"));
    if (head.Bytes.size() > limit || head.ReportedSize > limit)
        throw CliFailure(ShownName(path) + QStringLiteral(": cannot read: larger than %1 bytes (%2 bytes); a text "
                                                          "map is about 7 KB")
                                               .arg(limit)
                                               .arg(std::max<qint64>(head.ReportedSize, head.Bytes.size())));
    return head.Bytes;
}

void PrintError(const QString& line) {
    std::fputs(("tavrenna-map: " + WithoutControls(line) + u'\n').toUtf8().constData(), stderr);
}

LoadedMap LoadInput(const QString& path) {
    LoadedMap map = ReadMapFile(path);
    if (map.TileSetCorrected)
        PrintError(ShownName(path) + QStringLiteral(": ") + TileSetCorrectedMessage());
    return map;
}

void WritePictureFile(const QString& path, const QByteArray& png) {
    try {
        tav::WriteFileAtomically(path, png);
    } catch (const FileError& error) {
        throw CliFailure(LineNamingFolder(error, QStringLiteral("a PNG picture")));
    }
}

namespace {

std::optional<std::pair<dev_t, ino_t>> FileIdentity(const QString& path) {
    struct stat status {};
    // stat follows links, so a link to an input is the input.
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return std::pair{status.st_dev, status.st_ino};
}

} // namespace

InputFiles::InputFiles(const QStringList& paths) {
    for (const QString& path : paths)
        if (const auto identity = FileIdentity(path))
            files_.emplace(*identity, path);
}

void InputFiles::RefuseAsOutput(const QString& output) const {
    // An output that does not exist yet is no input.
    const auto identity = FileIdentity(output);
    const auto found = identity ? files_.find(*identity) : files_.end();
    if (found != files_.end())
        throw CliFailure(ShownName(output) + QStringLiteral(": cannot write: it is the input ") +
                         ShownName(found->second) + QStringLiteral(", which the picture would replace; nothing was "
                                                                   "written"));
}

MapImage StoredImage(const LoadedMap& map) {
    MapImage image{};
    std::copy_n(reinterpret_cast<const std::uint8_t*>(map.Head.constData()),
                std::min<std::size_t>(image.size(), static_cast<std::size_t>(map.Head.size())), image.begin());
    return image;
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    try {
        tav::WriteFileAtomically(path, bytes);
    } catch (const FileError& error) {
        throw CliFailure(ShownLine(error));
    }
}

void WriteMapFile(const QString& path, const MapGrid& grid, TileSet tileSet) {
    // What an earlier write of this map left when it was killed goes before the new one is made.
    RemoveStaleTemporaries(path);
    WriteFileAtomically(path, MapImageBytes(BuildMapImage(grid, tileSet)));
}

} // namespace tav::cli
