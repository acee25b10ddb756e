#pragma once
// The 48 x 48 grid of tile codes and the types and helpers every layer uses with it.

#include <array>
#include <cstdint>
#include <optional>

namespace tav {

constexpr int MapSize = 48;              // cells per side
constexpr int MapCells = MapSize * MapSize; // 2304

using TileCode = std::uint8_t;

// The code every cell of a new map gets: plain water, the plain tile of the edged terrain.
constexpr TileCode NewMapTile = 48;

// 48 x 48 tile codes stored column by column: cell (x, y) is element x * 48 + y.
// The .map file uses the same order.
using MapGrid = std::array<TileCode, MapCells>;

constexpr int CellIndex(int x, int y) { return x * MapSize + y; }
constexpr bool InMap(int x, int y) { return x >= 0 && x < MapSize && y >= 0 && y < MapSize; }

// One of the nine built-in tile sets, numbered 1 to 9 as the menu and the map file number them. The sets
// differ only in how the codes look; the names are the English ones of the menu.
enum class TileSet : std::uint8_t {
    Verda = 1,
    Coronet,
    Sandra,
    Milphos,
    Lapist,
    Zephir,
    Orcana,
    Nocturna,
    Stellan,
};
constexpr int TileSetCount = 9;

constexpr int TileSetNumber(TileSet set) { return static_cast<int>(set); }
// The tile set numbered `number`, or nothing outside 1..9 (a file or a setting may hold any number).
constexpr std::optional<TileSet> TileSetNumbered(int number) {
    if (number < 1 || number > TileSetCount)
        return std::nullopt;
    return static_cast<TileSet>(number);
}
// The nine sets in menu order, for loops over all of them.
constexpr std::array<TileSet, TileSetCount> AllTileSets = {
    TileSet::Verda,  TileSet::Coronet, TileSet::Sandra,   TileSet::Milphos, TileSet::Lapist,
    TileSet::Zephir, TileSet::Orcana,  TileSet::Nocturna, TileSet::Stellan};

enum class ShiftDirection { Left, Right, Up, Down };

// A grid with every cell holding `code`.
constexpr MapGrid FilledGrid(TileCode code) {
    MapGrid grid{};
    grid.fill(code);
    return grid;
}

// Turns the whole grid by one cell with wrap-around: what leaves one edge comes back on the opposite one.
void ShiftMap(MapGrid& grid, ShiftDirection direction);

} // namespace tav
