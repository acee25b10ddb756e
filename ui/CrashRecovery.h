#pragma once
// A copy of the unsaved map that outlives a crash. While the map is modified, a copy is written into the
// user's data folder every interval (自動保存の間隔 in the preferences, 30 s unless chosen otherwise), and at
// once on a change that comes after a whole interval without a copy; none with the interval 0 (しない), unless
// a termination signal ends the editor. The copy holds the map image and the path of the file it belongs to, and is
// written through a temporary file like a map. It goes away when the map is saved, replaced by New or Open,
// or undone back to its saved state, and when the editor ends normally.
//
// Each running editor with a copy holds a lock beside it; a copy whose lock no running editor holds is one an
// editor left behind, and the next start offers to restore it.

#include "FileAccess.h"
#include "MapGrid.h"
#include "Platform.h"

#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace tav {

class Document;

// A copy left by an editor that ended without cleaning up.
struct RecoveredMap {
    QString CopyPath;  // the copy itself
    QString MapPath;   // the file the map belongs to; empty for a map never saved
    QDateTime Written; // when the copy was written
    MapGrid Grid{};
    tav::TileSet TileSet = tav::TileSet::Verda;
};

// The copy's bytes: the map image, then the map's path in UTF-8.
QByteArray RecoveryCopyBytes(const MapGrid& grid, TileSet tileSet, const QString& mapPath);

class CrashRecovery : public QObject {
    Q_OBJECT
public:
    // Keeps copies of `document` in `folder` (created when needed) every `intervalMilliseconds`; 0: never.
    CrashRecovery(Document* document, const QString& folder, int intervalMilliseconds, QObject* parent = nullptr);
    // Removes this editor's copy unless KeepForNextStart was called.
    ~CrashRecovery() override;

    // The copies in `folder` whose editors have ended, newest first. The caller owns their locks until it
    // calls Forget or the list is destroyed.
    class Leftovers {
    public:
        std::vector<RecoveredMap> Maps;
        // Copies and locks that are not regular files: never opened (a pipe would block the editor), left as
        // they are.
        QStringList Refused;
        // Removes a copy once it was restored or declined.
        void Forget(const RecoveredMap& map);

    private:
        friend class CrashRecovery;
        std::vector<std::unique_ptr<QLockFile>> locks_;
    };
    static Leftovers FindLeftovers(const QString& folder);

    // This editor's copy.
    const QString& CopyPath() const { return copyPath_; }
    // Another interval, from now on; 0 also removes this editor's copy.
    void SetInterval(int milliseconds);
    int Interval() const { return interval_; }
    // Writes the copy now if the map is modified. A failed write is told once on stderr, never in a box,
    // since the user did not ask for it; the session tells the user through Failure.
    void WriteCopy();
    // Why the last copy could not be written; nothing once one was written again.
    const std::optional<FileError>& Failure() const { return failure_; }
    void RemoveCopy();
    // For an ending that is not the user's choice (a termination signal): the copy is brought up to date
    // and left for the next start.
    void KeepForNextStart();

signals:
    // The copies began or stopped failing.
    void FailureChanged();

private:
    void HistoryChanged();
    void TimerTick();
    // Makes the folder and locks this editor's copy against other editors.
    void TakeLock();

    Document* document_;
    QString folder_;
    QString copyPath_;
    std::unique_ptr<QLockFile> lock_;
    BlinkTimer timer_;
    int interval_;
    bool changedSinceCopy_ = false;
    bool copiedSinceTick_ = false; // a copy was written since the timer's last tick
    bool keep_ = false;
    std::optional<FileError> failure_;
};

} // namespace tav
