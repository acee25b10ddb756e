// The castles: the keep of each faction, the ring of walls around it and the gate.

#include "CastleArt.h"

#include "BuildingArt.h"
#include "TerrainArt.h"

#include <cmath>

namespace tav::artgen {

namespace {

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

} // namespace

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

} // namespace tav::artgen
