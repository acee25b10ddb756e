#pragma once
// The neighbour rules that shape a map (shores, cliff edges, ridges,
// tree runs, castle rings, alternating faction tiles), and unshaping.

#include "MapGrid.h"
#include "TileCodes.h"

#include <array>
#include <cstdint>

namespace tav {

// The class of a code: the representative code of its kind, or the code itself for codes of no kind.
// Codes 128..255 (only a loaded file brings them) belong to no kind.
std::uint16_t TileClass(TileCode code);

// The plain code of each kind (1, 32, 48, 96); every other code, 128..255 included, is its own plain code.
TileCode PlainCode(TileCode code);

// Raised and ridge terrain pick one of 16 codes by the joined sides; all four joined gives the plain code.
constexpr TileCode RaisedSideCode(bool w, bool n, bool e, bool s) {
    return static_cast<TileCode>(47 - (w + 2 * n + 4 * e + 8 * s));
}
constexpr TileCode RidgeSideCode(bool w, bool n, bool e, bool s) {
    return static_cast<TileCode>(111 - (w + 2 * n + 4 * e + 8 * s));
}

struct EdgedShape {
    std::uint8_t Mask;
    TileCode Code;
};
// Searched in order; the first pair whose mask bits are all set in the neighbour pattern wins.
extern const std::array<EdgedShape, 46> EdgedShapeTable;

// The edged-terrain code the edged rule picks for a neighbour pattern: 48 for no bit, otherwise the code of
// the first EdgedShapeTable pair that matches.
TileCode EdgedShapeCode(std::uint8_t pattern);

// NeighbourPattern bits, in reading order of the 3 x 3 block around a cell.
enum NeighbourBit : std::uint8_t {
    NW = 0x01, N = 0x02, NE = 0x04, W = 0x08, E = 0x10, SW = 0x20, S = 0x40, SE = 0x80,
};

// Cell queries used by the rules; x and y must lie in 0..47.
std::uint16_t CellClass(const MapGrid& grid, int x, int y);
bool InEdgedOrRidgeRange(const MapGrid& grid, int x, int y);  // code 48..111
bool InRaisedOrEdgedRange(const MapGrid& grid, int x, int y); // code 32..95 or 122

// Shapes the grid in place: pass 1 builds castle rings (never over a castle), pass 2 applies the column,
// raised, edged, ridge and faction rules. Both passes go column by column and read codes as they are at
// that moment. Shaping a shaped map changes nothing.
void ShapeMap(MapGrid& grid);

// Replaces every cell by its plain code.
void UnshapeMap(MapGrid& grid);

} // namespace tav
