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

enum class TreeStyle { Round, Conifer, Crystal };
enum class GroundStyle { Grass, Cloth, Plates, Sparkle, Dunes, Flowers };

struct SetStyle {
    std::array<std::uint32_t, Fa0> Colours; // slots K .. S2
    std::array<std::uint32_t, 4> Factions;
    TreeStyle Tree;
    GroundStyle Ground;
};

// The colours named in the faction names.
constexpr std::uint32_t Green = 0x24B44A, Red = 0xDC2C2C, WhiteFaction = 0xF4F4F0, Black = 0x34343C,
                        Blue = 0x2C5AE6, Yellow = 0xF8D020;

//                      K         Deep      G1        G2        G3        F1        F2        Wood      W1        W2        Sand      P1        P2        M1        M2        White     S1        S2
constexpr std::array<SetStyle, 9> Sets = {{
    // 1: green lands
    {{0x000000, 0x00005E, 0x86CC58, 0x5EAA3E, 0x3E822E, 0x4CA040, 0x1E6228, 0x7A4E28, 0x2C68C8, 0x82BCF0, 0xE6D28E, 0xB48C5A, 0x6E5032, 0xAAAAB2, 0x66646E, 0xF8F8F0, 0xCAC4B8, 0x827E78},
     {Green, Red, WhiteFaction, Black}, TreeStyle::Round, GroundStyle::Grass},
    // 2: cuisine
    {{0x1E120A, 0x00005E, 0xFAEEDA, 0xEED8B8, 0xC8A27A, 0x86C448, 0x3A7A28, 0xAA6E3C, 0xD8743A, 0xF8BE78, 0xD8A456, 0xF8C8DA, 0x784628, 0xF8DC5A, 0xD0A028, 0xFFFFFA, 0xE6E6EE, 0xA0A0B0},
     {Red, Blue, Yellow, WhiteFaction}, TreeStyle::Round, GroundStyle::Cloth},
    // 3: eastern realm
    {{0x1A1414, 0x00005E, 0xC6D296, 0xA6BC78, 0x80965A, 0x4A8A5C, 0x1E503C, 0x963228, 0x3C8C96, 0x98D2C8, 0xE2CEA0, 0xC8AA78, 0x785A46, 0xA0AAB4, 0x5A6478, 0xFAF5EB, 0xDCD2BE, 0x8C7864},
     {Green, Red, WhiteFaction, Blue}, TreeStyle::Conifer, GroundStyle::Grass},
    // 4: machines
    {{0x101216, 0x00005E, 0x9AA0A8, 0x7A808A, 0x545A64, 0x64C8D2, 0x286E82, 0x5A4632, 0x283246, 0x5A6E96, 0xDCBE28, 0xAA7850, 0x643C28, 0xBEBEC8, 0x6E6E7E, 0xF0F4FA, 0xB4BAC4, 0x646A74},
     {Blue, Red, WhiteFaction, Black}, TreeStyle::Crystal, GroundStyle::Plates},
    // 5: jewels
    {{0x100A18, 0x00005E, 0x7A5AA0, 0x583A80, 0x3C2658, 0x78E6B4, 0x1E9664, 0xB4963C, 0x1E3CAA, 0x6E96F0, 0xE6C86E, 0xC878C8, 0x783C82, 0xC8DCF0, 0x6E82AA, 0xFAFAFF, 0xD2C8DC, 0x827896},
     {Black, Yellow, Red, Green}, TreeStyle::Crystal, GroundStyle::Sparkle},
    // 6: fantasy creatures
    {{0x181424, 0x00005E, 0xC4BEE6, 0xA49AD2, 0x8072B0, 0x6EC8A8, 0x2E7A6E, 0x6E505A, 0x3C5AC8, 0xA0B4FA, 0xE6DCB4, 0xD2A0BE, 0x7A5068, 0xE0E0F0, 0x8A88AE, 0xFAFAFA, 0xD2CEDC, 0x8A84A0},
     {Red, Green, WhiteFaction, Black}, TreeStyle::Round, GroundStyle::Sparkle},
    // 7: sea coast
    {{0x141E28, 0x00005E, 0xD8E0A0, 0xB8CC82, 0x8CA462, 0x5AAA50, 0x286E32, 0x8C643C, 0x1496BE, 0xAAE6F0, 0xF5E6B4, 0xC8B48C, 0x8C6E50, 0xAAA096, 0x645F5A, 0xFFFFFF, 0xE6E1D2, 0x968C82},
     {Yellow, Red, WhiteFaction, Black}, TreeStyle::Round, GroundStyle::Dunes},
    // 8: night city
    {{0x08080C, 0x00005E, 0x50506A, 0x363648, 0x242432, 0x3CA08C, 0x1A5A50, 0x5A4032, 0x141E46, 0xC850C8, 0x8C8C96, 0x6A5A82, 0x3A3048, 0x7C7C9A, 0x484866, 0xFFF096, 0x9A9AAE, 0x5A5A6E},
     {WhiteFaction, Black, Green, Red}, TreeStyle::Round, GroundStyle::Sparkle},
    // 9: animal squads
    {{0x281E1E, 0x00005E, 0xBEE678, 0x9CD064, 0x74A446, 0x78C85A, 0x3C8C3C, 0xA06E3C, 0x50A0E6, 0xBEE6FF, 0xFAE6AA, 0xDCB478, 0xA06E46, 0xBEB4AA, 0x82786E, 0xFFFFFA, 0xDCD7CD, 0xA09688},
     {Green, Red, WhiteFaction, Yellow}, TreeStyle::Round, GroundStyle::Flowers},
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
};

void Ground(Tile& t) {
    Canvas& c = t.C;
    const int e = t.E;
    c.Fill(G2);
    switch (t.Style.Ground) {
    case GroundStyle::Grass:
    case GroundStyle::Flowers:
    case GroundStyle::Dunes: {
        if (e < 8)
            break;
        // Tufts at fixed places, so neighbouring ground tiles read as one meadow.
        static constexpr double spots[][2] = {{0.20, 0.24}, {0.66, 0.16}, {0.42, 0.58}, {0.84, 0.64}, {0.14, 0.84}, {0.62, 0.90}};
        const int count = e >= 32 ? 6 : e >= 16 ? 3 : 1;
        for (int i = 0; i < count; ++i) {
            const int x = static_cast<int>(spots[i][0] * e), y = static_cast<int>(spots[i][1] * e);
            if (t.Style.Ground == GroundStyle::Dunes && e >= 16) {
                for (int d = -2; d <= 2; ++d)
                    c.Put(x + d, y + (d == 0 ? -1 : 0), G1);
                continue;
            }
            if (t.Style.Ground == GroundStyle::Flowers && i % 2 == 1) {
                c.Put(x, y, White);
                if (e >= 16) {
                    c.Put(x - 1, y, Sand);
                    c.Put(x + 1, y, Sand);
                    c.Put(x, y - 1, Sand);
                    c.Put(x, y + 1, Sand);
                }
                continue;
            }
            c.Put(x, y, G3);
            if (e >= 16) {
                c.Put(x - 1, y - 1, G3);
                c.Put(x + 1, y - 1, G3);
                c.Put(x + 1, y + 1, G1);
            }
        }
        break;
    }
    case GroundStyle::Cloth: {
        if (e < 8)
            break;
        const int q = e / 4;
        for (int y = 0; y < e; ++y)
            for (int x = 0; x < e; ++x) {
                const bool a = (x / q) % 2 == 0, b = (y / q) % 2 == 0;
                c.Put(x, y, a && b ? G3 : (a || b) ? G2 : G1);
            }
        break;
    }
    case GroundStyle::Plates: {
        if (e < 8)
            break;
        const int q = e / 2;
        for (int y = 0; y < e; ++y)
            for (int x = 0; x < e; ++x) {
                if (x % q == q - 1 || y % q == q - 1)
                    c.Put(x, y, G3);
                else if (e >= 16 && x % q == 1 && y % q == 1)
                    c.Put(x, y, G1);
            }
        break;
    }
    case GroundStyle::Sparkle: {
        if (e < 8)
            break;
        for (int y = 0; y < e; ++y)
            for (int x = 0; x < e; ++x) {
                const std::uint32_t h = Hash(x, y, e) % 97;
                if (h < 5)
                    c.Put(x, y, G1);
                else if (h < 8)
                    c.Put(x, y, G3);
                else if (h == 8 && e >= 16)
                    c.Put(x, y, White);
            }
        break;
    }
    }
}

// Trees 1..4: a run of crowns down a column. Toward a joined side the crown becomes a band of fixed
// width, so the rows on both sides of the cell border are identical.
void Trees(Tile& t, int code) {
    Ground(t);
    const bool above = code == 1 || code == 3, below = code == 1 || code == 2;
    std::vector<double> crowns;
    switch (code) {
    case 1: crowns = {0.25, 0.75}; break;
    case 2: crowns = {0.42, 0.80}; break;
    case 3: crowns = {0.22, 0.50}; break;
    default: crowns = {0.42}; break;
    }
    const TreeStyle style = t.Style.Tree;
    const double band = 0.36;
    auto inCrown = [&](double u, double v, double cv) {
        switch (style) {
        case TreeStyle::Round: return Canvas::Sq(u - 0.5) + Canvas::Sq(v - cv) <= 0.40 * 0.40;
        case TreeStyle::Conifer: return v >= cv - 0.36 && v <= cv + 0.24 && std::abs(u - 0.5) <= 0.38 * (v - (cv - 0.36)) / 0.60;
        case TreeStyle::Crystal: return std::abs(u - 0.5) / 0.32 + std::abs(v - cv) / 0.38 <= 1.0;
        }
        return false;
    };
    auto shape = [&](double u, double v) {
        if (std::abs(u - 0.5) <= band && ((above && v < 0.5) || (below && v >= 0.5)))
            return true;
        if ((above && v < 0.1) || (below && v > 0.9))
            return false; // only the band crosses a joined border
        for (double cv : crowns)
            if (inCrown(u, v, cv))
                return true;
        return false;
    };
    if (!below) { // shadow and trunk under the lowest crown
        t.Area([&](double u, double v) { return Canvas::Sq((u - 0.5) / 0.3) + Canvas::Sq((v - 0.9) / 0.07) <= 1.0; }, G3);
        t.Box(0.44, crowns.back() + 0.3, 0.56, 0.94, Wood);
    }
    t.Area(shape, F2);
    auto lit = [&](double u, double v) {
        if (!shape(u, v))
            return false;
        const bool bandOnly = (above && v < 0.1) || (below && v > 0.9);
        for (double cv : crowns) {
            if (bandOnly)
                break;
            switch (style) {
            case TreeStyle::Round:
                if (Canvas::Sq(u - 0.38) + Canvas::Sq(v - cv + 0.10) <= 0.20 * 0.20)
                    return true;
                break;
            case TreeStyle::Conifer:
                if (inCrown(u + 0.06, v, cv) && u < 0.46)
                    return true;
                break;
            case TreeStyle::Crystal:
                if (inCrown(u, v, cv) && u < 0.5 && v < cv + 0.1)
                    return true;
                break;
            }
        }
        return std::abs(u - 0.36) < 0.05 && ((above && v < 0.5) || (below && v >= 0.5));
    };
    if (t.E >= 8)
        t.Area(lit, F1);
    if (t.E >= 32) // leaf clusters: darker flecks scattered over the lit side, lighter over the shade
        for (int y = 0; y < t.E; ++y)
            for (int x = 0; x < t.E; ++x) {
                const double u = (x + 0.5) / t.E, v = (y + 0.5) / t.E;
                if (Inner(x, y, t.E) && shape(u, v) && Hash(x, y, 5) % 9 == 0)
                    t.C.Put(x, y, lit(u, v) ? Index{F2} : Index{F1});
            }
    t.Rim(shape, K);
    if (style == TreeStyle::Crystal && t.Big())
        for (double cv : crowns)
            t.C.Put(t.Px(0.40), t.Px(cv - 0.12), White);
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
    if (e >= 8) { // wave crests at fixed places
        static constexpr double waves[][2] = {{0.16, 0.28}, {0.58, 0.18}, {0.38, 0.62}, {0.72, 0.80}};
        const int count = e >= 16 ? 4 : 2;
        const int len = std::max(1, e / 8);
        for (int i = 0; i < count; ++i) {
            const int x = static_cast<int>(waves[i][0] * e), y = static_cast<int>(waves[i][1] * e);
            for (int d = 0; d < len; ++d)
                t.C.Put(x + d, y, W2);
            if (e >= 32) {
                t.C.Put(x - 1, y + 1, W2);
                t.C.Put(x + len, y + 1, W2);
            }
        }
    }
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

// Plateau 32..47: joined sides run on flat; an unjoined side shows a rim, the lower one the cliff face.
void Plateau(Tile& t, int code) {
    const int e = t.E, j = 47 - code;
    const bool w = j & 1, n = j & 2, east = j & 4, s = j & 8;
    Canvas& c = t.C;
    c.Fill(P1);
    if (e >= 16)
        for (int y = 0; y < e; ++y)
            for (int x = 0; x < e; ++x)
                if (Inner(x, y, e) && Hash(x, y, 3) % 23 == 0)
                    c.Put(x, y, P2);
    const int rim = std::max(1, e / 10);
    const int face = s ? 0 : std::max(1, static_cast<int>(std::lround(e * 0.34)));
    const int top = e - face;
    if (!n) c.Rect(0, 0, e, rim, P2);
    if (!w) c.Rect(0, 0, rim, top, P2);
    if (!east) c.Rect(e - rim, 0, e, top, P2);
    if (t.Big()) {
        if (!n) c.Rect(0, 0, e, 1, K);
        if (!w) c.Rect(0, 0, 1, top, K);
        if (!east) c.Rect(e - 1, 0, e, top, K);
    }
    if (face) {
        c.Rect(0, top, e, e, P2);
        if (e >= 8) {
            c.Rect(0, top, e, 1 + top, t.Big() ? K : P2);
            const int step = std::max(2, e / 6);
            for (int x = step / 2; x < e - 1; x += step)
                for (int y = top + 2; y < e - 1; ++y)
                    if ((y + x) % 5 != 0)
                        c.Put(x, y, t.Big() ? K : G3);
            if (!w) c.Rect(0, top, 1, e, K);
            if (!east) c.Rect(e - 1, top, e, e, K);
        }
    }
}

// Mountains 96..111 and the cave: a peak in the middle with a ridge arm toward every joined side. An arm
// meets the cell border with a fixed profile, so ranges continue across cells.
struct MountainShape {
    bool W, N, E, S;
    // Nothing but the arms reaches the outer pixel rows and columns, even at 4 pixels a tile.
    bool Peak(double u, double v) const { return v >= 0.03 && v <= 0.84 && std::abs(u - 0.5) <= std::min(0.36, 0.46 * (v - 0.03) / 0.62); }
    // The arm across the cell (toward W or E) is a low saddle between the peaks; its outline is the
    // same at u = 0 and u = 1, so it meets the next cell's arm exactly.
    static double ArmTop(double u) { return 0.30 + 0.14 * (0.5 + 0.5 * std::cos(2.0 * 3.14159265358979 * u)); }
    bool Across(double u, double v) const { return v >= ArmTop(u) && v <= 0.86 && ((W && u <= 0.5) || (E && u >= 0.5)); }
    // The arm along the cell (toward N or S) narrows between the cells and widens at the border.
    static double AlongHalf(double v) { return 0.36 - 0.10 * (0.5 - 0.5 * std::cos(2.0 * 3.14159265358979 * v)); }
    bool Along(double u, double v) const { return std::abs(u - 0.5) <= AlongHalf(v) && ((N && v <= 0.5) || (S && v >= 0.5)); }
    bool operator()(double u, double v) const { return Peak(u, v) || Across(u, v) || Along(u, v); }
    bool Lit(double u, double v) const {
        if (Peak(u, v) || Along(u, v))
            return u < 0.5;
        return v < 0.5;
    }
};

void Mountain(Tile& t, const MountainShape& shape) {
    Ground(t);
    t.Area(shape, M2);
    t.Area([&](double u, double v) { return shape(u, v) && shape.Lit(u, v); }, M1);
    if (t.E >= 32) // rock grain
        for (int y = 0; y < t.E; ++y)
            for (int x = 0; x < t.E; ++x)
                if (Inner(x, y, t.E) && shape((x + 0.5) / t.E, (y + 0.5) / t.E) && Hash(x, y, 11) % 17 == 0)
                    t.C.Put(x, y, shape.Lit((x + 0.5) / t.E, (y + 0.5) / t.E) ? White : K);
    if (t.Big()) // light crest on the peak
        t.Area([&](double u, double v) { return shape.Peak(u, v) && std::abs(u - 0.5) < 0.04 && v < 0.5; }, White);
    t.Rim(shape, K);
}

void SnowyPeak(Tile& t) {
    Ground(t);
    auto peak = [](double u, double v) { return v >= 0.06 && v <= 0.92 && std::abs(u - 0.5) <= 0.46 * (v - 0.06) / 0.86; };
    t.Area(peak, M2);
    t.Area([&](double u, double v) { return peak(u, v) && u < 0.5; }, M1);
    t.Area([&](double u, double v) { return peak(u, v) && v < 0.40 + 0.06 * std::sin(u * 40.0); }, White);
    t.Rim(peak, K);
}

void House(Tile& t, Index roof, int flagColour) {
    Ground(t);
    auto walls = [](double u, double v) { return u >= 0.2 && u <= 0.8 && v >= 0.46 && v <= 0.88; };
    auto roofShape = [](double u, double v) { return v >= 0.16 && v <= 0.50 && std::abs(u - 0.5) <= 0.40 * (v - 0.16) / 0.34 + 0.02; };
    t.Area(walls, White);
    t.Rim(walls, K);
    t.Box(0.44, 0.66, 0.56, 0.88, K); // door
    if (t.Big()) {
        t.Box(0.26, 0.58, 0.36, 0.68, W1);
        t.Box(0.64, 0.58, 0.74, 0.68, W1);
    }
    t.Area(roofShape, roof);
    t.Rim(roofShape, K);
    if (flagColour >= 0) {
        t.Box(0.80, 0.04, 0.84, 0.48, K); // pole
        t.Area([](double u, double v) { return u >= 0.84 && u <= 0.99 && v >= 0.04 && v <= 0.22; }, static_cast<Index>(flagColour));
        t.Rim([](double u, double v) { return u >= 0.84 && u <= 0.99 && v >= 0.04 && v <= 0.22; }, K);
    }
}

void Field(Tile& t, Index colour) {
    Ground(t);
    const int e = t.E;
    const int x0 = std::max(0, static_cast<int>(e * 0.08)), x1 = e - x0;
    const int y0 = std::max(0, static_cast<int>(e * 0.12)), y1 = e - y0;
    const int stripe = std::max(1, e / 8);
    for (int y = y0; y < y1; ++y)
        t.C.Rect(x0, y, x1, y + 1, ((y - y0) / stripe) % 2 == 0 ? colour : Index{G3});
    if (t.Big())
        t.C.Frame(x0, y0, x1, y1, Wood);
}

void Stall(Tile& t) {
    Ground(t);
    t.Box(0.16, 0.30, 0.22, 0.86, Wood);
    t.Box(0.78, 0.30, 0.84, 0.86, Wood);
    t.Box(0.12, 0.56, 0.88, 0.82, Wood);
    if (t.Big())
        for (int i = 0; i < 4; ++i)
            t.C.Disc(t.E * (0.24 + 0.17 * i), t.E * 0.54, t.E * 0.07, i % 2 ? F1 : Sand);
    auto awning = [](double u, double v) { return u >= 0.08 && u <= 0.92 && v >= 0.14 && v <= 0.38; };
    t.Area(awning, White);
    t.Area([&](double u, double v) { return awning(u, v) && static_cast<int>((u - 0.08) * 6.0) % 2 == 0; }, W1);
    t.Rim(awning, K);
    t.Rim([](double u, double v) { return u >= 0.12 && u <= 0.88 && v >= 0.56 && v <= 0.82; }, K);
}

void Well(Tile& t) {
    Ground(t);
    auto ring = [](double u, double v) { return Canvas::Sq(u - 0.5) + Canvas::Sq((v - 0.6) / 0.8) <= 0.33 * 0.33; };
    t.Area(ring, S1);
    t.Area([](double u, double v) { return Canvas::Sq(u - 0.5) + Canvas::Sq((v - 0.6) / 0.8) <= 0.19 * 0.19; }, W1);
    t.Rim(ring, K);
    t.Box(0.18, 0.10, 0.24, 0.56, Wood);
    t.Box(0.76, 0.10, 0.82, 0.56, Wood);
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
    t.Area(body, P2);
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
    auto hump = [](double u, double v, double cu, double r) { return v <= 0.72 && Canvas::Sq(u - cu) + Canvas::Sq(v - 0.72) <= r * r && Canvas::Sq(u - cu) + Canvas::Sq(v - 0.72) >= (r - 0.12) * (r - 0.12); };
    auto body = [&](double u, double v) {
        return hump(u, v, 0.30, 0.20) || hump(u, v, 0.62, 0.16) ||
               (Canvas::Sq((u - 0.80) / 0.13) + Canvas::Sq((v - 0.34) / 0.11) <= 1.0) || (u >= 0.70 && u <= 0.80 && v >= 0.34 && v <= 0.72);
    };
    t.Area(body, F2);
    t.Rim(body, K);
    t.Box(0.80, 0.28, 0.86, 0.34, White);
    t.Box(0.06, 0.74, 0.94, 0.80, W2);
}

void Ship(Tile& t) {
    Water(t, 48);
    auto hull = [](double u, double v) { return v >= 0.60 && v <= 0.80 && std::abs(u - 0.5) <= 0.40 - (v - 0.60) * 0.9; };
    auto sail = [](double u, double v) { return u >= 0.50 && v >= 0.14 && v <= 0.56 && (u - 0.50) <= (v - 0.14) * 0.8; };
    auto jib = [](double u, double v) { return u < 0.46 && v >= 0.24 && v <= 0.56 && (0.46 - u) <= (v - 0.24) * 0.9; };
    t.Box(0.46, 0.08, 0.50, 0.62, K);
    t.Area(sail, White);
    t.Rim(sail, K);
    t.Area(jib, White);
    t.Rim(jib, K);
    t.Area(hull, Wood);
    t.Rim(hull, K);
    t.Box(0.10, 0.80, 0.90, 0.86, W2);
}

void Logs(Tile& t) {
    Ground(t);
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
        const int e = t.E, q = std::max(2, e / 8);
        for (int y = 0; y < e; ++y)
            for (int x = 0; x < e; ++x) {
                const double u = (x + 0.5) / e, v = (y + 0.5) / e;
                if (vertical(u, v) && !towerShape(u, v) && y % q == 0 && x != e / 2)
                    t.C.Put(x, y, S2); // mortar courses
                if (horizontal(u, v) && !towerShape(u, v) && v < 0.40 && (x / q) % 2 == 0)
                    t.C.Put(x, y, S2); // crenels
                if (towerShape(u, v) && v < 0.26 && (x / q) % 2 == 0)
                    t.C.Put(x, y, S2);
            }
    }
    t.Rim(wall, K);
    if (tower)
        t.Box(0.44, 0.62, 0.56, 0.74, K); // arrow slit
}

void Flag(Tile& t, double poleU, double topV, double bottomV, Index colour) {
    t.Box(poleU - 0.02, topV, poleU + 0.03, bottomV, K);
    auto cloth = [&](double u, double v) { return u >= poleU + 0.03 && u <= poleU + 0.38 && v >= topV && v <= topV + 0.22 - (u - poleU) * 0.1; };
    t.Area(cloth, colour);
    t.Rim(cloth, K);
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
        Flag(t, 0.48, 0.04, 0.40, static_cast<Index>(Fa0 + (code - 116)));
        break;
    }
}

