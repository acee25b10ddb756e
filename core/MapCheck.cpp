#include "MapCheck.h"

#include "CellGrid.h"
#include "Shaping.h"
#include "TextMarks.h"

#include <array>
#include <utility>

namespace tav {

namespace {

constexpr std::array<std::string_view, TileSetCount> TileSetNames = {
    "ヴェルダ", "コロネット", "サンドラ", "ミルフォス", "ラピスト",
    "ゼフィール", "オルカナ", "ノクターナ", "ステラン",
};

constexpr std::array<std::array<std::string_view, 4>, TileSetCount> FactionNames = {{
    {TAV_TRANSLATE_NOOP("Factions", "カルドア領(緑)"), TAV_TRANSLATE_NOOP("Factions", "ブレスト領(赤)"),
     TAV_TRANSLATE_NOOP("Factions", "シオネル領(白)"), TAV_TRANSLATE_NOOP("Factions", "ヴォルグ領(黒)")},
    {TAV_TRANSLATE_NOOP("Factions", "ピクルス亭(赤)"), TAV_TRANSLATE_NOOP("Factions", "モルテ食堂(青)"),
     TAV_TRANSLATE_NOOP("Factions", "ガレット市場(黄)"), TAV_TRANSLATE_NOOP("Factions", "ポタージュ組合(白)")},
    {TAV_TRANSLATE_NOOP("Factions", "ハオラン家(緑)"), TAV_TRANSLATE_NOOP("Factions", "ジンユェ家(赤)"),
     TAV_TRANSLATE_NOOP("Factions", "テンシュウ家(白)"), TAV_TRANSLATE_NOOP("Factions", "メイファ家(青)")},
    {TAV_TRANSLATE_NOOP("Factions", "ギアフレームＡ(青)"), TAV_TRANSLATE_NOOP("Factions", "スチールドールＡ(赤)"),
     TAV_TRANSLATE_NOOP("Factions", "ギアフレームＢ(白)"), TAV_TRANSLATE_NOOP("Factions", "スチールドールＢ(黒)")},
    {TAV_TRANSLATE_NOOP("Factions", "ネブラ公領(黒)"), TAV_TRANSLATE_NOOP("Factions", "ソルテ公領(黄)"),
     TAV_TRANSLATE_NOOP("Factions", "フラム公領(赤)"), TAV_TRANSLATE_NOOP("Factions", "リーフェ公領(緑)")},
    {TAV_TRANSLATE_NOOP("Factions", "グリフォン同盟(赤)"), TAV_TRANSLATE_NOOP("Factions", "ゴーレム連邦(緑)"),
     TAV_TRANSLATE_NOOP("Factions", "ケンタウロス連邦(白)"), TAV_TRANSLATE_NOOP("Factions", "レイス同盟(黒)")},
    {TAV_TRANSLATE_NOOP("Factions", "サンゴ岬(黄)"), TAV_TRANSLATE_NOOP("Factions", "カイリ湾(赤)"),
     TAV_TRANSLATE_NOOP("Factions", "シオサイ入江(白)"), TAV_TRANSLATE_NOOP("Factions", "ウミネコ港(黒)")},
    {TAV_TRANSLATE_NOOP("Factions", "ネオン一家(白)"), TAV_TRANSLATE_NOOP("Factions", "シャドウ一家(黒)"),
     TAV_TRANSLATE_NOOP("Factions", "ストリート組(緑)"), TAV_TRANSLATE_NOOP("Factions", "ローズ組(赤)")},
    {TAV_TRANSLATE_NOOP("Factions", "ラッコ隊(緑)"), TAV_TRANSLATE_NOOP("Factions", "キツネ隊(赤)"),
     TAV_TRANSLATE_NOOP("Factions", "ヒツジ隊(白)"), TAV_TRANSLATE_NOOP("Factions", "ヒヨコ隊(黄)")},
}};

bool IsRimCell(int x, int y) {
    return x == 0 || x == MapSize - 1 || y == 0 || y == MapSize - 1;
}

// Codes on the rim through which units could leave the map.
bool IsRimGapCode(TileCode code) {
    return code == 0 || code == 1 || code == 32 || (code >= 112 && code <= 123) || code == 126 ||
           code == 127;
}

// A castle's block is the castle and the eight ring cells around it; two blocks overlap when the castles
// are at most this many cells apart in both directions.
constexpr int CloseCastleReach = 2;

std::string Coordinates(int x, int y) {
    // Appended piece by piece: chains of operator+ on temporaries trip a false -Wrestrict in GCC 12 at -O3.
    std::string text = "(";
    text += std::to_string(x);
    text += ',';
    text += std::to_string(y);
    text += ')';
    return text;
}

std::string Concat(std::initializer_list<std::string_view> pieces) {
    std::string line;
    for (std::string_view piece : pieces)
        line += piece;
    return line;
}

} // namespace

bool IsBlockingCode(TileCode plain) {
    return plain == 6 || plain == 48 || (plain >= 96 && plain <= 121) || (plain >= 124 && plain <= 127);
}

std::string_view TileSetName(TileSet tileSet) {
    const int number = TileSetNumber(tileSet);
    if (number < 1 || number > TileSetCount)
        return {};
    return TileSetNames[static_cast<std::size_t>(number - 1)];
}

std::string_view FactionName(TileSet tileSet, int faction) {
    const int number = TileSetNumber(tileSet);
    if (number < 1 || number > TileSetCount || faction < 0 || faction > 3)
        return {};
    return FactionNames[static_cast<std::size_t>(number - 1)][static_cast<std::size_t>(faction)];
}

std::vector<CheckFinding> FindMapProblems(const MapGrid& grid) {
    std::vector<CheckFinding> findings;
    std::array<std::vector<GridCell>, 4> castles;

    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x) {
            const TileCode code = grid[CellIndex(x, y)];
            const bool castle = IsCastle(code);
            const int faction = castle ? FactionOf(code) : -1;

            if (IsRimCell(x, y)) {
                if (IsRimGapCode(code))
                    findings.push_back({CheckFindingKind::RimGap, {{x, y}}, -1});
                if (castle)
                    findings.push_back({CheckFindingKind::CastleOnRim, {{x, y}}, faction});
            }

            if (castle) {
                castles[static_cast<std::size_t>(faction)].push_back({x, y});
                // The gate is the cell below the castle; units leave through the cell below the gate.
                const bool sealed = y >= MapSize - 3 || IsBlockingCode(PlainCode(grid[CellIndex(x, y + 2)]));
                if (sealed)
                    findings.push_back({CheckFindingKind::SealedCastle, {{x, y}}, faction});
                // Each pair once, at its later castle, the earlier ones in reading order.
                for (int ny = y - CloseCastleReach; ny <= y; ++ny)
                    for (int nx = x - CloseCastleReach; nx <= x + CloseCastleReach; ++nx) {
                        if (ny == y && nx >= x)
                            break;
                        if (!InMap(nx, ny) || !IsCastle(grid[GridIndex(nx, ny)]))
                            continue;
                        CheckFinding tooClose{CheckFindingKind::CastlesTooClose, {{nx, ny}, {x, y}},
                                              FactionOf(grid[GridIndex(nx, ny)])};
                        tooClose.OtherFaction = faction;
                        findings.push_back(std::move(tooClose));
                    }
            }
        }

