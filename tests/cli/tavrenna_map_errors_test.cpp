// Every way tavrenna-map refuses: exit status 2, one line on stderr naming the file or the command, no
// hang on files that never end, and no output file touched unless the whole new file is written.

#include "CliTestSupport.h"
#include "Shaping.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <csignal>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>

namespace tav::clitest {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class TavrennaMapErrors : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        WriteMap(Path("in.map"), PaintedGrid(7), 30);
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }

    // The error contract: status 2, nothing on stdout, exactly one line on stderr.
    static void ExpectOneLineError(const RunResult& run, const std::string& mustContain) {
        ASSERT_TRUE(run.Finished) << "the tool hung";
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_TRUE(run.Out.isEmpty()) << run.Out.toStdString();
        const std::string err = run.Err.toStdString();
        EXPECT_THAT(err, StartsWith("tavrenna-map: "));
        EXPECT_THAT(err, HasSubstr(mustContain));
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_TRUE(!err.empty() && err.back() == '\n') << err;
    }

    QTemporaryDir dir_;
};

TEST_F(TavrennaMapErrors, UsageErrorsExitWithStatusTwoAndWriteNothing) {
    struct Case {
        QStringList arguments; // "@IN" and "@OUT" stand for the input and output paths
        const char* message;
    };
    const std::vector<Case> cases = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command \"frobnicate\""},
        {{"--frob"}, "Unknown option 'frob'"},
        {{"check"}, "missing FILE.map"},
        {{"shape", "@IN", "extra", "-o", "@OUT"}, "unexpected argument \"extra\""},
        {{"check", ""}, "empty file name"},
        {{"check", "@IN", "-o", "@OUT"}, "Unknown option 'o'"},
        {{"shape", "@IN"}, "--output is required"},
        {{"shape", "@IN", "-o"}, "Missing value after '-o'"},
        {{"unshape", "@IN", "-o", ""}, "--output must not be empty"},
        {{"shape", "@IN", "-o", "@OUT", "-o", "@OUT"}, "--output given more than once"},
        {{"new"}, "--output is required"},
        {{"new", "@IN", "-o", "@OUT"}, "unexpected argument"},
        {{"new", "-o", "@OUT", "--tileset", "0"}, "--tileset must be a whole number from 1 to 9, not \"0\""},
        {{"new", "-o", "@OUT", "--tileset", "10"}, "--tileset must be a whole number from 1 to 9"},
        {{"new", "-o", "@OUT", "--tileset", " 3"}, "--tileset must be a whole number from 1 to 9"},
        {{"new", "-o", "@OUT", "--tileset", "+3"}, "--tileset must be a whole number from 1 to 9"},
        {{"paint", "@IN", "-o", "@OUT", "--at", "1,1", "--code", "0"}, "--tool is required"},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "spray", "--at", "1,1", "--code", "0"}, "unknown tool \"spray\""},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "Pen", "--at", "1,1", "--code", "0"}, "unknown tool \"Pen\""},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "pen", "--code", "0"}, "--at is required"},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "pen", "--at", "1,1"}, "--code is required"},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "pen", "--at", "48,0", "--code", "0"}, "--at must be X,Y"},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "pen", "--at", "0,48", "--code", "0"}, "--at must be X,Y"},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "pen", "--at", "-1,0", "--code", "0"}, "--at must be X,Y"},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "pen", "--at", "1", "--code", "0"}, "--at must be X,Y"},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "pen", "--at", "1,2,3", "--code", "0"}, "--at must be X,Y"},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "pen", "--at", "1, 2", "--code", "0"}, "--at must be X,Y"},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "line", "--from", "x,1", "--at", "1,2", "--code", "0"},
         "--from must be X,Y"},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "pen", "--at", "1,1", "--code", "128"},
         "--code must be a whole number from 0 to 127, not \"128\""},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "pen", "--at", "1,1", "--code", "0x10"}, "--code must be"},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "pen", "--at", "1,1", "--code", "99999999999"}, "--code must be"},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "pen", "--from", "1,1", "--at", "2,2", "--code", "0"},
         "--from does not apply to the pen"},
        {{"paint", "@IN", "-o", "@OUT", "--tool", "bucket", "--from", "1,1", "--at", "2,2", "--code", "0"},
         "--from does not apply to the bucket"},
        {{"shift", "@IN", "-o", "@OUT"}, "--dir is required"},
        {{"shift", "@IN", "-o", "@OUT", "--dir", "diagonal"}, "unknown direction \"diagonal\""},
        {{"shift", "@IN", "-o", "@OUT", "--dir", "up", "--count", "-1"}, "--count must be a whole number from 0"},
        {{"shift", "@IN", "-o", "@OUT", "--dir", "up", "--count", "1000001"}, "--count must be a whole number"},
        {{"render", "@IN", "-o", "@OUT", "--edge", "12"}, "--edge must be 4, 8, 16 or 32, not \"12\""},
        {{"render", "@IN", "-o", "@OUT", "--edge", "16px"}, "--edge must be 4, 8, 16 or 32"},
        {{"render", "@IN", "-o", "@OUT", "--tileset", "0"}, "--tileset must be a whole number from 1 to 9"},
        {{"analyse"}, "missing FILE.map"},
        {{"analyse", "@IN", "-o", "@OUT"}, "Unknown option 'o'"},
        {{"analyse", "@IN", "--json=yes"}, "Unexpected value after '--json'"},
    };
    const QByteArray inputBefore = ReadBytes(Path("in.map"));
    for (const Case& c : cases) {
        QStringList arguments = c.arguments;
        arguments.replaceInStrings("@IN", Path("in.map")).replaceInStrings("@OUT", Path("out.map"));
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        ExpectOneLineError(RunTool(arguments), c.message);
        EXPECT_FALSE(QFileInfo::exists(Path("out.map")));
    }
    EXPECT_EQ(ReadBytes(Path("in.map")), inputBefore);
}

