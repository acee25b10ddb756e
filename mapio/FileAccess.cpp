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

// A system error: strerror gives the reason, the errno travels with it.
FileError SystemFailure(FileOperation operation, const QString& path, int error) {
    return FileError(operation, path, FileProblem::SystemError, QString::fromLocal8Bit(std::strerror(error)), error);
}

// What stat says the path is, for the message.
FileError NotRegularFailure(FileOperation operation, const QString& path, mode_t mode) {
    if (S_ISDIR(mode))
        return FileError(operation, path, FileProblem::Directory, QStringLiteral("is a directory, not a map file"));
    if (S_ISFIFO(mode))
        return FileError(operation, path, FileProblem::Pipe, QStringLiteral("is a pipe, not a regular file"));
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return FileError(operation, path, FileProblem::Device, QStringLiteral("is a device, not a regular file"));
    return FileError(operation, path, FileProblem::NotRegular, QStringLiteral("is not a regular file"));
}

// A failure Qt reported: its text, and errno when the failing call left one.
FileError QtFailure(FileOperation operation, const QString& path, const QString& reason, int error) {
    return FileError(operation, path, FileProblem::SystemError, reason, error);
}

} // namespace

FileError::FileError(FileOperation operation, const QString& path, FileProblem problem, const QString& reason,
                     int errorNumber)
    : std::runtime_error(Compose(operation, path, reason).toStdString()), text_(Compose(operation, path, reason)),
      operation_(operation), path_(path), problem_(problem), reason_(reason), errorNumber_(errorNumber) {}

QString FileError::Compose(FileOperation operation, const QString& path, const QString& reason) {
    return path + (operation == FileOperation::Read ? QStringLiteral(": cannot read: ") : QStringLiteral(": cannot write: ")) +
           reason;
}

QByteArray ReadFileHead(const QString& path, qint64 limit) {
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0)
        throw SystemFailure(FileOperation::Read, path, errno);
    if (!S_ISREG(info.st_mode))
        throw NotRegularFailure(FileOperation::Read, path, info.st_mode);

    // The name may have been replaced between stat and open; O_NONBLOCK keeps a pipe put there from
    // blocking the open, and fstat on the open file has the last word.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw SystemFailure(FileOperation::Read, path, errno);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw NotRegularFailure(FileOperation::Read, path, info.st_mode);
    }
    QFile file;
    errno = 0;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw QtFailure(FileOperation::Read, path, file.errorString(), errno);
    }

    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(limit));
    while (bytes.size() < limit) {
        errno = 0;
        const QByteArray chunk = file.read(limit - bytes.size());
        if (chunk.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                throw QtFailure(FileOperation::Read, path, file.errorString(), errno);
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
        throw NotRegularFailure(FileOperation::Write, path, info.st_mode);

    // Unbuffered, so that a short write shows in write()'s count: with the buffer, Qt 6.4 finds a failed
    // write only in commit's flush, loses that error, and renames the truncated file over the old one.
    // errno is cleared before each step so that what it holds afterwards belongs to that step.
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw QtFailure(FileOperation::Write, path, file.errorString(), errno);
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int error = errno;
        // A write cut short (disk full, file size limit) leaves no error on the device, only a short count.
        const bool reported = file.error() != QFileDevice::NoError;
        const FileError failure = reported ? QtFailure(FileOperation::Write, path, file.errorString(), error)
                                           : FileError(FileOperation::Write, path, FileProblem::ShortWrite,
                                                       QStringLiteral("the file was not written in full"), error);
        file.cancelWriting(); // the destructor then removes the temporary file; the old file stays
        throw failure;
    }
    errno = 0;
    if (!file.commit())
        throw QtFailure(FileOperation::Write, path, file.errorString(), errno);
}

} // namespace tav