void Gate(Tile& t) {
    Ground(t);
    Courtyard(t, 0, 0, 1, 0.5);
    WallPiece(t, ToW | ToE, false);
    auto arch = [](double u, double v) { return std::abs(u - 0.5) <= 0.16 && v <= 0.70 && (v >= 0.44 || Canvas::Sq(u - 0.5) + Canvas::Sq(v - 0.44) <= 0.16 * 0.16); };
    t.Area(arch, K);
    t.Area([](double u, double v) { return std::abs(u - 0.5) <= 0.11 && v >= 0.42 && v <= 0.70; }, Wood);
    if (t.Big())
        t.Box(0.49, 0.42, 0.51, 0.70, K);
}

void Castle(Tile& t, int faction) {
    Ground(t);
    t.C.Fill(G3);
    const Index colour = static_cast<Index>(Fa0 + faction);
    auto keep = [](double u, double v) { return u >= 0.18 && u <= 0.82 && v >= 0.40 && v <= 0.90; };
    auto roof = [](double u, double v) { return v >= 0.20 && v <= 0.42 && std::abs(u - 0.5) <= 0.36 * (v - 0.12) / 0.30; };
    t.Area(keep, S1);
    t.Area([&](double u, double v) { return keep(u, v) && v >= 0.72; }, S2);
    t.Rim(keep, K);
    t.Area(roof, colour);
    t.Rim(roof, K);
    auto door = [](double u, double v) { return std::abs(u - 0.5) <= 0.10 && v >= 0.68 && v <= 0.90; };
    t.Area(door, K);
    if (t.Big()) {
        t.Box(0.26, 0.50, 0.34, 0.62, K);
        t.Box(0.66, 0.50, 0.74, 0.62, K);
    }
    Flag(t, 0.50, 0.02, 0.22, colour);
}

