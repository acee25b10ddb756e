// symmetrize writes the core's symmetric map and names the castles it leaves out; check --symmetry adds the
// asymmetry line and exits 1 exactly when a cell breaks the symmetry.

#include "CliTestSupport.h"

#include "MapCheck.h"
#include "Symmetry.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace tav::clitest {
namespace {

class TavrennaMapSymmetry : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

QStringList CoreCheckLines(const MapGrid& grid, TileSet tileSet) {
    QStringList lines;
    for (const std::string& line : CheckMap(grid, tileSet).Lines)
        lines << QString::fromStdString(line);
    return lines;
}

TEST_F(TavrennaMapSymmetry, SymmetrizeWritesTheCoresMapAndCheckFindsItSymmetric) {
    struct Case {
        QStringList options;
        SymmetryMode mode;
        SymmetrySource source;
    };
    const std::vector<Case> cases = {
        {{"--symmetry", "lr", "--source", "right"}, SymmetryMode::LeftRight, SymmetrySource::Right},
        {{"--symmetry", "tb"}, SymmetryMode::TopBottom, SymmetrySource::Top},
        {{"--source", "bottom-right", "--symmetry", "quad"}, SymmetryMode::Quad, SymmetrySource::BottomRight},
        {{"--symmetry", "half", "--source", "top"}, SymmetryMode::Half, SymmetrySource::Top},
        {{"--symmetry", "quarter"}, SymmetryMode::Quarter, SymmetrySource::TopLeft},
        {{"--symmetry", "quarter", "--source", "top-right"}, SymmetryMode::Quarter, SymmetrySource::TopRight},
    };
    unsigned seed = 40;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString());
        const MapGrid painted = PaintedGrid(++seed);
        WriteMap(Path("in.map"), painted, 30);
        const QString mode = QString::fromUtf8(SymmetryModeCliName(c.mode));

        const RunResult run =
            RunTool(QStringList{"symmetrize", Path("in.map"), "-o", Path("out.map")} + c.options);
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        const SymmetrizeResult expected = Symmetrize(painted, c.mode, c.source);
        EXPECT_EQ(ReadBytes(Path("out.map")), ImageBytes(expected.Grid, 30));
        QByteArray named;
        for (const RemovedCastle& castle : expected.RemovedCastles)
            named += "tavrenna-map: " + Path("in.map").toUtf8() + ": " +
                     QByteArray::fromStdString(RemovedCastleLine(castle, TileSet::Sandra)) + "\n";
        EXPECT_EQ(run.Err, named);

        // The symmetric map gets no asymmetry line: only the rule findings decide the exit status.
        const RunResult after = RunTool({"check", Path("out.map"), "--symmetry", mode});
        EXPECT_EQ(Lines(after.Out), CoreCheckLines(expected.Grid, TileSet::Sandra));
        EXPECT_EQ(after.ExitCode, CheckMap(expected.Grid, TileSet::Sandra).Problem ? 1 : 0);
    }
}

TEST_F(TavrennaMapSymmetry, CheckExitsOneForOneAsymmetricCellOfAnOtherwisePlayableMap) {
    // One castle in the top-left quadrant becomes all four under quad; the rim is water, the gates open.
    MapGrid painted = FilledGrid(0);
    for (int i = 0; i < MapSize; ++i)
        for (const auto& [x, y] :
             {std::pair{i, 0}, std::pair{i, MapSize - 1}, std::pair{0, i}, std::pair{MapSize - 1, i}})
            painted[CellIndex(x, y)] = 48;
    painted[CellIndex(10, 8)] = 20;
    painted[CellIndex(15, 15)] = 96;
    WriteMap(Path("in.map"), painted, 10);
    ASSERT_EQ(RunTool({"symmetrize", Path("in.map"), "-o", Path("sym.map"), "--symmetry", "quad"}).ExitCode,
              0);
    const RunResult symmetric = RunTool({"check", Path("sym.map"), "--symmetry", "quad"});
    EXPECT_EQ(symmetric.ExitCode, 0) << symmetric.Out.toStdString();
    EXPECT_EQ(Lines(symmetric.Out), QStringList{"キャラクタータイプ：ヴェルダ"});

    MapGrid broken = ReadGrid(Path("sym.map"));
    broken[CellIndex(32, 15)] = 7; // the top-right image of (15, 15)
    WriteMap(Path("broken.map"), broken, 10);
    const RunResult run = RunTool({"check", Path("broken.map"), "--symmetry", "quad"});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(Lines(run.Out),
              QStringList({"キャラクタータイプ：ヴェルダ",
                           "上下左右対称ではないセルが 4 個あります。(15,15) (32,15) (15,32) (32,32)"}));
    // The rule check alone still passes, and so does the symmetry that the change keeps.
    EXPECT_EQ(RunTool({"check", Path("broken.map")}).ExitCode, 0);
    EXPECT_EQ(RunTool({"check", Path("broken.map"), "--symmetry", "none"}).ExitCode, 0);
    EXPECT_EQ(RunTool({"check", Path("sym.map"), "--symmetry", "quarter"}).ExitCode, 1);
}

