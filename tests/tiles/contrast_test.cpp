// Readability of the committed pictures, measured as CIELAB colour differences (CIE76 ΔE): faction
// colours against what they stand on and against each other, the terrain masses that can touch inside
// one set, and how far apart the nine sets' moods are.

#include "TileSets.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace tav {
namespace {

const QString ResourceDir = QStringLiteral(TAV_RESOURCES_DIR);

double DeltaE(QRgb a, QRgb b) {
    auto lab = [](QRgb c) {
        auto linear = [](int v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        const double r = linear(qRed(c)), g = linear(qGreen(c)), b = linear(qBlue(c));
        const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
        const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
        const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
        auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
        return std::array<double, 3>{116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
    };
    const auto p = lab(a), q = lab(b);
    return std::sqrt((p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) + (p[2] - q[2]) * (p[2] - q[2]));
}

struct TilePicture {
    QImage Image;
    int Edge;
    TilePicture(TileSet set, TileEdge edge)
        : Image(ResourceDir + QStringLiteral("/tiles/") + PictureName(set, edge) + QStringLiteral(".png")),
          Edge(Pixels(edge)) {}
    int Index(int code, int x, int y) const { return Image.pixelIndex((code % 8) * Edge + x, (code / 8) * Edge + y); }
    QRgb Colour(int index) const { return Image.color(index); }
    // Pixel counts per colour index inside rows [top, bottom) and columns [left, right) of the tile.
    std::map<int, int> Counts(int code, int top = 0, int bottom = -1, int left = 0, int right = -1) const {
        std::map<int, int> counts;
        for (int y = top; y < (bottom < 0 ? Edge : bottom); ++y)
            for (int x = left; x < (right < 0 ? Edge : right); ++x)
                ++counts[Index(code, x, y)];
        return counts;
    }
    int Dominant(int code, int top = 0, int bottom = -1, int left = 0, int right = -1) const {
        const auto counts = Counts(code, top, bottom, left, right);
        return std::max_element(counts.begin(), counts.end(), [](auto a, auto b) { return a.second < b.second; })->first;
    }
    // The colours that cover more than a quarter of the tile: what the eye sees of it from afar.
    std::vector<int> Masses(int code) const {
        std::vector<int> masses;
        for (const auto& [index, count] : Counts(code))
            if (4 * count > Edge * Edge)
                masses.push_back(index);
        return masses;
    }
    // The colour that marks a faction: the commonest colour of its castle that no tile outside the
    // faction's own four (house, field, castle, banner wall) shows.
    int FactionColour(int faction) const {
        std::map<int, int> own = Counts(20 + faction);
        for (int code = 0; code < 128; ++code)
            if ((code & ~3) != 8 && (code & ~3) != 12 && (code & ~3) != 20 && (code & ~3) != 116) {
                for (const auto& entry : Counts(code))
                    own.erase(entry.first);
            } else if ((code & 3) != faction) {
                for (const auto& entry : Counts(code))
                    own.erase(entry.first);
            }
        if (own.empty())
            return -1;
        return std::max_element(own.begin(), own.end(), [](auto a, auto b) { return a.second < b.second; })->first;
    }
};

constexpr double FactionContrast = 30, TouchContrast = 28, MoodDistance = 30;

// Faction tiles and how much of the tile (in per cent, at 8 pixels) the faction colour covers at least.
struct FactionTile {
    int FirstCode;
    int MinShare;
};
constexpr FactionTile FactionTiles[] = {{8, 25}, {12, 37}, {20, 25}, {116, 43}};

TEST(Contrast, FactionColoursStandOutFromWhatTheyStandOnAndFromEachOther) {
    for (TileSet set : AllTileSets)
        for (TileEdge edge : {TileEdge::Px32, TileEdge::Px16, TileEdge::Px8}) {
            SCOPED_TRACE(testing::Message() << "set " << TileSetNumber(set) << " edge " << Pixels(edge));
            const TilePicture picture(set, edge);
            ASSERT_FALSE(picture.Image.isNull());
            const int e = picture.Edge;
            std::array<int, 4> colour{};
            for (int f = 0; f < 4; ++f) {
                colour[static_cast<std::size_t>(f)] = picture.FactionColour(f);
                ASSERT_GE(colour[static_cast<std::size_t>(f)], 0) << "faction " << f << " has no colour of its own";
            }
            for (int f = 0; f < 4; ++f)
                for (int g = f + 1; g < 4; ++g)
                    EXPECT_GE(DeltaE(picture.Colour(colour[static_cast<std::size_t>(f)]), picture.Colour(colour[static_cast<std::size_t>(g)])), FactionContrast)
                        << "factions " << f << " and " << g;
            for (const FactionTile& tile : FactionTiles)
                for (int f = 0; f < 4; ++f) {
                    const int code = tile.FirstCode + f, own = colour[static_cast<std::size_t>(f)];
                    double worst = 1000;
                    int count = 0;
                    for (int y = 0; y < e; ++y)
                        for (int x = 0; x < e; ++x) {
                            if (picture.Index(code, x, y) != own)
                                continue;
                            ++count;
                            // what lies beyond the tile border is another cell's business
                            const int around[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
                            for (const auto& p : around)
                                if (p[0] >= 0 && p[1] >= 0 && p[0] < e && p[1] < e && picture.Index(code, p[0], p[1]) != own)
                                    worst = std::min(worst, DeltaE(picture.Colour(own), picture.Colour(picture.Index(code, p[0], p[1]))));
                        }
                    EXPECT_GE(worst, FactionContrast) << "code " << code << ": faction colour against what it stands on";
                    if (e == 8) {
                        EXPECT_GE(100 * count, tile.MinShare * e * e) << "code " << code << ": faction mark too small at 8 pixels";
                    }
                }
        }
}

// Roles whose masses can lie side by side on a shaped map, with the tile that shows each.
enum Role { Ground, Forest, Plateau, Water, Shore, Mountain, Cliff, Walls, Monster };
const char* const RoleNames[] = {"ground", "forest", "plateau", "water", "shore", "mountain", "cliff", "walls", "monster"};

std::vector<int> RoleColours(const TilePicture& picture, Role role) {
    const int e = picture.Edge;
    switch (role) {
    case Ground: return picture.Masses(0);
    case Forest: return picture.Masses(1);
    case Plateau: return picture.Masses(32);
    case Water: return picture.Masses(48);
    case Shore: return {picture.Dominant(63)};      // water ringed by shore on all sides
    case Mountain: return picture.Masses(96);
    case Cliff: return {picture.Dominant(40, e - e / 3)}; // the face below a plateau's open lower side
    case Walls: return {picture.Dominant(114, 0, e, e / 2 - e / 8, e / 2 + e / 8)}; // the wall runs down the middle
    case Monster: {
        // the commonest colour that the ground tile does not use
        auto counts = picture.Counts(6);
        for (const auto& entry : picture.Counts(0))
            counts.erase(entry.first);
        return {std::max_element(counts.begin(), counts.end(), [](auto a, auto b) { return a.second < b.second; })->first};
    }
    }
    return {};
}

constexpr std::pair<Role, Role> TouchingRoles[] = {
    {Ground, Forest},   {Ground, Plateau},  {Ground, Water},    {Ground, Shore},     {Ground, Mountain},
    {Ground, Cliff},    {Ground, Walls},    {Ground, Monster},  {Forest, Plateau},   {Forest, Water},
    {Forest, Shore},    {Forest, Mountain}, {Forest, Cliff},    {Plateau, Water},    {Plateau, Shore},
    {Plateau, Mountain}, {Water, Shore},    {Water, Mountain},  {Water, Cliff},      {Shore, Mountain},
    {Shore, Cliff},     {Mountain, Cliff},
};

TEST(Contrast, RolesThatCanTouchKeepTheirOwnMassColoursAtSmallScales) {
    for (TileSet set : AllTileSets)
        for (TileEdge edge : {TileEdge::Px8, TileEdge::Px4}) {
            SCOPED_TRACE(testing::Message() << "set " << TileSetNumber(set) << " edge " << Pixels(edge));
            const TilePicture picture(set, edge);
            ASSERT_FALSE(picture.Image.isNull());
            for (const auto& [a, b] : TouchingRoles) {
                double worst = 1000;
                for (int ca : RoleColours(picture, a))
                    for (int cb : RoleColours(picture, b))
                        worst = std::min(worst, DeltaE(picture.Colour(ca), picture.Colour(cb)));
                EXPECT_GE(worst, TouchContrast) << RoleNames[a] << " against " << RoleNames[b];
            }
        }
}

// The colour a user sees first in each set: the dominant colour of its main tiles at 16 pixels.
constexpr int MoodTiles[] = {0, 1, 7, 32, 40, 48, 63, 96, 114, 20};

TEST(Contrast, NineSetsHaveMoodsOfTheirOwn) {
    std::vector<TilePicture> pictures;
    for (TileSet set : AllTileSets)
        pictures.emplace_back(set, TileEdge::Px16);
    for (int a = 0; a < 9; ++a)
        for (int b = a + 1; b < 9; ++b) {
            double sum = 0;
            for (int code : MoodTiles) {
                const TilePicture &pa = pictures[static_cast<std::size_t>(a)], &pb = pictures[static_cast<std::size_t>(b)];
                sum += DeltaE(pa.Colour(pa.Dominant(code)), pb.Colour(pb.Dominant(code)));
            }
            EXPECT_GE(sum / std::size(MoodTiles), MoodDistance) << "sets " << a + 1 << " and " << b + 1;
        }
}

// Open ground draws no line along its cell edges: at the small scales such lines add up to graph paper
// that reads as the editor's own grid overlay and makes every cell boundary shout.
TEST(Contrast, GroundDrawsNoLinesAlongTheCellEdges) {
    for (TileSet set : AllTileSets)
        for (TileEdge edge : AllTileEdges) {
            SCOPED_TRACE(testing::Message() << "set " << TileSetNumber(set) << " edge " << Pixels(edge));
            const TilePicture picture(set, edge);
            ASSERT_FALSE(picture.Image.isNull());
            const int e = picture.Edge, ground = picture.Dominant(0);
            const struct { int Top, Bottom, Left, Right; } sides[] = {{0, 1, 0, e}, {e - 1, e, 0, e}, {0, e, 0, 1}, {0, e, e - 1, e}};
            for (const auto& side : sides) {
                const auto counts = picture.Counts(0, side.Top, side.Bottom, side.Left, side.Right);
                const auto found = counts.find(ground);
                EXPECT_LE(4 * (e - (found == counts.end() ? 0 : found->second)), e) << "ground draws a line along a cell edge";
            }
        }
}

} // namespace
} // namespace tav
