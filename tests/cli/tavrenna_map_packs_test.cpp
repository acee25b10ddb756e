// Map packs: the reporting commands over folders and many files, the text form and its way back, and the
// difference of two maps, as a pack's scripts and version control use them.

#include "CliTestSupport.h"
#include "MapCheck.h"
#include "TileRoles.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <grp.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <tuple>
#include <map>

namespace tav::clitest {
namespace {

class Packs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        // maps/ holds a checked map, two painted ones (one in a subfolder), a broken file, a map whose name
        // is not UTF-8, a link that points out of the folder and one that stays inside, a link to a folder
        // (never followed), and files that are not maps by name.
        QDir(dir_.path()).mkpath("maps/deep");
        WriteMap(Path("maps/b.map"), PaintedGrid(1), 20);
        WriteMap(Path("maps/deep/c.map"), PaintedGrid(2), 30);
        WriteMap(Path("maps/a.map"), FilledGrid(NewMapTile), 0); // tile set 0: corrected to 1
        WriteBytes(Path("maps/broken.map"), QByteArray(100, 'x'));
        WriteMap(Path("maps/notes.MAP"), PaintedGrid(3), 10);
        WriteMap(Path("outside.map"), PaintedGrid(4), 10);
        ASSERT_TRUE(QFile::link(Path("outside.map"), Path("maps/out.map")));
        ASSERT_TRUE(QFile::link(Path("maps/b.map"), Path("maps/deep/same.map")));
        ASSERT_TRUE(QFile::link(Path("maps/deep"), Path("maps/again")));
        std::ofstream(QFile::encodeName(Path("maps")).toStdString() + "/caf\xE9.map", std::ios::binary)
            << ImageBytes(PaintedGrid(6), 10).toStdString();
    }
    // QTemporaryDir removes files by their decoded names, which miss a name that is not UTF-8.
    void TearDown() override {
        std::filesystem::remove(QFile::encodeName(Path("maps")).toStdString() + "/caf\xE9.map");
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
    // Nothing under maps/again: a link to a folder is not followed.
    const QStringList expected = {maps + "/a.map",        maps + "/b.map",      maps + "/broken.map",
                                  maps + "/caf\\xE9.map", maps + "/deep/c.map", maps + "/deep/same.map"};
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
        EXPECT_TRUE(array[3]["error"].toString().contains("not UTF-8")) << "not the errno of a mangled name";
        EXPECT_EQ(array[0]["tileset"].toInt(), 1);
        EXPECT_TRUE(array[0].toObject().contains("warning")) << "the corrected tile set is named";
        EXPECT_EQ(array[4]["tileset"].toInt(), 3);
        EXPECT_FALSE(array[4].toObject().contains("warning"));
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
    // What other editors may make of the text: lower-case codes, a byte-order mark in front.
    for (const QByteArray& edited :
         {ReadBytes(Path("any.txt")).toLower(), "\xEF\xBB\xBF" + ReadBytes(Path("any.txt"))}) {
        WriteBytes(Path("edited.txt"), edited);
        const RunResult back = RunTool({"fromtext", Path("edited.txt"), "-o", Path("edited.map")});
        EXPECT_EQ(back.ExitCode, 0) << back.Err.toStdString();
        EXPECT_EQ(ReadBytes(Path("edited.map")), ReadBytes(Path("any.map")));
    }
    // The text keeps a tile set outside 1..9 as stored, so it warns of no correction, where stats does.
    EXPECT_EQ(RunTool({"text", Path("maps/a.map")}).Err, QByteArray());
    EXPECT_NE(RunTool({"stats", Path("maps/a.map")}).Err, QByteArray());
    WriteBytes(Path("long.map"), ReadBytes(Path("any.map")) + "tail");
    const RunResult longer = RunTool({"text", Path("long.map")});
    EXPECT_EQ(longer.ExitCode, 0);
    EXPECT_TRUE(longer.Err.contains("2306")) << longer.Err.toStdString();

    QByteArray broken = ReadBytes(Path("any.txt"));
    broken.replace(broken.indexOf('\n', broken.indexOf('\n') + 1) + 4, 2, "QQ"); // row 2, second code
    WriteBytes(Path("broken.txt"), broken);
    const RunResult refused = RunTool({"fromtext", Path("broken.txt"), "-o", Path("never.map")});
    EXPECT_EQ(refused.ExitCode, 2);
    EXPECT_TRUE(refused.Err.contains("line 3, code 2")) << refused.Err.toStdString();
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

TEST_F(Packs, StatsDiffAndItsPictureReportWhatWasPlaced) {
    // A map made by hand: plain land, a water band splitting it, mountains, forest, plateau, a castle of
    // each faction, houses and fields.
    MapGrid before = FilledGrid(0x00);
    const auto place = [&](int x0, int y0, int x1, int y1, TileCode code) {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y)
                before[CellIndex(x, y)] = code;
    };
    place(20, 0, 22, 47, 0x30);  // 144 water
    place(30, 5, 34, 6, 0x60);   // 10 mountain
    place(2, 30, 5, 34, 0x01);   // 20 forest
    place(40, 40, 40, 44, 0x20); // 5 plateau
    for (const auto& [x, y, faction] :
         {std::tuple{10, 10, 0}, std::tuple{10, 37, 1}, std::tuple{37, 37, 2}, std::tuple{37, 10, 3}})
        place(x, y, x, y, static_cast<TileCode>(20 + faction));
    place(12, 10, 12, 10, 8); // houses: two of faction 0, one of faction 2
    place(12, 12, 12, 12, 8);
    place(35, 37, 35, 37, 10);
    place(3, 3, 5, 3, 13); // 3 fields of faction 1
    const std::map<TileCode, int> placed = {
        {0x30, 144}, {0x60, 10}, {0x01, 20}, {0x20, 5},
        {20, 4},     {8, 3},     {13, 3},    {0x00, 2304 - 144 - 10 - 20 - 5 - 4 - 3 - 3}};
    WriteMap(Path("before.map"), before, 10);
    const auto object = [](const RunResult& run) { return QJsonDocument::fromJson(run.Out).object(); };

    const QJsonObject stats = object(RunTool({"stats", Path("before.map"), "--json"}));
    const QJsonObject roles = stats["roles"].toObject();
    int sum = 0;
    for (const QString& role : roles.keys())
        sum += roles[role].toInt();
    EXPECT_EQ(sum, MapCells);
    for (const auto& [code, cells] : placed)
        EXPECT_EQ(roles[TileRoleName(code)].toInt(), cells) << TileRoleName(code).toStdString();
    const int houses[] = {2, 0, 1, 0}, fields[] = {0, 3, 0, 0};
    for (int f = 0; f < 4; ++f) {
        const QJsonValue faction = stats["factions"][f];
        EXPECT_EQ(faction["castles"].toInt(), 1);
        EXPECT_EQ(faction["houses"].toInt(), houses[f]);
        EXPECT_EQ(faction["fields"].toInt(), fields[f]);
    }
    // Water and mountains block; every open cell is someone's territory, contested or unreachable.
    const QJsonObject analysed = object(RunTool({"analyse", Path("before.map"), "--json"}));
    int open = analysed["contested"].toInt() + analysed["unreachable"].toInt();
    for (const QJsonValue& faction : analysed["factions"].toArray())
        open += faction["territory"].toInt();
    EXPECT_EQ(stats["blocked"].toInt(), 144 + 10);
    EXPECT_EQ(stats["passable"].toInt(), open);
    EXPECT_EQ(stats["passable"].toInt() + stats["blocked"].toInt(), MapCells);

    // The diff: two cells and the tile set; then only the stored tile-set bytes, which give the same set.
    MapGrid after = before;
    after[CellIndex(9, 10)] = 0x30; // beside the castle of faction 0: one cell less of its territory
    after[CellIndex(3, 31)] = 0x00;
    WriteMap(Path("after.map"), after, 30);
    WriteMap(Path("set-byte.map"), before, 11);
    WriteBytes(Path("last-byte.map"), ImageBytes(before, 10, 1));
    const QJsonObject analysedAfter = object(RunTool({"analyse", Path("after.map"), "--json"}));
    const auto territory = [](const QJsonObject& analysis, int f) {
        return analysis["factions"][f]["territory"].toInt();
    };
    ASSERT_EQ(territory(analysedAfter, 0), territory(analysed, 0) - 1);
    QStringList changes = {"(9,10) 00 → 30 平地 → 水辺", "(3,31) 01 → 00 森林 → 平地",
                           "2 cells changed, 水辺 +1, 森林 -1",
                           QString::fromStdString("tileset 1 " + std::string(TileSetName(TileSet{1})) +
                                                  " → 3 " + std::string(TileSetName(TileSet{3}))),
                           "bytes 0A 00 → 1E 00"};
    for (int f = 0; f < 4; ++f)
        changes << QStringLiteral("faction %1 %2: territory %3 → %4")
                       .arg(f)
                       .arg(analysedAfter["factions"][f]["name"].toString())
                       .arg(territory(analysed, f))
                       .arg(territory(analysedAfter, f));
    changes << QStringLiteral("balance %1 → %2")
                   .arg(analysed["balance"].toDouble(), 0, 'f', 3)
                   .arg(analysedAfter["balance"].toDouble(), 0, 'f', 3);
    struct DiffCase {
        const char* after;
        QStringList lines;
    };
    for (const DiffCase& c :
         {DiffCase{"after.map", changes}, DiffCase{"set-byte.map", {"bytes 0A 00 → 0B 00"}},
          DiffCase{"last-byte.map", {"bytes 0A 00 → 0A 01"}}}) {
        SCOPED_TRACE(c.after);
        const RunResult diff = RunTool({"diff", Path("before.map"), Path(c.after)});
        EXPECT_EQ(diff.ExitCode, 1) << "the files differ";
        // After changed cells, a line per faction and one for the turn-order balance give the figures of turn
        // order and movement costs; they follow the lines checked here.
        const QStringList printed = Lines(diff.Out);
        EXPECT_EQ(printed.mid(0, c.lines.size()).join('\n').toStdString(), c.lines.join('\n').toStdString());
        EXPECT_EQ(printed.size(), c.lines.size() + (std::string_view(c.after) == "after.map" ? 4 + 1 : 0));
        const QJsonObject json = object(RunTool({"diff", Path("before.map"), Path(c.after), "--json"}));
        EXPECT_FALSE(json["equal"].toBool());
        const QByteArray stored = ReadBytes(Path(c.after)).mid(MapCells);
        EXPECT_EQ(json["bytes"]["after"].toArray(),
                  (QJsonArray{static_cast<std::uint8_t>(stored[0]), static_cast<std::uint8_t>(stored[1])}));
    }

    // The picture frames the changed cells and is B's own picture everywhere else, at every edge; the frame
    // has a dark outer ring and a light one inside, so that one of them reads on any tile set.
    struct PictureCase {
        int edge;
        int ring; // width of each ring in pixels
    };
    for (const PictureCase& c : {PictureCase{4, 1}, PictureCase{16, 2}}) {
        SCOPED_TRACE(c.edge);
        const QString edge = QString::number(c.edge);
        RunTool({"diff", Path("before.map"), Path("after.map"), "--edge", edge, "-o", Path("framed.png")});
        ASSERT_EQ(RunTool({"render", Path("after.map"), "--edge", edge, "-o", Path("plain.png")}).ExitCode, 0);
        const QImage framed = QImage(Path("framed.png")).convertToFormat(QImage::Format_RGB32);
        const QImage plain = QImage(Path("plain.png")).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(framed.size(), plain.size());
        int differing = 0;
        for (int y = 0; y < framed.height(); ++y)
            for (int x = 0; x < framed.width(); ++x) {
                const bool inChanged =
                    before[CellIndex(x / c.edge, y / c.edge)] != after[CellIndex(x / c.edge, y / c.edge)];
                if (!inChanged)
                    differing += framed.pixel(x, y) != plain.pixel(x, y);
            }
        EXPECT_EQ(differing, 0) << "unchanged cells are drawn as render draws them";
        for (const auto& [cx, cy] : {std::pair{9, 10}, std::pair{3, 31}}) {
            const int left = cx * c.edge, top = cy * c.edge;
            EXPECT_EQ(framed.pixel(left, top), qRgb(0, 0, 0));
            EXPECT_EQ(framed.pixel(left + c.edge - 1, top + c.edge - 1), qRgb(0, 0, 0));
            const QColor light = framed.pixelColor(left + c.ring, top + c.edge / 2);
            EXPECT_TRUE(light.red() > 200 && light.blue() > 200 && light.green() < 100)
                << light.name().toStdString();
        }
    }
}

TEST_F(Packs, RenderingWithOneOrManyJobsSaysTheSameInTheSameOrder) {
    QDir(dir_.path()).mkpath("jobs/sub");
    for (int i = 0; i < 9; ++i) {
        const QString name = Path(QString(i % 2 ? "jobs/sub/%1.map" : "jobs/%1.map").arg(i));
        if (i % 3 == 0)
            WriteBytes(name, QByteArray(50 + i, 'x')); // broken
        else
            WriteMap(name, PaintedGrid(static_cast<unsigned>(i)), i % 3 == 1 ? 0 : 20); // set 0 is corrected
    }
    const RunResult one =
        RunTool({"render", Path("jobs"), "--out-dir", Path("one"), "--jobs", "1", "--edge", "4"});
    const RunResult eight =
        RunTool({"render", Path("jobs"), "--out-dir", Path("eight"), "--jobs", "8", "--edge", "4"});
    EXPECT_EQ(one.ExitCode, 2);
    EXPECT_EQ(eight.ExitCode, 2);
    EXPECT_EQ(Lines(one.Err).size(), 6) << one.Err.toStdString();
    EXPECT_EQ(eight.Err, one.Err);
    EXPECT_EQ(eight.Out, one.Out);
}

TEST_F(Packs, AFolderThatCannotBeEnteredIsNamedAndTheWalkGoesOn) {
    // Root may enter any folder; the tool then runs as nobody, so that a locked folder stays locked.
    const auto asNobody = [] {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(77);
    };
    for (const char* folder : {"pack/a", "pack/b", "pack/locked", "pack/y", "pack/z"}) {
        QDir(dir_.path()).mkpath(folder);
        WriteMap(Path(folder) + "/m.map", PaintedGrid(7), 10);
    }
    for (const QString& path :
         {dir_.path(), Path("pack"), Path("pack/a"), Path("pack/b"), Path("pack/y"), Path("pack/z")})
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                        QFileDevice::ReadOther | QFileDevice::ExeOther);
    QFile::setPermissions(Path("pack/locked"), QFileDevice::Permissions());
    const RunResult open = RunTool({"stats", Path("pack/a/m.map")}, asNobody);
    const RunResult run = RunTool({"stats", Path("pack"), "--json"}, asNobody);
    QFile::setPermissions(Path("pack/locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (open.ExitCode != 0)
        GTEST_SKIP() << "the tool cannot run as another user on the temporary folder";
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_TRUE(run.Err.contains(Path("pack/locked").toUtf8() + ": cannot read the folder"))
        << run.Err.toStdString();
    QStringList paths;
    for (const QJsonValue& entry : JsonArray(run.Out))
        paths << entry["path"].toString();
    const QString pack = Path("pack");
    EXPECT_EQ(paths,
              (QStringList{pack + "/a/m.map", pack + "/b/m.map", pack + "/locked", pack + "/y/m.map",
                           pack + "/z/m.map"}));
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
