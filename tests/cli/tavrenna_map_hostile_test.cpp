// Hostile inputs and outputs: an output that is an input, texts that are too large, empty or not text,
// folders with nothing in them or that cannot be read, and names that would fool a reader or a terminal.

#include "CliTestSupport.h"
#include "MapText.h"
#include "Shaping.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <grp.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include <nlohmann/json.hpp>

namespace tav::clitest {
namespace {

using ::testing::HasSubstr;
using Json = nlohmann::ordered_json;

class Hostile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        WriteMap(Path("a.map"), PaintedGrid(1), 10);
        WriteMap(Path("b.map"), PaintedGrid(2), 20);
    }
    void TearDown() override {
        // QTemporaryDir removes files by their decoded names, which miss a name that is not UTF-8.
        std::error_code ignored;
        std::filesystem::remove_all(QFile::encodeName(dir_.path()).toStdString(), ignored);
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    std::string Native(const QString& name) const { return QFile::encodeName(Path(name)).toStdString(); }
    QTemporaryDir dir_;
};

// A picture written over a map would destroy the map without a word: render and diff refuse an output
// that is one of their inputs, by the file it is (a link or ".." does not hide it), and write nothing.
TEST_F(Hostile, AnOutputThatIsAnInputIsRefusedAndTheMapStays) {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("sub"));
    ASSERT_TRUE(QFile::link(Path("b.map"), Path("link.map")));
    WriteMap(Path("sub/q.map"), PaintedGrid(3), 10);
    ASSERT_TRUE(QDir(dir_.path()).mkpath("out"));
    WriteMap(Path("out/q.png"), PaintedGrid(4), 10); // a map that only has a picture's name
    const QByteArray a = ReadBytes(Path("a.map")), b = ReadBytes(Path("b.map")), q = ReadBytes(Path("out/q.png"));
    const QStringList runs[] = {
        {"render", Path("a.map"), "-o", Path("a.map")},
        {"render", Path("a.map"), "-o", Path("sub/../a.map")},
        {"diff", Path("a.map"), Path("b.map"), "-o", Path("b.map")},
        {"diff", Path("a.map"), Path("b.map"), "-o", Path("link.map")},
        {"diff", Path("a.map"), Path("link.map"), "-o", Path("b.map")},
        {"render", Path("sub/q.map"), Path("out/q.png"), "--out-dir", Path("out")},
    };
    for (const QStringList& run : runs) {
        SCOPED_TRACE(run.join(u' ').toStdString());
        const RunResult result = RunTool(run);
        EXPECT_EQ(result.ExitCode, 2);
        EXPECT_TRUE(result.Out.isEmpty()) << result.Out.toStdString();
        EXPECT_THAT(result.Err.toStdString(), HasSubstr(": cannot write: it is the input "));
        EXPECT_EQ(ReadBytes(Path("a.map")), a);
        EXPECT_EQ(ReadBytes(Path("b.map")), b);
        EXPECT_EQ(ReadBytes(Path("out/q.png")), q);
        EXPECT_FALSE(QFileInfo::exists(Path("out/q.png.png")));
    }
    // A command that makes a map from a map still writes in place.
    const RunResult shape = RunTool({"shape", Path("a.map"), "-o", Path("a.map")});
    EXPECT_EQ(shape.ExitCode, 0) << shape.Err.toStdString();
    MapGrid shaped = PaintedGrid(1);
    ShapeMap(shaped);
    EXPECT_EQ(ReadGrid(Path("a.map")), shaped);
}

// "a.png" is a picture and the folder of "a.png/b.png": the clash is found before anything is drawn, so
// the outcome does not depend on which picture a job happens to write first.
TEST_F(Hostile, APictureThatAnotherNeedsAsItsFolderIsRefusedBeforeAnythingIsWritten) {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("pack/a.png"));
    WriteMap(Path("pack/a.map"), PaintedGrid(1), 10);
    WriteMap(Path("pack/a.png/b.map"), PaintedGrid(2), 10);
    for (const char* jobs : {"1", "8"}) {
        SCOPED_TRACE(jobs);
        const QString out = Path(QStringLiteral("out") + jobs);
        const RunResult run = RunTool({"render", Path("pack"), "--out-dir", out, "--jobs", jobs, "--edge", "4"});
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_THAT(run.Err.toStdString(), HasSubstr("needs as a folder for"));
        EXPECT_THAT(run.Err.toStdString(), HasSubstr("nothing was written"));
        EXPECT_FALSE(QFileInfo::exists(out)) << "nothing is written, not even the folder";
    }
}

