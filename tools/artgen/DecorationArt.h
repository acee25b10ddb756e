#pragma once
// The single decorations: the monster, the sea monster, the ship and the logs.

#include "TileStyle.h"

namespace tav::artgen {

void Monster(Tile& t);
void SeaMonster(Tile& t);
void Ship(Tile& t);
void Logs(Tile& t);
void CrossedLogs(Tile& t);

} // namespace tav::artgen
