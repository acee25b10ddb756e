// The editor's file dialogs and termination signals inside the editor process: a listed file whose
// reading blocks must not freeze the window, and a termination signal must reach the before-exit hook through the event loop.

#include "Platform.h"
#include "ProcessSignals.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace tav {
namespace {

// A regular file whose opening blocks, as /proc/kmsg does: the test holds a write lease on it, so any
// other open waits until the lease is given up. The watch gives it up as soon as someone is waiting and
// notes that, so a dialog that reads listed files fails the test instead of hanging it.
class BlockingFile {
public:
    explicit BlockingFile(const QString& path) {
        previousSigio_ = std::signal(SIGIO, SIG_IGN); // the lease break is noticed by polling instead
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        leased_ = fd_ >= 0 && ::fcntl(fd_, F_SETLEASE, F_WRLCK) == 0;
        if (leased_)
            thread_ = std::thread([this] {
                while (!stop_) {
                    if (::fcntl(fd_, F_GETLEASE) != F_WRLCK) {
                        opened_ = true;
                        ::fcntl(fd_, F_SETLEASE, F_UNLCK);
                        return;
                    }
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                }
            });
    }
    ~BlockingFile() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        if (fd_ >= 0)
            ::close(fd_);
        std::signal(SIGIO, previousSigio_);
    }
    bool Leased() const { return leased_; }
    bool Opened() const { return opened_; }

private:
    void (*previousSigio_)(int) = nullptr;
    int fd_ = -1;
    bool leased_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<bool> opened_{false};
    std::thread thread_;
};

TEST(FileDialogs, ListingAFolderOpensNoListedFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"a.map", "b.map", "held.map"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    BlockingFile held(dir.filePath(QStringLiteral("held.map")));
    if (!held.Leased())
        GTEST_SKIP() << "file leases are not available here";

    // The dialog is closed once all three files show a type, which is when a type guessed from content
    // would have read them.
    bool listed = false;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (const auto* model = dialog->findChild<QFileSystemModel*>()) {
            const QModelIndex folder = model->index(dir.path());
            int typed = 0;
            for (int row = 0; row < model->rowCount(folder); ++row)
                typed += model->data(model->index(row, 2, folder)).toString().isEmpty() ? 0 : 1;
            listed = typed == 3;
        }
        if (listed || clock.elapsed() > 10000)
            dialog->reject();
    });
    poll.start(20);

    FileDialogSettings settings;
    settings.PresetName = dir.filePath(QStringLiteral("a.map"));
    settings.Filter = QStringLiteral("タヴレンナマップファイル(*.map)|*.map");
    settings.DefaultSuffix = QStringLiteral("map");
    settings.FileMustExist = true;
    Platform realPlatform;
    EXPECT_FALSE(realPlatform.OpenFileName(nullptr, settings).has_value());
    EXPECT_TRUE(listed) << "the folder was not listed within 10 s";
    EXPECT_FALSE(held.Opened()) << "the dialog opened a listed file";
}

TEST(TerminationSignals, RunTheBeforeExitHookAndEndTheEventLoopWithStatusZero) {
    InstallProcessSignalHandling();
    int hookRuns = 0;
    SetBeforeExitHook([&] { ++hookRuns; });
    QTimer deadline; // a signal that never reaches the loop fails the test instead of hanging it
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    deadline.start(10000);
    QTimer::singleShot(0, [] { ::raise(SIGTERM); });
    EXPECT_EQ(RunEventLoop(), 0);
    EXPECT_EQ(hookRuns, 1);
    SetBeforeExitHook({});
}

} // namespace
} // namespace tav
