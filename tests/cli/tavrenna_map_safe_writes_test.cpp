// Writes that someone else could redirect, and writes that never reached the disk: tavrenna-map does not
// follow a link another user put in a shared sticky folder (as /tmp), writes through the user's own links,
// and counts a failed fdatasync as a failed write.

#include "CliTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace tav::clitest {
namespace {

// The user nobody, who plants the links.
constexpr uid_t Nobody = 65534;

class SafeWrites : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // Everything in a folder, dangling links and hidden files included.
    static QStringList Entries(const QString& folder) {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }

private:
    QTemporaryDir dir_;
};

// Every command that writes a file goes through the same write: the map commands' -o, render's picture and
// generate's seed-named maps in --out-dir, whose names anyone can guess.
TEST_F(SafeWrites, ALinkAnotherUserPutInASharedFolderIsNotFollowed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a link to another user";
    const QByteArray shared = QFile::encodeName(Path("shared"));
    ASSERT_EQ(::mkdir(shared.constData(), 0700), 0);
    ASSERT_EQ(::chmod(shared.constData(), 01777), 0);
    const QString victim = Path("victim.map");
    const QByteArray old = ImageBytes(PaintedGrid(3), 10);
    WriteMap(Path("in.map"), PaintedGrid(4), 10);
    const struct {
        const char* name;
        QStringList arguments;
        QString link; // planted by nobody, aimed at the victim
    } cases[] = {
        {"new -o", {"new", "-o", Path("shared/new.map")}, Path("shared/new.map")},
        {"shape -o", {"shape", Path("in.map"), "-o", Path("shared/shaped.map")}, Path("shared/shaped.map")},
        {"render -o", {"render", Path("in.map"), "-o", Path("shared/in.png")}, Path("shared/in.png")},
        {"generate --out-dir", {"generate", "--seed", "5", "--count", "1", "--out-dir", Path("shared")},
         Path("shared/5.map")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(victim, old);
        const QByteArray link = QFile::encodeName(c.link);
        ASSERT_EQ(::symlink(QFile::encodeName(victim).constData(), link.constData()), 0);
        ASSERT_EQ(::lchown(link.constData(), Nobody, static_cast<gid_t>(-1)), 0);
        const QStringList before = Entries(Path("shared"));
        const RunResult run = RunTool(c.arguments);
        ASSERT_TRUE(run.Finished);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_TRUE(run.Err.contains((c.link + ": cannot write: the link ").toUtf8())) << run.Err.toStdString();
        EXPECT_EQ(ReadBytes(victim), old);
        EXPECT_EQ(Entries(Path("shared")), before);
        ASSERT_EQ(::unlink(link.constData()), 0);
    }
}

// The user's own link to a map, a link to that link, and a link that points nowhere yet are written through.
TEST_F(SafeWrites, TheUsersOwnLinksAreWrittenThrough) {
    const QByteArray shared = QFile::encodeName(Path("shared"));
    ASSERT_EQ(::mkdir(shared.constData(), 0700), 0);
    ASSERT_EQ(::chmod(shared.constData(), 01777), 0);
    WriteMap(Path("real.map"), PaintedGrid(5), 10);
    ASSERT_TRUE(QFile::link(Path("real.map"), Path("shared/link.map")));
    ASSERT_TRUE(QFile::link(Path("shared/link.map"), Path("link-to-link.map")));
    ASSERT_TRUE(QFile::link(Path("later.map"), Path("shared/dangling.map")));
    const struct {
        const char* link;
        const char* target;
    } cases[] = {{"shared/link.map", "real.map"}, {"link-to-link.map", "real.map"}, {"shared/dangling.map", "later.map"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        const RunResult run = RunTool({"new", "-o", Path(c.link), "--tileset", "3"});
        EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        EXPECT_EQ(ReadBytes(Path(c.target)), ImageBytes(FilledGrid(NewMapTile), 30));
        EXPECT_TRUE(QFileInfo(Path(c.link)).isSymLink());
        WriteMap(Path("real.map"), PaintedGrid(5), 10);
    }
    EXPECT_EQ(Entries(Path("shared")), QStringList({"dangling.map", "link.map"}));
}

// A write whose bytes did not reach the disk (fdatasync fails with EIO) is a failed write: exit 2 with the
// reason, and the old file stays.
TEST_F(SafeWrites, AFailedDataSyncFailsTheWrite) {
    const QByteArray old = ImageBytes(PaintedGrid(6), 10);
    WriteBytes(Path("old.map"), old);
    const struct {
        const char* name;
        QStringList arguments;
    } cases[] = {
        {"new", {"new", "-o", Path("old.map")}},
        {"shape in place", {"shape", Path("old.map"), "-o", Path("old.map")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // For the tool, which inherits this environment. A tool built with AddressSanitizer wants its runtime
        // first among the loaded libraries; the preloaded one replaces no function the runtime needs.
        const QByteArray sanitizerOptions = qgetenv("ASAN_OPTIONS");
        qputenv("LD_PRELOAD", TAV_FAIL_DATA_SYNC);
        qputenv("ASAN_OPTIONS", sanitizerOptions + (sanitizerOptions.isEmpty() ? "" : ":") + "verify_asan_link_order=0");
        const RunResult run = RunTool(c.arguments);
        qunsetenv("LD_PRELOAD");
        if (sanitizerOptions.isEmpty())
            qunsetenv("ASAN_OPTIONS");
        else
            qputenv("ASAN_OPTIONS", sanitizerOptions);
        ASSERT_TRUE(run.Finished);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_EQ(Lines(run.Err), QStringList({"tavrenna-map: " + Path("old.map") + ": cannot write: Input/output error"}));
        EXPECT_EQ(ReadBytes(Path("old.map")), old);
        EXPECT_EQ(Entries(Path("")), QStringList({"old.map"}));
    }
}

} // namespace
} // namespace tav::clitest
