#include "FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <string_view>

#include <dirent.h>
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

// The temporary file QSaveFile makes for "NAME" is "NAME." followed by six letters drawn at random from
// both cases. A word a person appends ("backup", "BACKUP", "Backup") keeps one case after its first
// letter, so a suffix is taken for ours only when it mixes cases past the first letter.
bool IsTemporarySuffix(std::string_view suffix) {
    if (suffix.size() != 6)
        return false;
    bool lower = false;
    bool upperAfterFirst = false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        const char c = suffix[i];
        if (c >= 'a' && c <= 'z')
            lower = true;
        else if (c >= 'A' && c <= 'Z')
            upperAfterFirst = upperAfterFirst || i > 0;
        else
            return false;
    }
    return lower && upperAfterFirst;
}

// A save in another process finishes within this time; only an older temporary is left over for good.
constexpr std::time_t StaleAfterSeconds = 60;

} // namespace

FileError::FileError(FileOperation operation, const QString& path, FileProblem problem, const QString& reason,
                     int errorNumber)
    : std::runtime_error(Compose(operation, path, reason).toStdString()), text_(Compose(operation, path, reason)),
      operation_(operation), path_(path), problem_(problem), reason_(reason), errorNumber_(errorNumber) {}

QString FileError::Compose(FileOperation operation, const QString& path, const QString& reason) {
    return path + (operation == FileOperation::Read ? QStringLiteral(": cannot read: ") : QStringLiteral(": cannot write: ")) +
           reason;
}

FileHead ReadFileHead(const QString& path, qint64 limit, qint64 minimumSize) {
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
    FileHead head;
    head.ReportedSize = static_cast<qint64>(info.st_size);
    if (head.ReportedSize < minimumSize) {
        ::close(fd);
        return head;
    }
    QFile file;
    errno = 0;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw QtFailure(FileOperation::Read, path, file.errorString(), errno);
    }

    QByteArray& bytes = head.Bytes;
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
    return head;
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

int RemoveStaleTemporaries(const QString& mapPath) {
    const QFileInfo map(mapPath);
    // Qt puts its random letters in place of a run of six X in the name itself, so such a name has no
    // temporaries of the form looked for here.
    if (map.fileName().isEmpty() || map.fileName().contains(QStringLiteral("XXXXXX")))
        return 0;
    const QByteArray folder = QFile::encodeName(map.absolutePath());
    const QByteArray prefix = QFile::encodeName(map.fileName()) + '.';
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return 0;
    const int folderFd = ::dirfd(dir);
    const std::time_t now = std::time(nullptr);
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (!name.starts_with(std::string_view(prefix.constData(), static_cast<std::size_t>(prefix.size()))) ||
            !IsTemporarySuffix(name.substr(static_cast<std::size_t>(prefix.size()))))
            continue;
        struct stat info {};
        if (::fstatat(folderFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid() || static_cast<std::size_t>(info.st_size) > MapFileSize ||
            now - info.st_mtime < StaleAfterSeconds)
            continue;
        if (::unlinkat(folderFd, entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

} // namespace tav
