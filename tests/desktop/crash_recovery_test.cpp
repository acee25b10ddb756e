// The recovery copy: written while the map is modified, gone when it is saved, replaced or undone, and
// after a real SIGKILL or termination signal of an editor process offered at the next start, restored as a
// modified map that keeps its file.

#include "DesktopFixture.h"
#include "ShiftMapCommand.h"

#include <QDir>

#include <chrono>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tav::testing {
namespace {

QStringList CopiesIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.tavmap")}, QDir::Files);
}

MapGrid Shifted(MapGrid grid, ShiftDirection direction, int times) {
    Document document;
    document.Reset(grid, TileSet::Verda, QString(), QString());
    for (int i = 0; i < times; ++i)
        document.Push(new edits::ShiftMapCommand(&document, direction));
    return document.Grid();
}

// A SIGKILL leaves the copy the timer wrote last; a termination signal (logout, a closed terminal, kill)
// brings the copy up to date and ends the editor normally, so even changes the timer had not kept yet
// survive.
TEST_F(DesktopTest, MapEditedInAKilledOrTerminatedEditorIsRestoredModifiedWithItsFile) {
    const struct {
        const char* name;
        int signal;
        const char* intervalMs; // the terminated editor's timer never runs: only its ending can keep the changes
    } cases[] = {{"SIGKILL", SIGKILL, "100"}, {"SIGTERM", SIGTERM, "600000"}, {"SIGHUP", SIGHUP, "600000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Window = std::make_unique<MainWindow>(); // an editor of its own, with no session of the case before
        for (const QString& name : CopiesIn(RecoveryFolder()))
            QFile::remove(QDir(RecoveryFolder()).filePath(name));
        const QString map = Path("crash.map");
        ASSERT_TRUE(PutFile(map, MapBytes(SampleGrid(2), 1)));
        const MapGrid edited = Shifted(SampleGrid(2), ShiftDirection::Right, 3);
        const QByteArray expectedCopy = RecoveryCopyBytes(edited, TileSet::Sandra, map);

        // This test program, started as an editor: it opens the map, shifts it, switches the tile set, and runs.
        const QByteArray self = QFile::encodeName(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
        const QByteArray folder = QFile::encodeName(RecoveryFolder());
        const QByteArray mapArgument = QFile::encodeName(map);
        char option[] = "--editor-child";
        QByteArray interval(c.intervalMs);
        char* argv[] = {const_cast<char*>(self.constData()), option, const_cast<char*>(folder.constData()),
                        const_cast<char*>(mapArgument.constData()), interval.data(), nullptr};
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, self.constData(), nullptr, nullptr, argv, environ), 0);
        // The first change is kept at once: the editor has started and made its changes.
        bool started = false;
        for (int i = 0; i < 300 && !started; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            started = !CopiesIn(RecoveryFolder()).isEmpty();
        }
        bool copied = false;
        for (int i = 0; i < 300 && !copied && c.signal == SIGKILL; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            for (const QString& name : CopiesIn(RecoveryFolder()))
                copied = copied || FileBytes(QDir(RecoveryFolder()).filePath(name)) == expectedCopy;
        }
        ::kill(pid, c.signal);
        int status = 0;
        ::waitpid(pid, &status, 0); // a zombie would still count as a running editor
        ASSERT_TRUE(started) << "the child wrote no recovery copy";
        if (c.signal == SIGKILL) {
            ASSERT_TRUE(copied) << "the child wrote no recovery copy of its last change";
            ASSERT_TRUE(WIFSIGNALED(status));
        } else {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "ended by the signal, not by itself";
        }

        // The next start asks, naming the file, and restores the map as an unsaved change to that file.
        Platform->Questions.clear();
        Platform->Answers.push_back(true);
        StartSession()->Start(std::nullopt);
        ASSERT_EQ(Platform->Questions.size(), 1u);
        EXPECT_TRUE(Platform->Questions[0].contains(QStringLiteral("復元しますか")));
        EXPECT_TRUE(Platform->Questions[0].contains(map));
        EXPECT_EQ(Doc().Grid(), edited);
        EXPECT_EQ(Doc().TileSet(), TileSet::Sandra);
        EXPECT_EQ(Doc().FilePath(), map);
        EXPECT_TRUE(Doc().IsModified());
        // The ended editor's copy is gone; this editor's own copy already holds the restored map.
        const QStringList copies = CopiesIn(RecoveryFolder());
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(FileBytes(QDir(RecoveryFolder()).filePath(copies[0])), expectedCopy);

        // One undo shows the file as saved.
        Doc().UndoStack()->undo();
        EXPECT_EQ(Doc().Grid(), SampleGrid(2));
        EXPECT_EQ(Doc().TileSet(), TileSet::Verda);
        EXPECT_FALSE(Doc().IsModified());
        EXPECT_TRUE(CopiesIn(RecoveryFolder()).isEmpty());
    }
}

