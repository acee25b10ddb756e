#pragma once
// The grid-level logic behind the seven drawing tools: the cells a tool covers, the rasterisers
// that list them, the two flood fills, and how a tool writes the grid.

#include "MapGrid.h"

#include <array>
#include <cstdint>

namespace tav {

// The seven drawing tools; the values are the tools' numbers in the order of the menu.
enum class DrawTool : std::int32_t {
    Pen = 1,
    Line = 2,
    Box = 3,
    BoxFill = 4,
    Circle = 5,
    CircleFill = 6,
    Bucket = 7,
};

// The seven in menu order, for loops over all of them.
constexpr std::array<DrawTool, 7> AllDrawTools = {DrawTool::Pen,    DrawTool::Line,       DrawTool::Box,
                                                  DrawTool::BoxFill, DrawTool::Circle,   DrawTool::CircleFill,
                                                  DrawTool::Bucket};

// A cell tool acts on the cell under the mouse; a shape tool takes two points.
enum class ToolKind { Cell, Shape };

// Pen and Bucket act on one cell, the rest take two points.
constexpr ToolKind ToolKindOf(DrawTool tool) {
    return (tool == DrawTool::Pen || tool == DrawTool::Bucket) ? ToolKind::Cell : ToolKind::Shape;
}

constexpr int ShapeCapacity = 200;

// The cells the current tool covers, in the order the rasteriser produced them.
// No entry equals the one just before it; every cell lies in 0..47 on both axes.
struct ShapeCells {
    std::int32_t CellCount = 0;
    std::array<std::int32_t, ShapeCapacity> CellColumns{};
    std::array<std::int32_t, ShapeCapacity> CellRows{};
};

// Scratch marks of the fills, row-major (cell (x, y) at y * 48 + x, the transpose of the grid's layout).
// 0 = untouched, 1 = to be painted, 255 = outline cell.
using FillMarks = std::array<std::uint8_t, MapCells>;
constexpr std::uint8_t MarkUntouched = 0;
constexpr std::uint8_t MarkPaint = 1;
constexpr std::uint8_t MarkOutline = 255;
constexpr int MarkIndex(int x, int y) { return y * MapSize + x; }

void AddCell(ShapeCells& cells, int x, int y);
void AddLine(ShapeCells& cells, int x1, int y1, int x2, int y2);
void AddBox(ShapeCells& cells, int x1, int y1, int x2, int y2);
void AddEllipse(ShapeCells& cells, int x1, int y1, int x2, int y2);

// Clears the list and fills it with the cells `tool` covers; an anchor of (-1, -1) means none,
// and then the cell itself serves as the anchor.
void ComputeShape(ShapeCells& cells, DrawTool tool, int anchorX, int anchorY, int x, int y);

// Fills `marks` for BoxFill, CircleFill or Bucket. `cells` must hold ComputeShape's result for the
// same arguments. Uses a fixed queue; allocates nothing.
void FloodMark(const ShapeCells& cells, const MapGrid& grid, DrawTool tool, int anchorX, int anchorY, int x, int y,
               FillMarks& marks);

// Writes `code` into the grid as the tool prescribes; `cells` holds the tool's cells afterwards.
void ApplyToolToGrid(ShapeCells& cells, MapGrid& grid, DrawTool tool, TileCode code, int anchorX, int anchorY, int x,
                     int y);

} // namespace tav
