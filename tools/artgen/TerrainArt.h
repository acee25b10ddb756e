#pragma once
// The terrain tiles, each drawn over the whole tile.

#include "TileStyle.h"

namespace tav::artgen {

// Plain ground 0, and the ground under everything that stands on it.
void Ground(Tile& t);
// Trees 1..4.
void Trees(Tile& t, int code);
// Water 48..95 with the shores its code names.
void Water(Tile& t, int code);
// Plateau 32..47.
void Plateau(Tile& t, int code);
// Mountains 96..111 and the cave: rock with a dark foot on each open side (`w`, `n`, `east`, `s`).
void Mountain(Tile& t, bool w, bool n, bool east, bool s);
// The snowy peak 126, a mountain standing alone on the ground.
void SnowyPeak(Tile& t);

} // namespace tav::artgen
