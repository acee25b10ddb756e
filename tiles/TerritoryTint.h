#pragma once
// The territory picture: a rendered map with every cell tinted by the faction whose territory it is.
// The faction analysis window and `tavrenna-map render --territory` both draw it here.

#include "FactionAnalysis.h"

#include <QImage>
#include <QRgb>

#include <array>
#include <cstdint>

namespace tav {

// The colour a faction's name gives in parentheses, "(緑)" green and so on; grey for a name without one.
QRgb FactionColour(TileSet tileSet, int faction); // faction 0..3

// Tints no faction uses: contested cells are hatched in mid grey, unreachable ones dimmed toward slate.
constexpr QRgb ContestedTint = 0xFF808080;
constexpr QRgb UnreachableTint = 0xFF405060;

// `mapPicture` is the whole map rendered with square tiles (48 tiles of any edge on a side, as RenderMap
// draws it). Returns a copy in which every open cell is blended toward its holder's tint; blocked cells,
// and pixels beyond the 48 x 48 tiles, keep their picture.
QImage TerritoryPicture(const FactionAnalysis& analysis, TileSet tileSet, const QImage& mapPicture);

// FactionColour of the four factions, in faction order.
std::array<QRgb, FactionCount> FactionTints(TileSet tileSet);

// Blends the pixels of cell (x, y) of `picture` (an RGB32 picture of square tiles of `edge` pixels) toward
// the tint of `holder`, a faction index or a CellHolder value; a blocked cell keeps its pixels. The one
// place the territory's colours are drawn: TerritoryPicture, TintedMap and so both windows go through it.
void TintCell(QImage& picture, int x, int y, int edge, std::uint8_t holder,
              const std::array<QRgb, FactionCount>& factionTints);

} // namespace tav