// A text over the limit is refused whole, never cut (a valid map followed by blank lines used to pass);
// a file that reports no size, as under /proc, is not read at all; a folder is named as a folder.
TEST_F(Hostile, FromTextRefusesWhatItCannotReadWholeAndNamesWhatItIs) {
    const RunResult text = RunTool({"text", Path("a.map")});
    ASSERT_EQ(text.ExitCode, 0);
    constexpr int Limit = 1 << 20;
    WriteBytes(Path("exact.txt"), text.Out + QByteArray(Limit - text.Out.size(), '\n'));
    WriteBytes(Path("over.txt"), text.Out + QByteArray(Limit - text.Out.size() + 1, '\n'));
    const RunResult exact = RunTool({"fromtext", Path("exact.txt"), "-o", Path("exact.map")});
    EXPECT_EQ(exact.ExitCode, 0) << exact.Err.toStdString();
    EXPECT_EQ(ReadBytes(Path("exact.map")), ReadBytes(Path("a.map")));

    ASSERT_TRUE(QDir(dir_.path()).mkpath("folder.txt"));
    const struct {
        QString input;
        const char* says;
    } refused[] = {
        {Path("over.txt"), ": cannot read: larger than 1048576 bytes (1048577 bytes)"},
        {QStringLiteral("/proc/self/status"), ": cannot read: the file reports a size of 0 bytes"},
        {Path("folder.txt"), ": cannot read: is a directory, not a text file"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.input.toStdString());
        const RunResult run = RunTool({"fromtext", r.input, "-o", Path("out.map")});
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_EQ(Lines(run.Err).size(), 1);
        EXPECT_TRUE(run.Err.startsWith(("tavrenna-map: " + r.input + r.says).toUtf8())) << run.Err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(Path("out.map")));
    }
    // A folder as a picture is not "a map file" either.
    for (const QStringList& run : {QStringList{"render", Path("a.map"), "-o", Path("folder.txt")},
                                   QStringList{"diff", Path("a.map"), Path("b.map"), "-o", Path("folder.txt")}}) {
        const RunResult result = RunTool(run);
        EXPECT_EQ(result.ExitCode, 2);
        EXPECT_THAT(result.Err.toStdString(), HasSubstr(Path("folder.txt").toStdString() +
                                                        ": cannot write: is a directory, not a PNG picture"));
    }
}

// The place of a fault in the text form is the code's number in its row (the header's word), and every
// code is two hex digits, as the text form writes them.
TEST_F(Hostile, FromTextNamesTheCodeOfAOneDigitCodeAndQuotesInputSafely) {
    const QByteArray text = RunTool({"text", Path("a.map")}).Out;
    QList<QByteArray> lines = text.split('\n');
    QList<QByteArray> row = lines[6].split(' ');
    row[3] = QByteArray::number(row[3].toInt(nullptr, 16) & 0xF, 16); // one digit for the 4th code of row 6
    lines[6] = row.join(' ');
    WriteBytes(Path("one.txt"), lines.join('\n'));
    const RunResult one = RunTool({"fromtext", Path("one.txt"), "-o", Path("out.map")});
    EXPECT_EQ(one.ExitCode, 2);
    EXPECT_EQ(one.Err.toStdString(), "tavrenna-map: " + Path("one.txt").toStdString() +
                                         ": line 7, code 4: not a tile code (two hex digits, 00 to FF)\n");
    EXPECT_FALSE(QFileInfo::exists(Path("out.map")));

    // The header's stored byte as an escape sequence, a NUL and 900 KB: one short line, no control byte.
    QByteArray header = lines[0];
    header.replace(header.indexOf(" bytes ") + 7, 2, "\x1B]0;owned\x07\0" + QByteArray(900000, 'Z'));
    lines[0] = header;
    WriteBytes(Path("evil.txt"), lines.join('\n'));
    const RunResult evil = RunTool({"fromtext", Path("evil.txt"), "-o", Path("out.map")});
    EXPECT_EQ(evil.ExitCode, 2);
    EXPECT_EQ(evil.Err.toStdString(), "tavrenna-map: " + Path("evil.txt").toStdString() +
                                          ": line 1, word 5: \"\\x1B]0;owned\\x07" + std::string(30, 'Z') +
                                          "...\" is not a hex byte (two hex digits)\n");
}

