// Map packs: the reporting commands over folders and many files, the text form and its way back, and the
// difference of two maps, as a pack's scripts and version control use them.

#include "CliTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace tav::clitest {
namespace {

class Packs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        // maps/ holds a checked map, two painted ones (one in a subfolder), a broken file, a link that
        // points out of the folder and one that stays inside, and files that are not maps by name.
        QDir(dir_.path()).mkpath("maps/deep");
        WriteMap(Path("maps/b.map"), PaintedGrid(1), 20);
        WriteMap(Path("maps/deep/c.map"), PaintedGrid(2), 30);
        WriteMap(Path("maps/a.map"), FilledGrid(NewMapTile), 0); // tile set 0: corrected to 1
        WriteBytes(Path("maps/broken.map"), QByteArray(100, 'x'));
        WriteMap(Path("maps/notes.MAP"), PaintedGrid(3), 10);
        WriteMap(Path("outside.map"), PaintedGrid(4), 10);
        ASSERT_TRUE(QFile::link(Path("outside.map"), Path("maps/out.map")));
        ASSERT_TRUE(QFile::link(Path("maps/b.map"), Path("maps/deep/same.map")));
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

QJsonArray JsonArray(const QByteArray& out) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << out.toStdString();
    return document.array();
}

TEST_F(Packs, AFolderIsReadInPathOrderAndOneBrokenMapDoesNotStopTheRun) {
    const QString maps = Path("maps");
    const QStringList expected = {maps + "/a.map", maps + "/b.map", maps + "/broken.map", maps + "/deep/c.map",
                                  maps + "/deep/same.map"};
    struct Case {
        const char* command;
        int exitCode; // 2: a map could not be read, whatever the reports say
    };
    for (const Case& c : {Case{"check", 2}, Case{"analyse", 2}, Case{"stats", 2}}) {
        SCOPED_TRACE(c.command);
        const RunResult json = RunTool({c.command, maps, "--json"});
        ASSERT_TRUE(json.Finished);
        EXPECT_EQ(json.ExitCode, c.exitCode);
        const QJsonArray array = JsonArray(json.Out);
        QStringList paths;
        for (const QJsonValue& entry : array)
            paths << entry["path"].toString();
        EXPECT_EQ(paths, expected);
        EXPECT_TRUE(array[2].toObject().contains("error"));
        EXPECT_FALSE(array[2].toObject().contains("report"));
        EXPECT_EQ(array[0]["tileset"].toInt(), 1);
        EXPECT_TRUE(array[0].toObject().contains("warning")) << "the corrected tile set is named";
        EXPECT_EQ(array[3]["tileset"].toInt(), 3);
        EXPECT_FALSE(array[3].toObject().contains("warning"));
        // The link out of the folder is named as skipped; the broken map as an error; nothing else.
        const QString err = QString::fromUtf8(json.Err);
        EXPECT_TRUE(err.contains(maps + "/out.map: skipped")) << err.toStdString();
        EXPECT_TRUE(err.contains(maps + "/broken.map: ")) << err.toStdString();

        // The text output is each map's own output with its path in front of every line.
        const RunResult text = RunTool({c.command, maps});
        const RunResult single = RunTool({c.command, maps + "/deep/c.map"});
        QStringList own;
        for (const QString& line : Lines(single.Out))
            own << maps + "/deep/c.map: " + line;
        const QStringList all = Lines(text.Out);
        EXPECT_EQ(all.mid(all.indexOf(own.front()), own.size()), own);
    }
    // A check of readable maps only: exit 1 for problems, and each map's report as the JSON says.
    const RunResult check = RunTool({"check", maps + "/a.map", maps + "/deep/c.map", "--json"});
    EXPECT_EQ(check.ExitCode, 1);
    const QJsonObject report = JsonArray(check.Out)[1].toObject()["report"].toObject();
    EXPECT_TRUE(report["problem"].toBool());
    const RunResult alone = RunTool({"check", maps + "/deep/c.map"});
    QStringList lines;
    for (const QJsonValue& line : report["lines"].toArray())
        lines << line.toString();
    EXPECT_EQ(lines, Lines(alone.Out));
}

