// What each command of tavrenna-map writes or prints, on small maps built here, against the core's own
// results and known worked examples.

#include "CliTestSupport.h"

#include "CellBlock.h"
#include "DrawTools.h"
#include "MapCheck.h"
#include "Shaping.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tav::clitest {
namespace {

class TavrennaMap : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

QStringList CoreLines(const MapGrid& grid, TileSet tileSet) {
    QStringList lines;
    for (const std::string& line : CheckMap(grid, tileSet).Lines)
        lines << QString::fromStdString(line);
    return lines;
}

// A playable map: one castle per faction, each with open ground two cells below, and a closed rim.
MapGrid PlayableGrid() {
    MapGrid grid = FilledGrid(0);
    for (int i = 0; i < MapSize; ++i)
        for (const auto& [x, y] : {std::pair{i, 0}, std::pair{i, MapSize - 1}, std::pair{0, i}, std::pair{MapSize - 1, i}})
            grid[CellIndex(x, y)] = 48;
    for (int faction = 0; faction < 4; ++faction)
        grid[CellIndex(8 + 8 * faction, 10)] = static_cast<TileCode>(20 + faction);
    return grid;
}

// --- check ------------------------------------------------------------------------------------------------

TEST_F(TavrennaMap, CheckOfANewMapPrintsTheFiveLinesOfTheWorkedExample) {
    ASSERT_EQ(RunTool({"new", "-o", Path("new.map")}).ExitCode, 0);
    const RunResult run = RunTool({"check", Path("new.map")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
    EXPECT_EQ(Lines(run.Out), QStringList({"キャラクタータイプ：ヴェルダ", "カルドア領(緑)の城がありません。",
                                           "ブレスト領(赤)の城がありません。", "シオネル領(白)の城がありません。",
                                           "ヴォルグ領(黒)の城がありません。"}));
}

TEST_F(TavrennaMap, CheckPrintsTheCoresReportAndExitsOneExactlyWhenItFindsProblems) {
    struct Case {
        const char* name;
        MapGrid grid;
        std::uint8_t tileSetByte;
        TileSet tileSet;
    };
    MapGrid rimOfGround = PlayableGrid();
    for (int i = 0; i < MapSize; ++i)
        rimOfGround[CellIndex(i, 0)] = rimOfGround[CellIndex(0, i)] = 0;
    MapGrid castleOnRim = PlayableGrid();
    castleOnRim[CellIndex(47, 20)] = 22;
    MapGrid sealed = PlayableGrid();
    sealed[CellIndex(16, 12)] = 48;
    sealed[CellIndex(24, 45)] = 23;
    MapGrid strayBytes = PlayableGrid();
    strayBytes[CellIndex(8, 12)] = 250;
    strayBytes[CellIndex(0, 5)] = 130;
    const std::vector<Case> cases = {
        {"playable map, set 3", PlayableGrid(), 30, TileSet::Sandra},
        {"playable map, set 9 from byte 99", PlayableGrid(), 99, TileSet::Stellan},
        {"rim of plain ground", rimOfGround, 20, TileSet::Coronet},
        {"castle on the rim, duplicate faction", castleOnRim, 50, TileSet::Lapist},
        {"sealed gates", sealed, 70, TileSet::Orcana},
        {"codes beyond 127", strayBytes, 80, TileSet::Nocturna},
        {"new map, set 4", FilledGrid(NewMapTile), 40, TileSet::Milphos},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteMap(Path("in.map"), c.grid, c.tileSetByte);
        const RunResult run = RunTool({"check", Path("in.map")});
        const MapCheckReport core = CheckMap(c.grid, c.tileSet);
        EXPECT_EQ(Lines(run.Out), CoreLines(c.grid, c.tileSet));
        EXPECT_EQ(run.ExitCode, core.Problem ? 1 : 0);
        EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
    }
    // The playable map is the one case the rules pass: only the header, and success.
    WriteMap(Path("in.map"), PlayableGrid(), 30);
    const RunResult run = RunTool({"check", Path("in.map")});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(Lines(run.Out), QStringList({"キャラクタータイプ：サンドラ"}));
}

TEST_F(TavrennaMap, TileSetByteOutsideOneToNineIsReadAsSetOneWithTheEditorsMessage) {
    struct Case {
        std::uint8_t tileSetByte;
        bool corrected;
        const char* header;
    };
    const Case cases[] = {
        {0, true, "キャラクタータイプ：ヴェルダ"},   {9, true, "キャラクタータイプ：ヴェルダ"},
        {100, true, "キャラクタータイプ：ヴェルダ"}, {200, true, "キャラクタータイプ：ヴェルダ"},
        {255, true, "キャラクタータイプ：ヴェルダ"}, {10, false, "キャラクタータイプ：ヴェルダ"},
        {19, false, "キャラクタータイプ：ヴェルダ"}, {60, false, "キャラクタータイプ：ゼフィール"},
        {95, false, "キャラクタータイプ：ステラン"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tileSetByte);
        WriteMap(Path("in.map"), PlayableGrid(), c.tileSetByte);
        const RunResult run = RunTool({"check", Path("in.map")});
        EXPECT_EQ(run.ExitCode, 0);
        EXPECT_EQ(Lines(run.Out), QStringList({QString::fromUtf8(c.header)}));
        if (c.corrected)
            EXPECT_EQ(QString::fromUtf8(run.Err),
                      "tavrenna-map: " + Path("in.map") + ": 無効なキャラクタです。修正しました。\n");
        else
            EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
    }
}

TEST_F(TavrennaMap, OnlyTheFirst2306BytesOfAHugeFileAreRead) {
    // A sparse 8 GiB file: reading it whole would take far longer than the timeout, or fail for memory.
    QByteArray bytes = ImageBytes(PlayableGrid(), 30, 0x5A);
    WriteBytes(Path("huge.map"), bytes);
    {
        QFile file(Path("huge.map"));
        ASSERT_TRUE(file.resize(qint64{8} << 30));
    }
    const RunResult run = RunTool({"check", Path("huge.map")});
    ASSERT_TRUE(run.Finished);
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(Lines(run.Out), QStringList({"キャラクタータイプ：サンドラ"}));

    ASSERT_EQ(RunTool({"shift", Path("huge.map"), "-o", Path("out.map"), "--dir", "up"}).ExitCode, 0);
    EXPECT_EQ(ReadBytes(Path("out.map")).size(), 2306);
}

// --- shape and unshape ---------------------------------------------------------------------------------

TEST_F(TavrennaMap, ShapeAndUnshapeWriteTheCoresResultInTheEditorsFileFormat) {
    struct Case {
        const char* command;
        unsigned seed;
        std::uint8_t tileSetByte;
        std::uint8_t expectedTileSetByte;
    };
    const Case cases[] = {
        {"shape", 1, 10, 10}, {"shape", 2, 47, 40}, {"shape", 3, 99, 90},
        {"unshape", 4, 20, 20}, {"unshape", 5, 85, 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " seed " + std::to_string(c.seed));
        MapGrid input = PaintedGrid(c.seed);
        if (std::string(c.command) == "unshape")
            ShapeMap(input); // unshaping has work only on a shaped map
        // Byte 2305 is ignored on reading and written as 0.
        WriteBytes(Path("in.map"), ImageBytes(input, c.tileSetByte, 0x77));
        const RunResult run = RunTool({c.command, Path("in.map"), "-o", Path("out.map")});
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        EXPECT_TRUE(run.Out.isEmpty() && run.Err.isEmpty());

        MapGrid expected = input;
        if (std::string(c.command) == "shape")
            ShapeMap(expected);
        else
            UnshapeMap(expected);
        ASSERT_NE(expected, input) << "the case must give the command something to do";
        const QByteArray written = ReadBytes(Path("out.map"));
        ASSERT_EQ(written.size(), 2306);
        EXPECT_EQ(ReadGrid(Path("out.map")), expected);
        EXPECT_EQ(static_cast<std::uint8_t>(written[2304]), c.expectedTileSetByte);
        EXPECT_EQ(written[2305], 0);
    }
}

TEST_F(TavrennaMap, OutputMayNameTheInputFile) {
    const MapGrid input = PaintedGrid(11);
    WriteMap(Path("map.map"), input, 30);
    const RunResult run = RunTool({"shape", Path("map.map"), "-o", Path("map.map")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    MapGrid expected = input;
    ShapeMap(expected);
    EXPECT_EQ(ReadGrid(Path("map.map")), expected);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"map.map"})) << "no temporary file is left";
}

TEST_F(TavrennaMap, InvalidTileSetIsWrittenBackAsSetOne) {
    WriteMap(Path("in.map"), PaintedGrid(12), 3);
    const RunResult run = RunTool({"unshape", Path("in.map"), "-o", Path("out.map")});
    ASSERT_EQ(run.ExitCode, 0);
    EXPECT_THAT(run.Err.toStdString(), ::testing::HasSubstr("無効なキャラクタです。修正しました。"));
    EXPECT_EQ(static_cast<std::uint8_t>(ReadBytes(Path("out.map"))[2304]), 10);
}

// --- paint ----------------------------------------------------------------------------------------------

TEST_F(TavrennaMap, PaintDoesWhatTheEditorsPaintStepDoes) {
    struct Case {
        const char* tool;
        DrawTool drawTool;
        std::optional<std::pair<int, int>> from;
        std::pair<int, int> at;
        int code;
    };
    const Case cases[] = {
        {"pen", DrawTool::Pen, std::nullopt, {5, 7}, 0},
        {"pen", DrawTool::Pen, std::nullopt, {47, 47}, 127},
        {"line", DrawTool::Line, std::pair{0, 10}, {10, 0}, 96},
        {"line", DrawTool::Line, std::pair{3, 40}, {44, 2}, 1},
        {"line", DrawTool::Line, std::nullopt, {20, 20}, 33},
        {"box", DrawTool::Box, std::pair{40, 40}, {2, 5}, 112},
        {"boxfill", DrawTool::BoxFill, std::pair{5, 5}, {30, 17}, 0},
        {"circle", DrawTool::Circle, std::pair{0, 0}, {47, 47}, 7},
        {"circle", DrawTool::Circle, std::pair{10, 30}, {10, 40}, 8},
        {"circlefill", DrawTool::CircleFill, std::pair{45, 3}, {4, 44}, 122},
        {"circlefill", DrawTool::CircleFill, std::nullopt, {9, 9}, 20},
        {"bucket", DrawTool::Bucket, std::nullopt, {0, 0}, 5},
        {"bucket", DrawTool::Bucket, std::nullopt, {30, 30}, 48},
    };
    const MapGrid input = PaintedGrid(21);
    WriteMap(Path("in.map"), input, 50);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.tool) + " at " + std::to_string(c.at.first) + "," + std::to_string(c.at.second));
        QStringList arguments = {"paint", Path("in.map"), "-o", Path("out.map"), "--tool", c.tool,
                                 "--at", QStringLiteral("%1,%2").arg(c.at.first).arg(c.at.second),
                                 "--code", QString::number(c.code)};
        if (c.from)
            arguments << "--from" << QStringLiteral("%1,%2").arg(c.from->first).arg(c.from->second);
        const RunResult run = RunTool(arguments);
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();

