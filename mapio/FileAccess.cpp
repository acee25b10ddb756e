#include "FileAccess.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tav {
namespace {

QString ReadFailure(const QString& path, const QString& reason) {
    return path + QStringLiteral(": cannot read: ") + reason;
}

QString WriteFailure(const QString& path, const QString& reason) {
    return path + QStringLiteral(": cannot write: ") + reason;
}

QString ErrnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// What stat says the path is, for the message.
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

QByteArray ReadFileHead(const QString& path, qint64 limit) {
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0)
        throw FileError(ReadFailure(path, ErrnoText(errno)));
    if (!S_ISREG(info.st_mode))
        throw FileError(ReadFailure(path, NotRegularText(info.st_mode)));

    // The name may have been replaced between stat and open; O_NONBLOCK keeps a pipe put there from
    // blocking the open, and fstat on the open file has the last word.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw FileError(ReadFailure(path, ErrnoText(errno)));
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw FileError(ReadFailure(path, NotRegularText(info.st_mode)));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw FileError(ReadFailure(path, file.errorString()));
    }

    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(limit));
    while (bytes.size() < limit) {
        const QByteArray chunk = file.read(limit - bytes.size());
        if (chunk.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                throw FileError(ReadFailure(path, file.errorString()));
            break; // end of file
        }
        bytes += chunk;
    }
    return bytes;
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    // Replacing a device, pipe or folder by a regular file is never what the user meant (and as root
    // would remove /dev/full itself), so an existing target must be a regular file.
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode))
        throw FileError(WriteFailure(path, NotRegularText(info.st_mode)));

    // Unbuffered, so that a short write shows in write()'s count: with the buffer, Qt 6.4 finds a failed
    // write only in commit's flush, loses that error, and renames the truncated file over the old one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw FileError(WriteFailure(path, file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        // A write cut short (disk full, file size limit) leaves no error on the device, only a short count.
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                      : QStringLiteral("the file was not written in full");
        file.cancelWriting(); // the destructor then removes the temporary file; the old file stays
        throw FileError(WriteFailure(path, reason));
    }
    if (!file.commit())
        throw FileError(WriteFailure(path, file.errorString()));
}

} // namespace tav
