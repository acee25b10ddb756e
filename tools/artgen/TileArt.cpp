// The nine tile sets. Every tile is drawn from its role; the role layout is the same in all sets,
// only colours and a few motifs change with each set's mood. Shapes are described in tile units
// (0..1 across the tile) and tested at pixel centres, so each scale is rasterised natively.

#include "ArtGen.h"
#include "Canvas.h"

#include <array>
#include <cstdint>

namespace tav::artgen {

namespace {

// Colour slots, the same in every set; each set fills them with its own colours.
enum Slot : Index {
    K,    // outline and plain black
    Deep, // plain dark blue
    G1, G2, G3, // ground: light, base, dark
    F1, F2,     // foliage: light, dark
    Wood,
    W1, W2, // water: base, highlight
    Sand,   // shore
    P1, P2, // plateau: top, cliff
    M1, M2, // mountain: lit, shaded
    White,
    S1, S2,                 // stone: light, dark
    Fa0, Fa1, Fa2, Fa3,     // the four faction colours
    SlotCount
};
static_assert(SlotCount == 22, "a tile set has 22 colours at the three larger scales");

enum class TreeStyle { Round, Conifer, Crystal, Palm, Mushroom };
enum class GroundStyle { Grass, Crumbs, Plates, Sparkle, Dunes, Petals, Snow };
// The buildings of a set: houses, keeps and their roofs follow the theme of the set's faction names.
enum class BuildingStyle { Gable, Cloche, Pagoda, Factory, Onion, Horned, Lighthouse, Tower, Tent };
enum class WaterStyle { Crests, Bubbles, Ripples, Lights };
enum class MountainStyle { Jagged, Domes, Blocks, Spires };

struct SetStyle {
    std::array<std::uint32_t, Fa0> Colours; // slots K .. S2
    std::array<std::uint32_t, 4> Factions;
    TreeStyle Tree;
    GroundStyle Ground;
    BuildingStyle Building;
    WaterStyle Waves;
    MountainStyle Rock;
    bool SnowCaps;
};

// The colours named in the faction names.
constexpr std::uint32_t Green = 0x24B44A, Red = 0xDC2C2C, WhiteFaction = 0xF4F4F0, Black = 0x34343C,
                        Blue = 0x2C5AE6, Yellow = 0xF8D020;

// Each set keeps its terrain masses apart (the contrast test measures them) and its own mood.
//                      K         Deep      G1        G2        G3        F1        F2        Wood      W1        W2        Sand      P1        P2        M1        M2        White     S1        S2
constexpr std::array<SetStyle, 9> Sets = {{
    // 1: green lands of four domains
    {{0x000000, 0x00005E, 0x96D860, 0x6CB844, 0x4A8C2C, 0x2A7A3C, 0x12482A, 0x7A4E28, 0x2A62C8, 0x8CC4F4, 0xF0E6B0, 0xB08050, 0x6A4A30, 0xC4C4CC, 0x7A7884, 0xF8F8F0, 0xD8D0C0, 0x8A8478},
     {Green, Red, WhiteFaction, Black}, TreeStyle::Round, GroundStyle::Grass, BuildingStyle::Gable, WaterStyle::Crests, MountainStyle::Jagged, true},
    // 2: restaurants on a tablecloth: soup lakes, cake plateaus, cheese hills, gingerbread walls
    {{0x2A160C, 0x00005E, 0xFFF6E6, 0xF4E2C4, 0xD8B88C, 0x9ACC4C, 0x4A8A2A, 0xB0703A, 0xD4622E, 0xF8B070, 0xA09058, 0xF0A8C0, 0x8C4A2C, 0xFFE070, 0xD8A030, 0xFFFFFF, 0xD89858, 0xA06030},
     {Red, Blue, Yellow, WhiteFaction}, TreeStyle::Round, GroundStyle::Crumbs, BuildingStyle::Cloche, WaterStyle::Bubbles, MountainStyle::Domes, false},
    // 3: eastern houses among blossom, pines and ink mountains
    {{0x1A1414, 0x00005E, 0xF0D8DC, 0xE0BCC4, 0xB8909A, 0x3E7A5A, 0x1C4434, 0x8C2A20, 0x38A8B0, 0x9AD2E0, 0xA08C60, 0xB05A3C, 0x5A2A1E, 0x6A7890, 0x343C56, 0xFAF5EB, 0xB8342A, 0x6A1A14},
     {Green, Red, WhiteFaction, Blue}, TreeStyle::Conifer, GroundStyle::Petals, BuildingStyle::Pagoda, WaterStyle::Ripples, MountainStyle::Spires, false},
    // 4: machines: steel plates, coolant, copper slag heaps, crystal antennas
    {{0x101216, 0x00005E, 0x9AA2AE, 0x7A8290, 0x5A626E, 0x70E0E8, 0x0C4C4C, 0x6A4A30, 0x1E3A7A, 0x4A8AD8, 0xDCC030, 0xC8D0DC, 0x14161A, 0xE0A860, 0x9A5A30, 0xF0F4FA, 0xC8CED8, 0x6A707C},
     {Blue, Red, WhiteFaction, Black}, TreeStyle::Crystal, GroundStyle::Plates, BuildingStyle::Factory, WaterStyle::Lights, MountainStyle::Blocks, false},
    // 5: jewel duchies: amethyst ground, emerald groves, sapphire seas, ice peaks
    {{0x100A18, 0x00005E, 0x7C5CA6, 0x5C3C84, 0x3E2660, 0x7CE8B8, 0x1E9466, 0xC0A040, 0x1A3CB4, 0x70A0F8, 0xE6C86E, 0xE07AC8, 0xA03050, 0xD8E8F8, 0x8098C0, 0xFFFFFF, 0xE0D8EC, 0x8A80A0},
     {Black, Yellow, Red, Green}, TreeStyle::Crystal, GroundStyle::Sparkle, BuildingStyle::Onion, WaterStyle::Crests, MountainStyle::Spires, true},
    // 6: creature realms: moss, giant mushrooms, terracotta mesas, horned dens
    {{0x181424, 0x00005E, 0x7ACAB8, 0x4EA894, 0x2E7A6C, 0xC8D858, 0x7A3A8A, 0x6E4A38, 0x1E3A6E, 0x6AD0F0, 0xE8D8A8, 0xC87858, 0x6A3A2A, 0xE8E4F4, 0x9088B0, 0xFFFFFF, 0xD0CCC0, 0x807A70},
     {Red, Green, WhiteFaction, Black}, TreeStyle::Mushroom, GroundStyle::Grass, BuildingStyle::Horned, WaterStyle::Bubbles, MountainStyle::Jagged, true},
    // 7: harbours: dunes, palms, heather headlands, lighthouses
    {{0x141E28, 0x00005E, 0xF4E4B0, 0xE8D490, 0xC0A868, 0x7AA838, 0x3E5E18, 0x8C643C, 0x0E8CC0, 0xB8F0F8, 0x98743C, 0x8A6A9A, 0x3A2A4A, 0x9A9A9A, 0x6E6A66, 0xFFFFFF, 0xFFFFFF, 0x9AA8B4},
     {Yellow, Red, WhiteFaction, Black}, TreeStyle::Palm, GroundStyle::Dunes, BuildingStyle::Lighthouse, WaterStyle::Ripples, MountainStyle::Jagged, false},
    // 8: night city: asphalt blocks, black canals with neon reflections, brick roofs, moonlit ridges
    {{0x08080C, 0x00005E, 0x5E5E82, 0x4A4A6A, 0x303048, 0x40D8B0, 0x186A5E, 0xA05038, 0x060818, 0xE050E0, 0xC8A060, 0x8E5A48, 0x6A4038, 0xC8D0E8, 0x98A0C8, 0xFFF096, 0xA0A0B8, 0x5C5C74},
     {WhiteFaction, Black, Green, Red}, TreeStyle::Round, GroundStyle::Plates, BuildingStyle::Tower, WaterStyle::Lights, MountainStyle::Blocks, false},
    // 9: animal squads in snow: pines, lavender highlands, warm rounded hills, log forts and tents
    {{0x281E1E, 0x00005E, 0xFFFFFF, 0xE6EEF6, 0xB8C8DC, 0x5CB848, 0x2E7A3A, 0xA06E3C, 0x48A8F0, 0xD0F0FF, 0x5A5048, 0xC8A0E0, 0x7A5AA0, 0xF0B070, 0xB86A40, 0xFFF8F0, 0xA06E3C, 0x6A4424},
     {Green, Red, WhiteFaction, Yellow}, TreeStyle::Conifer, GroundStyle::Snow, BuildingStyle::Tent, WaterStyle::Crests, MountainStyle::Domes, false},
}};

std::uint32_t Hash(int x, int y, int salt) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// Texture that is scattered at random keeps off the border pixels, so two tiles meet on equal rows.
bool Inner(int x, int y, int e) { return x > 0 && y > 0 && x < e - 1 && y < e - 1; }

// The shore pieces: which sides and corners of a water tile face land, from the neighbour masks that
// the shaping rule maps to each code (side codes 48 + W + 2N + 4E + 8S, corner codes 64 + NW + 2NE + 4SE + 8SW).
struct EdgedPiece {
    std::uint8_t Mask;
    int Code;
};
constexpr std::array<EdgedPiece, 46> EdgedPieces = {{
    {0x5A, 63}, {0x1A, 55}, {0x4A, 59}, {0x52, 62}, {0x58, 61}, {0x8A, 94}, {0x0A, 51}, {0x32, 95}, {0x12, 54},
    {0x4C, 92}, {0x48, 57}, {0x51, 93}, {0x50, 60}, {0x42, 58}, {0x18, 53}, {0xA2, 85}, {0x22, 84}, {0x82, 83},
    {0x02, 50}, {0x8C, 82}, {0x0C, 80}, {0x88, 81}, {0x08, 49}, {0x31, 88}, {0x11, 87}, {0x30, 86}, {0x10, 52},
    {0x45, 91}, {0x41, 89}, {0x44, 90}, {0x40, 56}, {0xA5, 79}, {0x25, 75}, {0x85, 71}, {0xA1, 77}, {0xA4, 78},
    {0x05, 67}, {0x21, 73}, {0x24, 74}, {0x81, 69}, {0x84, 70}, {0xA0, 76}, {0x01, 65}, {0x04, 66}, {0x20, 72},
    {0x80, 68},
}};
constexpr std::uint8_t BitNW = 0x01, BitN = 0x02, BitNE = 0x04, BitW = 0x08, BitE = 0x10, BitSW = 0x20, BitS = 0x40,
                       BitSE = 0x80;

std::uint8_t ShoreMask(int code) {
    for (const EdgedPiece& piece : EdgedPieces)
        if (piece.Code == code)
            return piece.Mask;
    return 0; // 48, and 64 which shaping never writes: open water
}

// A light-luminance colour takes a dark rim and the other way round, so a faction mark always stands out.
bool IsLight(std::uint32_t rgb) {
    return 0.2126 * ((rgb >> 16) & 0xFF) + 0.7152 * ((rgb >> 8) & 0xFF) + 0.0722 * (rgb & 0xFF) > 110;
}

// One tile being drawn: e x e pixels, shapes given in tile units.
struct Tile {
    Canvas& C;
    int E;
    const SetStyle& Style;