        MapGrid expected = input;
        ShapeCells cells;
        ApplyToolToGrid(cells, expected, c.drawTool, static_cast<TileCode>(c.code), c.from ? c.from->first : -1,
                        c.from ? c.from->second : -1, c.at.first, c.at.second);
        EXPECT_EQ(ReadGrid(Path("out.map")), expected);
        EXPECT_EQ(static_cast<std::uint8_t>(ReadBytes(Path("out.map"))[2304]), 50);
    }
}

// The cells a stroke on a map of one code changes, as (column, row) pairs.
std::set<std::pair<int, int>> ChangedCells(const MapGrid& before, const MapGrid& after) {
    std::set<std::pair<int, int>> changed;
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            if (before[CellIndex(x, y)] != after[CellIndex(x, y)])
                changed.emplace(x, y);
    return changed;
}

TEST_F(TavrennaMap, PaintFollowsTheWorkedExamplesOfTheTools) {
    using Cells = std::set<std::pair<int, int>>;
    Cells circleFill74;
    for (int x = 2; x <= 5; ++x)
        circleFill74.insert({{x, 1}, {x, 3}});
    for (int x = 1; x <= 6; ++x)
        circleFill74.insert({x, 2});
    struct Case {
        const char* name;
        QStringList toolArguments;
        Cells expected; // exactly the cells the stroke changes on a map of code 48
    };
    const std::vector<Case> cases = {
        {"line (0,0)-(5,2)", {"--tool", "line", "--from", "0,0", "--at", "5,2"},
         {{0, 0}, {1, 1}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
        {"line (0,10)-(5,5) misses both ends", {"--tool", "line", "--from", "0,10", "--at", "5,5"},
         {{0, 9}, {1, 8}, {2, 7}, {3, 6}, {4, 5}, {5, 4}}},
        {"box (2,0)-(2,3)", {"--tool", "box", "--from", "2,0", "--at", "2,3"}, {{2, 0}, {2, 1}, {2, 2}, {2, 3}}},
        {"circle without --from covers one cell", {"--tool", "circle", "--at", "9,4"}, {{9, 4}}},
        {"circle (0,0)-(2,2) is the ring of eight", {"--tool", "circle", "--from", "0,0", "--at", "2,2"},
         {{0, 1}, {1, 0}, {2, 1}, {1, 2}, {0, 0}, {2, 0}, {0, 2}, {2, 2}}},
        {"boxfill (1,1)-(3,4) is the full rectangle", {"--tool", "boxfill", "--from", "3,4", "--at", "1,1"},
         {{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}, {1, 3}, {2, 3}, {3, 3}, {1, 4}, {2, 4}, {3, 4}}},
    };
    const MapGrid input = FilledGrid(NewMapTile);
    WriteMap(Path("in.map"), input, 10);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResult run =
            RunTool(QStringList{"paint", Path("in.map"), "-o", Path("out.map"), "--code", "0"} + c.toolArguments);
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        EXPECT_EQ(ChangedCells(input, ReadGrid(Path("out.map"))), c.expected);
    }
    // CircleFill (0,0)-(7,4): the outline plus columns 2..5 of row 1, 1..6 of row 2, 2..5 of row 3.
    ASSERT_EQ(RunTool({"paint", Path("in.map"), "-o", Path("out.map"), "--code", "0", "--tool", "circlefill", "--from",
                       "0,0", "--at", "7,4"})
                  .ExitCode,
              0);
    const Cells filled = ChangedCells(input, ReadGrid(Path("out.map")));
    EXPECT_TRUE(std::includes(filled.begin(), filled.end(), circleFill74.begin(), circleFill74.end()));

    // Bucket: the region of the clicked code, never entered through a corner.
    MapGrid regions = FilledGrid(NewMapTile);
    regions[CellIndex(1, 1)] = regions[CellIndex(2, 1)] = regions[CellIndex(3, 2)] = 0;
    WriteMap(Path("regions.map"), regions, 10);
    ASSERT_EQ(RunTool({"paint", Path("regions.map"), "-o", Path("out.map"), "--tool", "bucket", "--at", "1,1", "--code",
                       "96"})
                  .ExitCode,
              0);
    EXPECT_EQ(ChangedCells(regions, ReadGrid(Path("out.map"))), (Cells{{1, 1}, {2, 1}}));
}

// --- shift ----------------------------------------------------------------------------------------------

TEST_F(TavrennaMap, ShiftTurnsTheMapCountTimesWithWrapAround) {
    struct Case {
        const char* dir;
        ShiftDirection direction;
        std::optional<int> count;
        int turns;
    };
    const Case cases[] = {
        {"left", ShiftDirection::Left, std::nullopt, 1}, {"right", ShiftDirection::Right, 1, 1},
        {"up", ShiftDirection::Up, 5, 5},                {"down", ShiftDirection::Down, 47, 47},
        {"right", ShiftDirection::Right, 0, 0},          {"left", ShiftDirection::Left, 48, 48},
        {"down", ShiftDirection::Down, 101, 101},        {"up", ShiftDirection::Up, 1000000, 1000000 % 48},
    };
    const MapGrid input = PaintedGrid(31);
    WriteMap(Path("in.map"), input, 70);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.dir) + " x" + std::to_string(c.turns));
        QStringList arguments = {"shift", Path("in.map"), "-o", Path("out.map"), "--dir", c.dir};
        if (c.count)
            arguments << "--count" << QString::number(*c.count);
        const RunResult run = RunTool(arguments);
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        MapGrid expected = input;
        for (int i = 0; i < c.turns; ++i)
            ShiftMap(expected, c.direction);
        EXPECT_EQ(ReadGrid(Path("out.map")), expected);
        EXPECT_EQ(static_cast<std::uint8_t>(ReadBytes(Path("out.map"))[2304]), 70);
    }
    // What leaves on the right comes back on the left.
    ASSERT_EQ(RunTool({"shift", Path("in.map"), "-o", Path("out.map"), "--dir", "right"}).ExitCode, 0);
    const MapGrid shifted = ReadGrid(Path("out.map"));
    for (int y = 0; y < MapSize; ++y) {
        EXPECT_EQ(shifted[CellIndex(0, y)], input[CellIndex(47, y)]);
        EXPECT_EQ(shifted[CellIndex(12, y)], input[CellIndex(11, y)]);
    }
}