void DrawRole(Tile& t, int code) {
    Canvas& c = t.C;
    if (code == 0) return Ground(t);
    if (code >= 1 && code <= 4) return Trees(t, code);
    if (code == 5) {
        Mountain(t, MountainShape{true, true, true, true});
        auto mouth = [](double u, double v) { return std::abs(u - 0.5) <= 0.16 && v <= 0.80 && (v >= 0.62 || Canvas::Sq(u - 0.5) + Canvas::Sq(v - 0.62) <= 0.16 * 0.16); };
        t.Area(mouth, K);
        return;
    }
    if (code == 6) return Monster(t);
    if (code == 7) return House(t, Wood, -1);
    if (code >= 8 && code <= 11) return House(t, static_cast<Index>(Fa0 + code - 8), Fa0 + code - 8);
    if (code >= 12 && code <= 15) return Field(t, static_cast<Index>(Fa0 + code - 12));
    if (code == 16) return Stall(t);
    if (code == 17) return Well(t);
    if (code >= 20 && code <= 23) return Castle(t, code - 20);
    if (code == 29) return Gate(t);
    if (code >= 32 && code <= 47) return Plateau(t, code);
    if (code >= 48 && code <= 95) return Water(t, code);
    if (code >= 96 && code <= 111) {
        const int j = 111 - code;
        return Mountain(t, MountainShape{(j & 1) != 0, (j & 2) != 0, (j & 4) != 0, (j & 8) != 0});
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

QList<QRgb> SetColours(int tileSet, int scaleIndex) {
    const SetStyle& style = Sets[static_cast<std::size_t>(tileSet - 1)];
    QList<QRgb> colours;
    for (std::uint32_t rgb : style.Colours)
        colours.append(0xFF000000u | rgb);
    for (std::uint32_t rgb : style.Factions)
        colours.append(0xFF000000u | rgb);
    // The smallest scale carries a full 256-entry table; the entries past the set's own colours are unused.
    if (scaleIndex == 3)
        while (colours.size() < 256)
            colours.append(0xFF000000u);
    return colours;
}

} // namespace

QImage TileSetPicture(int tileSet, int scaleIndex) {
    static constexpr int edges[] = {32, 16, 8, 4};
    const int e = edges[scaleIndex];
    const SetStyle& style = Sets[static_cast<std::size_t>(tileSet - 1)];
    Canvas picture(8 * e, 16 * e);
    for (int code = 0; code < 128; ++code) {
        Canvas tile(e, e);
        Tile t{tile, e, style};
        DrawRole(t, code);
        picture.Blit(tile, (code % 8) * e, (code / 8) * e);
    }
    return picture.ToImage(SetColours(tileSet, scaleIndex));
}

} // namespace tav::artgen
