// The file access the editor and tavrenna-map share: reading the head of a regular file only, and
// writing through a temporary file.

#include "../support/WriteFailures.h"
#include "FileAccess.h"
#include "MapLoader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <map>
#include <optional>
#include <vector>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tav {
namespace {

class FileAccessTest : public ::testing::Test {
public:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QStringList Files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }

    static void Put(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    static QByteArray Get(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray Pattern(int size, int seed) {
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 31 + seed) & 0xFF);
        return bytes;
    }

private:
    QTemporaryDir dir_;
};

TEST_F(FileAccessTest, MapReadStopsAtTheImageSize) {
    for (int size : {0, 1, 2305, 2306, 2307, 10000}) {
        SCOPED_TRACE(size);
        const QByteArray bytes = Pattern(size, size);
        Put(Path("m.map"), bytes);
        EXPECT_EQ(ReadMapFileBytes(Path("m.map")), bytes.left(2306));
    }
    // A sparse file far larger than memory is read as fast as a small one.
    Put(Path("huge.map"), Pattern(2306, 3));
    ASSERT_TRUE(QFile::resize(Path("huge.map"), qint64{1} << 40));
    EXPECT_EQ(ReadMapFileBytes(Path("huge.map")), Pattern(2306, 3));
}

TEST_F(FileAccessTest, OnlyARegularFileIsReadAndNothingElseBlocks) {
    ASSERT_TRUE(QDir(Path("")).mkdir(QStringLiteral("folder.map")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.map")).constData(), 0600), 0);
    struct Case {
        QString path;
        const char* reason;
    };
    const Case cases[] = {
        {Path("folder.map"), "is a directory"},
        {Path("pipe.map"), "is a pipe"},
        {QStringLiteral("/dev/zero"), "is a device"},
        {QStringLiteral("/dev/null"), "is a device"},
        {Path("missing.map"), "No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        try {
            ReadMapFileBytes(c.path);
            ADD_FAILURE() << "read without an error";
        } catch (const FileError& error) {
            EXPECT_EQ(error.Text().left(c.path.size() + 15), c.path + QStringLiteral(": cannot read: "));
            EXPECT_TRUE(error.Text().contains(QString::fromLatin1(c.reason))) << error.Text().toStdString();
            EXPECT_EQ(QString::fromUtf8(error.what()), error.Text());
        }
    }
}

// The one loading rule: the size a file reports decides before a byte is read (a file under /proc passes as
// regular and reports 0), what is read decides the rest, and a tile set outside 1..9 becomes 1.
TEST_F(FileAccessTest, LoaderRefusesWhatCannotBeAMapFromItsReportedSize) {
    QByteArray image = Pattern(2306, 5);
    image[2304] = 40; // tile set 4
    QByteArray badSet = image;
    badSet[2304] = 100; // tile set 10
    Put(Path("empty.map"), {});
    Put(Path("short.map"), image.left(2305));
    Put(Path("exact.map"), image);
    Put(Path("longer.map"), image + Pattern(700, 9));
    Put(Path("badset.map"), badSet);
    const struct {
        QString path;
        qint64 refusedSize; // -1: loads
        int tileSet = 0;
        bool corrected = false;
    } cases[] = {
        {QStringLiteral("/proc/self/maps"), 0}, {QStringLiteral("/proc/self/status"), 0},
        {Path("empty.map"), 0},                 {Path("short.map"), 2305},
        {Path("exact.map"), -1, 4},             {Path("longer.map"), -1, 4},
        {Path("badset.map"), -1, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        if (c.refusedSize >= 0) {
            try {
                LoadMapFile(c.path);
                ADD_FAILURE() << "loaded";
            } catch (const NotAMapError& error) {
                EXPECT_EQ(error.Path(), c.path);
                EXPECT_EQ(error.Message(), QStringLiteral("ファイル形式が正常ではありません"));
                EXPECT_EQ(error.Reason(), QStringLiteral("ファイルの大きさは %1 バイトとされていますが、マップには "
                                                         "2306 バイトが必要です。")
                                              .arg(c.refusedSize));
            }
            continue;
        }
        const LoadedMap map = LoadMapFile(c.path);
        EXPECT_EQ(TileSetNumber(map.TileSet), c.tileSet);
        EXPECT_EQ(map.TileSetCorrected, c.corrected);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(map.Grid.data()), MapCells), image.left(MapCells));
        EXPECT_EQ(map.Head, (c.corrected ? badSet : image));
    }
}

TEST_F(FileAccessTest, WriteCreatesOrReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    WriteFileAtomically(Path("new.map"), Pattern(2306, 1));
    EXPECT_EQ(Get(Path("new.map")), Pattern(2306, 1));
    Put(Path("old.map"), Pattern(5000, 2));
    WriteFileAtomically(Path("old.map"), Pattern(2306, 3));
    EXPECT_EQ(Get(Path("old.map")), Pattern(2306, 3));
    EXPECT_EQ(Files(), QStringList({"new.map", "old.map"}));
}

TEST_F(FileAccessTest, FailedWriteThrowsAndLeavesTheOldFileByteIdentical) {
    ASSERT_TRUE(QDir(Path("")).mkpath(QStringLiteral("folder.map/inside")));
    struct Case {
        const char* name;
        QString target;
        rlim_t sizeLimit; // 0: none
        const char* reason;
    };
    std::vector<Case> cases = {
        {"cut short", Path("old.map"), 1000, "cannot write: the file was not written in full"},
        {"cut at once", Path("old.map"), 1, "cannot write"},
        {"missing folder", Path("no-such-folder/x.map"), 0, "cannot write"},
        {"folder", Path("folder.map"), 0, "cannot write: is a directory"},
    };
    // As root a temporary file renamed over /dev/full would replace the device itself.
    struct stat full {};
    const bool haveDevFull = ::stat("/dev/full", &full) == 0 && S_ISCHR(full.st_mode);
    if (haveDevFull)
        cases.push_back({"device", QStringLiteral("/dev/full"), 0, "cannot write: is a device"});
    const QByteArray old = Pattern(2306, 9);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put(Path("old.map"), old);
        {
            std::optional<FileSizeLimit> limit;
            if (c.sizeLimit)
                limit.emplace(c.sizeLimit);
            try {
                WriteFileAtomically(c.target, Pattern(2306, 4));
                ADD_FAILURE() << "written without an error";
            } catch (const FileError& error) {
                EXPECT_TRUE(error.Text().startsWith(c.target + QStringLiteral(": ") + QString::fromLatin1(c.reason)))
                    << error.Text().toStdString();
            }
        }
        EXPECT_EQ(Get(Path("old.map")), old);
        EXPECT_EQ(Files(), QStringList({"old.map"}));
    }
    EXPECT_TRUE(QFileInfo(Path("folder.map/inside")).isDir());
    struct stat after {};
    EXPECT_TRUE(!haveDevFull || (::stat("/dev/full", &after) == 0 && S_ISCHR(after.st_mode)));
}