// --- new ------------------------------------------------------------------------------------------------

TEST_F(TavrennaMap, NewWritesAMapOfCode48AsTheEditorSaves) {
    struct Case {
        std::optional<int> tileSet;
        std::uint8_t tileSetByte;
    };
    for (const Case& c : {Case{std::nullopt, 10}, Case{1, 10}, Case{5, 50}, Case{9, 90}}) {
        SCOPED_TRACE(c.tileSetByte);
        QStringList arguments = {"new", "-o", Path("new.map")};
        if (c.tileSet)
            arguments << "--tileset" << QString::number(*c.tileSet);
        ASSERT_EQ(RunTool(arguments).ExitCode, 0);
        const QByteArray bytes = ReadBytes(Path("new.map"));
        ASSERT_EQ(bytes.size(), 2306);
        EXPECT_EQ(bytes.left(2304), QByteArray(2304, char(48)));
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[2304]), c.tileSetByte);
        EXPECT_EQ(bytes[2305], 0);
    }
}

// --- render ---------------------------------------------------------------------------------------------

// Whether the tile at cell (x, y) of `rendered` is, pixel for pixel, `expected`'s square `source`.
::testing::AssertionResult TileMatches(const QImage& rendered, int x, int y, int edge, const QImage& expected,
                                       const QRect& source) {
    for (int v = 0; v < edge; ++v)
        for (int u = 0; u < edge; ++u) {
            const QRgb got = rendered.pixel(x * edge + u, y * edge + v);
            const QRgb want = expected.pixel(source.left() + u, source.top() + v);
            if (qRgb(qRed(got), qGreen(got), qBlue(got)) != qRgb(qRed(want), qGreen(want), qBlue(want)))
                return ::testing::AssertionFailure() << "cell (" << x << "," << y << ") pixel (" << u << "," << v
                                                     << ") is " << std::hex << got << ", expected " << want;
        }
    return ::testing::AssertionSuccess();
}

