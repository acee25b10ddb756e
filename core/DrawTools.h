#pragma once
// The grid-level logic behind the seven drawing tools: the cells a tool covers, the rasterisers
// that list them, the two flood fills, and how a tool writes the grid.

#include "MapGrid.h"

#include <array>
#include <cstdint>

namespace tav {

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
void ComputeShape(ShapeCells& cells, int tool, int anchorX, int anchorY, int x, int y);

// Fills `marks` for BoxFill, CircleFill or Bucket. `cells` must hold ComputeShape's result for the
// same arguments. Uses a fixed queue; allocates nothing.
void FloodMark(const ShapeCells& cells, const MapGrid& grid, int tool, int anchorX, int anchorY, int x, int y,
               FillMarks& marks);

// Writes `code` into the grid as the tool prescribes; `cells` holds the tool's cells afterwards.
void ApplyToolToGrid(ShapeCells& cells, MapGrid& grid, int tool, TileCode code, int anchorX, int anchorY, int x,
                     int y);

} // namespace tav