// A mistyped folder or an empty pack is an error for every command that reads a pack, and the other
// arguments are still read.
TEST_F(Hostile, AFolderWithNoMapsIsAnErrorAndTheOtherArgumentsAreRead) {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("empty/deeper"));
    WriteBytes(Path("empty/deeper/notes.txt"), "no maps here");
    const QString says = Path("empty") + ": no .map files in this folder";
    for (const char* command : {"check", "analyse", "stats", "text"}) {
        SCOPED_TRACE(command);
        const RunResult alone = RunTool({command, Path("empty")});
        EXPECT_EQ(alone.ExitCode, 2);
        EXPECT_EQ(alone.Err, ("tavrenna-map: " + says + "\n").toUtf8());
        const RunResult both = RunTool({command, Path("empty"), Path("a.map")});
        EXPECT_EQ(both.ExitCode, 2);
        EXPECT_TRUE(both.Out.startsWith(Path("a.map").toUtf8() + ": ")) << both.Out.toStdString();
    }
    const RunResult json = RunTool({"check", "--json", Path("empty")});
    EXPECT_EQ(json.ExitCode, 2);
    EXPECT_EQ(Json::parse(json.Out.toStdString()),
              Json::parse("[{\"path\": " + Json(Path("empty").toStdString()).dump() + ", \"error\": " +
                          Json(says.toStdString()).dump() + "}]"));
    const RunResult render = RunTool({"render", Path("empty"), Path("a.map"), "--out-dir", Path("out")});
    EXPECT_EQ(render.ExitCode, 2);
    EXPECT_THAT(render.Err.toStdString(), HasSubstr(says.toStdString()));
    EXPECT_TRUE(QFileInfo::exists(Path("out/a.png")));
}

// A subfolder that cannot be read has its own object in the JSON array, so that a program sees why the run
// failed. Root may enter any folder, so the tool runs as nobody.
TEST_F(Hostile, ASubfolderThatCannotBeReadHasItsObjectInTheJson) {
    const auto asNobody = [] {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(77);
    };
    for (const char* folder : {"pack/a", "pack/locked"}) {
        ASSERT_TRUE(QDir(dir_.path()).mkpath(folder));
        WriteMap(Path(folder) + "/m.map", PaintedGrid(7), 10);
    }
    const auto open = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                      QFileDevice::ReadOther | QFileDevice::ExeOther;
    for (const QString& path : {dir_.path(), Path("pack"), Path("pack/a")})
        QFile::setPermissions(path, open);
    QFile::setPermissions(Path("pack/a/m.map"), open);
    QFile::setPermissions(Path("pack/locked"), QFileDevice::Permissions());
    const RunResult probe = RunTool({"stats", Path("pack/a/m.map")}, asNobody);
    const RunResult run = RunTool({"stats", "--json", Path("pack")}, asNobody);
    QFile::setPermissions(Path("pack/locked"), open);
    if (probe.ExitCode != 0)
        GTEST_SKIP() << "the tool cannot run as another user on the temporary folder";
    EXPECT_EQ(run.ExitCode, 2);
    const Json array = Json::parse(run.Out.toStdString());
    ASSERT_EQ(array.size(), 2u) << run.Out.toStdString();
    EXPECT_EQ(array[0]["path"], Path("pack/a/m.map").toStdString());
    EXPECT_TRUE(array[0].contains("report"));
    EXPECT_EQ(array[1]["path"], Path("pack/locked").toStdString());
    EXPECT_THAT(array[1]["error"].get<std::string>(),
                HasSubstr(Path("pack/locked").toStdString() + ": cannot read the folder: "));
}