    bool Big() const { return E >= 16; }
    template <class F> void Area(F inside, Index c) {
        C.Shape([&](double x, double y) { return inside(x / E, y / E); }, c);
    }
    template <class F> void Rim(F inside, Index c) {
        if (Big())
            C.Outline([&](double x, double y) { return inside(x / E, y / E); }, c);
    }
    // A rectangle in tile units that is at least one pixel wide and high at every scale.
    void Box(double u0, double v0, double u1, double v1, Index c) {
        const int x0 = static_cast<int>(u0 * E + 0.5), y0 = static_cast<int>(v0 * E + 0.5);
        const int x1 = std::max(x0 + 1, static_cast<int>(u1 * E + 0.5)), y1 = std::max(y0 + 1, static_cast<int>(v1 * E + 0.5));
        C.Rect(x0, y0, x1, y1, c);
    }
    int Px(double u) const { return static_cast<int>(u * E); }
    std::uint32_t Rgb(Index slot) const { return slot < Fa0 ? Style.Colours[slot] : Style.Factions[static_cast<std::size_t>(slot - Fa0)]; }
    Index RimOf(Index slot) const { return IsLight(Rgb(slot)) ? Index{K} : Index{White}; }
    // A faction mark: the shape in the faction colour inside a one-pixel rim of the colour that sets it
    // apart most, so it reads on any ground and in any set.
    template <class F> void Marked(F inside, Index colour) {
        if (E >= 8)
            C.Shape([&](double x, double y) {
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (inside((x + dx) / E, (y + dy) / E))
                            return true;
                return false;
            }, RimOf(colour));
        Area(inside, colour);
    }
};

void Ground(Tile& t) {
    Canvas& c = t.C;
    const int e = t.E;
    c.Fill(G2);
    if (e < 8)
        return;
    // Motifs at fixed places, few and small, so neighbouring ground tiles read as one calm surface.
    static constexpr double spots[][2] = {{0.20, 0.24}, {0.66, 0.16}, {0.42, 0.58}, {0.84, 0.64}, {0.14, 0.84}, {0.62, 0.90}};
    const int count = e >= 32 ? 6 : e >= 16 ? 3 : 1;
    switch (t.Style.Ground) {
    case GroundStyle::Grass:
        for (int i = 0; i < count; ++i) {
            const int x = static_cast<int>(spots[i][0] * e), y = static_cast<int>(spots[i][1] * e);
            c.Put(x, y, G3);
            if (e >= 16) {
                c.Put(x - 1, y - 1, G3);
                c.Put(x + 1, y - 1, G3);
                c.Put(x + 1, y + 1, G1);
            }
        }
        break;
    case GroundStyle::Crumbs:
    case GroundStyle::Petals:
    case GroundStyle::Snow:
        for (int i = 0; i < count; ++i) {
            const int x = static_cast<int>(spots[i][0] * e), y = static_cast<int>(spots[i][1] * e);
            const Index dot = t.Style.Ground == GroundStyle::Petals && i % 2 ? G1 : G3;
            c.Put(x, y, dot);
            if (e >= 32)
                c.Put(x + 1, y, dot);
        }
        break;
    case GroundStyle::Dunes:
        for (int i = 0; i < count; ++i) {
            const int x = static_cast<int>(spots[i][0] * e), y = static_cast<int>(spots[i][1] * e);
            for (int d = -e / 10; d <= e / 10; ++d)
                c.Put(x + d, y + (d == 0 ? -1 : 0), G3);
        }
        break;
    case GroundStyle::Plates: {
        // broad slabs whose dotted joints stop short of the cell's sides, so paving reads as one calm
        // surface and never draws lines where the editor's grid overlay would be
        const int joint = e * 5 / 8;
        if (e < 16) {
            c.Put(joint, joint, G3);
            break;
        }
        for (int i = e / 8; i <= joint; i += 2)
            c.Put(i, joint, G3);
        for (int i = e / 4; i < joint; i += 2)
            c.Put(joint, i, G3);
        c.Put(e / 4, e / 4, G1);
        c.Put(e * 13 / 16, e * 13 / 16, G1);
        break;
    }
    case GroundStyle::Sparkle:
        for (int i = 0; i < count; ++i) {
            const int x = static_cast<int>(spots[i][0] * e), y = static_cast<int>(spots[i][1] * e);
            c.Put(x, y, i % 3 == 0 && e >= 16 ? Index{White} : Index{G1});
            if (e >= 32) {
                c.Put(x - 1, y, G1);
                c.Put(x + 1, y, G1);
                c.Put(x, y - 1, G1);
                c.Put(x, y + 1, G1);
            }
        }
        break;
    }
}

// Trees 1..4: crowns on a staggered lattice that repeats every cell, rows at v = 0, 0.5, 1 (the middle
// row shifted by half a crown). A joined side keeps the rows beyond it, so a forest block is one canopy
// without seams; an open end drops them and shows trunks below the last row. Only the middle row, which
// every tree tile has, crosses the left and right sides: its trees on the sides are tall enough to fill
// the whole side, so two tree tiles side by side meet on the same pixels whatever their runs.
struct Crown {
    double U, V;
    int Order; // later rows overlap earlier ones
    bool Tall; // a tree on a left or right side, stretched over the whole cell height
};

std::vector<Crown> ForestCrowns(bool above, bool below) {
    std::vector<Crown> crowns;
    int order = 0;
    for (int row = -2; row <= 3; ++row) {
        const double v = row * 0.5;
        if ((!above && v < 0.5) || (!below && v > 0.5))
            continue;
        const bool shifted = (row % 2 + 2) % 2 == 1;
        for (int k = -2; k <= 3; ++k)
            crowns.push_back({k * 0.5 + (shifted ? 0.0 : 0.25), v, order++, shifted && k % 2 == 0});
    }
    return crowns;
}

// The height a crown style covers above and below its centre (the palm at its narrowest, up and down).
std::pair<double, double> CrownExtent(TreeStyle style) {
    switch (style) {
    case TreeStyle::Round: return {-0.34, 0.34};
    case TreeStyle::Conifer: return {-0.46, 0.22};
    case TreeStyle::Crystal: return {-0.42, 0.42};
    case TreeStyle::Palm: return {-0.28, 0.28};
    case TreeStyle::Mushroom: return {-0.32, 0.06};
    }
    return {-0.34, 0.34};
}

// A tall crown's offset dv in -0.5..0.5 mapped onto the style's own height.
double TallOffset(TreeStyle style, double dv) {
    const auto [top, bottom] = CrownExtent(style);
    return top + (dv + 0.5) * (bottom - top);
}

bool InCrown(TreeStyle style, double du, double dv) {
    switch (style) {
    case TreeStyle::Round: return du * du + dv * dv <= 0.34 * 0.34;
    case TreeStyle::Conifer: return dv >= -0.46 && dv <= 0.22 && std::abs(du) <= 0.34 * (dv + 0.46) / 0.68;
    case TreeStyle::Crystal: return std::abs(du) / 0.30 + std::abs(dv) / 0.42 <= 1.0;
    case TreeStyle::Palm: {
        const double r = std::sqrt(du * du + dv * dv), a = std::atan2(dv, du);
        return r <= 0.28 + 0.07 * std::cos(7.0 * a);
    }
    case TreeStyle::Mushroom: return dv <= 0.06 && Canvas::Sq(du / 0.36) + Canvas::Sq((dv + 0.02) / 0.30) <= 1.0;
    }
    return false;
}

bool LitCrown(TreeStyle style, double du, double dv) {
    switch (style) {
    case TreeStyle::Round: return Canvas::Sq(du + 0.09) + Canvas::Sq(dv + 0.10) <= 0.19 * 0.19;
    case TreeStyle::Conifer: return du < -0.02 && dv < 0.16;
    case TreeStyle::Crystal: return du < 0 && dv < 0.06;
    case TreeStyle::Palm: return du < -0.04 && dv < -0.02;
    case TreeStyle::Mushroom: return Canvas::Sq(du + 0.10) + Canvas::Sq(dv + 0.14) <= 0.13 * 0.13;
    }
    return false;
}

void Trees(Tile& t, int code) {
    if (t.E < 8) // at 4 pixels a crown is a pixel: the forest reads best as one solid canopy
        return t.C.Fill(F2);
    Ground(t);
    const bool above = code == 1 || code == 3, below = code == 1 || code == 2;
    const TreeStyle style = t.Style.Tree;
    const std::vector<Crown> crowns = ForestCrowns(above, below);
    // below 16 pixels a crystal's lit half would stripe the forest and a cap's spots checker it: only a
    // one-pixel glint on each crown, so the forest reads as one mass
    auto lit = [&](double du, double dv) {
        if ((style == TreeStyle::Crystal || style == TreeStyle::Mushroom) && !t.Big())
            return du < -0.02 && du > -0.14 && dv < -0.02 && dv > -0.14;
        return LitCrown(style, du, dv);
    };
    auto offset = [&](const Crown& c, double u, double v) { // the point in the crown's own units
        return std::pair{u - c.U, c.Tall ? TallOffset(style, v - c.V) : v - c.V};
    };
    auto top = [&](double u, double v) {
        const Crown* best = nullptr;
        for (const Crown& c : crowns) {
            const auto [du, dv] = offset(c, u, v);
            if ((!c.Tall || std::abs(v - c.V) <= 0.5) && InCrown(style, du, dv) && (!best || c.Order > best->Order))
                best = &c;
        }
        return best;
    };
    // under the crowns: a dark canopy floor, so no ground shows between them inside the forest
    auto floor = [&](double u, double v) {
        for (const Crown& c : crowns)
            if (Canvas::Sq(u - c.U) + Canvas::Sq(v - c.V) <= 0.36 * 0.36)
                return true;
        return false;
    };
    if (!below) // shadows and trunks under the trees of the lowest row that stand inside the cell
        for (const Crown& c : crowns)
            if (c.V == 0.5 && c.U > 0.1 && c.U < 0.9) {
                t.Area([&](double u, double v) { return Canvas::Sq((u - c.U) / 0.22) + Canvas::Sq((v - 0.91) / 0.06) <= 1.0; }, G3);
                t.Box(c.U - 0.05, 0.70, c.U + 0.05, 0.92, style == TreeStyle::Mushroom ? S1 : Wood);
            }
    const int e = t.E;
    for (int y = 0; y < e; ++y)
        for (int x = 0; x < e; ++x) {
            if (x == 0 || x == e - 1) {
                // the side columns show only the tall side tree, seen on the side line itself, so both
                // neighbours draw the very same pixels there
                const double dv = TallOffset(style, (y + 0.5) / e - 0.5);
                t.C.Put(x, y, e >= 8 && lit(0.0, dv) ? F1 : F2);
                continue;
            }
            // a joined border row shows the canopy exactly on the border line, the same on both sides
            const double u = (x + 0.5) / e;
            const double v = (y == 0 && above) ? 0.0 : (y == e - 1 && below) ? 1.0 : (y + 0.5) / e;
            const Crown* c = top(u, v);
            if (!c) {
                if (floor(u, v))
                    t.C.Put(x, y, F2);
                continue;
            }
            const auto [du, dv] = offset(*c, u, v);
            Index colour = e >= 8 && lit(du, dv) ? F1 : F2;
            if (t.Big()) { // the lower edge of a crown over whatever lies below it
                const double step = 1.0 / e;
                const Crown* under = top(u, v + step);
                const Crown* right = top(u + step, v);
                if ((under != c && (!under || under->Order < c->Order)) || (right != c && (!right || right->Order < c->Order)))
                    colour = K;
            }
            if (e >= 32 && colour != K && Inner(x, y, e) && Hash(x, y, 5) % 11 == 0)
                colour = colour == F1 ? F2 : F1; // leaf clusters
            t.C.Put(x, y, colour);
        }
    if (t.Big() && (style == TreeStyle::Crystal || style == TreeStyle::Mushroom))
        for (const Crown& c : crowns) { // a glint on each crystal, spots on each cap
            const int x = static_cast<int>((c.U - 0.08) * e), y = static_cast<int>((c.V - 0.14) * e);
            if (x > 0 && y > 0 && x < e - 1 && y < e - 1 && top((x + 0.5) / e, (y + 0.5) / e) == &c)
                t.C.Put(x, y, White);
        }
}

// The surface of open water in the set's style, at uneven places so a sea does not read as a grid.
void WaterMotifs(Tile& t) {
    const int e = t.E;
    if (e < 8)
        return;
    auto put = [&](int x, int y) { // never on the border rows, so open water joins without seams
        if (Inner(x, y, e))
            t.C.Put(x, y, W2);
    };
    static constexpr double spots[][3] = {{0.14, 0.22, 0.9}, {0.56, 0.12, 0.6}, {0.34, 0.54, 1.0}, {0.74, 0.72, 0.7}, {0.12, 0.80, 0.5}};
    const int count = e >= 32 ? 5 : e >= 16 ? 3 : 2;
    for (int i = 0; i < count; ++i) {
        const int x = static_cast<int>(spots[i][0] * e), y = static_cast<int>(spots[i][1] * e);
        const int len = std::max(1, static_cast<int>(spots[i][2] * e / 5));
        switch (t.Style.Waves) {
        case WaterStyle::Crests: // a short arc: a line with its ends dipping
            for (int d = 0; d < len; ++d)
                put(x + d, y);
            if (e >= 16) {
                put(x - 1, y + 1);
                put(x + len, y + 1);
            }
            break;
        case WaterStyle::Ripples: // long thin lines
            for (int d = 0; d < 2 * len; ++d)
                put(x + d, y);
            break;
        case WaterStyle::Bubbles:
            put(x, y - 1);
            put(x - 1, y);
            put(x + 1, y);
            put(x, y + 1);
            if (e >= 32) {
                put(x + 3, y - 3);
                put(x + 4, y - 2);
            }
            break;
        case WaterStyle::Lights: // reflections of lamps: a dot with a shorter dot below
            put(x, y);
            put(x + 1, y);
            if (e >= 16)
                put(x, y + 2);
            break;
        }
    }
}

// Water 48..95 with shores on the sides and corners the code names. Sides are bands of width b running
// the whole edge; corners are quarter discs of radius b, so bands of neighbouring cells meet exactly.
void Water(Tile& t, int code) {
    const int e = t.E;
    const std::uint8_t m = ShoreMask(code);
    const bool w = m & BitW, n = m & BitN, east = m & BitE, s = m & BitS;
    const double b = std::max(1.0, std::round(e * 0.19));
    const double r = b; // rounding of the inner corner where two shores meet
    auto sand = [&](double x, double y) {
        const double xr = e - x, yb = e - y;
        if ((w && x < b) || (n && y < b) || (east && xr < b) || (s && yb < b))
            return true;
        if ((m & BitNW) && x * x + y * y < b * b) return true;
        if ((m & BitNE) && xr * xr + y * y < b * b) return true;
        if ((m & BitSW) && x * x + yb * yb < b * b) return true;
        if ((m & BitSE) && xr * xr + yb * yb < b * b) return true;
        auto round = [&](bool a, bool c2, double dx, double dy) {
            return a && c2 && dx < b + r && dy < b + r && Canvas::Sq(b + r - dx) + Canvas::Sq(b + r - dy) > r * r;
        };
        return round(w, n, x, y) || round(east, n, xr, y) || round(w, s, x, yb) || round(east, s, xr, yb);
    };
    t.C.Fill(W1);
    WaterMotifs(t);
    if (!m)
        return;
    // foam: water pixels touching the shore
    if (e >= 16)
        for (int y = 0; y < e; ++y)
            for (int x = 0; x < e; ++x) {
                const double cx = x + 0.5, cy = y + 0.5;
                if (!sand(cx, cy) && (sand(cx - 1, cy) || sand(cx + 1, cy) || sand(cx, cy - 1) || sand(cx, cy + 1)))
                    t.C.Put(x, y, W2);
            }
    t.C.Shape(sand, Sand);
    if (e >= 32) // wet sand along the waterline
        for (int y = 0; y < e; ++y)
            for (int x = 0; x < e; ++x) {
                const double cx = x + 0.5, cy = y + 0.5;
                if (sand(cx, cy) && Inner(x, y, e) && (Hash(x, y, 7) % 5 == 0))
                    t.C.Put(x, y, G1);
            }
}

// Plateau 32..47: a highland of its own (heath tufts on the plateau colour); joined sides run on flat, an
// unjoined side shows a rim, the lower one a tall rock face under a lit lip.
void Plateau(Tile& t, int code) {
    const int e = t.E, j = 47 - code;
    const bool w = j & 1, n = j & 2, east = j & 4, s = j & 8;
    Canvas& c = t.C;
    c.Fill(P1);
    if (e >= 8) { // heath tufts at fixed places: two strokes of the face colour
        static constexpr double tufts[][2] = {{0.22, 0.18}, {0.70, 0.30}, {0.40, 0.50}, {0.16, 0.62}, {0.78, 0.70}, {0.50, 0.86}};
        const int count = e >= 32 ? 6 : e >= 16 ? 4 : 2;
        for (int i = 0; i < count; ++i) {
            const int x = static_cast<int>(tufts[i][0] * e), y = static_cast<int>(tufts[i][1] * e);
            if (!Inner(x, y, e) || !Inner(x + 1, y - 1, e))
                continue;
            c.Put(x, y, P2);
            if (e >= 16) {
                c.Put(x + 1, y - 1, P2);
                c.Put(x + 2, y, P2);
            }
        }
    }
    const int rim = std::max(1, e / 10);
    const int face = s ? 0 : std::max(1, static_cast<int>(std::lround(e * 0.42)));
    const int top = e - face;
    if (!n) c.Rect(0, 0, e, rim, P2);
    if (!w) c.Rect(0, 0, rim, top, P2);
    if (!east) c.Rect(e - rim, 0, e, top, P2);
    if (t.Big()) {
        if (!n) c.Rect(0, 0, e, 1, K);
        if (!w) c.Rect(0, 0, 1, top, K);
        if (!east) c.Rect(e - 1, 0, e, top, K);
    }
    if (!face)
        return;
    c.Rect(0, top, e, e, P2);
    if (e < 8)
        return;
    // the lip catches the light; below it the rock face with uneven cracks and a dark foot
    c.Rect(0, top, e, top + 1, t.Big() ? White : P1);
    if (e >= 32)
        c.Rect(0, top + 1, e, top + 2, P1);
    if (!t.Big())
        return;
    for (int x = 2; x < e - 2; ++x) {
        const std::uint32_t h = Hash(x, 0, e);
        if (h % (e >= 32 ? 4u : 3u) != 0)
            continue;
        const int from = top + 2 + static_cast<int>(h / 7 % 3), to = e - 2 - static_cast<int>(h / 31 % static_cast<std::uint32_t>(std::max(1, face / 2)));
        for (int y = from; y < to; ++y)
            c.Put(x + ((y + static_cast<int>(h)) % 5 == 0 ? 1 : 0), y, K);
    }
    c.Rect(0, e - 1, e, e, K);
    if (!w) c.Rect(0, top, 1, e, K);
    if (!east) c.Rect(e - 1, top, e, e, K);
}

// Mountains 96..111 and the cave: rock fills the whole cell. Massifs lit from the upper left stand on a
// rock floor; on a joined side the outermost pixel line is plain floor, so ranges and blocks run on
// without seams and without ground between the peaks; an open side gets a dark foot.
struct Massif {
    double U, V, Half, Base; // apex, half width at the base row, base row
};

bool InMassif(MountainStyle style, const Massif& m, double u, double v) {
    if (v < m.V || v > m.Base)
        return false;
    const double f = (v - m.V) / (m.Base - m.V), d = std::abs(u - m.U);
    switch (style) {
    case MountainStyle::Jagged: return d <= m.Half * f;
    case MountainStyle::Domes: return Canvas::Sq(d / m.Half) + Canvas::Sq(1.0 - f) <= 1.0;
    case MountainStyle::Blocks: return f >= 0.08 && d <= m.Half * (0.55 + 0.45 * f);
    case MountainStyle::Spires: return d <= m.Half * 0.7 * std::sqrt(f);
    }
    return false;
}

// Five arrangements of massifs, the later ones in front; each join pattern takes its own, so the cells of a
// block or a range do not repeat one picture. Joined sides end in plain floor, so any two meet.
std::vector<Massif> MassifLayout(int joins) {
    static const std::vector<Massif> layouts[] = {
        {{0.30, 0.06, 0.26, 0.58}, {0.72, 0.14, 0.24, 0.64}, {0.50, 0.32, 0.38, 0.92}},
        {{0.24, 0.20, 0.22, 0.66}, {0.62, 0.04, 0.34, 0.78}, {0.86, 0.40, 0.14, 0.84}, {0.34, 0.50, 0.26, 0.96}},
        {{0.50, 0.04, 0.40, 0.70}, {0.20, 0.44, 0.18, 0.90}, {0.78, 0.50, 0.20, 0.94}},
        {{0.20, 0.10, 0.18, 0.50}, {0.80, 0.06, 0.16, 0.46}, {0.52, 0.16, 0.28, 0.72}, {0.30, 0.46, 0.28, 0.96}, {0.78, 0.54, 0.18, 0.94}},
        {{0.40, 0.02, 0.34, 0.74}, {0.82, 0.28, 0.16, 0.74}, {0.16, 0.48, 0.14, 0.90}, {0.60, 0.50, 0.30, 0.96}},
    };
    // the inside of a block (all four sides joined) and the cave take the busiest arrangement
    static constexpr int pick[16] = {0, 2, 4, 1, 3, 0, 2, 4, 1, 3, 0, 3, 2, 1, 0, 4};
    return layouts[pick[joins & 15]];
}

void Mountain(Tile& t, bool w, bool n, bool east, bool s) {
    const int e = t.E;
    const MountainStyle style = t.Style.Rock;
    Canvas& c = t.C;
    c.Fill(M2);
    if (e >= 32) // crevices in the floor
        for (int y = 0; y < e; ++y)
            for (int x = 0; x < e; ++x)
                if (Inner(x, y, e) && Hash(x, y, 11) % 29 == 0) {
                    c.Put(x, y, K);
                    c.Put(x + 1, y, K);
                }
    // at 8 and 4 pixels small peaks turn into glyphs: one or two broad peaks read as rock instead
    static const std::vector<Massif> broad[] = {{{0.38, 0.06, 0.40, 0.94}, {0.76, 0.36, 0.26, 0.98}},
                                                {{0.62, 0.06, 0.40, 0.94}, {0.22, 0.40, 0.24, 0.98}}};
    const int joins = w + 2 * n + 4 * east + 8 * s;
    for (const Massif& m : t.Big() ? MassifLayout(joins) : broad[joins % 2]) {
        auto inside = [&](double u, double v) { return InMassif(style, m, u, v); };
        t.Area([&](double u, double v) { return inside(u, v) && u < m.U + (style == MountainStyle::Blocks ? -0.1 : 0.0); }, M1);
        if (t.Big()) {
            if (t.Style.SnowCaps)
                t.Area([&](double u, double v) { return inside(u, v) && v < m.V + 0.16 * (m.Base - m.V); }, White);
            t.Rim(inside, K);
        } else if (e == 8) { // the shaded flank's edge, so each peak keeps its outline
            t.Area([&](double u, double v) { return inside(u, v) && !inside(u + 1.0 / e, v) && u > m.U; }, K);
        }
    }
    if (e >= 8) { // open sides first, so a joined side's floor line wins at the corners
        if (!w) c.Rect(0, 0, 1, e, K);
        if (!east) c.Rect(e - 1, 0, e, e, K);
        if (!n) c.Rect(0, 0, e, 1, K);
        if (!s) c.Rect(0, e - 1, e, e, K);
    }
    if (w) c.Rect(0, 0, 1, e, M2);
    if (east) c.Rect(e - 1, 0, e, e, M2);
    if (n) c.Rect(0, 0, e, 1, M2);
    if (s) c.Rect(0, e - 1, e, e, M2);
}

void SnowyPeak(Tile& t) {
    Ground(t);
    switch (t.Style.Building) {
    case BuildingStyle::Cloche: { // a cone with a scoop of ice cream
        auto cone = [](double u, double v) { return v >= 0.44 && v <= 0.96 && std::abs(u - 0.5) <= 0.26 * (0.96 - v) / 0.52; };
        auto scoop = [](double u, double v) { return Canvas::Sq(u - 0.5) + Canvas::Sq(v - 0.34) <= 0.24 * 0.24 && v <= 0.50; };
        t.Area(cone, Wood);
        if (t.Big())
            t.Area([&](double u, double v) { return cone(u, v) && static_cast<int>((u + v) * 10.0) % 2 == 0; }, S2);
        t.Rim(cone, K);
        t.Area(scoop, White);
        t.Area([](double u, double v) { return Canvas::Sq(u - 0.44) + Canvas::Sq(v - 0.16) <= 0.06 * 0.06; }, S2);
        t.Rim(scoop, K);
        return;
    }
    case BuildingStyle::Factory:
    case BuildingStyle::Tower: { // a radio mast with a lamp on top
        auto mast = [](double u, double v) { return v >= 0.14 && v <= 0.94 && std::abs(u - 0.5) <= 0.04 + 0.22 * (v - 0.14) / 0.80; };
        t.Area(mast, S2);
        if (t.Big())
            for (double v0 : {0.34, 0.54, 0.74})
                t.Area([&](double u, double v) { return mast(u, v) && std::abs(v - v0) <= 0.02; }, S1);
        t.Rim(mast, K);
        t.Area([](double u, double v) { return Canvas::Sq(u - 0.5) + Canvas::Sq(v - 0.12) <= 0.08 * 0.08; }, White);
        return;
    }
    case BuildingStyle::Onion: { // a crystal spire
        auto spire = [](double u, double v) { return v >= 0.04 && v <= 0.94 && std::abs(u - 0.5) <= 0.30 * std::min(1.0, (v - 0.04) / 0.30) && std::abs(u - 0.5) <= 0.30 * (0.94 - v + 0.2) / 0.4; };
        t.Area(spire, M1);
        t.Area([&](double u, double v) { return spire(u, v) && u >= 0.5; }, M2);
        t.Area([&](double u, double v) { return spire(u, v) && v < 0.24; }, White);
        t.Rim(spire, K);
        return;
    }
    default: break;
    }
    // eastern sets draw a broad volcano with a flat crater, the others a sharp peak
    const double crater = t.Style.Building == BuildingStyle::Pagoda ? 0.10 : 0.0;
    auto peak = [crater](double u, double v) { return v >= 0.18 - crater && v <= 0.92 && std::abs(u - 0.5) <= crater + 0.46 * (v - 0.06) / 0.86; };
    t.Area(peak, M2);
    t.Area([&](double u, double v) { return peak(u, v) && u < 0.5; }, M1);
    t.Area([&](double u, double v) { return peak(u, v) && v < 0.40 + 0.06 * std::sin(u * 40.0); }, White);
    t.Rim(peak, K);
}

// Buildings in box units (0..1 across the building's box): the walls, and the roof that carries the faction colour.
// At 8 and 4 pixels a roof takes broad eaves as well, so the faction colour still covers a good part of the cell.
bool InEaves(BuildingStyle style, double u, double v) {
    const double d = std::abs(u - 0.5);
    switch (style) {
    case BuildingStyle::Gable: return v >= 0.40 && v <= 0.58 && d <= 0.48;
    case BuildingStyle::Cloche: return v >= 0.44 && v <= 0.62 && d <= 0.48;
    case BuildingStyle::Pagoda: return v >= 0.42 && v <= 0.60 && d <= 0.50;
    case BuildingStyle::Factory: return v >= 0.30 && v <= 0.56 && d <= 0.48;
    case BuildingStyle::Onion: return v >= 0.48 && v <= 0.64 && d <= 0.42;
    case BuildingStyle::Horned: return v >= 0.40 && v <= 0.62 && d <= 0.48;
    case BuildingStyle::Lighthouse: return v >= 0.28 && v <= 0.50 && d <= 0.36;
    case BuildingStyle::Tower: case BuildingStyle::Tent: return false;
    }
    return false;
}

bool InRoof(BuildingStyle style, double u, double v, bool bold) {
    if (bold && InEaves(style, u, v))
        return true;
    const double d = std::abs(u - 0.5);
    switch (style) {
    case BuildingStyle::Gable: return v >= 0.02 && v <= 0.52 && d <= 0.04 + 0.46 * (v - 0.02) / 0.5;
    case BuildingStyle::Cloche: return (v <= 0.58 && Canvas::Sq(d / 0.46) + Canvas::Sq((v - 0.58) / 0.46) <= 1.0) || Canvas::Sq(d) + Canvas::Sq(v - 0.09) <= 0.07 * 0.07;
    case BuildingStyle::Pagoda:
        return (v >= 0.02 && v <= 0.26 && d <= 0.12 + 0.30 * (v - 0.02) / 0.24) || (v >= 0.30 && v <= 0.56 && d <= 0.24 + 0.26 * (v - 0.30) / 0.26);
    case BuildingStyle::Factory: return u >= 0.02 && u <= 0.98 && v <= 0.52 && v >= 0.50 - 0.34 * (u * 3.0 - std::floor(u * 3.0));
    case BuildingStyle::Onion: return Canvas::Sq(d / 0.40) + Canvas::Sq((v - 0.40) / 0.26) <= 1.0 || (v >= 0.02 && v <= 0.18 && d <= 0.02 + 0.12 * (v - 0.02) / 0.16);
    case BuildingStyle::Horned: {
        const double horn = std::abs(d - 0.30);
        return (v <= 0.58 && Canvas::Sq(d / 0.46) + Canvas::Sq((v - 0.58) / 0.36) <= 1.0) || (v >= 0.02 && v <= 0.34 && horn <= 0.02 + 0.08 * (v - 0.02) / 0.32);
    }
    case BuildingStyle::Lighthouse: return v >= 0.02 && v <= 0.40 && d <= 0.08 + 0.36 * (v - 0.02) / 0.38;
    case BuildingStyle::Tower: return u >= 0.04 && u <= 0.96 && v >= 0.02 && v <= 0.36;
    case BuildingStyle::Tent: return v >= 0.02 && v <= 0.98 && d <= 0.02 + 0.48 * (v - 0.02) / 0.96;
    }
    return false;
}

bool InWalls(BuildingStyle style, double u, double v) {
    const double d = std::abs(u - 0.5);
    switch (style) {
    case BuildingStyle::Gable: return d <= 0.36 && v >= 0.48 && v <= 0.98;
    case BuildingStyle::Cloche: return (v >= 0.56 && v <= 0.68 && d <= 0.50) || (d <= 0.36 && v >= 0.68 && v <= 0.98);
    case BuildingStyle::Pagoda: return (d <= 0.26 && v >= 0.22 && v <= 0.32) || (d <= 0.32 && v >= 0.52 && v <= 0.98);
    case BuildingStyle::Factory: return (d <= 0.48 && v >= 0.48 && v <= 0.98) || (u >= 0.70 && u <= 0.84 && v >= 0.0 && v <= 0.5);
    case BuildingStyle::Onion: return d <= 0.32 && v >= 0.56 && v <= 0.98;
    case BuildingStyle::Horned: return d <= 0.40 && v >= 0.52 && v <= 0.98;
    case BuildingStyle::Lighthouse: return v >= 0.38 && v <= 0.98 && d <= 0.18 + 0.12 * (v - 0.38) / 0.60;
    case BuildingStyle::Tower: return d <= 0.36 && v >= 0.30 && v <= 0.98;
    case BuildingStyle::Tent: return false;
    }
    return false;
}

struct Box {
    double U0, V0, U1, V1;
    double U(double u) const { return (u - U0) / (U1 - U0); }
    double V(double v) const { return (v - V0) / (V1 - V0); }
};

// A house or keep in `box`: walls, door and windows, and a roof in `roof`; a faction roof gets its rim.
void Building(Tile& t, const Box& box, Index roof, bool faction, Index window) {
    const BuildingStyle style = t.Style.Building;
    auto walls = [&](double u, double v) { return InWalls(style, box.U(u), box.V(v)); };
    auto top = [&](double u, double v) { return InRoof(style, box.U(u), box.V(v), faction && !t.Big()); };
    t.Area(walls, S1);
    t.Rim(walls, K);
    auto at = [&](double bu, double bv) { return std::pair{box.U0 + bu * (box.U1 - box.U0), box.V0 + bv * (box.V1 - box.V0)}; };
    if (style == BuildingStyle::Tower) { // lit windows in rows
        for (double bv : {0.46, 0.62, 0.78})
            for (double bu : {0.24, 0.44, 0.64})
                if (t.Big() || bv == 0.62) {
                    const auto [u, v] = at(bu, bv);
                    const auto [u2, v2] = at(bu + 0.10, bv + 0.08);
                    t.Box(u, v, u2, v2, White);
                }
    } else if (style != BuildingStyle::Tent && (t.Big() || window == White)) {
        for (double bu : {0.26, 0.64}) {
            const auto [u, v] = at(bu, 0.64);
            const auto [u2, v2] = at(bu + 0.10, 0.74);
            if (walls(u + 0.01, v + 0.01))
                t.Box(u, v, u2, v2, window);
        }
    }
    if (faction)
        t.Marked(top, roof);
    else {
        t.Area(top, roof);
        t.Rim(top, K);
    }
    const auto [u, v] = at(0.42, style == BuildingStyle::Tent ? 0.70 : 0.80);
    const auto [u2, v2] = at(0.58, 0.98);
    t.Box(u, v, u2, v2, faction ? t.RimOf(roof) : Index{K}); // the door
}

void House(Tile& t, Index roof, bool faction) {
    Ground(t);
    Building(t, {0.04, 0.02, 0.96, 0.96}, roof, faction, W1);
}

// Faction fields: rows of the faction's crop between furrows of the rim colour.
void Field(Tile& t, Index colour) {
    Ground(t);
    const int e = t.E;
    const Index furrow = t.RimOf(colour);
    const int x0 = std::max(0, static_cast<int>(e * 0.06)), x1 = e - x0;
    const int y0 = std::max(0, static_cast<int>(e * 0.10)), y1 = e - y0;
    // crop rows twice as wide as the furrows between them, so the colour carries at small scales
    const int furrowWidth = std::max(1, e / 16), period = 3 * furrowWidth;
    t.C.Rect(x0, y0, x1, y1, furrow);
    for (int y = y0 + 1; y < y1 - 1; ++y)
        if ((y - y0 - 1) % period < 2 * furrowWidth || e < 8)
            t.C.Rect(x0 + 1, y, x1 - 1, y + 1, colour);
}

void Stall(Tile& t) {
    Ground(t);
    t.Box(0.16, 0.30, 0.22, 0.86, Wood);
    t.Box(0.78, 0.30, 0.84, 0.86, Wood);
    t.Box(0.12, 0.56, 0.88, 0.82, Wood);
    if (t.Big())
        for (int i = 0; i < 4; ++i)
            t.C.Disc(t.E * (0.24 + 0.17 * i), t.E * 0.54, t.E * 0.07, i % 2 ? F1 : Sand);
    const BuildingStyle style = t.Style.Building;
    if (style == BuildingStyle::Pagoda) { // paper lanterns under a tiled eave
        auto eave = [](double u, double v) { return v >= 0.10 && v <= 0.26 && std::abs(u - 0.5) <= 0.34 + 0.10 * (v - 0.10) / 0.16; };
        t.Area(eave, S2);
        t.Rim(eave, K);
        for (double cu : {0.30, 0.70}) {
            auto lantern = [cu](double u, double v) { return Canvas::Sq((u - cu) / 0.09) + Canvas::Sq((v - 0.38) / 0.11) <= 1.0; };
            t.Area(lantern, S1);
            t.Rim(lantern, K);
        }
    } else {
        // the awning's stripes: the set's water colour by default, candy pink for the restaurants, neon for the city
        const Index stripe = style == BuildingStyle::Cloche ? Index{P1} : style == BuildingStyle::Tower ? Index{F1}
                           : style == BuildingStyle::Tent ? Index{Wood} : Index{W1};
        const bool scalloped = style == BuildingStyle::Cloche || style == BuildingStyle::Onion;
        auto awning = [scalloped](double u, double v) {
            const double bottom = scalloped ? 0.34 + 0.05 * std::cos((u - 0.08) * 6.0 * 2.0 * 3.14159265) : 0.38;
            return u >= 0.08 && u <= 0.92 && v >= 0.14 && v <= bottom;
        };
        t.Area(awning, White);
        t.Area([&](double u, double v) { return awning(u, v) && static_cast<int>((u - 0.08) * 6.0) % 2 == 0; }, stripe);
        t.Rim(awning, K);
    }
    t.Rim([](double u, double v) { return u >= 0.12 && u <= 0.88 && v >= 0.56 && v <= 0.82; }, K);
}

void Well(Tile& t) {
    Ground(t);
    if (t.Style.Building == BuildingStyle::Onion || t.Style.Building == BuildingStyle::Cloche) { // a fountain
        auto basin = [](double u, double v) { return Canvas::Sq((u - 0.5) / 0.42) + Canvas::Sq((v - 0.74) / 0.20) <= 1.0; };
        t.Area(basin, S1);
        t.Area([](double u, double v) { return Canvas::Sq((u - 0.5) / 0.32) + Canvas::Sq((v - 0.72) / 0.12) <= 1.0; }, W1);
        t.Rim(basin, K);
        t.Box(0.44, 0.30, 0.56, 0.72, S2);
        t.Area([](double u, double v) { return v <= 0.34 && Canvas::Sq(u - 0.5) + Canvas::Sq(v - 0.30) <= 0.22 * 0.22 && Canvas::Sq(u - 0.5) + Canvas::Sq(v - 0.34) >= 0.14 * 0.14; }, W2);
        return;
    }
    if (t.Style.Building == BuildingStyle::Factory || t.Style.Building == BuildingStyle::Tower) { // a pump on a pipe
        t.Box(0.08, 0.70, 0.92, 0.82, S2);
        auto body = [](double u, double v) { return u >= 0.30 && u <= 0.62 && v >= 0.26 && v <= 0.80; };
        t.Area(body, S1);
        t.Rim(body, K);
        t.C.Ring(t.E * 0.76, t.E * 0.40, t.E * 0.13, std::max(1.0, t.E * 0.06), K);
        t.Box(0.38, 0.36, 0.54, 0.46, W1);
        return;
    }
    auto ring = [](double u, double v) { return Canvas::Sq(u - 0.5) + Canvas::Sq((v - 0.6) / 0.8) <= 0.33 * 0.33; };
    t.Area(ring, S1);
    t.Area([](double u, double v) { return Canvas::Sq(u - 0.5) + Canvas::Sq((v - 0.6) / 0.8) <= 0.19 * 0.19; }, W1);
    t.Rim(ring, K);
    t.Box(0.18, 0.10, 0.24, 0.56, Wood);
    t.Box(0.76, 0.10, 0.82, 0.56, Wood);
    if (t.Style.Building == BuildingStyle::Pagoda) { // a little curved roof over the well
        auto roof = [](double u, double v) { return v >= 0.02 && v <= 0.20 && std::abs(u - 0.5) <= 0.30 + 0.16 * (v - 0.02) / 0.18; };
        t.Area(roof, S2);
        t.Rim(roof, K);
    } else
        t.Box(0.12, 0.06, 0.88, 0.16, Wood);
    if (t.Big())
        t.Box(0.48, 0.16, 0.52, 0.42, K); // the rope
}

void Monster(Tile& t) {
    Ground(t);
    auto body = [](double u, double v) { return Canvas::Sq((u - 0.5) / 0.38) + Canvas::Sq((v - 0.58) / 0.34) <= 1.0; };
    auto horns = [](double u, double v) {
        const double d = std::abs(u - 0.5);
        return v >= 0.08 && v <= 0.34 && d >= 0.14 + (v - 0.08) * 0.2 && d <= 0.22 + (v - 0.08) * 0.5 && d <= 0.36;
    };
    t.Area(horns, White);
    t.Rim(horns, K);
    t.Area(body, Wood);
    t.Rim(body, K);
    t.Box(0.30, 0.44, 0.44, 0.58, White);
    t.Box(0.56, 0.44, 0.70, 0.58, White);
    if (t.E >= 8) {
        t.Box(0.36, 0.48, 0.42, 0.58, K);
        t.Box(0.58, 0.48, 0.64, 0.58, K);
    }
    if (t.Big()) {
        t.Box(0.32, 0.70, 0.68, 0.78, K);
        t.Box(0.36, 0.70, 0.42, 0.74, White);
        t.Box(0.58, 0.70, 0.64, 0.74, White);
    }
}

void SeaMonster(Tile& t) {
    Water(t, 48);
    const BuildingStyle style = t.Style.Building;
    if (style == BuildingStyle::Cloche) { // an octopus rising from the soup
        auto head = [](double u, double v) { return Canvas::Sq((u - 0.5) / 0.26) + Canvas::Sq((v - 0.36) / 0.24) <= 1.0; };
        auto arms = [](double u, double v) {
            for (double cu : {0.22, 0.5, 0.78})
                if (Canvas::SegmentDistance(u, v, 0.5 + (cu - 0.5) * 0.4, 0.52, cu, 0.78) <= 0.06)
                    return true;
            return false;
        };
        t.Area(arms, P1);
        t.Rim(arms, K);
        t.Area(head, P1);
        t.Rim(head, K);
        t.Box(0.38, 0.32, 0.46, 0.42, White);
        t.Box(0.54, 0.32, 0.62, 0.42, White);
        if (t.E >= 8) {
            t.Box(0.40, 0.36, 0.44, 0.42, K);
            t.Box(0.56, 0.36, 0.60, 0.42, K);
        }
        t.Box(0.06, 0.80, 0.94, 0.86, W2);
        return;
    }
    auto hump = [](double u, double v, double cu, double r) { return v <= 0.72 && Canvas::Sq(u - cu) + Canvas::Sq(v - 0.72) <= r * r && Canvas::Sq(u - cu) + Canvas::Sq(v - 0.72) >= (r - 0.12) * (r - 0.12); };
    auto body = [&](double u, double v) {
        return hump(u, v, 0.30, 0.20) || hump(u, v, 0.62, 0.16) ||
               (Canvas::Sq((u - 0.80) / 0.13) + Canvas::Sq((v - 0.34) / 0.11) <= 1.0) || (u >= 0.70 && u <= 0.80 && v >= 0.34 && v <= 0.72);
    };
    // machines get an iron serpent; eastern, jewel and creature sets a dragon with a spiny back
    const bool iron = style == BuildingStyle::Factory || style == BuildingStyle::Tower;
    const bool spiny = style == BuildingStyle::Pagoda || style == BuildingStyle::Onion || style == BuildingStyle::Horned;
    if (spiny) {
        auto spikes = [](double u, double v) {
            for (const auto& [cu, top] : {std::pair{0.30, 0.52}, std::pair{0.62, 0.56}})
                if (v >= top - 0.12 && v <= top + 0.02 && std::abs(u - cu) <= 0.06 * (v - top + 0.12) / 0.14)
                    return true;
            return false;
        };
        t.Area(spikes, F1);
        t.Rim(spikes, K);
    }
    t.Area(body, iron ? Index{S2} : Index{F2});
    t.Rim(body, K);
    t.Box(0.80, 0.28, 0.86, 0.34, White);
    t.Box(0.06, 0.74, 0.94, 0.80, W2);
}

void Ship(Tile& t) {
    Water(t, 48);
    const BuildingStyle style = t.Style.Building;
    if (style == BuildingStyle::Factory || style == BuildingStyle::Tower) { // a steamer with a funnel
        auto hull = [](double u, double v) { return v >= 0.56 && v <= 0.80 && std::abs(u - 0.5) <= 0.44 - (v - 0.56) * 0.6; };
        auto cabin = [](double u, double v) { return u >= 0.24 && u <= 0.70 && v >= 0.38 && v <= 0.58; };
        auto funnel = [](double u, double v) { return u >= 0.50 && u <= 0.64 && v >= 0.14 && v <= 0.40; };
        t.Area(funnel, S2);
        t.Area([&](double u, double v) { return funnel(u, v) && v <= 0.22; }, K);
        t.Rim(funnel, K);
        t.Area(cabin, White);
        t.Rim(cabin, K);
        if (t.Big())
            for (double bu : {0.30, 0.42, 0.54})
                t.Box(bu, 0.44, bu + 0.06, 0.50, W1);
        t.Area(hull, S1);
        t.Rim(hull, K);
        t.Box(0.06, 0.80, 0.94, 0.86, W2);
        return;
    }
    if (style == BuildingStyle::Tent) { // a canoe with a paddle
        auto canoe = [](double u, double v) { return Canvas::Sq((u - 0.5) / 0.44) + Canvas::Sq((v - 0.56) / 0.14) <= 1.0 && v >= 0.50; };
        t.C.Line(t.E * 0.70, t.E * 0.22, t.E * 0.40, t.E * 0.76, std::max(1.0, t.E * 0.06), Wood);
        t.Area(canoe, Wood);
        t.Rim(canoe, K);
        t.Area([](double u, double v) { return Canvas::Sq(u - 0.40) + Canvas::Sq(v - 0.44) <= 0.08 * 0.08; }, White);
        t.Box(0.08, 0.72, 0.92, 0.78, W2);
        return;
    }
    auto hull = [](double u, double v) { return v >= 0.60 && v <= 0.80 && std::abs(u - 0.5) <= 0.40 - (v - 0.60) * 0.9; };
    auto sail = [](double u, double v) { return u >= 0.50 && v >= 0.14 && v <= 0.56 && (u - 0.50) <= (v - 0.14) * 0.8; };
    auto jib = [](double u, double v) { return u < 0.46 && v >= 0.24 && v <= 0.56 && (0.46 - u) <= (v - 0.24) * 0.9; };
    t.Box(0.46, 0.08, 0.50, 0.62, K);
    t.Area(sail, White);
    if (style == BuildingStyle::Pagoda && t.E >= 8) // the battens of a junk sail
        for (double bv : {0.26, 0.38, 0.50})
            t.Area([&](double u, double v) { return sail(u, v) && std::abs(v - bv) <= 0.5 / t.E; }, K);
    if (style == BuildingStyle::Lighthouse) // a striped harbour sail
        t.Area([&](double u, double v) { return sail(u, v) && static_cast<int>(v * 10.0) % 2 == 0; }, W1);
    t.Rim(sail, K);
    t.Area(jib, White);
    t.Rim(jib, K);
    t.Area(hull, Wood);
    t.Rim(hull, K);
    t.Box(0.10, 0.80, 0.90, 0.86, W2);
}

void Logs(Tile& t) {
    Ground(t);
    const BuildingStyle style = t.Style.Building;
    if (style == BuildingStyle::Factory || style == BuildingStyle::Lighthouse || style == BuildingStyle::Tower) { // barrels
        for (double cu : {0.28, 0.72}) {
            auto barrel = [cu](double u, double v) { return v >= 0.30 && v <= 0.92 && std::abs(u - cu) <= 0.20 - 0.05 * std::abs(v - 0.61) / 0.31; };
            t.Area(barrel, style == BuildingStyle::Lighthouse ? Index{Wood} : Index{S1});
            for (double bv : {0.42, 0.80})
                t.Area([&](double u, double v) { return barrel(u, v) && std::abs(v - bv) <= 0.03; }, K);
            t.Rim(barrel, K);
        }
        auto lying = [](double u, double v) { return Canvas::Sq((u - 0.5) / 0.16) + Canvas::Sq((v - 0.18) / 0.14) <= 1.0; };
        t.Area(lying, S2);
        t.Rim(lying, K);
        return;
    }
    if (style == BuildingStyle::Horned) { // a heap of bones
        for (const auto& b : {std::array<double, 4>{0.16, 0.30, 0.84, 0.62}, std::array<double, 4>{0.20, 0.78, 0.80, 0.46}}) {
            auto bone = [&](double u, double v) {
                return Canvas::SegmentDistance(u, v, b[0], b[1], b[2], b[3]) <= 0.06 || Canvas::Sq(u - b[0]) + Canvas::Sq(v - b[1]) <= 0.1 * 0.1 ||
                       Canvas::Sq(u - b[2]) + Canvas::Sq(v - b[3]) <= 0.1 * 0.1;
            };
            t.Area(bone, White);
            t.Rim(bone, K);
        }
        return;
    }
    const double ends[][2] = {{0.30, 0.70}, {0.70, 0.70}, {0.50, 0.40}};
    for (const auto& p : ends) {
        auto log = [&](double u, double v) { return Canvas::Sq(u - p[0]) + Canvas::Sq(v - p[1]) <= 0.19 * 0.19; };
        t.Area(log, Wood);
        t.Area([&](double u, double v) { return Canvas::Sq(u - p[0]) + Canvas::Sq(v - p[1]) <= 0.11 * 0.11; }, Sand);
        if (t.Big())
            t.Area([&](double u, double v) { return Canvas::Sq(u - p[0]) + Canvas::Sq(v - p[1]) <= 0.035 * 0.035; }, Wood);
        t.Rim(log, K);
    }
}

void CrossedLogs(Tile& t) {
    Ground(t);
    auto a = [](double u, double v) { return Canvas::SegmentDistance(u, v, 0.16, 0.16, 0.84, 0.84) <= 0.10; };
    auto b = [](double u, double v) { return Canvas::SegmentDistance(u, v, 0.84, 0.16, 0.16, 0.84) <= 0.10; };
    t.Area(a, Wood);
    t.Rim(a, K);
    t.Area(b, Wood);
    t.Rim(b, K);
    if (t.Big())
        t.Area([](double u, double v) { return Canvas::SegmentDistance(u, v, 0.80, 0.20, 0.20, 0.80) <= 0.02; }, Sand);
}

// Castle ring pieces: a wall runs through the middle of every ring cell, so the eight pieces around a
// castle close into a square; inside lies the courtyard.
enum Wall : std::uint8_t { ToW = 1, ToN = 2, ToE = 4, ToS = 8 };

void Courtyard(Tile& t, double u0, double v0, double u1, double v1) {
    t.Area([&](double u, double v) { return u >= u0 && u <= u1 && v >= v0 && v <= v1; }, G3);
}

void WallPiece(Tile& t, int arms, bool tower) {
    const double a = 0.34, b = 0.66;
    auto horizontal = [&](double u, double v) { return v >= a && v <= b && ((arms & ToW && u <= 0.5) || (arms & ToE && u >= 0.5)); };
    auto vertical = [&](double u, double v) { return u >= a && u <= b && ((arms & ToN && v <= 0.5) || (arms & ToS && v >= 0.5)); };
    auto towerShape = [&](double u, double v) { return tower && u >= 0.2 && u <= 0.8 && v >= 0.18 && v <= 0.8; };
    auto wall = [&](double u, double v) { return horizontal(u, v) || vertical(u, v) || towerShape(u, v); };
    t.Area(wall, S1);
    // the front face of horizontal walls and towers, seen from the south
    t.Area([&](double u, double v) { return (horizontal(u, v) && v >= 0.52) || (towerShape(u, v) && v >= 0.6); }, S2);
    if (t.Big()) {
        // the wall's make follows the set: stone with crenels, log palisades, iced gingerbread, riveted
        // plates, or a dark tiled coping; every pattern repeats within the cell, so ring pieces meet
        const BuildingStyle style = t.Style.Building;
        const int e = t.E, q = std::max(2, e / 8);
        for (int y = 0; y < e; ++y)
            for (int x = 0; x < e; ++x) {
                const double u = (x + 0.5) / e, v = (y + 0.5) / e;
                const bool run = (vertical(u, v) || horizontal(u, v)) && !towerShape(u, v);
                const bool top = (horizontal(u, v) && !towerShape(u, v) && v < 0.40) || (towerShape(u, v) && v < 0.26);
                if (!run && !towerShape(u, v))
                    continue;
                switch (style) {
                case BuildingStyle::Tent: // upright logs with sharpened tops
                    if ((horizontal(u, v) || towerShape(u, v)) && x % q == 0)
                        t.C.Put(x, y, S2);
                    if (vertical(u, v) && !towerShape(u, v) && y % q == 0)
                        t.C.Put(x, y, S2);
                    if (top && x % q != q / 2)
                        t.C.Put(x, y, K);
                    break;
                case BuildingStyle::Cloche: // icing along the top, dripping now and then
                    if (top || (run && horizontal(u, v) && v < 0.46 && (x / q) % 3 == 0))
                        t.C.Put(x, y, White);
                    if (vertical(u, v) && !towerShape(u, v) && (x == e / 2 - 1 || x == e / 2))
                        t.C.Put(x, y, White);
                    break;
                case BuildingStyle::Factory:
                case BuildingStyle::Tower: // plates with rivets; the city's walls have lit windows
                    if (x % q == q / 2 && y % q == q / 2)
                        t.C.Put(x, y, style == BuildingStyle::Tower && horizontal(u, v) && v >= 0.52 ? Index{White} : Index{K});
                    break;
                case BuildingStyle::Pagoda: // a dark tiled coping
                    if (top || (vertical(u, v) && !towerShape(u, v) && (x <= e * 0.38 || x >= e * 0.62)))
                        t.C.Put(x, y, S2);
                    break;
                default:
                    if (vertical(u, v) && !towerShape(u, v) && y % q == 0 && x != e / 2)
                        t.C.Put(x, y, S2); // mortar courses
                    if (top && (x / q) % 2 == 0)
                        t.C.Put(x, y, S2); // crenels
                    break;
                }
            }
    }
    t.Rim(wall, K);
    if (tower)
        t.Box(0.44, 0.62, 0.56, 0.74, K); // arrow slit
}

// The faction banner that hangs over the upper wall of a castle: a swallow-tailed cloth on a crossbar.
void Banner(Tile& t, Index colour) {
    t.Box(0.14, 0.04, 0.86, 0.10, K);
    t.Marked([](double u, double v) {
        const double d = std::abs(u - 0.5);
        return d <= 0.32 && v >= 0.10 && v <= 0.80 - 0.16 * (1.0 - d / 0.32);
    }, colour);
}

void CastleRing(Tile& t, int code) {
    Ground(t);
    switch (code) {
    case 112: Courtyard(t, 0.5, 0.5, 1, 1); WallPiece(t, ToE | ToS, true); break;
    case 113: Courtyard(t, 0, 0.5, 0.5, 1); WallPiece(t, ToW | ToS, true); break;
    case 114: Courtyard(t, 0.5, 0, 1, 1); WallPiece(t, ToN | ToS, false); break;
    case 115: Courtyard(t, 0, 0, 0.5, 1); WallPiece(t, ToN | ToS, false); break;
    case 120: Courtyard(t, 0.5, 0, 1, 0.5); WallPiece(t, ToE | ToN, true); break;
    case 121: Courtyard(t, 0, 0, 0.5, 0.5); WallPiece(t, ToW | ToN, true); break;
    default: // 116..119: the upper wall with the faction's flag
        Courtyard(t, 0, 0.5, 1, 1);
        WallPiece(t, ToW | ToE, false);
        Banner(t, static_cast<Index>(Fa0 + (code - 116)));
        break;
    }
}

void Gate(Tile& t) {
    Ground(t);
    Courtyard(t, 0, 0, 1, 0.5);
    WallPiece(t, ToW | ToE, false);
    const BuildingStyle style = t.Style.Building;
    if (style == BuildingStyle::Factory || style == BuildingStyle::Tower) { // a roller shutter
        t.Box(0.30, 0.36, 0.70, 0.72, K);
        t.Box(0.33, 0.40, 0.67, 0.72, S1);
        if (t.Big())
            for (double bv = 0.44; bv < 0.70; bv += 0.08)
                t.Box(0.33, bv, 0.67, bv + 0.02, S2);
        return;
    }
    if (style == BuildingStyle::Pagoda) { // a gate of two posts under a double lintel
        t.Box(0.26, 0.30, 0.74, 0.72, K);
        t.Box(0.34, 0.42, 0.66, 0.72, G3);
        t.Box(0.14, 0.22, 0.86, 0.30, S1);
        t.Box(0.22, 0.34, 0.78, 0.40, S1);
        t.Box(0.28, 0.30, 0.34, 0.72, S1);
        t.Box(0.66, 0.30, 0.72, 0.72, S1);
        return;
    }
    auto arch = [](double u, double v) { return std::abs(u - 0.5) <= 0.16 && v <= 0.70 && (v >= 0.44 || Canvas::Sq(u - 0.5) + Canvas::Sq(v - 0.44) <= 0.16 * 0.16); };
    t.Area(arch, K);
    // a portcullis for stone walls, planks for the others
    t.Area([](double u, double v) { return std::abs(u - 0.5) <= 0.11 && v >= 0.42 && v <= 0.70; }, Wood);
    if (t.Big()) {
        t.Box(0.49, 0.42, 0.51, 0.70, K);
        if (style == BuildingStyle::Gable || style == BuildingStyle::Onion || style == BuildingStyle::Horned || style == BuildingStyle::Lighthouse)
            for (double bv : {0.50, 0.60})
                t.Box(0.39, bv, 0.61, bv + 0.02, K);
    }
}

// The keep of a faction: the set's building at its largest with a faction roof, between two turrets with
// faction caps, in a courtyard.
void Castle(Tile& t, int faction) {
    t.C.Fill(G3);
    const Index colour = static_cast<Index>(Fa0 + faction);
    if (!t.Big()) { // at 8 and 4 pixels the keep fills the courtyard between two capped towers
        for (double cu : {0.09, 0.91})
            t.Area([cu](double u, double v) { return std::abs(u - cu) <= 0.09 && v >= 0.40; }, S2);
        Building(t, {0.14, 0.0, 0.86, 0.94}, colour, true, White);
        for (double cu : {0.09, 0.91}) // the caps last, so their rim stays whole
            t.Marked([cu](double u, double v) { return std::abs(u - cu) <= 0.10 && v <= 0.40; }, colour);
        t.Box(0.0, 0.94, 0.10, 1.0, K);
        t.Box(0.90, 0.94, 1.0, 1.0, White);
        return;
    }
    for (double cu : {0.11, 0.89}) {
        auto turret = [cu](double u, double v) { return std::abs(u - cu) <= 0.08 && v >= 0.44 && v <= 0.94; };
        t.Area(turret, S2);
        t.Rim(turret, K);
        t.Marked([cu](double u, double v) { return v >= 0.24 && v <= 0.44 && std::abs(u - cu) <= 0.01 + 0.09 * (v - 0.24) / 0.20; }, colour);
        // arrow slits, one dark and one light, so every keep carries both rim colours besides its own
        t.Box(cu - 0.02, 0.66, cu + 0.02, 0.80, cu < 0.5 ? K : White);
    }
    Building(t, {0.18, 0.04, 0.82, 0.94}, colour, true, White);
}

void DrawRole(Tile& t, int code) {
    Canvas& c = t.C;
    if (code == 0) return Ground(t);
    if (code >= 1 && code <= 4) return Trees(t, code);
    if (code == 5) {
        Mountain(t, true, true, true, true);
        auto mouth = [](double u, double v) { return std::abs(u - 0.5) <= 0.16 && v <= 0.80 && (v >= 0.62 || Canvas::Sq(u - 0.5) + Canvas::Sq(v - 0.62) <= 0.16 * 0.16); };
        t.Area(mouth, K);
        return;
    }
    if (code == 6) return Monster(t);
    if (code == 7) return House(t, Wood, false);
    if (code >= 8 && code <= 11) return House(t, static_cast<Index>(Fa0 + code - 8), true);
    if (code >= 12 && code <= 15) return Field(t, static_cast<Index>(Fa0 + code - 12));
    if (code == 16) return Stall(t);
    if (code == 17) return Well(t);
    if (code >= 20 && code <= 23) return Castle(t, code - 20);
    if (code == 29) return Gate(t);
    if (code >= 32 && code <= 47) return Plateau(t, code);
    if (code >= 48 && code <= 95) return Water(t, code);
    if (code >= 96 && code <= 111) {
        const int j = 111 - code;
        return Mountain(t, (j & 1) != 0, (j & 2) != 0, (j & 4) != 0, (j & 8) != 0);
    }
    if (code >= 112 && code <= 121) return CastleRing(t, code);
    if (code == 122) return Logs(t);
    if (code == 123) return CrossedLogs(t);
    if (code == 124) return Ship(t);
    if (code == 125) return SeaMonster(t);
    if (code == 126) return SnowyPeak(t);
    if (code == 127) return c.Fill(Deep);
    c.Fill(K); // 18, 19, 24..28, 30, 31: plain black
}

QList<QRgb> SetColours(int tileSet, int edge) {
    const SetStyle& style = Sets[static_cast<std::size_t>(tileSet - 1)];
    QList<QRgb> colours;
    for (std::uint32_t rgb : style.Colours)
        colours.append(0xFF000000u | rgb);
    for (std::uint32_t rgb : style.Factions)
        colours.append(0xFF000000u | rgb);
    // The smallest scale carries a full 256-entry table; the entries past the set's own colours are unused.
    if (edge == 4)
        while (colours.size() < 256)
            colours.append(0xFF000000u);
    return colours;
}

} // namespace

QImage TileSetPicture(int tileSet, int edge) {
    const int e = edge;
    const SetStyle& style = Sets[static_cast<std::size_t>(tileSet - 1)];
    Canvas picture(8 * e, 16 * e);
    for (int code = 0; code < 128; ++code) {
        Canvas tile(e, e);
        Tile t{tile, e, style};
        DrawRole(t, code);
        picture.Blit(tile, (code % 8) * e, (code / 8) * e);
    }
    return picture.ToImage(SetColours(tileSet, edge));
}

} // namespace tav::artgen
