// The terrain tiles: ground, trees, water with its shores, plateaus and mountains.

#include "TerrainArt.h"

#include <cmath>
#include <utility>
#include <vector>

namespace tav::artgen {

namespace {

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

} // namespace

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

namespace {

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

} // namespace

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

namespace {

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

} // namespace

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

namespace {

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

} // namespace

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

} // namespace tav::artgen