TEST_F(TavrennaMap, RenderDrawsEveryCellWithItsTileAtTheChosenEdge) {
    struct Case {
        std::optional<int> edge;
        std::optional<int> tileSetOption;
        std::uint8_t tileSetByte;
        TileSet tileSet;
        TileEdge drawnEdge;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, 10, TileSet::Verda, TileEdge::Px16},
        {4, std::nullopt, 20, TileSet::Coronet, TileEdge::Px4},
        {8, 7, 30, TileSet::Orcana, TileEdge::Px8},
        {16, 9, 200, TileSet::Stellan, TileEdge::Px16},
        {32, std::nullopt, 60, TileSet::Zephir, TileEdge::Px32},
    };
    MapGrid grid = PaintedGrid(41);
    for (int code = 0; code < 128; ++code) // every tile once, along the first three columns
        grid[static_cast<std::size_t>(code)] = static_cast<TileCode>(code);
    grid[CellIndex(47, 47)] = 128;
    grid[CellIndex(20, 40)] = 255;
    for (const Case& c : cases) {
        const int edge = Pixels(c.drawnEdge);
        SCOPED_TRACE("edge " + std::to_string(edge) + " set " + std::to_string(TileSetNumber(c.tileSet)));
        WriteMap(Path("in.map"), grid, c.tileSetByte);
        QStringList arguments = {"render", Path("in.map"), "-o", Path("out.png")};
        if (c.edge)
            arguments << "--edge" << QString::number(*c.edge);
        if (c.tileSetOption)
            arguments << "--tileset" << QString::number(*c.tileSetOption);
        const RunResult run = RunTool(arguments);
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();

        QImage rendered;
        ASSERT_TRUE(rendered.load(Path("out.png"), "PNG"));
        ASSERT_EQ(rendered.size(), QSize(48 * edge, 48 * edge));

        TileBitmaps bitmaps;
        bitmaps.LoadTileSetBitmaps(c.tileSet);
        const QImage& picture = bitmaps.Picture(c.drawnEdge);
        for (int code : {0, 7, 20, 48, 95, 127}) {
            SCOPED_TRACE("code " + std::to_string(code));
            EXPECT_TRUE(TileMatches(rendered, code / MapSize, code % MapSize, edge, picture, TileSourceRect(code, edge)));
        }
        // Codes beyond 127 show the marker every view draws.
        QImage marker(edge, edge, QImage::Format_RGB32);
        DrawTile(marker, 0, 0, picture, edge, 200);
        EXPECT_TRUE(TileMatches(rendered, 47, 47, edge, marker, marker.rect()));
        EXPECT_TRUE(TileMatches(rendered, 20, 40, edge, marker, marker.rect()));
        EXPECT_TRUE(TileMatches(rendered, 30, 30, edge, marker, marker.rect()));
    }
}