TEST_F(TavrennaMapErrors, UnreadableInputsAreReportedWithTheirNameAndNeverHang) {
    WriteBytes(Path("short.map"), ImageBytes(PaintedGrid(1), 10).left(2305));
    WriteBytes(Path("empty.map"), {});
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.map"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.map")).constData(), 0600), 0);
    struct Case {
        QString path;
        const char* message;
    };
    const std::vector<Case> cases = {
        {Path("short.map"), "ファイル形式が正常ではありません"},
        {Path("empty.map"), "ファイル形式が正常ではありません"},
        {Path("missing.map"), "cannot read: No such file or directory"},
        {Path("folder.map"), "cannot read: is a directory"},
        {Path("pipe.map"), "cannot read: is a pipe"}, // opening it for reading would wait for a writer forever
        {QStringLiteral("/dev/zero"), "cannot read: is a device"}, // never ends
    };
    const QStringList commands[] = {
        {"check"},
        {"shape", "-o", Path("out.map")},
        {"paint", "-o", Path("out.map"), "--tool", "pen", "--at", "0,0", "--code", "1"},
        {"render", "-o", Path("out.png")},
        {"analyse", "--json"},
    };
    for (const Case& c : cases) {
        for (const QStringList& command : commands) {
            // For the commands that read map packs a folder is the maps below it (none here), not an error.
            if (c.path == Path("folder.map") && (command.first() != "shape" && command.first() != "paint"))
                continue;
            SCOPED_TRACE(command.first().toStdString() + " " + c.path.toStdString());
            const RunResult run = RunTool(QStringList{command.first(), c.path} + command.mid(1), {}, 10000);
            ExpectOneLineError(run, (c.path + QStringLiteral(": ") + QString::fromUtf8(c.message)).toStdString());
            EXPECT_FALSE(QFileInfo::exists(Path("out.map")) || QFileInfo::exists(Path("out.png")));
        }
    }
}