    for (int faction = 0; faction < 4; ++faction)
        if (castles[static_cast<std::size_t>(faction)].empty())
            findings.push_back({CheckFindingKind::MissingCastle, {}, faction});
    for (int faction = 0; faction < 4; ++faction)
        if (castles[static_cast<std::size_t>(faction)].size() >= 2)
            findings.push_back({CheckFindingKind::ExtraCastles, castles[static_cast<std::size_t>(faction)], faction});
    return findings;
}

std::string CheckReportHeader(TileSet tileSet) {
    return Concat({"キャラクタータイプ：", TileSetName(tileSet)});
}

std::string CheckReportLine(const CheckFinding& finding, TileSet tileSet) {
    const std::string_view faction = FactionName(tileSet, finding.Faction);
    const std::string cell = finding.Cells.empty() ? std::string() : Coordinates(finding.Cells[0].X, finding.Cells[0].Y);
    switch (finding.Kind) {
    case CheckFindingKind::RimGap:
        return Concat({cell, " に外周抜けがあります。"});
    case CheckFindingKind::CastleOnRim:
        return Concat({"外周", cell, "に", faction, "の城があります。"});
    case CheckFindingKind::SealedCastle:
        return Concat({cell, "にある", faction, "の城が封鎖されています。"});
    case CheckFindingKind::MissingCastle:
        return Concat({faction, "の城がありません。"});
    case CheckFindingKind::ExtraCastles:
        return Concat({faction, "の城が２つ以上存在しています。"});
    case CheckFindingKind::CastlesTooClose: {
        const std::string other = finding.Cells.size() < 2 ? std::string()
                                                             : Coordinates(finding.Cells[1].X, finding.Cells[1].Y);
        return Concat({cell, "にある", faction, "の城は", other, "にある", FactionName(tileSet, finding.OtherFaction),
                       "の城と近すぎます。"});
    }
    }
    return {};
}

MapCheckReport CheckMap(const MapGrid& grid, TileSet tileSet) {
    MapCheckReport report;
    report.Findings = FindMapProblems(grid);
    report.Lines.reserve(report.Findings.size() + 1);
    report.Lines.push_back(CheckReportHeader(tileSet));
    for (const CheckFinding& finding : report.Findings)
        report.Lines.push_back(CheckReportLine(finding, tileSet));
    report.Problem = !report.Findings.empty();
    return report;
}

} // namespace tav
