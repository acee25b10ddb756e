#include "MapCheck.h"
#include "MapGrid.h"
#include "Shaping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tav {
namespace {

using Lines = std::vector<std::string>;

// A map with no findings but the ones a test adds: water all over, one castle of each faction
// in the open, far from the cells the tests use.
MapGrid ValidMap() {
    MapGrid grid = FilledGrid(48);
    const int columns[4] = {30, 34, 38, 42};
    for (int f = 0; f < 4; ++f) {
        grid[CellIndex(columns[f], 30)] = static_cast<TileCode>(20 + f);
        grid[CellIndex(columns[f], 32)] = 0;
    }
    return grid;
}

// Built by appending: operator+ chains on temporaries trip a false -Wrestrict in GCC 12 at -O3.
std::string Joined(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (std::string_view piece : pieces)
        text += piece;
    return text;
}

std::string GapLine(int x, int y) {
    return Joined({"(", std::to_string(x), ",", std::to_string(y), ") に外周抜けがあります。"});
}

TEST(MapCheck, NewMapReportsTheFourMissingCastles) {
    const MapCheckReport report = CheckMap(FilledGrid(NewMapTile), TileSet::Verda);
    const Lines expected = {
        "キャラクタータイプ：ヴェルダ",
        "カルドア領(緑)の城がありません。",
        "ブレスト領(赤)の城がありません。",
        "シオネル領(白)の城がありません。",
        "ヴォルグ領(黒)の城がありません。",
    };
    EXPECT_EQ(report.Lines, expected);
    EXPECT_TRUE(report.Problem);
}

TEST(MapCheck, ValidMapReportsOnlyItsHeader) {
    const MapCheckReport report = CheckMap(ValidMap(), TileSet::Stellan);
    EXPECT_EQ(report.Lines, Lines{"キャラクタータイプ：ステラン"});
    EXPECT_FALSE(report.Problem);
}

TEST(MapCheck, OpenRimGivesOneGapLinePerRimCellInScanOrder) {
    MapGrid grid = ValidMap();
    for (int i = 0; i < MapSize; ++i)
        for (int idx : {CellIndex(i, 0), CellIndex(i, 47), CellIndex(0, i), CellIndex(47, i)})
            grid[static_cast<std::size_t>(idx)] = 0;
    const MapCheckReport report = CheckMap(grid, TileSet::Verda);
    ASSERT_EQ(report.Lines.size(), 1u + 188u);
    EXPECT_TRUE(report.Problem);
    EXPECT_EQ(report.Lines[1], "(0,0) に外周抜けがあります。");
    EXPECT_EQ(report.Lines[48], "(47,0) に外周抜けがあります。");
    EXPECT_EQ(report.Lines[49], "(0,1) に外周抜けがあります。");
    EXPECT_EQ(report.Lines[50], "(47,1) に外周抜けがあります。");
    EXPECT_EQ(report.Lines[141], "(0,47) に外周抜けがあります。");
    EXPECT_EQ(report.Lines[188], "(47,47) に外周抜けがあります。");
    // Every line in between: row 0 whole, rows 1..46 at both ends, row 47 whole.
    std::size_t line = 1;
    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x)
            if (x == 0 || x == 47 || y == 0 || y == 47) {
                ASSERT_EQ(report.Lines[line++], GapLine(x, y));
            }
}

TEST(MapCheck, RimGapCodesAreTheOpenOnes) {
    const std::set<int> gaps = {0, 1, 32, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 126, 127};
    for (int code = 0; code < 256; ++code) {
        if (code >= 20 && code <= 23)
            continue; // castles have their own line
        SCOPED_TRACE(code);
        MapGrid grid = ValidMap();
        grid[CellIndex(47, 20)] = static_cast<TileCode>(code);
        const MapCheckReport report = CheckMap(grid, TileSet::Verda);
        if (gaps.count(code)) {
            EXPECT_EQ(report.Lines, (Lines{"キャラクタータイプ：ヴェルダ", GapLine(47, 20)}));
            EXPECT_TRUE(report.Problem);
        } else {
            EXPECT_EQ(report.Lines.size(), 1u);
            EXPECT_FALSE(report.Problem);
        }
    }
}

