#pragma once
// The castles: the keep of each faction, the ring of walls around it and the gate.

#include "TileStyle.h"

namespace tav::artgen {

// The ring pieces 112..121 around a castle.
void CastleRing(Tile& t, int code);
// The gate 29 in the ring's lower wall.
void Gate(Tile& t);
// The keep of faction 0..3 (codes 20..23).
void Castle(Tile& t, int faction);

} // namespace tav::artgen