// Names that are not UTF-8, that hold a backslash, a line break or ESC: the text output escapes them so
// that no two files look alike and no name writes to the terminal; JSON adds the bytes of a name that is
// not text; and one argument that is not UTF-8 does not stop the others from being checked.
TEST_F(Hostile, NamesAreShownSoThatNoTwoFilesLookAlikeAndNoneReachesTheTerminal) {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("names"));
    for (const std::string& name : {std::string("bad\xFF.map"), std::string("bad\\xFF.map"),
                                   std::string("two\nlines.map"), std::string("esc\x1B[2J.map")})
        // A map whose check says one line: the tile set's.
        std::ofstream(Native("names") + "/" + name, std::ios::binary)
            << ReadBytes(TAV_TEST_DATA_DIR "/cli/pack/gen1.map").toStdString();
    const QString names = Path("names") + "/";
    const RunResult text = RunTool({"check", Path("names")});
    EXPECT_EQ(text.ExitCode, 2);
    EXPECT_FALSE(text.Out.contains('\x1B'));
    EXPECT_FALSE(text.Err.contains('\x1B'));
    const QStringList out = Lines(text.Out);
    ASSERT_EQ(out.size(), 3) << text.Out.toStdString();
    EXPECT_TRUE(out[0].startsWith(names + "bad\\\\xFF.map: ")) << out[0].toStdString();
    EXPECT_TRUE(out[1].startsWith(names + "esc\\x1B[2J.map: ")) << out[1].toStdString();
    EXPECT_TRUE(out[2].startsWith(names + "two\\x0Alines.map: ")) << out[2].toStdString();
    EXPECT_EQ(text.Err, (QStringLiteral("tavrenna-map: ") + names +
                         "bad\\xFF.map: cannot read: the file name is not UTF-8 text (rename the file)\n")
                            .toUtf8());

    const Json json = Json::parse(RunTool({"check", "--json", Path("names")}).Out.toStdString());
    ASSERT_EQ(json.size(), 4u);
    std::set<std::pair<std::string, std::string>> seen;
    for (const Json& entry : json)
        seen.emplace(entry["path"].get<std::string>(), entry.value("path_bytes", std::string()));
    EXPECT_EQ(seen.size(), 4u) << "every file has a path of its own, with its bytes where they are needed";
    EXPECT_EQ(json[1]["path_bytes"], QByteArray(Native("names").c_str()).toHex().toStdString() + "2f626164ff2e6d6170");
    EXPECT_EQ(json[3]["path"], (names + "two\nlines.map").toStdString());

    // The same name as an argument (as a shell's maps/*.map gives it): reported, and the others checked.
    // QProcess passes text, so a shell makes the byte.
    const auto throughShell = [&](const QString& line) {
        QProcess process;
        process.setProgram("/bin/sh");
        process.setArguments({"-c", line, QStringLiteral(TAV_MAP_TOOL), Path("a.map"), Path("names"), Path("b.map")});
        process.start();
        EXPECT_TRUE(process.waitForFinished(20000));
        return RunResult{true, process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    };
    const QString bad = QStringLiteral("\"$2\"/bad$(printf '\\377').map");
    const RunResult glob = throughShell("exec \"$0\" check \"$1\" " + bad + " \"$3\"");
    EXPECT_EQ(glob.ExitCode, 2);
    EXPECT_TRUE(glob.Out.contains(Path("a.map").toUtf8() + ": ")) << glob.Out.toStdString();
    EXPECT_TRUE(glob.Out.contains(Path("b.map").toUtf8() + ": ")) << glob.Out.toStdString();
    EXPECT_EQ(glob.Err, ("tavrenna-map: argument \"" + Native("names") +
                         "/bad\\xFF.map\" is not valid UTF-8; file names must be UTF-8 text (rename the file)\n")
                            .c_str());
    // Anywhere else such an argument is refused as before, and nothing is written.
    for (const QString& line : {"exec \"$0\" shape " + bad + " -o \"$3\"", "exec \"$0\" shape \"$1\" -o " + bad,
                                "exec \"$0\" render \"$1\" -o " + bad}) {
        SCOPED_TRACE(line.toStdString());
        const QByteArray before = ReadBytes(Path("b.map"));
        const RunResult refused = throughShell(line);
        EXPECT_EQ(refused.ExitCode, 2);
        EXPECT_THAT(refused.Err.toStdString(), HasSubstr("is not valid UTF-8; file names must be UTF-8 text"));
        EXPECT_EQ(ReadBytes(Path("b.map")), before);
    }
}

// diff compares the first 2306 bytes, as every command reads a map; what follows is named, as text does.
TEST_F(Hostile, DiffWarnsOfBytesBeyondTheMap) {
    WriteBytes(Path("long.map"), ReadBytes(Path("a.map")) + "x");
    const RunResult run = RunTool({"diff", Path("a.map"), Path("long.map")});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Err, (QStringLiteral("tavrenna-map: ") + Path("long.map") +
                        ": only the first 2306 bytes are a map; the rest of the file is not compared\n")
                           .toUtf8());
}

} // namespace
} // namespace tav::clitest