TEST_F(Packs, RenderKeepsTheFolderLayoutAndRefusesTwoMapsForOnePicture) {
    const RunResult run = RunTool({"render", Path("maps/deep"), Path("maps/b.map"), "--out-dir", Path("png"),
                                   "--jobs", "3", "--edge", "4"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    for (const char* name : {"png/c.png", "png/b.png"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(QImage(Path(name)).size(), QSize(192, 192));
    }
    EXPECT_FALSE(QFileInfo::exists(Path("png/same.png"))) << "deep/same.map links out of deep/";
    QDir(dir_.path()).mkpath("other");
    WriteMap(Path("other/b.map"), PaintedGrid(5), 10);
    const RunResult clash = RunTool({"render", Path("outside.map"), Path("maps/b.map"), Path("other/b.map"),
                                     "--out-dir", Path("png2")});
    EXPECT_EQ(clash.ExitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(Path("png2"))) << "nothing is written when two maps want one name";
    EXPECT_EQ(RunTool({"render", Path("maps"), "-o", Path("x.png")}).ExitCode, 2);
}

TEST_F(Packs, TextAndFromTextGiveBackEveryByteAndNameWhatIsWrong) {
    std::mt19937 rng(5);
    for (int round = 0; round < 20; ++round) {
        QByteArray bytes(2306, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(rng() & 0xFF);
        WriteBytes(Path("any.map"), bytes);
        const RunResult text = RunTool({"text", Path("any.map")});
        ASSERT_EQ(text.ExitCode, 0) << text.Err.toStdString();
        WriteBytes(Path("any.txt"), text.Out);
        ASSERT_EQ(RunTool({"fromtext", Path("any.txt"), "-o", Path("back.map")}).ExitCode, 0);
        ASSERT_EQ(ReadBytes(Path("back.map")), bytes) << "round " << round;
    }
    WriteBytes(Path("long.map"), ReadBytes(Path("any.map")) + "tail");
    const RunResult longer = RunTool({"text", Path("long.map")});
    EXPECT_EQ(longer.ExitCode, 0);
    EXPECT_TRUE(longer.Err.contains("2306")) << longer.Err.toStdString();

    QByteArray broken = ReadBytes(Path("any.txt"));
    broken.replace(broken.indexOf('\n', broken.indexOf('\n') + 1) + 4, 2, "QQ"); // row 2, second code
    WriteBytes(Path("broken.txt"), broken);
    const RunResult refused = RunTool({"fromtext", Path("broken.txt"), "-o", Path("never.map")});
    EXPECT_EQ(refused.ExitCode, 2);
    EXPECT_TRUE(refused.Err.contains("line 3, column 2")) << refused.Err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("never.map")));
}

TEST_F(Packs, DiffNamesEveryChangedCellAndExitsAsDiffDoes) {
    const MapGrid before = PaintedGrid(1);
    MapGrid after = before;
    after[CellIndex(5, 7)] = 0x30;
    after[CellIndex(40, 2)] = 0x00;
    WriteMap(Path("after.map"), after, 20);
    const RunResult same = RunTool({"diff", Path("maps/b.map"), Path("maps/b.map")});
    EXPECT_EQ(same.ExitCode, 0);
    EXPECT_TRUE(same.Out.isEmpty());
    const RunResult differ = RunTool({"diff", Path("maps/b.map"), Path("after.map"), "--json", "-o", Path("d.png")});
    EXPECT_EQ(differ.ExitCode, 1);
    QJsonParseError error{};
    const QJsonObject json = QJsonDocument::fromJson(differ.Out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    std::vector<std::pair<int, int>> cells;
    for (const QJsonValue& cell : json["cells"].toArray()) {
        cells.emplace_back(cell["x"].toInt(), cell["y"].toInt());
        EXPECT_EQ(cell["before"].toInt(), before[CellIndex(cell["x"].toInt(), cell["y"].toInt())]);
    }
    std::vector<std::pair<int, int>> expected;
    if (before[CellIndex(40, 2)] != 0)
        expected.emplace_back(40, 2);
    if (before[CellIndex(5, 7)] != 0x30)
        expected.emplace_back(5, 7);
    EXPECT_EQ(cells, expected) << "the changed cells, in reading order";
    EXPECT_EQ(QImage(Path("d.png")).size(), QSize(768, 768));
    EXPECT_EQ(RunTool({"diff", Path("maps/b.map"), Path("maps/broken.map")}).ExitCode, 2);
}

TEST_F(Packs, GitShowsAMapChangeAsTheChangedRowThroughTheTextForm) {
    const QString git = QStandardPaths::findExecutable("git");
    if (git.isEmpty())
        GTEST_SKIP() << "git is not installed";
    const QString repo = Path("repo");
    QDir().mkpath(repo);
    const auto run = [&](const QStringList& arguments) {
        QProcess process;
        process.setWorkingDirectory(repo);
        process.setProcessEnvironment([] {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("GIT_CONFIG_GLOBAL", "/dev/null");
            env.insert("GIT_CONFIG_NOSYSTEM", "1");
            return env;
        }());
        process.start(git, arguments);
        process.waitForFinished(20000);
        EXPECT_EQ(process.exitCode(), 0) << arguments.join(' ').toStdString() << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    run({"init", "-q"});
    run({"config", "user.email", "author@example.org"});
    run({"config", "user.name", "Author"});
    // The set-up the README gives.
    run({"config", "diff.tavrenna-map.textconv", QStringLiteral(TAV_MAP_TOOL) + " text"});
    run({"config", "diff.tavrenna-map.binary", "true"});
    WriteBytes(repo + "/.gitattributes", "*.map diff=tavrenna-map\n");
    MapGrid grid = FilledGrid(NewMapTile);
    WriteMap(repo + "/castle.map", grid, 10);
    run({"add", "."});
    run({"commit", "-q", "-m", "first"});
    grid[CellIndex(3, 2)] = 0x14;
    WriteMap(repo + "/castle.map", grid, 10);
    const QString diff = run({"diff"});
    QString row = QStringLiteral("30 30 30 14");
    for (int x = 4; x < MapSize; ++x)
        row += QStringLiteral(" 30");
    EXPECT_TRUE(diff.contains("\n+" + row + "\n")) << diff.toStdString();
    EXPECT_FALSE(diff.contains("Binary files")) << diff.toStdString();
}

} // namespace
} // namespace tav::clitest
