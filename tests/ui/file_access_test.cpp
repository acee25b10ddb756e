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

#include <csignal>
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

} // namespace
} // namespace tav
