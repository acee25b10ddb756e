#pragma once
// The 48 x 48 grid of tile codes and the types and helpers every layer uses with it.

#include <array>
#include <cstdint>

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

// Drawing tools; the values are the ones the tool commands store in CurrentTool.
enum DrawTool : std::int32_t {
    Pen = 1,
    Line = 2,
    Box = 3,
    BoxFill = 4,
    Circle = 5,
    CircleFill = 6,
    Bucket = 7,
};

// ToolKind values: a cell tool acts on the cell under the mouse, a shape tool takes two points.
enum ToolKindValue : std::int32_t {
    CellTool = 1,
    ShapeTool = 2,
};

// EditScale values: 8, 16 and 32 pixels per cell in the edit window.
enum EditScaleValue : std::int32_t {
    Small = 1,
    Middle = 2,
    Large = 3,
};

constexpr int TileSetCount = 9;

enum class ShiftDirection { Left, Right, Up, Down };

// The tool kind that belongs to a tool: Pen and Bucket act on one cell, the rest take two points.
constexpr std::int32_t ToolKindOf(std::int32_t tool) {
    return (tool == Pen || tool == Bucket) ? CellTool : ShapeTool;
}

// A grid with every cell holding `code`.
constexpr MapGrid FilledGrid(TileCode code) {
    MapGrid grid{};
    grid.fill(code);
    return grid;
}

// Turns the whole grid by one cell with wrap-around: what leaves one edge comes back on the opposite one.
void ShiftMap(MapGrid& grid, ShiftDirection direction);

} // namespace tav
