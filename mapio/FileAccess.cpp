#include "FileAccess.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <string_view>
#include <utility>

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

// The temporary file written for "NAME" is "NAME." followed by six letters drawn at random from both cases.
// A word a person appends ("backup", "BACKUP", "Backup") keeps one case after its first letter, so a suffix
// is taken for ours only when it mixes cases past the first letter.
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

namespace {

// An open file descriptor, closed when it goes out of scope.
class OwnedFd {
public:
    explicit OwnedFd(int fd = -1) : fd_(fd) {}
    OwnedFd(OwnedFd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    OwnedFd& operator=(OwnedFd&& other) noexcept {
        if (this != &other) {
            Reset();
            fd_ = other.fd_;
            other.fd_ = -1;
        }
        return *this;
    }
    OwnedFd(const OwnedFd&) = delete;
    OwnedFd& operator=(const OwnedFd&) = delete;
    ~OwnedFd() { Reset(); }
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Gives the descriptor up without closing it (after the caller closed it itself).
    void Release() { fd_ = -1; }

private:
    void Reset() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    int fd_;
};

// Where a write goes once the links of the last component are followed: an open folder and a plain name
// inside it, so that nothing is looked up by path again.
struct WriteTarget {
    OwnedFd Folder;
    std::string Name;
    bool Exists = false;
    mode_t Mode = 0; // the existing file's permission bits (rwx of owner, group and others)
};

// The folder part and the last component of a path as given; "" stands for the current folder.
std::pair<std::string, std::string> SplitPath(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {std::string(), path};
    return {slash == 0 ? std::string("/") : path.substr(0, slash), path.substr(slash + 1)};
}

// Opens a folder to look names up in: relative to `base` (or the current folder) unless absolute. Links
// on the way are the kernel's to follow, under its own protection.
OwnedFd OpenFolder(int base, const std::string& folder) {
    return OwnedFd(::openat(base, folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

// The kernel's rule for following a link (fs.protected_symlinks = 1), applied whatever the system is set to:
// a link in a folder that is sticky and writable by anyone (/tmp) is followed only when it belongs to the
// user who follows it or to the folder's owner. Otherwise anyone could aim a name someone else will write
// to (a seed-numbered map in /tmp) at any file that user may write.
bool MayFollowLink(const struct stat& link, const struct stat& folder) {
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return link.st_uid == ::geteuid() || !shared || link.st_uid == folder.st_uid;
}

// Follows the links of the path's last component, each checked by MayFollowLink, to the name a write
// replaces or creates. Throws FileError naming `path`.
WriteTarget ResolveWriteTarget(const QString& path) {
    const auto failure = [&](int error) { return SystemFailure(FileOperation::Write, path, error); };
    const std::string given = QFile::encodeName(path).toStdString();
    if (given.empty())
        throw failure(ENOENT);
    auto [folder, name] = SplitPath(given);
    std::string shown = given; // the link being looked at, as the user can find it
    WriteTarget target;
    target.Folder = OpenFolder(AT_FDCWD, folder);
    if (!target.Folder.Valid())
        throw failure(errno);
    // As many links as the kernel follows in one lookup.
    constexpr int MaximumLinks = 40;
    for (int links = 0;; ++links) {
        if (name.empty() || name == "." || name == "..") {
            // The name is a folder itself ("dir/", a link to ".."): nothing to replace there.
            struct stat info {};
            if (::fstatat(target.Folder.Get(), name.empty() ? "." : name.c_str(), &info, 0) != 0)
                throw failure(errno);
            throw NotRegularFailure(FileOperation::Write, path, info.st_mode);
        }
        struct stat info {};
        if (::fstatat(target.Folder.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                throw failure(errno);
            target.Name = name;
            return target; // a new file
        }
        if (!S_ISLNK(info.st_mode)) {
            // Replacing a device, pipe or folder by a regular file is never what the user meant (and as root
            // would remove /dev/full itself), so an existing target must be a regular file.
            if (!S_ISREG(info.st_mode))
                throw NotRegularFailure(FileOperation::Write, path, info.st_mode);
            // The file is replaced, not written, but a file the user may not write stays as it is.
            if (::faccessat(target.Folder.Get(), name.c_str(), W_OK, AT_EACCESS) != 0)
                throw failure(errno);
            target.Name = name;
            target.Exists = true;
            target.Mode = info.st_mode & 0777;
            return target;
        }
        if (links == MaximumLinks)
            throw failure(ELOOP);
        struct stat folderInfo {};
        if (::fstat(target.Folder.Get(), &folderInfo) != 0)
            throw failure(errno);
        if (!MayFollowLink(info, folderInfo))
            throw FileError(FileOperation::Write, path, FileProblem::UntrustedLink,
                            QStringLiteral("the link %1 belongs to another user in a sticky folder anyone can "
                                           "write to, and is not followed")
                                .arg(QFile::decodeName(QByteArray::fromStdString(shown))));
        std::string linkText(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        const ssize_t length = ::readlinkat(target.Folder.Get(), name.c_str(), linkText.data(), linkText.size());
        if (length <= 0)
            throw failure(length < 0 ? errno : ENOENT);
        if (static_cast<std::size_t>(length) >= linkText.size())
            throw failure(ENAMETOOLONG); // the link grew since fstatat: follow nothing half read
        linkText.resize(static_cast<std::size_t>(length));
        auto [linkFolder, linkName] = SplitPath(linkText);
        if (linkText.front() == '/') {
            shown = linkText;
        } else {
            const std::string shownFolder = SplitPath(shown).first;
            shown = shownFolder.empty() ? linkText : shownFolder == "/" ? "/" + linkText : shownFolder + "/" + linkText;
        }
        if (linkText.find('/') != std::string::npos) {
            target.Folder = OpenFolder(linkText.front() == '/' ? AT_FDCWD : target.Folder.Get(), linkFolder);
            if (!target.Folder.Valid())
                throw failure(errno);
        }
        name = linkName;
    }
}

// A fresh temporary file beside the target, created in the target's folder itself (never through a link).
OwnedFd CreateTemporary(int folder, const std::string& name, mode_t mode, std::string& temporaryName) {
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> letter(0, 51);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(6, 'a');
        do {
            for (char& c : suffix)
                c = Letters[letter(random)];
        } while (!IsTemporarySuffix(suffix)); // so that RemoveStaleTemporaries knows it for ours
        temporaryName = name + '.' + suffix;
        OwnedFd fd(::openat(folder, temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        if (fd.Valid() || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return OwnedFd();
}

int SystemDataSync(int fd) {
    return ::fdatasync(fd);
}

FileDataSync CurrentDataSync = SystemDataSync;

} // namespace

FileDataSync SetFileDataSyncForTesting(FileDataSync sync) {
    const FileDataSync previous = CurrentDataSync;
    CurrentDataSync = sync ? sync : SystemDataSync;
    return previous;
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    WriteTarget target = ResolveWriteTarget(path);
    const int folder = target.Folder.Get();

    // A new file gets what the umask allows of rw for all; a replaced one keeps its permission bits.
    std::string temporaryName;
    errno = 0;
    OwnedFd file = CreateTemporary(folder, target.Name, target.Exists ? target.Mode : 0666, temporaryName);
    if (!file.Valid())
        throw SystemFailure(FileOperation::Write, path, errno);
    const auto discard = [&](FileError failure) {
        file = OwnedFd();
        ::unlinkat(folder, temporaryName.c_str(), 0); // the old file stays as it was
        return failure;
    };
    // The umask applied when the temporary was made; the file it replaces keeps its bits all the same.
    if (target.Exists && ::fchmod(file.Get(), target.Mode) != 0)
        throw discard(SystemFailure(FileOperation::Write, path, errno));

    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t step = ::write(file.Get(), bytes.constData() + written, static_cast<std::size_t>(bytes.size() - written));
        if (step > 0) {
            written += step;
            continue;
        }
        const int error = step < 0 ? errno : 0;
        if (error == EINTR)
            continue;
        // A write cut short (disk full, file size limit) shows as a short count before any error.
        if (written > 0 || error == 0)
            throw discard(FileError(FileOperation::Write, path, FileProblem::ShortWrite,
                                    QStringLiteral("the file was not written in full"), error));
        throw discard(SystemFailure(FileOperation::Write, path, error));
    }
    // Only bytes that reached the disk count as saved: a failed sync (EIO) fails the save, and the old file stays.
    if (CurrentDataSync(file.Get()) != 0)
        throw discard(SystemFailure(FileOperation::Write, path, errno));
    if (::close(file.Get()) != 0) {
        const int error = errno;
        file.Release();
        throw discard(SystemFailure(FileOperation::Write, path, error));
    }
    file.Release();
    // Renamed within the folder that was checked, onto the name found there: a link put at that name in the
    // meantime is replaced, not followed.
    if (::renameat(folder, temporaryName.c_str(), folder, target.Name.c_str()) != 0)
        throw discard(SystemFailure(FileOperation::Write, path, errno));
    // The new name lasts once the folder is on disk too; a file system that cannot sync a folder says EINVAL.
    OwnedFd folderForSync(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderForSync.Valid() && ::fsync(folderForSync.Get()) != 0 && errno != EINVAL)
        throw SystemFailure(FileOperation::Write, path, errno);
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
