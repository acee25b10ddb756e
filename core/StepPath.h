#pragma once
// The shortest walk of a unit between two cells: side steps only (no diagonals), through the cells the
// faction analysis counts as open; and the cheapest walk under a cost table of movement. The step ruler of
// the edit window measures with them.

#include "MapGrid.h"
#include "MovementRules.h"

#include <array>
#include <cstdint>

namespace tav {

struct StepPath {
    int Steps = -1;    // -1 when no walk joins the two cells
    int Cost = -1;     // the walk's total entry cost (the first cell costs nothing); Steps under the default table
    int CellCount = 0; // Steps + 1 cells from the first to the last, both included; 0 without a walk
    std::array<std::uint16_t, MapCells> Cells{}; // grid indices (CellIndex), first cell first
};

// Fills `path` with a shortest walk from (fromX, fromY) to (toX, toY). A blocked end cell has no walk.
// Allocates nothing.
void FindStepPath(const MapGrid& grid, int fromX, int fromY, int toX, int toY, StepPath& path);
// Fills `path` with a walk of least total entry cost under `costs` (entering a cell costs its class's entry,
// as the faction analysis counts it), through cells open under the table. Under the default table it is the
// walk FindStepPath finds.
void FindCostPath(const MapGrid& grid, const MovementCosts& costs, int fromX, int fromY, int toX, int toY,
                  StepPath& path);

} // namespace tav
