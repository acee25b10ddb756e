// Settings and recovery files that are not regular files: a pipe would block the editor for ever, a device
// might never end. The editor refuses them, says so once in the status bar, starts with its defaults and
// leaves the odd file as it is.

#include "TestMaps.h"

#include <QSettings>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tav::testing {
namespace {

// Notes whether anyone was left waiting on a pipe: after a moment it opens the pipe for writing whenever a
// reader waits there, which lets that reader go on with nothing read, so a fault fails the test instead of
// hanging it.
class PipeWatch {
public:
    explicit PipeWatch(const QString& path) : path_(QFile::encodeName(path)), thread_([this] { Run(); }) {}
    ~PipeWatch() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    bool SawWaitingReader() const { return sawReader_; }

private:
    void Run() {
        std::unique_lock lock(mutex_);
        if (wake_.wait_for(lock, std::chrono::seconds(2), [this] { return stop_; }))
            return;
        while (!wake_.wait_for(lock, std::chrono::milliseconds(50), [this] { return stop_; })) {
            const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                sawReader_ = true;
                ::close(fd);
            }
        }
    }

    QByteArray path_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::atomic<bool> sawReader_{false};
    std::thread thread_;
};

enum class Odd { Pipe, Folder, LinkToDevice };

void MakeOdd(const QString& path, Odd kind) {
    QFile::remove(path);
    const QByteArray native = QFile::encodeName(path);
    switch (kind) {
    case Odd::Pipe:
        ASSERT_EQ(::mkfifo(native.constData(), 0600), 0);
        break;
    case Odd::Folder:
        ASSERT_TRUE(QDir().mkpath(path));
        break;
    case Odd::LinkToDevice:
        ASSERT_EQ(::symlink("/dev/null", native.constData()), 0);
        break;
    }
}

bool StillOdd(const QString& path, Odd kind) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return kind == Odd::Pipe ? S_ISFIFO(info.st_mode) : kind == Odd::Folder ? S_ISDIR(info.st_mode) : S_ISLNK(info.st_mode);
}

TEST(FileTypes, SettingsAndRecoveryFilesThatAreNotRegularAreRefusedSaidOnceAndLeftAlone) {
    enum Place { Settings, SettingsLock, OrganisationSettings, RecoveryCopy, RecoveryLock };
    const struct {
        const char* name;
        Place place;
        Odd kind;
        const char* notice;
    } cases[] = {
        {"settings file a pipe", Settings, Odd::Pipe, "設定ファイルを使えません"},
        {"settings file a folder", Settings, Odd::Folder, "設定ファイルを使えません"},
        {"settings file a link to a device", Settings, Odd::LinkToDevice, "設定ファイルを使えません"},
        {"settings lock a pipe", SettingsLock, Odd::Pipe, "設定ファイルを使えません"},
        {"organisation's settings a pipe", OrganisationSettings, Odd::Pipe, "設定ファイルを使えません"},
        {"recovery copy a pipe", RecoveryCopy, Odd::Pipe, "復元用フォルダに通常のファイルでないもの"},
        {"recovery copy a folder", RecoveryCopy, Odd::Folder, "復元用フォルダに通常のファイルでないもの"},
        {"recovery lock a pipe", RecoveryLock, Odd::Pipe, "復元用フォルダに通常のファイルでないもの"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditorDriver d(EditorOptions{.Session = true});
        d.Trigger("gridLinesAction"); // stored: not the default
        const QString settings = QSettings(QStringLiteral("Tavrenna"), QStringLiteral("Tavrenna MapEditor")).fileName();
        const QDir recovery(d.RecoveryFolder());
        ASSERT_TRUE(QDir().mkpath(recovery.path()));
        const QString paths[] = {settings, settings + QStringLiteral(".lock"),
                                 QFileInfo(settings).absolutePath() + QStringLiteral(".conf"),
                                 recovery.filePath(QStringLiteral("session-9-9.tavmap")),
                                 recovery.filePath(QStringLiteral("session-9-9.lock"))};
        const QString& odd = paths[c.place];
        if (c.place == RecoveryLock) {
            ASSERT_TRUE(PutFile(paths[RecoveryCopy], ImageBytes(PlayableGrid(), 10)));
        }
        MakeOdd(odd, c.kind);
        const bool settingsRefused = c.place <= OrganisationSettings;
        {
            std::optional<PipeWatch> watch;
            if (c.kind == Odd::Pipe)
                watch.emplace(odd);
            d.Restart();
            EXPECT_EQ(d.Checked("gridLinesAction"), !settingsRefused) << "the settings were not those stored";
            d.Trigger("gridLinesAction"); // a change to store
            EXPECT_FALSE(watch && watch->SawWaitingReader()) << "the editor waited on the pipe";
        }
        const QString notice = d.LabelText("status notice");
        EXPECT_EQ(notice.count(QString::fromUtf8(c.notice)), 1) << notice.toStdString();
        EXPECT_TRUE(d.Widget("status notice")->toolTip().contains(QDir::toNativeSeparators(odd)));
        EXPECT_TRUE(d.platform().Messages.empty());
        EXPECT_TRUE(StillOdd(odd, c.kind)) << "the odd file was changed";
        if (c.kind == Odd::Folder)
            QDir(odd).removeRecursively();
        else
            QFile::remove(odd);
    }
}

} // namespace
} // namespace tav::testing
