#include "MapFiles.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <span>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tav::cli {
namespace {

QString FileLine(const QString& path, const QString& text) { return path + QStringLiteral(": ") + text; }

QString ErrnoText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Kinds of file that stat reports, for the message; a FIFO or a device would block or never end.
QString NotRegularText(mode_t mode) {
    if (S_ISDIR(mode))
        return QStringLiteral("is a directory, not a map file");
    if (S_ISFIFO(mode))
        return QStringLiteral("is a pipe, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("is a device, not a regular file");
    return QStringLiteral("is not a regular file");
}

} // namespace

LoadedMap ReadMapFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0)
        throw CliFailure(FileLine(path, QStringLiteral("cannot read: ") + ErrnoText(errno)));
    if (!S_ISREG(info.st_mode))
        throw CliFailure(FileLine(path, QStringLiteral("cannot read: ") + NotRegularText(info.st_mode)));

    // The name may have been replaced between stat and open; O_NONBLOCK keeps a pipe put there from
    // blocking the open, and fstat on the open file has the last word.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw CliFailure(FileLine(path, QStringLiteral("cannot read: ") + ErrnoText(errno)));
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw CliFailure(FileLine(path, QStringLiteral("cannot read: ") + NotRegularText(info.st_mode)));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw CliFailure(FileLine(path, QStringLiteral("cannot read: ") + file.errorString()));
    }

    // Only the image's own bytes are read, however large the file is.
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(MapFileSize));
    while (bytes.size() < static_cast<qsizetype>(MapFileSize)) {
        const QByteArray chunk = file.read(static_cast<qint64>(MapFileSize) - bytes.size());
        if (chunk.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                throw CliFailure(FileLine(path, QStringLiteral("cannot read: ") + file.errorString()));
            break; // end of file
        }
        bytes += chunk;
    }

    const auto content = ReadMapImage(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                static_cast<std::size_t>(bytes.size())));
    if (!content)
        throw CliFailure(FileLine(path, BadFormatMessage));

    LoadedMap map;
    map.Grid = content->Grid;
    if (content->TileSet < 1 || content->TileSet > TileSetCount) {
        map.TileSet = 1;
        map.TileSetCorrected = true;
    } else {
        map.TileSet = content->TileSet;
    }
    return map;
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    // Replacing a device, pipe or directory by a regular file is never what the user meant (and as root
    // would remove /dev/full itself), so an existing target must be a regular file.
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode))
        throw CliFailure(FileLine(path, QStringLiteral("cannot write: ") + NotRegularText(info.st_mode)));

    // Unbuffered, so that a short write shows in write()'s count: with the buffer, Qt 6.4 finds a failed
    // write only in commit's flush, loses that error, and renames the truncated file over the old one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw CliFailure(FileLine(path, QStringLiteral("cannot write: ") + file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        // A write cut short (disk full, file size limit) leaves no error on the device, only a short count.
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                      : QStringLiteral("the file was not written in full");
        file.cancelWriting(); // the destructor then removes the temporary file; the old file stays
        throw CliFailure(FileLine(path, QStringLiteral("cannot write: ") + reason));
    }
    if (!file.commit())
        throw CliFailure(FileLine(path, QStringLiteral("cannot write: ") + file.errorString()));
}

void WriteMapFile(const QString& path, const MapGrid& grid, int tileSet) {
    MapDocument doc;
    doc.Grid = grid;
    doc.CurrentTileSet = tileSet;
    const MapImage image = BuildMapImage(doc);
    WriteFileAtomically(path, QByteArray(reinterpret_cast<const char*>(image.data()),
                                         static_cast<qsizetype>(image.size())));
}

} // namespace tav::cli
