#pragma once
// Reading and writing map files without surprises: only the first bytes of a file that a map can use
// are read, nothing but a regular file is opened (a pipe or a device would block or never end), and
// every file is written through a temporary file that replaces the old one only when it is complete.

#include "MapImage.h"

#include <QByteArray>
#include <QString>

#include <stdexcept>

namespace tav {

// Whether reading or writing failed.
enum class FileOperation { Read, Write };

// Why: a system error (its errno is kept), or a path that names something other than a regular file,
// or a write the system cut short without an error, or a link at the written path that another user put
// in a shared sticky folder (such as /tmp), which a write never follows.
enum class FileProblem { SystemError, Directory, Pipe, Device, NotRegular, ShortWrite, UntrustedLink };

// A file that could not be read or written. The text names the file and gives the system's reason,
// "<path>: cannot read: <reason>" or "<path>: cannot write: <reason>"; the parts stay apart so that the
// editor can say the same in its own language.
class FileError : public std::runtime_error {
public:
    FileError(FileOperation operation, const QString& path, FileProblem problem, const QString& reason,
              int errorNumber = 0);
    const QString& Text() const { return text_; }
    FileOperation Operation() const { return operation_; }
    const QString& Path() const { return path_; }
    FileProblem Problem() const { return problem_; }
    const QString& Reason() const { return reason_; }
    // The errno of a system error; 0 when none is known.
    int ErrorNumber() const { return errorNumber_; }

private:
    static QString Compose(FileOperation operation, const QString& path, const QString& reason);

    QString text_;
    FileOperation operation_;
    QString path_;
    FileProblem problem_;
    QString reason_;
    int errorNumber_;
};

// The first bytes of a file and the size the file reports of itself.
struct FileHead {
    QByteArray Bytes;        // at most the limit asked for; nothing when the reported size was too small
    qint64 ReportedSize = 0; // as fstat gives it for the opened file: 0 for most files under /proc and /sys
};

// Reads at most `limit` bytes from the start of the regular file at `path`; fewer when the file is
// shorter. When the opened file reports fewer than `minimumSize` bytes, nothing is read: a file under /proc
// passes as regular but reports 0, and reading it may consume what others are waiting for. Throws FileError
// when the path does not name a regular file or the file cannot be read.
FileHead ReadFileHead(const QString& path, qint64 limit, qint64 minimumSize);
inline QByteArray ReadFileHead(const QString& path, qint64 limit) {
    return ReadFileHead(path, limit, 0).Bytes;
}

// The bytes of a map file that ReadMapImage looks at: the first 2306, however large the file is.
inline QByteArray ReadMapFileBytes(const QString& path) {
    return ReadFileHead(path, static_cast<qint64>(MapFileSize));
}

// Writes `bytes` to `path` through a temporary file in the same folder that is renamed over the old file
// only once every byte is on disk (a failed fdatasync fails the write). Throws FileError naming the file;
// the old file is then left as it was. An existing target that is not a regular file (a folder, a device) is
// refused.
//
// A link at `path`, and each further link it leads to, is followed by this code, under the rule the kernel
// applies with fs.protected_symlinks = 1 whatever the system is set to: a link in a folder that is sticky
// and writable by anyone is followed only when it belongs to the effective user (root too) or to the
// folder's owner; any other is refused (FileProblem::UntrustedLink). The temporary file is then made in
// the folder the last link leads to and renamed onto the name found there, with no second lookup of the
// path. Links in the folders on the way are left to the kernel. So a user's own link to a map is written
// through, as a save always did.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

// The call that puts a written file's data on disk: fdatasync, unless a test injects a failure through
// SetFileDataSyncForTesting, which returns the previous call (nullptr restores fdatasync). It must return
// 0 or set errno and return -1, as fdatasync does.
using FileDataSync = int (*)(int fd);
FileDataSync SetFileDataSyncForTesting(FileDataSync sync);

// Removes what an interrupted WriteFileAtomically left beside the map at `mapPath`: a regular file of
// ours named "<map name>.<six random letters>", no larger than a map and at least a minute old (a younger
// one may belong to a save under way in another process). Names a person would give a copy, such as
// "castle.map.backup", are never taken for one. Returns how many files were removed; failures are ignored.
int RemoveStaleTemporaries(const QString& mapPath);

// The image as bytes to write.
inline QByteArray MapImageBytes(const MapImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size()));
}

} // namespace tav
