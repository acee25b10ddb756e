#include "TerritoryTint.h"

#include "CellGrid.h"
#include "MapCheck.h"

#include <algorithm>
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
constexpr int LeadWeight = 160;

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

LeadShade LeadShadeOf(const FactionAnalysis& analysis, std::size_t cell) {
    if (analysis.Holder[cell] == BlockedCell)
        return LeadBlockedShade;
    const CellLead lead = analysis.Lead(cell);
    if (lead.Holder < 0)
        return LeadUnreachableShade;
    if (lead.Alone)
        return LeadAloneShade;
    if (lead.Lead <= 0)
        return LeadTieShade;
    int band = 1;
    while (lead.Lead > LeadBandLimits[static_cast<std::size_t>(band - 1)])
        ++band;
    return static_cast<LeadShade>(band);
}

void TintLeadCell(QImage& picture, int x, int y, int edge, LeadShade shade) {
    if (shade == LeadBlockedShade)
        return;
    const QRgb tint = shade == LeadUnreachableShade ? UnreachableTint : LeadTints[shade];
    for (int v = y * edge; v < (y + 1) * edge; ++v) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(v));
        for (int u = x * edge; u < (x + 1) * edge; ++u) {
            const int weight = shade != LeadTieShade ? LeadWeight : ((u + v) & 3) < 2 ? HatchWeight : HatchGapWeight;
            row[u] = Blend(row[u], tint, weight);
        }
    }
}

void MarkThreat(QImage& picture, int x, int y, int edge, PropertyThreat threat) {
    if (threat != PropertyThreat::Threatened && threat != PropertyThreat::Lost)
        return;
    const QRgb mark = threat == PropertyThreat::Lost ? LostMark : ThreatenedMark;
    const int width = std::max(1, edge / 8);
    const int left = x * edge;
    const int top = y * edge;
    for (int v = 0; v < edge; ++v) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(top + v));
        for (int u = 0; u < edge; ++u) {
            const int inset = std::min(std::min(u, v), std::min(edge - 1 - u, edge - 1 - v));
            if (inset < width)
                row[left + u] = mark;
            else if (inset == width && edge >= 16) // a dark line inside, so the frame reads on light tiles
                row[left + u] = qRgb(0, 0, 0);
        }
    }
}

QImage TerritoryPicture(const FactionAnalysis& analysis, TileSet tileSet, const QImage& mapPicture,
                        bool markThreats) {
    QImage picture = mapPicture.convertToFormat(QImage::Format_RGB32);
    const int edge = picture.width() / MapSize;
    if (edge <= 0 || picture.height() / MapSize < edge)
        return picture;
    const auto tints = FactionTints(tileSet);
    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x)
            TintCell(picture, x, y, edge, analysis.Holder[GridIndex(x, y)], tints);
    if (markThreats)
        for (int y = 0; y < MapSize; ++y)
            for (int x = 0; x < MapSize; ++x)
                MarkThreat(picture, x, y, edge, analysis.Threat[GridIndex(x, y)]);
    return picture;
}

} // namespace tav
