#include "TerritoryTint.h"

#include "CellGrid.h"
#include "MapCheck.h"

#include <array>
#include <string_view>

namespace tav {

namespace {

struct ColourWord {
    std::string_view Word; // UTF-8, as it stands in the faction names
    QRgb Colour;
};

// The six colours the faction names use.
constexpr std::array<ColourWord, 6> ColourWords = {{
    {"緑", 0xFF2E9E3A},
    {"赤", 0xFFD0302A},
    {"白", 0xFFF4F4F4},
    {"黒", 0xFF202020},
    {"青", 0xFF2F5FD0},
    {"黄", 0xFFE8C41C},
}};

constexpr QRgb NamelessColour = 0xFF808080;

// Weights out of 256 toward the tint.
constexpr int FactionWeight = 128;
constexpr int HatchWeight = 176;
constexpr int HatchGapWeight = 64;
constexpr int UnreachableWeight = 176;

QRgb Blend(QRgb pixel, QRgb tint, int weight) {
    const auto mix = [weight](int from, int to) { return (from * (256 - weight) + to * weight) >> 8; };
    return qRgb(mix(qRed(pixel), qRed(tint)), mix(qGreen(pixel), qGreen(tint)),
                mix(qBlue(pixel), qBlue(tint)));
}

} // namespace

QRgb FactionColour(TileSet tileSet, int faction) {
    const std::string_view name = FactionName(tileSet, faction);
    const auto open = name.rfind('(');
    const auto close = name.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return NamelessColour;
    const std::string_view word = name.substr(open + 1, close - open - 1);
    for (const ColourWord& entry : ColourWords)
        if (entry.Word == word)
            return entry.Colour;
    return NamelessColour;
}

std::array<QRgb, FactionCount> FactionTints(TileSet tileSet) {
    std::array<QRgb, FactionCount> tints{};
    for (int f = 0; f < FactionCount; ++f)
        tints[static_cast<std::size_t>(f)] = FactionColour(tileSet, f);
    return tints;
}

void TintCell(QImage& picture, int x, int y, int edge, std::uint8_t holder,
              const std::array<QRgb, FactionCount>& factionTints) {
    if (holder == BlockedCell)
        return;
    for (int v = y * edge; v < (y + 1) * edge; ++v) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(v));
        for (int u = x * edge; u < (x + 1) * edge; ++u) {
            QRgb& pixel = row[u];
            if (holder < FactionCount)
                pixel = Blend(pixel, factionTints[holder], FactionWeight);
            else if (holder == ContestedCell) // hatched, so it never reads as a grey or white faction
                pixel = Blend(pixel, ContestedTint, ((u + v) & 3) < 2 ? HatchWeight : HatchGapWeight);
            else
                pixel = Blend(pixel, UnreachableTint, UnreachableWeight);
        }
    }
}

QImage TerritoryPicture(const FactionAnalysis& analysis, TileSet tileSet, const QImage& mapPicture) {
    QImage picture = mapPicture.convertToFormat(QImage::Format_RGB32);
    const int edge = picture.width() / MapSize;
    if (edge <= 0 || picture.height() / MapSize < edge)
        return picture;
    const auto tints = FactionTints(tileSet);
    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x)
            TintCell(picture, x, y, edge, analysis.Holder[GridIndex(x, y)], tints);
    return picture;
}

} // namespace tav
