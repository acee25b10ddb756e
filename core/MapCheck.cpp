#include "MapCheck.h"

#include "Shaping.h"

#include <array>

namespace tav {

namespace {

constexpr std::array<std::string_view, TileSetCount> TileSetNames = {
    "ヴェルダ", "コロネット", "サンドラ", "ミルフォス", "ラピスト",
    "ゼフィール", "オルカナ", "ノクターナ", "ステラン",
};

constexpr std::array<std::array<std::string_view, 4>, TileSetCount> FactionNames = {{
    {"カルドア領(緑)", "ブレスト領(赤)", "シオネル領(白)", "ヴォルグ領(黒)"},
    {"ピクルス亭(赤)", "モルテ食堂(青)", "ガレット市場(黄)", "ポタージュ組合(白)"},
    {"ハオラン家(緑)", "ジンユェ家(赤)", "テンシュウ家(白)", "メイファ家(青)"},
    {"ギアフレームＡ(青)", "スチールドールＡ(赤)", "ギアフレームＢ(白)", "スチールドールＢ(黒)"},
    {"ネブラ公領(黒)", "ソルテ公領(黄)", "フラム公領(赤)", "リーフェ公領(緑)"},
    {"グリフォン同盟(赤)", "ゴーレム連邦(緑)", "ケンタウロス連邦(白)", "レイス同盟(黒)"},
    {"サンゴ岬(黄)", "カイリ湾(赤)", "シオサイ入江(白)", "ウミネコ港(黒)"},
    {"ネオン一家(白)", "シャドウ一家(黒)", "ストリート組(緑)", "ローズ組(赤)"},
    {"ラッコ隊(緑)", "キツネ隊(赤)", "ヒツジ隊(白)", "ヒヨコ隊(黄)"},
}};

bool IsRimCell(int x, int y) {
    return x == 0 || x == MapSize - 1 || y == 0 || y == MapSize - 1;
}

// Codes on the rim through which units could leave the map.
bool IsRimGapCode(TileCode code) {
    return code == 0 || code == 1 || code == 32 || (code >= 112 && code <= 123) || code == 126 ||
           code == 127;
}

bool IsCastleCode(TileCode code) {
    return code >= 20 && code <= 23;
}

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

MapCheckReport CheckMap(const MapGrid& grid, TileSet tileSet) {
    MapCheckReport report;
    std::array<int, 4> castleCount{};

    report.Lines.push_back(Concat({"キャラクタータイプ：", TileSetName(tileSet)}));

    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x) {
            const TileCode code = grid[CellIndex(x, y)];
            const bool castle = IsCastleCode(code);
            const std::string_view faction = castle ? FactionName(tileSet, FactionOf(code)) : std::string_view{};

            if (IsRimCell(x, y)) {
                if (IsRimGapCode(code)) {
                    report.Lines.push_back(Concat({Coordinates(x, y), " に外周抜けがあります。"}));
                    report.Problem = true;
                }
                if (castle) {
                    report.Lines.push_back(Concat({"外周", Coordinates(x, y), "に", faction, "の城があります。"}));
                    report.Problem = true;
                }
            }

            if (castle) {
                ++castleCount[static_cast<std::size_t>(FactionOf(code))];
                // The gate is the cell below the castle; units leave through the cell below the gate.
                const bool sealed = y >= MapSize - 3 || IsBlockingCode(PlainCode(grid[CellIndex(x, y + 2)]));
                if (sealed) {
                    report.Lines.push_back(Concat({Coordinates(x, y), "にある", faction, "の城が封鎖されています。"}));
                    report.Problem = true;
                }
            }
        }

    for (int faction = 0; faction < 4; ++faction)
        if (castleCount[static_cast<std::size_t>(faction)] == 0) {
            report.Lines.push_back(Concat({FactionName(tileSet, faction), "の城がありません。"}));
            report.Problem = true;
        }
    for (int faction = 0; faction < 4; ++faction)
        if (castleCount[static_cast<std::size_t>(faction)] >= 2) {
            report.Lines.push_back(Concat({FactionName(tileSet, faction), "の城が２つ以上存在しています。"}));
            report.Problem = true;
        }
    return report;
}

} // namespace tav