TEST(MapCheck, PlainRaisedTerrainOnTheRimIsAGapUntilShaped) {
    MapGrid grid = FilledGrid(32);
    const MapGrid valid = ValidMap();
    for (int x = 30; x <= 42; ++x)
        for (int y = 30; y <= 32; ++y)
            grid[CellIndex(x, y)] = valid[CellIndex(x, y)];
    EXPECT_EQ(CheckMap(grid, TileSet::Verda).Lines.size(), 1u + 188u);
    ShapeMap(grid);
    const MapCheckReport shaped = CheckMap(grid, TileSet::Verda);
    EXPECT_EQ(shaped.Lines.size(), 1u);
    EXPECT_FALSE(shaped.Problem);
}

TEST(MapCheck, GateIsSealedByBlockingCodesTwoCellsBelowTheCastle) {
    // Blocking codes, taken on the plain code of the cell: 6, water, ridge, ring pieces, 124..127.
    auto blocking = [](int code) {
        return code == 6 || (code >= 48 && code <= 121) || (code >= 124 && code <= 127);
    };
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE(code);
        MapGrid grid = ValidMap();
        grid[CellIndex(30, 30)] = 0; // faction 0's castle moves to (10, 10)
        grid[CellIndex(10, 10)] = 20;
        grid[CellIndex(10, 11)] = 0;
        grid[CellIndex(10, 12)] = static_cast<TileCode>(code);
        const MapCheckReport report = CheckMap(grid, TileSet::Verda);
        if (code >= 20 && code <= 23)
            continue; // a castle there is a second castle with findings of its own
        Lines expected = {"キャラクタータイプ：ヴェルダ"};
        if (code < 128 && blocking(code))
            expected.push_back("(10,10)にあるカルドア領(緑)の城が封鎖されています。");
        EXPECT_EQ(report.Lines, expected);
        EXPECT_EQ(report.Problem, expected.size() > 1);
    }
}

TEST(MapCheck, GateTestIgnoresTheGateCellItself) {
    for (TileCode gateCell : {TileCode{0}, TileCode{29}, TileCode{48}, TileCode{6}, TileCode{96}}) {
        SCOPED_TRACE(static_cast<int>(gateCell));
        MapGrid grid = ValidMap();
        grid[CellIndex(30, 31)] = gateCell;
        EXPECT_FALSE(CheckMap(grid, TileSet::Verda).Problem);
    }
}