// Everything in a folder, dangling links and hidden files included.
QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// What a link says, as written; empty when `path` is no link.
QByteArray LinkText(const QString& path) {
    char text[4096];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), text, sizeof text);
    return length < 0 ? QByteArray() : QByteArray(text, static_cast<qsizetype>(length));
}

// The user nobody: another user than the one who runs the tests, who plants links where others write.
constexpr uid_t Nobody = 65534;

// A folder `name` under `parent` with the given mode and owner.
QString MakeFolder(const QString& parent, const char* name, mode_t mode, uid_t owner) {
    const QString path = parent + QLatin1Char('/') + QLatin1String(name);
    const QByteArray native = QFile::encodeName(path);
    EXPECT_EQ(::mkdir(native.constData(), 0700), 0);
    EXPECT_EQ(::chmod(native.constData(), mode), 0);
    EXPECT_EQ(::chown(native.constData(), owner, static_cast<gid_t>(-1)), 0);
    return path;
}

// Links planted by someone else in a shared sticky folder (/tmp) are not followed, whatever the system's
// fs.protected_symlinks says, also not as the second link of a chain or when they point nowhere yet; the
// user's own links, those of the folder's owner and any in a folder that is not both sticky and writable
// by all are written through, as the kernel would follow them.
TEST_F(FileAccessTest, WritesFollowOnlyTheLinksTheKernelsProtectionWouldFollow) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a link to another user";
    const QString base = Path("");
    const QString shared = MakeFolder(base, "shared", 01777, 0);           // as /tmp
    const QString nobodys = MakeFolder(base, "nobodys", 01777, Nobody);    // shared, but nobody's own
    const QString open = MakeFolder(base, "open", 0777, 0);                // writable by all, not sticky
    const QString victim = Path("victim.map");
    const uid_t me = ::geteuid();
    struct Link {
        QString at;
        QString to;
        uid_t owner;
    };
    const struct {
        const char* name;
        std::vector<Link> links; // planted in this order
        QString written;         // the file that gets the bytes; empty: the write is refused
    } cases[] = {
        {"another user's link in a shared folder", {{shared + "/a.map", victim, Nobody}}, {}},
        {"own link to another user's link",
         {{shared + "/b2.map", victim, Nobody}, {Path("b.map"), shared + "/b2.map", me}}, {}},
        {"another user's link to an own link",
         {{Path("c2.map"), victim, me}, {shared + "/c.map", Path("c2.map"), Nobody}}, {}},
        {"another user's dangling link", {{shared + "/d.map", Path("d-target.map"), Nobody}}, {}},
        {"own link in a shared folder", {{shared + "/e.map", victim, me}}, victim},
        {"own link to an own link", {{shared + "/f2.map", victim, me}, {Path("f.map"), shared + "/f2.map", me}},
         victim},
        {"own dangling link", {{shared + "/g.map", Path("g-target.map"), me}}, Path("g-target.map")},
        {"own link, relative", {{shared + "/h.map", QStringLiteral("../victim.map"), me}}, victim},
        {"another user's link in a folder that is not sticky", {{open + "/i.map", victim, Nobody}}, victim},
        {"the folder owner's link", {{nobodys + "/j.map", victim, Nobody}}, victim},
    };
    const QByteArray old = Pattern(2306, 1);
    int seed = 10;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Put(victim, old);
        ASSERT_EQ(::chmod(QFile::encodeName(victim).constData(), 0640), 0);
        for (const Link& link : c.links) {
            const QByteArray at = QFile::encodeName(link.at);
            ASSERT_EQ(::symlink(QFile::encodeName(link.to).constData(), at.constData()), 0);
            ASSERT_EQ(::lchown(at.constData(), link.owner, static_cast<gid_t>(-1)), 0);
        }
        std::map<QString, QStringList> before;
        for (const QString& folder : {base, shared, nobodys, open})
            before[folder] = Entries(folder);
        const QString path = c.links.back().at;
        const QByteArray bytes = Pattern(2306, ++seed);
        try {
            WriteFileAtomically(path, bytes);
            EXPECT_FALSE(c.written.isEmpty()) << "written through the link";
        } catch (const FileError& error) {
            EXPECT_TRUE(c.written.isEmpty()) << error.Text().toStdString();
            EXPECT_EQ(error.Problem(), FileProblem::UntrustedLink);
            EXPECT_TRUE(error.Text().startsWith(path + QStringLiteral(": cannot write: the link ")))
                << error.Text().toStdString();
        }
        if (c.written.isEmpty()) {
            EXPECT_EQ(Get(victim), old);
        } else {
            EXPECT_EQ(Get(c.written), bytes);
            if (c.written == victim) {
                struct stat info {};
                ASSERT_EQ(::stat(QFile::encodeName(victim).constData(), &info), 0);
                EXPECT_EQ(info.st_mode & 07777, 0640u) << "the replaced file keeps its permissions";
            }
        }
        for (const Link& link : c.links)
            EXPECT_EQ(LinkText(link.at), QFile::encodeName(link.to)) << "the link itself stays";
        for (const QString& folder : {base, shared, nobodys, open}) {
            QStringList expected = before[folder];
            if (!c.written.isEmpty() && !expected.contains(QFileInfo(c.written).fileName()) &&
                QDir::cleanPath(QFileInfo(c.written).absolutePath()) == QDir::cleanPath(folder)) {
                expected.append(QFileInfo(c.written).fileName());
                expected.sort();
            }
            EXPECT_EQ(Entries(folder), expected) << "no temporary file is left, nothing else is made";
        }
    }
}

