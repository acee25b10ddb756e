#pragma once
// The rules a playable map must meet and the report lines of the map check.

#include "MapGrid.h"

#include <string>
#include <string_view>
#include <vector>

namespace tav {

// Names of the nine tile sets (index set - 1) and of the four factions of each set, UTF-8.
std::string_view TileSetName(TileSet tileSet);
std::string_view FactionName(TileSet tileSet, int faction); // faction 0..3

// Whether units cannot pass a cell of this plain code (apply PlainCode first): water, mountains, castle
// walls, the monster and a few single tiles. The check tests the cell in front of a gate with it; the
// faction analysis walks only through cells it does not block. Codes 128..255 never block.
bool IsBlockingCode(TileCode plain);

struct MapCheckReport {
    std::vector<std::string> Lines; // UTF-8, in the order the check adds them; the header first
    bool Problem = false;           // true when at least one line besides the header was added
};

// Checks the grid for the tile set. Never changes the grid.
MapCheckReport CheckMap(const MapGrid& grid, TileSet tileSet);

} // namespace tav
