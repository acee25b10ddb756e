#pragma once
// Tile-code roles: the classes the rules act on and the single codes with a role of their own, the faction
// bits of a faction's tiles, and the ring shaping builds round a castle. Plain constants, so that the grid
// helpers and the shaping rules can both name them.

#include "MapGrid.h"

#include <array>
#include <cstdint>

namespace tav {

// Tile-code roles: the classes the rules act on (what TileClass yields for each kind) and the single
// codes with a role of their own.
enum TileKindClass : std::uint16_t {
    ColumnClass = 4,      // 1..4, trees
    FactionTileClass = 8, // 8..11, one per faction
    CastleClass = 20,     // 20..23, one per faction
    RaisedClass = 32,     // 32..47 and the raised obstacle 122
    EdgedClass = 48,      // 48..95
    RidgeClass = 96,      // 96..111 and the ridge passage 5
};
constexpr TileCode RidgePassage = 5;     // ridge terrain joins toward it; never changed itself
constexpr TileCode FactionAlternate = 12; // 12..15: a faction tile next to an equal one, code + 4
constexpr TileCode CastleGate = 29;
constexpr TileCode RaisedObstacle = 122; // counts as raised terrain for its neighbours; never changed itself

// Faction index 0..3 of a castle, faction tile, alternate or flag wall: the low two bits of its code.
constexpr int FactionOf(TileCode code) { return code & 3; }

// The eight codes pass 1 writes around a castle, indexed in neighbour order (NW, N, NE, W, E, SW, S, SE)
// as seen from the castle: towers at the corners, the wall with the castle's own flags above, the gate below.
constexpr std::array<TileCode, 8> CastleRing(TileCode castle) {
    return {112, static_cast<TileCode>(castle + 96), 113, 114, 115, 120, CastleGate, 121};
}

} // namespace tav