// The chain is followed by our code, not by the kernel: too long a chain or a loop is refused as the kernel
// refuses it, and a link that ends in a folder is refused like the folder itself.
TEST_F(FileAccessTest, LinkChainsEndInAFileOrAreRefused) {
    ASSERT_TRUE(QDir(Path("")).mkdir(QStringLiteral("folder")));
    ASSERT_TRUE(QFile::link(Path("loop-b.map"), Path("loop-a.map")));
    ASSERT_TRUE(QFile::link(Path("loop-a.map"), Path("loop-b.map")));
    ASSERT_TRUE(QFile::link(Path("folder"), Path("to-folder.map")));
    ASSERT_EQ(::symlink("folder/", QFile::encodeName(Path("to-folder-slash.map")).constData()), 0);
    ASSERT_EQ(::symlink("..", QFile::encodeName(Path("to-parent.map")).constData()), 0);
    const struct {
        const char* link;
        const char* reason;
    } cases[] = {
        {"loop-a.map", "Too many levels of symbolic links"},
        {"to-folder.map", "is a directory"},
        {"to-folder-slash.map", "is a directory"},
        {"to-parent.map", "is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        const QString path = Path(QString::fromLatin1(c.link));
        try {
            WriteFileAtomically(path, Pattern(2306, 2));
            ADD_FAILURE() << "written";
        } catch (const FileError& error) {
            EXPECT_TRUE(error.Text().startsWith(path + QStringLiteral(": cannot write: ") + QString::fromLatin1(c.reason)))
                << error.Text().toStdString();
        }
    }
    EXPECT_EQ(Entries(Path("folder")), QStringList());
    EXPECT_EQ(Entries(Path("")),
              QStringList({"folder", "loop-a.map", "loop-b.map", "to-folder-slash.map", "to-folder.map", "to-parent.map"}));
}

// What the injected sync saw: the descriptor it was given, and what the file's name held then.
struct SyncWitness {
    static inline QString Watched;
    static inline QByteArray SeenAtSync;
    static inline int Calls = 0;
};

// A write's data must be on disk before the temporary replaces the file: a failed fdatasync (EIO) fails the
// write and leaves the old file, and the sync comes before the rename.
TEST_F(FileAccessTest, AFailedDataSyncFailsTheWriteAndTheSyncComesBeforeTheRename) {
    Put(Path("old.map"), Pattern(2306, 1));
    const FileDataSync previous = SetFileDataSyncForTesting([](int) {
        errno = EIO;
        return -1;
    });
    try {
        WriteFileAtomically(Path("old.map"), Pattern(2306, 2));
        ADD_FAILURE() << "written without an error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.ErrorNumber(), EIO);
        EXPECT_EQ(error.Text(), Path("old.map") + QStringLiteral(": cannot write: Input/output error"));
    }
    EXPECT_EQ(Get(Path("old.map")), Pattern(2306, 1));
    EXPECT_EQ(Files(), QStringList({"old.map"}));

    SyncWitness::Watched = Path("old.map");
    SetFileDataSyncForTesting([](int fd) {
        ++SyncWitness::Calls;
        SyncWitness::SeenAtSync = Get(SyncWitness::Watched);
        return ::fdatasync(fd);
    });
    WriteFileAtomically(Path("old.map"), Pattern(2306, 3));
    SetFileDataSyncForTesting(previous);
    EXPECT_EQ(SyncWitness::Calls, 1);
    EXPECT_EQ(SyncWitness::SeenAtSync, Pattern(2306, 1)) << "synced before the rename";
    EXPECT_EQ(Get(Path("old.map")), Pattern(2306, 3));
}

// The path is looked up once: a link put at the name after the check (here while the data is synced, before
// the rename) is replaced by the new file, never followed to what it points at.
TEST_F(FileAccessTest, ALinkPutAtTheNameDuringTheWriteIsReplacedNotFollowed) {
    Put(Path("victim.map"), Pattern(2306, 1));
    SyncWitness::Watched = Path("out.map");
    const FileDataSync previous = SetFileDataSyncForTesting([](int fd) {
        QFile::link(SyncWitness::Watched + QStringLiteral(".victim"), SyncWitness::Watched);
        return ::fdatasync(fd);
    });
    ASSERT_TRUE(QFile::rename(Path("victim.map"), Path("out.map.victim")));
    WriteFileAtomically(Path("out.map"), Pattern(2306, 2));
    SetFileDataSyncForTesting(previous);
    EXPECT_FALSE(QFileInfo(Path("out.map")).isSymLink());
    EXPECT_EQ(Get(Path("out.map")), Pattern(2306, 2));
    EXPECT_EQ(Get(Path("out.map.victim")), Pattern(2306, 1));
    EXPECT_EQ(Entries(Path("")), QStringList({"out.map", "out.map.victim"}));
}

} // namespace
} // namespace tav