TEST_F(TavrennaMapSymmetry, ACastleOverlappingItsImageIsLeftOutAndNamed) {
    MapGrid painted = FilledGrid(0);
    painted[CellIndex(23, 10)] = 20; // its block would meet its mirror image's
    painted[CellIndex(10, 30)] = 21;
    WriteMap(Path("in.map"), painted, 30);
    const RunResult run = RunTool({"symmetrize", Path("in.map"), "-o", Path("out.map"), "--symmetry", "lr"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Err.toStdString(),
              "tavrenna-map: " + Path("in.map").toStdString() +
                  ": (23,10)にあるハオラン家(緑)の城は対称の位置の城と重なるため取り除きました。\n");
    const MapGrid out = ReadGrid(Path("out.map"));
    EXPECT_EQ(out[CellIndex(23, 10)], 0);
    EXPECT_EQ(out[CellIndex(24, 10)], 0);
    EXPECT_EQ(out[CellIndex(10, 30)], 21);
    EXPECT_EQ(out[CellIndex(37, 30)], 20);
}

TEST_F(TavrennaMapSymmetry, AModeOrShareThatDoesNotFitIsAUsageError) {
    WriteMap(Path("in.map"), PaintedGrid(3), 10);
    const std::vector<std::pair<QStringList, std::string>> cases = {
        {{"symmetrize", "@IN", "-o", "@OUT"}, "symmetrize: --symmetry is required"},
        {{"symmetrize", "@IN", "-o", "@OUT", "--symmetry", "none"},
         "symmetrize: --symmetry must be one of lr, tb, quad, half, quarter, not \"none\""},
        {{"symmetrize", "@IN", "-o", "@OUT", "--symmetry", "lr", "--source", "top"},
         "symmetrize: --source for lr must be one of left, right, not \"top\""},
        {{"symmetrize", "@IN", "-o", "@OUT", "--symmetry", "half", "--source", "top-left"},
         "--source for half must be one of left, right, top, bottom, not \"top-left\""},
        {{"symmetrize", "@IN", "-o", "@OUT", "--symmetry", "quad", "--source", "left"},
         "--source for quad must be one of top-left, top-right, bottom-left, bottom-right, not \"left\""},
        {{"symmetrize", "@IN", "-o", "@OUT", "--symmetry", "quarter", "--source", "centre"},
         "--source for quarter must be one of top-left"},
        {{"check", "@IN", "--symmetry", "diagonal"},
         "check: --symmetry must be one of none, lr, tb, quad, half, quarter, not \"diagonal\""},
    };
    for (const auto& [arguments, message] : cases) {
        QStringList args = arguments;
        args.replaceInStrings("@IN", Path("in.map")).replaceInStrings("@OUT", Path("out.map"));
        SCOPED_TRACE(args.join(u' ').toStdString());
        const RunResult run = RunTool(args);
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_TRUE(run.Out.isEmpty());
        EXPECT_THAT(run.Err.toStdString(), ::testing::StartsWith("tavrenna-map: "));
        EXPECT_THAT(run.Err.toStdString(), ::testing::HasSubstr(message));
        EXPECT_EQ(run.Err.count('\n'), 1);
        EXPECT_FALSE(QFileInfo::exists(Path("out.map")));
    }
}

} // namespace
} // namespace tav::clitest
