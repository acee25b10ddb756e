#include "CrashRecovery.h"

#include "Document.h"
#include "FileAccess.h"
#include "MapImage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <span>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tav {

namespace {

const QString CopySuffix = QStringLiteral(".tavmap");
const QString LockSuffix = QStringLiteral(".lock");
// A path longer than this is not one a copy holds; it bounds what is read of a damaged copy.
constexpr qint64 MaximumPathBytes = 64 * 1024;

QString LockPathOf(const QString& copyPath) {
    return copyPath.left(copyPath.size() - CopySuffix.size()) + LockSuffix;
}

// Qt takes a lock whose owner it cannot read (empty, cut short, scribbled over) for a live one however old it
// is, which would hide its copy for ever. An editor holds a kernel lock on its lock file while it runs, so such
// a lock is stale unless someone holds that. One that cannot even be opened is no editor's: an editor's lock
// is always readable by its user.
bool UnreadableLockNobodyHolds(const QLockFile& lock) {
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.getLockInfo(&pid, &host, &application))
        return false; // readable: Qt has judged it by its owner already
    const int fd = ::open(QFile::encodeName(lock.fileName()).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return true;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

} // namespace

QByteArray RecoveryCopyBytes(const MapGrid& grid, TileSet tileSet, const QString& mapPath) {
    return MapImageBytes(BuildMapImage(grid, tileSet)) + mapPath.toUtf8();
}

CrashRecovery::CrashRecovery(Document* document, const QString& folder, int intervalMilliseconds, QObject* parent)
    : QObject(parent), document_(document), folder_(folder), timer_([this] { TimerTick(); }, this),
      interval_(std::max(0, intervalMilliseconds)) {
    // The time and the process id make the name unique among the editors of this user, also after a
    // process id is used again.
    const QString name = QStringLiteral("session-%1-%2")
                             .arg(QDateTime::currentMSecsSinceEpoch())
                             .arg(QCoreApplication::applicationPid());
    copyPath_ = QDir(folder_).filePath(name + CopySuffix);

    connect(document_->UndoStack(), &QUndoStack::indexChanged, this, &CrashRecovery::HistoryChanged);
    connect(document_, &Document::ModifiedChanged, this, [this](bool modified) {
        if (!modified)
            RemoveCopy();
    });
    timer_.setObjectName(QStringLiteral("recoveryTimer"));
    timer_.SetInterval(interval_);
}

CrashRecovery::~CrashRecovery() {
    if (!keep_)
        RemoveCopy();
}

void CrashRecovery::HistoryChanged() {
    changedSinceCopy_ = true;
    if (!document_->IsModified()) {
        RemoveCopy();
        return;
    }
    // The first change after a quiet spell (a tick with nothing to copy) is kept at once; later ones wait for
    // the timer.
    if (interval_ > 0 && !copiedSinceTick_)
        WriteCopy();
}

void CrashRecovery::TimerTick() {
    if (changedSinceCopy_)
        WriteCopy();
    else
        copiedSinceTick_ = false;
}

void CrashRecovery::SetInterval(int milliseconds) {
    const bool wasOff = interval_ == 0;
    interval_ = std::max(0, milliseconds);
    timer_.SetInterval(interval_);
    if (interval_ == 0)
        RemoveCopy();
    else if (wasOff)
        WriteCopy(); // a modified map had no copy while they were off
}

void CrashRecovery::WriteCopy() {
    if (!document_->IsModified())
        return;
    TakeLock();
    try {
        WriteFileAtomically(copyPath_,
                            RecoveryCopyBytes(document_->Grid(), document_->TileSet(), document_->FilePath()));
        changedSinceCopy_ = false;
        copiedSinceTick_ = true;
        if (failure_) {
            failure_.reset();
            emit FailureChanged();
        }
    } catch (const FileError& error) {
        const bool first = !failure_;
        failure_ = error;
        if (first) {
            std::fprintf(stderr, "TavrennaMapEditor: no recovery copy: %s\n", error.what());
            emit FailureChanged();
        }
    }
}

void CrashRecovery::TakeLock() {
    // Taken before the first copy is written, not at start: the lock is synced to disk, which would cost every
    // start-up time although most editing sessions end saved.
    // A lock not taken (the folder could not be made yet) is tried again, so that a copy never goes unlocked.
    if (lock_ && lock_->isLocked())
        return;
    QDir().mkpath(folder_);
    lock_ = std::make_unique<QLockFile>(LockPathOf(copyPath_));
    lock_->setStaleLockTime(0);
    lock_->tryLock(0);
}

void CrashRecovery::RemoveCopy() {
    if (keep_)
        return;
    QFile::remove(copyPath_);
    changedSinceCopy_ = false;
    copiedSinceTick_ = false;
}

void CrashRecovery::KeepForNextStart() {
    keep_ = true;
    WriteCopy();
}

CrashRecovery::Leftovers CrashRecovery::FindLeftovers(const QString& folder) {
    Leftovers found;
    const QDir dir(folder);
    // Whatever bears a copy's name, so that a pipe or a folder among them is told about rather than passed over.
    for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*") + CopySuffix},
                                                   QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QFileInfo lockInfo(LockPathOf(info.absoluteFilePath()));
        if (!info.isFile() || (lockInfo.exists() && !lockInfo.isFile())) {
            found.Refused.append(info.isFile() ? lockInfo.absoluteFilePath() : info.absoluteFilePath());
            continue;
        }
        auto lock = std::make_unique<QLockFile>(lockInfo.absoluteFilePath());
        // Only a dead owner makes a lock stale; a long-running editor keeps its copy however old the lock is.
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0) &&
            !(UnreadableLockNobodyHolds(*lock) && lock->removeStaleLockFile() && lock->tryLock(0)))
            continue; // its editor is running
        RecoveredMap map;
        map.CopyPath = info.absoluteFilePath();
        map.Written = info.lastModified();
        bool readable = false;
        try {
            const QByteArray bytes = ReadFileHead(map.CopyPath, static_cast<qint64>(MapFileSize) + MaximumPathBytes);
            const auto content = ReadMapImage(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                                        std::min<std::size_t>(MapFileSize, static_cast<std::size_t>(bytes.size()))));
            if (content) {
                map.Grid = content->Grid;
                map.TileSet = TileSetNumbered(content->TileSet).value_or(TileSet::Verda);
                map.MapPath = QString::fromUtf8(bytes.mid(static_cast<qsizetype>(MapFileSize)));
                readable = true;
            }
        } catch (const FileError&) {
        }
        if (!readable) {
            // A copy cut short cannot be restored; it only gets in the way.
            QFile::remove(map.CopyPath);
            continue;
        }
        found.Maps.push_back(map);
        found.locks_.push_back(std::move(lock));
    }
    std::sort(found.Maps.begin(), found.Maps.end(),
              [](const RecoveredMap& a, const RecoveredMap& b) { return a.Written > b.Written; });
    return found;
}

void CrashRecovery::Leftovers::Forget(const RecoveredMap& map) {
    QFile::remove(map.CopyPath);
    const QString lockPath = LockPathOf(map.CopyPath);
    for (auto& lock : locks_)
        if (lock && lock->fileName() == lockPath)
            lock.reset(); // unlocking removes the lock file
}


} // namespace tav
