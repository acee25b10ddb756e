#pragma once
// What a run of the editor keeps beyond its window: the file named on the command line, the recent-files
// list in the settings, and the recovery copy of an unsaved map, offered again after a crash; and what it
// has to say about them in the status bar (a settings file or recovery files it cannot use). main makes one;
// window tests that do not need these leave it out, so they never touch the user's settings.

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace tav {

class CrashRecovery;
class MainWindow;
class RecentFiles;
class StatusNotices;

// The command line after Qt took its own options: at most one map file.
struct EditorArguments {
    std::optional<QString> MapPath;
    QString UsageError; // not empty: what was wrong, for the user
};
EditorArguments ParseEditorArguments(const QStringList& arguments);

// The usage line shown with a usage error.
inline constexpr char EditorUsage[] =
    QT_TRANSLATE_NOOP("EditorSession", "使い方: TavrennaMapEditor [ファイル.map]");

class EditorSession : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString RecoveryFolder;
        // The recovery copies' interval at start; 0: the one the preferences set. A change of the preference
        // takes effect in either case.
        int RecoveryIntervalMilliseconds = 0;
    };
    // The recovery copies go to "recovery" in the user's data folder; TAV_RECOVERY_INTERVAL_MS, when set
    // to a positive number, sets their interval at start (for tests and for the cautious).
    static Options DefaultOptions();

    EditorSession(MainWindow* window, const Options& options);
    ~EditorSession() override;

    // Opens the map given at start, if any (errors are reported as Open reports them, and the map stays
    // empty), then offers each recovery copy an ended editor left, newest first, until one is restored.
    void Start(const std::optional<QString>& mapPath);

    RecentFiles* Recent() const { return recent_; }
    CrashRecovery* Recovery() const { return recovery_; }

private:
    void OfferRecovery();
    QString RecoveryFailureText() const;

    MainWindow* window_;
    QString recoveryFolder_;
    RecentFiles* recent_ = nullptr;
    CrashRecovery* recovery_ = nullptr;
    StatusNotices* notices_ = nullptr;
    int autosavePreference_ = 0; // the preference's interval the copies were last set to follow, in ms
};

} // namespace tav
