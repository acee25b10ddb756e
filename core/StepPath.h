#pragma once
// The shortest walk of a unit between two cells: side steps only (no diagonals), through the cells the
// faction analysis counts as open. The step ruler of the edit window measures with it.

#include "MapGrid.h"

#include <array>
#include <cstdint>

namespace tav {

struct StepPath {
    int Steps = -1;    // -1 when no walk joins the two cells
    int CellCount = 0; // Steps + 1 cells from the first to the last, both included; 0 without a walk
    std::array<std::uint16_t, MapCells> Cells{}; // grid indices (CellIndex), first cell first
};

// Fills `path` with a shortest walk from (fromX, fromY) to (toX, toY). A blocked end cell has no walk.
// Allocates nothing.
void FindStepPath(const MapGrid& grid, int fromX, int fromY, int toX, int toY, StepPath& path);

} // namespace tav
