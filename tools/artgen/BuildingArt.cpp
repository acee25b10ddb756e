// The buildings of the map: houses, the faction fields beside them, the stall and the well.

#include "BuildingArt.h"

#include "TerrainArt.h"

#include <cmath>
#include <utility>

namespace tav::artgen {

namespace {

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

} // namespace

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

} // namespace tav::artgen