TEST_F(DesktopTest, CopyFollowsTheModifiedMapAndGoesWithSaveNewAndExit) {
    const QString map = Path("kept.map");
    PutFile(map, MapBytes(SampleGrid(3), 2));
    EditorSession* session = StartSession(60'000);
    session->Start(map);
    const QString copy = session->Recovery()->CopyPath();
    EXPECT_FALSE(QFile::exists(copy));

    // The first change after a quiet spell is kept at once.
    Doc().Push(new edits::ShiftMapCommand(&Doc(), ShiftDirection::Left));
    EXPECT_EQ(FileBytes(copy), RecoveryCopyBytes(Doc().Grid(), TileSet::Coronet, map));
    Doc().UndoStack()->undo();
    EXPECT_FALSE(QFile::exists(copy));

    struct Case {
        const char* name;
        std::function<void()> end;
    };
    const Case cases[] = {
        {"save", [&] {
             Platform->Answers = {true};
             Window->Files()->Save();
         }},
        {"new after the question", [&] {
             Platform->Answers = {true};
             Window->Files()->NewMap();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Doc().Push(new edits::ShiftMapCommand(&Doc(), ShiftDirection::Up));
        session->Recovery()->WriteCopy();
        ASSERT_TRUE(QFile::exists(copy));
        c.end();
        EXPECT_FALSE(QFile::exists(copy));
    }

    // A normal exit removes it; an ending by a signal keeps it for the next start.
    Doc().Push(new edits::ShiftMapCommand(&Doc(), ShiftDirection::Up));
    session->Recovery()->WriteCopy();
    Window = std::make_unique<MainWindow>();
    EXPECT_FALSE(QFile::exists(copy));
    session = StartSession(60'000);
    Doc().Reset(SampleGrid(4), TileSet::Verda, QString(), QString());
    Doc().Push(new edits::ShiftMapCommand(&Doc(), ShiftDirection::Up));
    session->Recovery()->KeepForNextStart();
    const QString kept = session->Recovery()->CopyPath();
    Window = std::make_unique<MainWindow>();
    EXPECT_EQ(FileBytes(kept), RecoveryCopyBytes(Shifted(SampleGrid(4), ShiftDirection::Up, 1), TileSet::Verda, QString()));
}

TEST_F(DesktopTest, OnlyCopiesOfEndedEditorsAreOfferedAndADeclinedOneIsRemoved) {
    // A running editor (this one) with a modified map: its copy is not offered to another start.
    EditorSession* running = StartSession();
    Doc().Reset(SampleGrid(3), TileSet::Verda, QString(), QString());
    Doc().Push(new edits::ShiftMapCommand(&Doc(), ShiftDirection::Left));
    ASSERT_TRUE(Doc().IsModified());
    running->Recovery()->WriteCopy();
    ASSERT_TRUE(QFile::exists(running->Recovery()->CopyPath()));
    // A copy nobody holds, as a crashed editor of a never-saved map leaves it.
    const QString orphan = QDir(RecoveryFolder()).filePath(QStringLiteral("session-1-1.tavmap"));
    ASSERT_TRUE(PutFile(orphan, RecoveryCopyBytes(SampleGrid(7), TileSet::Milphos, QString())));
    // A copy cut short: never offered, and cleared away.
    const QString broken = QDir(RecoveryFolder()).filePath(QStringLiteral("session-2-2.tavmap"));
    ASSERT_TRUE(PutFile(broken, QByteArray(100, '\1')));

    CrashRecovery::Leftovers leftovers = CrashRecovery::FindLeftovers(RecoveryFolder());
    ASSERT_EQ(leftovers.Maps.size(), 1u);
    EXPECT_EQ(leftovers.Maps[0].CopyPath, orphan);
    EXPECT_EQ(leftovers.Maps[0].Grid, SampleGrid(7));
    EXPECT_EQ(leftovers.Maps[0].TileSet, TileSet::Milphos);
    EXPECT_TRUE(leftovers.Maps[0].MapPath.isEmpty());
    EXPECT_FALSE(QFile::exists(broken));
    leftovers = {};

    Window = std::make_unique<MainWindow>(); // the running editor ends normally
    Platform->Answers.push_back(false);
    StartSession()->Start(std::nullopt);
    ASSERT_EQ(Platform->Questions.size(), 1u);
    EXPECT_TRUE(Platform->Questions[0].contains(QStringLiteral("名前のない")));
    EXPECT_FALSE(QFile::exists(orphan));
    EXPECT_EQ(Doc().Grid(), FilledGrid(NewMapTile));
    EXPECT_FALSE(Doc().IsModified());
}

// Mended: a lock whose owner could not be read hid its copy for ever, never offered and never cleaned up.
TEST_F(DesktopTest, CopyIsOfferedWhenNoRunningEditorHoldsItsLockWhateverTheLockHolds) {
    const struct {
        const char* name;
        QByteArray lock;
        bool held;       // a process holds the lock file's kernel lock, as a running editor does
        bool unreadable; // no read permission (root reads it all the same)
    } cases[] = {
        {"empty lock", "", false, false},
        {"scribbled lock", "\xff\xfe\x00garbage", false, false},
        {"lock cut short", "12", false, false},
        {"lock without read permission", "1\nTavrenna MapEditor\nhost\n", false, true},
        {"empty lock a running editor holds", "", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.unreadable && ::geteuid() == 0)
            continue;
        QDir(RecoveryFolder()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(RecoveryFolder()));
        const QString copy = QDir(RecoveryFolder()).filePath(QStringLiteral("session-3-3.tavmap"));
        const QString lockPath = QDir(RecoveryFolder()).filePath(QStringLiteral("session-3-3.lock"));
        ASSERT_TRUE(PutFile(copy, RecoveryCopyBytes(SampleGrid(6), TileSet::Coronet, QString())));
        ASSERT_TRUE(PutFile(lockPath, c.lock));
        const int holder = c.held ? ::open(QFile::encodeName(lockPath).constData(), O_RDONLY | O_CLOEXEC) : -1;
        if (c.held) {
            ASSERT_EQ(::flock(holder, LOCK_EX), 0);
        }
        if (c.unreadable)
            QFile::setPermissions(lockPath, QFile::WriteOwner);

        CrashRecovery::Leftovers leftovers = CrashRecovery::FindLeftovers(RecoveryFolder());
        if (holder >= 0)
            ::close(holder);
        ASSERT_EQ(leftovers.Maps.size(), c.held ? 0u : 1u);
        if (c.held)
            continue;
        EXPECT_EQ(leftovers.Maps[0].Grid, SampleGrid(6));
        // Declined: the copy and its lock are cleaned up.
        leftovers.Forget(leftovers.Maps[0]);
        EXPECT_TRUE(QDir(RecoveryFolder()).entryList(QDir::Files).isEmpty());
    }
}

} // namespace
} // namespace tav::testing
