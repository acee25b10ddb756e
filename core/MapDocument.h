#pragma once
// The one map the editor holds, with the editor state that every window shares.

#include <array>
#include <cstdint>
#include <string>

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

// The editor's map and shared state. The pictures of the current tile set are held beside it
// by the window that owns it; the map logic needs no pictures.
struct MapDocument {
    std::int32_t ToolKind = CellTool;
    std::int32_t CurrentTool = Pen;
    std::int32_t EditScale = Small;
    std::int32_t CurrentTileSet = 1;
    std::int32_t Modified = 0;
    std::string FileName;
    MapGrid Grid = FilledGrid(NewMapTile);

    static constexpr MapGrid FilledGrid(TileCode code) {
        MapGrid g{};
        g.fill(code);
        return g;
    }

    TileCode Cell(int x, int y) const { return Grid[CellIndex(x, y)]; }
    void SetCell(int x, int y, TileCode code) { Grid[CellIndex(x, y)] = code; }
};

// The start-up values: all cells 48, pen, small scale, tile set 1, unmodified, no file.
void SetStartValues(MapDocument& doc);

// What New does to the document: every cell 48 and no file name. Tool, scale and tile set stay;
// the caller decides about Modified and the redraw.
void ClearMap(MapDocument& doc);

// Turns the whole grid by one cell with wrap-around: what leaves one edge comes back on the opposite one.
void ShiftMap(MapGrid& grid, ShiftDirection direction);

} // namespace tav