TEST_F(TavrennaMap, RenderOfTwoTileSetsDiffers) {
    // Guards the --tileset choice: the same map in two sets must not come out the same.
    WriteMap(Path("in.map"), PaintedGrid(42), 10);
    ASSERT_EQ(RunTool({"render", Path("in.map"), "-o", Path("one.png")}).ExitCode, 0);
    ASSERT_EQ(RunTool({"render", Path("in.map"), "-o", Path("two.png"), "--tileset", "2"}).ExitCode, 0);
    EXPECT_NE(QImage(Path("one.png")), QImage(Path("two.png")));
}

// --- replace and exchange ------------------------------------------------------------------------------

TEST_F(TavrennaMap, ReplaceAndExchangeWriteTheCoresResultUnshaped) {
    struct Case {
        QStringList arguments;
        bool exchange;
        TileCode a;
        TileCode b;
        CellRect area;
    };
    const Case cases[] = {
        {{"--code", "200", "--with", "48"}, false, 200, 48, WholeMap},
        {{"--code", "48", "--with", "0", "--rect", "40,47,3,2"}, false, 48, 0, {3, 2, 40, 47}},
        {{"--code", "32", "--with", "96"}, true, 32, 96, WholeMap},
        {{"--rect", "0,0,0,47", "--code", "48", "--with", "1"}, true, 48, 1, {0, 0, 0, 47}},
    };
    const MapGrid input = PaintedGrid(3);
    WriteMap(Path("in.map"), input, 50);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const RunResult run =
            RunTool(QStringList{c.exchange ? "exchange" : "replace", Path("in.map"), "-o", Path("out.map")} + c.arguments);
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        MapGrid expected = input;
        if (c.exchange)
            ExchangeCodes(expected, c.a, c.b, c.area);
        else
            ReplaceCodes(expected, c.a, c.b, c.area);
        EXPECT_NE(expected, input);
        EXPECT_EQ(ReadBytes(Path("out.map")), ImageBytes(expected, 50));
    }
}

