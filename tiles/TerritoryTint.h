#pragma once
// The territory picture: a rendered map with every cell tinted by the faction whose territory it is; and the
// lead picture (先着差), every open cell tinted by how much sooner its holder gets there than the next faction,
// so that the fronts read as bands. The faction analysis window, the edit window's overlay and
// `tavrenna-map render --territory` all draw them here, and the marks on the houses and fields a faction may
// lose.

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
// and pixels beyond the 48 x 48 tiles, keep their picture. With `markThreats`, the houses and fields that are
// threatened or lost are framed as MarkThreat frames them.
QImage TerritoryPicture(const FactionAnalysis& analysis, TileSet tileSet, const QImage& mapPicture,
                        bool markThreats = false);

// FactionColour of the four factions, in faction order.
std::array<QRgb, FactionCount> FactionTints(TileSet tileSet);

// Blends the pixels of cell (x, y) of `picture` (an RGB32 picture of square tiles of `edge` pixels) toward
// the tint of `holder`, a faction index or a CellHolder value; a blocked cell keeps its pixels. The one
// place the territory's colours are drawn: TerritoryPicture, TintedMap and so both windows go through it.
void TintCell(QImage& picture, int x, int y, int edge, std::uint8_t holder,
              const std::array<QRgb, FactionCount>& factionTints);

// ---- The lead picture -------------------------------------------------------------------------------------

// How a cell shows in the lead picture: a band of the holder's lead over the next faction, or one of the
// shades after them.
enum LeadShade : std::uint8_t {
    LeadTieShade = 0, // two or more factions get there at the same least cost: the front itself
    // 1..LeadBandCount - 1: the lead's bands, nearest the front first (see LeadBandLimits)
    LeadAloneShade = 6,       // only the holder gets there
    LeadUnreachableShade = 7, // open, but no castle reaches it
    LeadBlockedShade = 8,     // units cannot enter it: its picture stays
};
constexpr int LeadBandCount = 6; // the tie and five bands
// The largest lead of each band after the tie: 1, 2, 3..4, 5..7, 8 and more.
constexpr std::array<int, LeadBandCount - 1> LeadBandLimits = {1, 2, 4, 7, 0x7FFF};
// The tint of each shade below LeadUnreachableShade: a tie hot, a wide lead cool, a cell of one faction alone
// in a colour of its own. Unreachable cells take UnreachableTint, as in the territory picture.
constexpr std::array<QRgb, LeadAloneShade + 1> LeadTints = {0xFFFF00FF, 0xFFE03020, 0xFFF08020, 0xFFF0D030,
                                                            0xFF90D050, 0xFF30A060, 0xFF3070E0};

// The shade of grid cell `cell` (0..2303) in the lead picture.
LeadShade LeadShadeOf(const FactionAnalysis& analysis, std::size_t cell);
// Blends the pixels of cell (x, y) toward the tint of `shade` (a tie is hatched, as contested cells are).
void TintLeadCell(QImage& picture, int x, int y, int edge, LeadShade shade);

// ---- Houses and fields a faction may lose -----------------------------------------------------------------

constexpr QRgb ThreatenedMark = 0xFFFF9900;
constexpr QRgb LostMark = 0xFFFF1010;
// Frames cell (x, y) when its house or field is threatened (orange) or lost (red); other cells keep their pixels.
// Drawn after the tint, so that the frame stays in its own colour.
void MarkThreat(QImage& picture, int x, int y, int edge, PropertyThreat threat);

} // namespace tav