// A file under /proc passes as a regular file but reports a size of 0: it is refused from that size before
// a byte is read, with the format message and the reason; so is any file that reports too few bytes.
TEST_F(TavrennaMapErrors, FilesReportingTooFewBytesAreRefusedBeforeReading) {
    const QByteArray image = ReadBytes(Path("in.map"));
    WriteBytes(Path("empty.map"), {});
    WriteBytes(Path("short.map"), image.left(2305));
    WriteBytes(Path("exact.map"), image);
    WriteBytes(Path("longer.map"), image + QByteArray(500, '\x7F'));
    MapGrid shaped = PaintedGrid(7);
    ShapeMap(shaped);
    const struct {
        QString path;
        int reportedSize; // -1: a map
    } cases[] = {
        {QStringLiteral("/proc/self/maps"), 0}, {Path("empty.map"), 0}, {Path("short.map"), 2305},
        {Path("exact.map"), -1},                {Path("longer.map"), -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const RunResult run = RunTool({"shape", c.path, "-o", Path("out.map")});
        if (c.reportedSize < 0) {
            EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
            EXPECT_TRUE(run.Err.isEmpty());
            EXPECT_EQ(ReadGrid(Path("out.map")), shaped);
            ASSERT_TRUE(QFile::remove(Path("out.map")));
            continue;
        }
        ExpectOneLineError(run, "");
        EXPECT_EQ(run.Err.toStdString(),
                  "tavrenna-map: " + c.path.toStdString() + ": ファイル形式が正常ではありません: ファイルの大きさは " +
                      std::to_string(c.reportedSize) + " バイトとされていますが、マップには 2306 バイトが必要です。\n");
        EXPECT_FALSE(QFileInfo::exists(Path("out.map")));
    }
}

TEST_F(TavrennaMapErrors, OutputThatCannotBeAFileIsRefusedAndLeftAlone) {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("folder.map/inside"));
    WriteBytes(Path("folder.map/keep.txt"), "keep");
    struct Case {
        QString path;
        const char* message;
    };
    std::vector<Case> cases = {
        {Path("no-such-folder/out.map"), "cannot write"},
        {Path("folder.map"), "cannot write: is a directory"},
        {Path("folder.map/"), "cannot write"},
    };
    struct stat full {};
    // As root a temporary file beside /dev/full could replace the device itself; the tool must refuse.
    const bool haveDevFull = ::stat("/dev/full", &full) == 0 && S_ISCHR(full.st_mode);
    if (haveDevFull)
        cases.push_back({QStringLiteral("/dev/full"), "cannot write: is a device"});
    const QStringList commands[] = {
        {"new"},
        {"shape", Path("in.map")},
        {"shift", Path("in.map"), "--dir", "up"},
        {"render", Path("in.map")},
    };
    for (const Case& c : cases) {
        for (const QStringList& command : commands) {
            SCOPED_TRACE(command.first().toStdString() + " -o " + c.path.toStdString());
            ExpectOneLineError(RunTool(command + QStringList{"-o", c.path}),
                               (c.path + QStringLiteral(": ") + QString::fromUtf8(c.message)).toStdString());
        }
    }
    EXPECT_TRUE(QFileInfo(Path("folder.map")).isDir());
    EXPECT_EQ(QDir(Path("folder.map")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"inside", "keep.txt"}));
    EXPECT_EQ(ReadBytes(Path("folder.map/keep.txt")), QByteArray("keep"));
    if (haveDevFull) {
        struct stat after {};
        ASSERT_EQ(::stat("/dev/full", &after), 0);
        EXPECT_TRUE(S_ISCHR(after.st_mode));
        EXPECT_EQ(after.st_rdev, full.st_rdev);
    }
}

// Lets the child write at most 100 bytes to any file, so writing the new file fails halfway; ignoring
// SIGXFSZ turns the limit into a write error instead of killing the tool. Root is not exempt from it.
void LimitFileSize() {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

TEST_F(TavrennaMapErrors, FailedWriteLeavesTheOldFileByteIdenticalAndNoTemporaryFile) {
    QByteArray old(2306, '\0');
    for (int i = 0; i < old.size(); ++i)
        old[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    struct Case {
        QStringList arguments; // "@IN" stands for the input, "@OLD" for the file the output replaces
    };
    const std::vector<Case> cases = {
        {{"new", "-o", "@OLD"}},
        {{"shape", "@IN", "-o", "@OLD"}},
        {{"unshape", "@IN", "-o", "@OLD"}},
        {{"paint", "@IN", "-o", "@OLD", "--tool", "bucket", "--at", "3,3", "--code", "0"}},
        {{"shift", "@IN", "-o", "@OLD", "--dir", "left", "--count", "3"}},
        {{"render", "@IN", "-o", "@OLD", "--edge", "4"}},
        {{"shape", "@OLD", "-o", "@OLD"}}, // the output names the input
    };
    for (const Case& c : cases) {
        WriteBytes(Path("old.map"), old);
        QStringList arguments = c.arguments;
        arguments.replaceInStrings("@IN", Path("in.map")).replaceInStrings("@OLD", Path("old.map"));
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        ExpectOneLineError(RunTool(arguments, LimitFileSize), (Path("old.map") + ": cannot write").toStdString());
        EXPECT_EQ(ReadBytes(Path("old.map")), old);
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"in.map", "old.map"}));
    }
    // Without the limit the same command succeeds, so the failure above came from the write.
    const RunResult run = RunTool({"shape", Path("old.map"), "-o", Path("old.map")});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_NE(ReadBytes(Path("old.map")), old);
}

} // namespace
} // namespace tav::clitest
