// The nine tile sets: each tile drawn by the art of its role, at each of the four scales.

#include "ArtGen.h"
#include "BuildingArt.h"
#include "CastleArt.h"
#include "DecorationArt.h"
#include "TerrainArt.h"
#include "TileStyle.h"

#include <cmath>

namespace tav::artgen {

namespace {

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
