#pragma once
// Cells of the map and what stands on them: a cell as MapCell, its place in grid-ordered arrays, its side
// and eight neighbours, and the kinds of tile code the map rules ask about (castle, gate, house, field).
// Every algorithm of core/ reads cells and neighbours through these, so the order of neighbours and the
// meaning of "castle" are written once. The walks over cells are in GridWalk.h.

#include "MapGrid.h"
#include "TileCodes.h"

#include <array>
#include <cstddef>

namespace tav {

// A cell of the map: column X and row Y, 0..47 each, (0, 0) at the top left.
struct MapCell {
    int X = 0;
    int Y = 0;
    bool operator==(const MapCell&) const = default;
};

constexpr bool InMap(MapCell cell) {
    return InMap(cell.X, cell.Y);
}

// The element of a grid-ordered array (the grid itself, a step count or a mark per cell) that holds `cell`,
// which must lie in the map: column by column, x * 48 + y, as MapGrid and the .map file store cells.
constexpr std::size_t GridIndex(MapCell cell) {
    return static_cast<std::size_t>(CellIndex(cell.X, cell.Y));
}
constexpr std::size_t GridIndex(int x, int y) {
    return static_cast<std::size_t>(CellIndex(x, y));
}
// The cell held by element `index` (0..2303) of a grid-ordered array.
constexpr MapCell CellOfIndex(std::size_t index) {
    return {static_cast<int>(index / MapSize), static_cast<int>(index % MapSize)};
}

constexpr TileCode& At(MapGrid& grid, MapCell cell) {
    return grid[GridIndex(cell)];
}
constexpr TileCode At(const MapGrid& grid, MapCell cell) {
    return grid[GridIndex(cell)];
}

// An offset from a cell to one of its neighbours.
struct CellStep {
    int Dx = 0;
    int Dy = 0;
};
constexpr MapCell Stepped(MapCell cell, CellStep step) {
    return {cell.X + step.Dx, cell.Y + step.Dy};
}

// The four side neighbours in the order walks visit them: up, left, right, down. Units move only by these.
constexpr std::array<CellStep, 4> SideSteps = {{{0, -1}, {-1, 0}, {1, 0}, {0, 1}}};

// The eight neighbours in reading order of the 3 x 3 block around a cell (NW, N, NE, W, E, SW, S, SE): step i
// is the cell of bit i of a neighbour pattern (Shaping.h's NeighbourBit), and of element i of a castle ring.
constexpr std::array<CellStep, 8> NeighbourSteps = {
    {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}};

// Calls visit(neighbour) for each side neighbour of `cell` that lies in the map, in SideSteps order.
template <typename Visit> constexpr void ForEachSideNeighbour(MapCell cell, Visit visit) {
    for (const CellStep step : SideSteps)
        if (const MapCell next = Stepped(cell, step); InMap(next)) visit(next);
}

// Calls visit(index, neighbour) for each of the eight neighbours of `cell` that lies in the map, with the
// neighbour's index in NeighbourSteps (its neighbour-pattern bit).
template <typename Visit> constexpr void ForEachNeighbour(MapCell cell, Visit visit) {
    for (int i = 0; i < 8; ++i)
        if (const MapCell next = Stepped(cell, NeighbourSteps[static_cast<std::size_t>(i)]); InMap(next))
            visit(i, next);
}

// Tile kinds the rules ask about, each by its codes. A faction's tiles carry the faction in their low two
// bits (FactionOf): house 8 + f, field 12 + f, castle 20 + f.
constexpr bool IsCastle(TileCode code) {
    return code >= CastleClass && code < CastleClass + 4;
}
constexpr bool IsGate(TileCode code) {
    return code == CastleGate;
}
// The eight pieces shaping builds round a castle besides the gate: towers, walls and flag walls, 112..121.
constexpr bool IsCastleWall(TileCode code) {
    return code >= 112 && code <= 121;
}
constexpr bool IsHouse(TileCode code) {
    return code >= FactionTileClass && code < FactionTileClass + 4;
}
constexpr bool IsField(TileCode code) {
    return code >= FactionAlternate && code < FactionAlternate + 4;
}
constexpr bool IsHouseOrField(TileCode code) {
    return IsHouse(code) || IsField(code);
}

} // namespace tav
