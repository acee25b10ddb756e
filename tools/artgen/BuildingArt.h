#pragma once
// The buildings of the map: houses, the faction fields beside them, the stall and the well.

#include "TileStyle.h"

namespace tav::artgen {

// A building's box in tile units; the building is drawn in box units (0..1 across the box).
struct Box {
    double U0, V0, U1, V1;
    double U(double u) const { return (u - U0) / (U1 - U0); }
    double V(double v) const { return (v - V0) / (V1 - V0); }
};

// A house or keep in `box`: walls, door and windows, and a roof in `roof`; a faction roof gets its rim.
void Building(Tile& t, const Box& box, Index roof, bool faction, Index window);
// A house 7..11 on the ground, its roof of wood or the faction's colour.
void House(Tile& t, Index roof, bool faction);
// A faction field 12..15.
void Field(Tile& t, Index colour);
void Stall(Tile& t);
void Well(Tile& t);

} // namespace tav::artgen
