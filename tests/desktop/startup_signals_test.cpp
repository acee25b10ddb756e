// Termination signals while the editor program is still starting, as real child processes: a question or a
// message on the screen before the event loop runs must never take the signal for the user's answer.

#include "DesktopFixture.h"

#include <QDir>
#include <QStandardPaths>

#include <chrono>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace tav::testing {
namespace {

// Waits for `pid` to end, at most `seconds`; its wait status, or nothing when it still runs (it is then killed).
std::optional<int> WaitForEnd(pid_t pid, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return std::nullopt;
}

TEST_F(DesktopTest, TerminationSignalDuringAStartUpQuestionEndsTheEditorAndKeepsEveryRecoveryCopy) {
    const QString folder = EditorSession::DefaultOptions().RecoveryFolder;
    const QString oneByteMap = Path("short.map");
    ASSERT_TRUE(PutFile(oneByteMap, "x"));
    const struct {
        const char* name;
        QStringList arguments;
        const char* shown; // what is on the screen when the signal comes
        int signal;
    } cases[] = {
        {"SIGTERM at the recovery question", {}, "復元しますか", SIGTERM},
        {"SIGHUP at the recovery question", {}, "復元しますか", SIGHUP},
        {"SIGINT at the recovery question", {}, "復元しますか", SIGINT},
        {"SIGTERM at the message about a file on the command line", {oneByteMap}, "ファイル形式が正常ではありません",
         SIGTERM},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString copy = QDir(folder).filePath(QStringLiteral("session-1-1.tavmap"));
        const QByteArray copyBytes = RecoveryCopyBytes(SampleGrid(5), TileSet::Coronet, Path("lost.map"));
        ASSERT_TRUE(PutFile(copy, copyBytes));
        const QString notes = Path("notes.txt");
        QFile::remove(notes);

        QList<QByteArray> words = {QFile::encodeName(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()),
                                   "--editor-program", QFile::encodeName(notes)};
        for (const QString& argument : c.arguments)
            words.append(QFile::encodeName(argument));
        std::vector<char*> argv;
        for (QByteArray& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
        bool shown = false;
        for (int i = 0; i < 400 && !shown; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            shown = QString::fromUtf8(FileBytes(notes)).contains(QString::fromUtf8(c.shown));
        }
        ::kill(pid, c.signal);
        const std::optional<int> status = WaitForEnd(pid, 10);
        ASSERT_TRUE(shown) << "the editor never showed " << c.shown;
        EXPECT_TRUE(status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0)
            << (status ? "ended by the signal, not by itself" : "the editor went on running after the signal");
        EXPECT_EQ(FileBytes(copy), copyBytes) << "the recovery copy was not kept as it was";
        EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.tavmap")}, QDir::Files), QStringList{"session-1-1.tavmap"});
    }
}

} // namespace
} // namespace tav::testing