TEST(MapCheck, CastleInTheLastThreeRowsIsAlwaysSealed) {
    struct Case {
        int y;
        bool sealed;
    };
    const Case cases[] = {{44, false}, {45, true}, {46, true}, {47, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        MapGrid grid = ValidMap();
        for (int y = 43; y < MapSize; ++y)
            grid[CellIndex(20, y)] = 0;
        for (int x = 0; x < MapSize; ++x)
            grid[CellIndex(x, 47)] = 48; // rim closed again
        grid[CellIndex(20, 47)] = 7;     // open and no gap, so only the row decides
        grid[CellIndex(34, 30)] = 48;
        grid[CellIndex(20, c.y)] = 21;
        const MapCheckReport report = CheckMap(grid, TileSet::Verda);
        const std::string sealed = Joined({"(20,", std::to_string(c.y), ")にあるブレスト領(赤)の城が封鎖されています。"});
        EXPECT_EQ(std::count(report.Lines.begin(), report.Lines.end(), sealed), c.sealed ? 1 : 0);
        EXPECT_EQ(report.Problem, c.sealed || c.y == 47);
    }
}

TEST(MapCheck, CastleOnTheRimCountsAndGivesItsRimLineBeforeItsSealedLine) {
    struct Case {
        const char* name;
        int x, y;
        Lines expected;
    };
    const Case cases[] = {
        {"first column", 0, 10, {"キャラクタータイプ：ヴェルダ", "外周(0,10)にシオネル領(白)の城があります。"}},
        {"last row", 5, 47,
         {"キャラクタータイプ：ヴェルダ", "外周(5,47)にシオネル領(白)の城があります。",
          "(5,47)にあるシオネル領(白)の城が封鎖されています。"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MapGrid grid = ValidMap();
        grid[CellIndex(38, 30)] = 48; // faction 2's castle moves onto the rim
        grid[CellIndex(c.x, c.y)] = 22;
        if (c.y + 2 < MapSize)
            grid[CellIndex(c.x, c.y + 2)] = 7; // open, and no gap where it touches the rim
        const MapCheckReport report = CheckMap(grid, TileSet::Verda);
        EXPECT_EQ(report.Lines, c.expected);
        EXPECT_TRUE(report.Problem);
    }
}

TEST(MapCheck, DuplicateCastlesComeAfterTheMissingOnes) {
    MapGrid grid = FilledGrid(48);
    grid[CellIndex(10, 10)] = 21;
    grid[CellIndex(10, 12)] = 0;  // open
    grid[CellIndex(20, 20)] = 21; // sealed by the water two cells below
    const MapCheckReport report = CheckMap(grid, TileSet::Coronet);
    const Lines expected = {
        "キャラクタータイプ：コロネット",
        "(20,20)にあるモルテ食堂(青)の城が封鎖されています。",
        "ピクルス亭(赤)の城がありません。",
        "ガレット市場(黄)の城がありません。",
        "ポタージュ組合(白)の城がありません。",
        "モルテ食堂(青)の城が２つ以上存在しています。",
    };
    EXPECT_EQ(report.Lines, expected);
    EXPECT_TRUE(report.Problem);
}

// The findings as data, for the editor's own wording and for work that points at cells: each finding's kind,
// faction and cells, the cells of several castles in reading order (row by row), not in the grid's column order.
TEST(MapCheck, FindingsCarryTheirKindFactionAndCellsInReadingOrder) {
    MapGrid grid = FilledGrid(48);
    grid[CellIndex(47, 3)] = 32;  // a rim gap
    grid[CellIndex(0, 8)] = 20;   // faction 0 on the rim, sealed by the water below its gate
    for (const auto& [x, y] : {std::pair{30, 5}, {10, 20}, {20, 20}}) {
        grid[CellIndex(x, y)] = 23; // faction 3, three times, each with open ground before its gate
        grid[CellIndex(x, y + 2)] = 0;
    }
    using Kind = CheckFindingKind;
    const std::vector<CheckFinding> expected = {
        {Kind::RimGap, {{47, 3}}, -1},
        {Kind::CastleOnRim, {{0, 8}}, 0},
        {Kind::SealedCastle, {{0, 8}}, 0},
        {Kind::MissingCastle, {}, 1},
        {Kind::MissingCastle, {}, 2},
        {Kind::ExtraCastles, {{30, 5}, {10, 20}, {20, 20}}, 3},
    };
    EXPECT_EQ(FindMapProblems(grid), expected);
    const MapCheckReport report = CheckMap(grid, TileSet::Verda);
    EXPECT_EQ(report.Findings, expected);
    ASSERT_EQ(report.Lines.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(report.Lines[i + 1], CheckReportLine(expected[i], TileSet::Verda)) << i;
    EXPECT_EQ(report.Lines.back(), "ヴォルグ領(黒)の城が２つ以上存在しています。");
    EXPECT_TRUE(FindMapProblems(ValidMap()).empty());
}

// Two castles whose 3 x 3 blocks overlap cannot both get their ring: one finding per pair, at the later castle
// of the pair in reading order, naming the earlier one first. Castles three cells apart in either direction
// are fine.
TEST(MapCheck, CastlesWhoseBlocksOverlapAreTooClose) {
    for (int dx = -3; dx <= 3; ++dx)
        for (int dy = -3; dy <= 3; ++dy) {
            if (dx == 0 && dy == 0)
                continue;
            SCOPED_TRACE(testing::Message() << "offset " << dx << ", " << dy);
            MapGrid grid = FilledGrid(7); // open ground that is no rim gap
            grid[CellIndex(20, 20)] = 20;
            grid[CellIndex(20 + dx, 20 + dy)] = 21;
            grid[CellIndex(30, 30)] = 22;
            grid[CellIndex(40, 30)] = 23;
            const bool close = std::abs(dx) <= 2 && std::abs(dy) <= 2;
            const bool laterFirst = dy < 0 || (dy == 0 && dx < 0); // the second castle comes first in reading order
            const GridCell first = laterFirst ? GridCell{20 + dx, 20 + dy} : GridCell{20, 20};
            const GridCell second = laterFirst ? GridCell{20, 20} : GridCell{20 + dx, 20 + dy};
            std::vector<CheckFinding> expected;
            if (close) {
                CheckFinding tooClose{CheckFindingKind::CastlesTooClose, {first, second}, laterFirst ? 1 : 0};
                tooClose.OtherFaction = laterFirst ? 0 : 1;
                expected.push_back(tooClose);
            }
            EXPECT_EQ(FindMapProblems(grid), expected);
            const MapCheckReport report = CheckMap(grid, TileSet::Verda);
            if (close) {
                const std::string_view firstName = laterFirst ? "ブレスト領(赤)" : "カルドア領(緑)";
                const std::string_view secondName = laterFirst ? "カルドア領(緑)" : "ブレスト領(赤)";
                const Lines lines = {"キャラクタータイプ：ヴェルダ",
                                     Joined({"(", std::to_string(first.X), ",", std::to_string(first.Y), ")にある",
                                             firstName, "の城は(", std::to_string(second.X), ",",
                                             std::to_string(second.Y), ")にある", secondName, "の城と近すぎます。"})};
                EXPECT_EQ(report.Lines, lines);
            }
            EXPECT_EQ(report.Problem, close);
        }
}

TEST(MapCheck, EveryCloseCastleIsPairedInTheScanOrder) {
    MapGrid grid = FilledGrid(7);
    grid[CellIndex(10, 10)] = 20;
    grid[CellIndex(12, 10)] = 21;
    grid[CellIndex(11, 12)] = 22;
    grid[CellIndex(11, 14)] = 48;  // seals the third castle's gate
    grid[CellIndex(30, 30)] = 23;
    grid[CellIndex(47, 30)] = 1;   // a rim gap after all of them
    const MapCheckReport report = CheckMap(grid, TileSet::Verda);
    const Lines expected = {
        "キャラクタータイプ：ヴェルダ",
        "(10,10)にあるカルドア領(緑)の城は(12,10)にあるブレスト領(赤)の城と近すぎます。",
        "(11,12)にあるシオネル領(白)の城が封鎖されています。",
        "(10,10)にあるカルドア領(緑)の城は(11,12)にあるシオネル領(白)の城と近すぎます。",
        "(12,10)にあるブレスト領(赤)の城は(11,12)にあるシオネル領(白)の城と近すぎます。",
        GapLine(47, 30),
    };
    EXPECT_EQ(report.Lines, expected);
}

// Castles that used to touch: the first shaping wrote one faction's ring piece over the other's castle, and
// the check then called that castle missing. Now both stay, and the check says why the map is wrong.
TEST(MapCheck, ShapedNeighbourCastlesAreTooCloseNotMissing) {
    MapGrid grid = FilledGrid(0);
    grid[CellIndex(40, 37)] = 0x14;
    grid[CellIndex(41, 36)] = 0x16;
    ShapeMap(grid);
    const MapCheckReport report = CheckMap(grid, TileSet::Verda);
    const auto has = [&](std::string_view line) {
        return std::find(report.Lines.begin(), report.Lines.end(), line) != report.Lines.end();
    };
    EXPECT_TRUE(has("(41,36)にあるシオネル領(白)の城は(40,37)にあるカルドア領(緑)の城と近すぎます。"));
    EXPECT_FALSE(has("カルドア領(緑)の城がありません。"));
    EXPECT_FALSE(has("シオネル領(白)の城がありません。"));
    EXPECT_TRUE(has("ブレスト領(赤)の城がありません。"));
}

TEST(MapCheck, NamesFollowTheTileSet) {
    struct Case {
        TileSet tileSet;
        const char* name;
        const char* factions[4];
    };
    const Case cases[] = {
        {TileSet::Verda, "ヴェルダ", {"カルドア領(緑)", "ブレスト領(赤)", "シオネル領(白)", "ヴォルグ領(黒)"}},
        {TileSet::Coronet, "コロネット", {"ピクルス亭(赤)", "モルテ食堂(青)", "ガレット市場(黄)", "ポタージュ組合(白)"}},
        {TileSet::Sandra, "サンドラ", {"ハオラン家(緑)", "ジンユェ家(赤)", "テンシュウ家(白)", "メイファ家(青)"}},
        {TileSet::Milphos, "ミルフォス", {"ギアフレームＡ(青)", "スチールドールＡ(赤)", "ギアフレームＢ(白)", "スチールドールＢ(黒)"}},
        {TileSet::Lapist, "ラピスト", {"ネブラ公領(黒)", "ソルテ公領(黄)", "フラム公領(赤)", "リーフェ公領(緑)"}},
        {TileSet::Zephir, "ゼフィール", {"グリフォン同盟(赤)", "ゴーレム連邦(緑)", "ケンタウロス連邦(白)", "レイス同盟(黒)"}},
        {TileSet::Orcana, "オルカナ", {"サンゴ岬(黄)", "カイリ湾(赤)", "シオサイ入江(白)", "ウミネコ港(黒)"}},
        {TileSet::Nocturna, "ノクターナ", {"ネオン一家(白)", "シャドウ一家(黒)", "ストリート組(緑)", "ローズ組(赤)"}},
        {TileSet::Stellan, "ステラン", {"ラッコ隊(緑)", "キツネ隊(赤)", "ヒツジ隊(白)", "ヒヨコ隊(黄)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TileSetNumber(c.tileSet));
        EXPECT_EQ(TileSetName(c.tileSet), c.name);
        const MapCheckReport report = CheckMap(FilledGrid(48), c.tileSet);
        ASSERT_EQ(report.Lines.size(), 5u);
        EXPECT_EQ(report.Lines[0], Joined({"キャラクタータイプ：", c.name}));
        for (int f = 0; f < 4; ++f) {
            EXPECT_EQ(FactionName(c.tileSet, f), c.factions[f]);
            EXPECT_EQ(report.Lines[static_cast<std::size_t>(f) + 1], Joined({c.factions[f], "の城がありません。"}));
        }
    }
}

TEST(MapCheck, TileSetOutsideOneToNineGivesEmptyNamesButTheSameFindings) {
    // Only a cast makes such a tile set; the names must still not be read from outside their tables.
    for (int number : {0, 10, -12, 12}) {
        SCOPED_TRACE(number);
        const auto tileSet = static_cast<TileSet>(number);
        EXPECT_EQ(TileSetName(tileSet), "");
        EXPECT_EQ(FactionName(tileSet, 0), "");
        MapGrid grid = ValidMap();
        grid[CellIndex(0, 5)] = 20;
        const MapCheckReport report = CheckMap(grid, tileSet);
        const Lines expected = {"キャラクタータイプ：", "外周(0,5)にの城があります。", "(0,5)にあるの城が封鎖されています。",
                                "の城が２つ以上存在しています。"};
        EXPECT_EQ(report.Lines, expected);
        EXPECT_TRUE(report.Problem);
    }
    EXPECT_EQ(FactionName(TileSet::Verda, -1), "");
    EXPECT_EQ(FactionName(TileSet::Verda, 4), "");
}

TEST(MapCheckProperties, MapsValidByConstructionReportOnlyTheHeader) {
    // Codes that are neither gaps nor castles may stand on the rim; inside, anything but a castle.
    std::vector<TileCode> rimCodes;
    std::vector<TileCode> innerCodes;
    std::vector<TileCode> openFront; // plain code not blocking
    for (int code = 0; code < 256; ++code) {
        const auto c = static_cast<TileCode>(code);
        const bool castle = code >= 20 && code <= 23;
        const bool gap = code == 0 || code == 1 || code == 32 || (code >= 112 && code <= 123) || code == 126 ||
                         code == 127;
        const bool blocks = code == 6 || (code >= 48 && code <= 121) || (code >= 124 && code <= 127);
        if (!castle && !gap)
            rimCodes.push_back(c);
        if (!castle)
            innerCodes.push_back(c);
        if (!castle && !blocks)
            openFront.push_back(c);
    }
    std::mt19937 rng(45);
    for (int round = 0; round < 300; ++round) {
        MapGrid grid{};
        for (int x = 0; x < MapSize; ++x)
            for (int y = 0; y < MapSize; ++y) {
                const bool rim = x == 0 || x == 47 || y == 0 || y == 47;
                const auto& pool = rim ? rimCodes : innerCodes;
                grid[CellIndex(x, y)] = pool[rng() % pool.size()];
            }
        std::vector<GridCell> castles;
        for (int f = 0; f < 4; ++f) {
            int x = 0;
            int y = 0;
            do {
                x = 1 + static_cast<int>(rng() % 46);
                y = 1 + static_cast<int>(rng() % 44);
            } while (std::any_of(castles.begin(), castles.end(), [&](const GridCell& c) {
                         // Castles three apart in some direction: their blocks do not overlap, and neither
                         // stands on the other's gate front.
                         return std::abs(c.X - x) <= 2 && std::abs(c.Y - y) <= 2;
                     }));
            grid[CellIndex(x, y)] = static_cast<TileCode>(20 + f);
            grid[CellIndex(x, y + 2)] = openFront[rng() % openFront.size()];
            castles.push_back({x, y});
        }
        const MapCheckReport report = CheckMap(grid, AllTileSets[static_cast<std::size_t>(round % 9)]);
        ASSERT_EQ(report.Lines.size(), 1u) << "round " << round << ": " << report.Lines.back();
        ASSERT_FALSE(report.Problem);
    }
}

} // namespace
} // namespace tav