TEST_F(TavrennaMap, ReplaceAndExchangeRefuseCodesAndRectanglesOutOfRangeWithExitTwo) {
    WriteMap(Path("in.map"), PaintedGrid(4), 10);
    const QStringList refused[] = {
        {"replace", "--code", "256", "--with", "1"},
        {"replace", "--code", "1", "--with", "128"},
        {"exchange", "--code", "128", "--with", "1"},
        {"replace", "--with", "1"},
        {"exchange", "--code", "1"},
        {"replace", "--code", "1", "--with", "2", "--rect", "0,0,48,3"},
        {"replace", "--code", "1", "--with", "2", "--rect", "1,2,3"},
        {"exchange", "--code", "1", "--with", "2", "--rect", "-1,0,3,3"},
    };
    for (const QStringList& arguments : refused) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const RunResult run = RunTool(arguments + QStringList{Path("in.map"), "-o", Path("out.map")});
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_THAT(run.Err.toStdString(), ::testing::StartsWith("tavrenna-map: " + arguments[0].toStdString() + ": "));
        EXPECT_FALSE(QFile::exists(Path("out.map")));
    }
}

// --- help and version -----------------------------------------------------------------------------------

// The commands of the top help's list, each with its usage (continuation lines joined) and its summary.
// A usage's words are one space apart; two or more spaces part it from the summary, and a line indented
// to the summary's column holds only the summary.
std::vector<std::pair<QString, QString>> ListedCommands(const QByteArray& help) {
    std::vector<std::pair<QString, QString>> commands;
    bool inside = false;
    for (const QString& line : Lines(help)) {
        if (line == u"Commands:") {
            inside = true;
            continue;
        }
        if (!inside)
            continue;
        if (line.isEmpty())
            break;
        const qsizetype indent = line.size() - line.trimmed().size();
        const QStringList parts = line.trimmed().split(QStringLiteral("  "), Qt::SkipEmptyParts);
        if (indent == 2)
            commands.emplace_back(parts.value(0), QString());
        else if (!commands.empty() && indent < 30)
            commands.back().first += u' ' + parts.value(0);
        if (!commands.empty() && (parts.size() > 1 || indent >= 30))
            commands.back().second = parts.constLast().trimmed();
    }
    return commands;
}

TEST(TavrennaMapHelp, EveryListedCommandRunsAndHasItsOwnHelpWithTheListedUsage) {
    const RunResult top = RunTool({"--help"});
    EXPECT_EQ(top.ExitCode, 0);
    const auto commands = ListedCommands(top.Out);
    std::set<QString> names;
    for (const auto& [usage, summary] : commands) {
        const QString command = usage.section(u' ', 0, 0);
        SCOPED_TRACE(command.toStdString());
        names.insert(command);
        EXPECT_FALSE(summary.isEmpty());
        const RunResult run = RunTool({command, "--help"});
        EXPECT_EQ(run.ExitCode, 0);
        EXPECT_EQ(Lines(run.Out).value(0), QStringLiteral("Usage: tavrenna-map ") + usage);
        EXPECT_TRUE(run.Err.isEmpty());
    }
    // Every command the tool had is still listed once; the list comes from the tool's table, so a new one
    // needs no edit here.
    EXPECT_EQ(names.size(), commands.size());
    for (const char* known : {"check", "shape", "unshape", "paint", "shift", "replace", "exchange", "render", "analyse",
                              "stats", "new", "symmetrize", "text", "fromtext", "diff", "generate"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(known))) << known;
    const RunResult unknown = RunTool({"frobnicate"});
    EXPECT_EQ(unknown.ExitCode, 2);
    EXPECT_EQ(unknown.Err, "tavrenna-map: unknown command \"frobnicate\" (see 'tavrenna-map --help')\n");
    const RunResult version = RunTool({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Out, QByteArray("tavrenna-map " TAV_VERSION "\n"));
}

} // namespace
} // namespace tav::clitest
