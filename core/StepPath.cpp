#include "StepPath.h"

#include "FactionAnalysis.h"
#include "GridWalk.h"

#include <algorithm>

namespace tav {

namespace {

constexpr std::uint16_t NoCell = 0xFFFF;

// Reads the walk backwards from `to` along the recorded sources up to `from`, and stores it first to last.
void TraceBack(const std::array<std::uint16_t, MapCells>& cameFrom, std::uint16_t from, std::uint16_t to, int cost,
               StepPath& path) {
    int count = 0;
    for (std::uint16_t cell = to;; cell = cameFrom[cell]) {
        path.Cells[static_cast<std::size_t>(count++)] = cell;
        if (cell == from)
            break;
    }
    std::reverse(path.Cells.begin(), path.Cells.begin() + count);
    path.CellCount = count;
    path.Steps = count - 1;
    path.Cost = cost < 0 ? path.Steps : cost;
}

} // namespace

void FindStepPath(const MapGrid& grid, int fromX, int fromY, int toX, int toY, StepPath& path) {
    path.Steps = -1;
    path.Cost = -1;
    path.CellCount = 0;
    if (!InMap(fromX, fromY) || !InMap(toX, toY))
        return;
    const auto from = static_cast<std::uint16_t>(CellIndex(fromX, fromY));
    const auto to = static_cast<std::uint16_t>(CellIndex(toX, toY));
    if (!IsPassableCode(grid[from]) || !IsPassableCode(grid[to]))
        return;

    // Breadth-first from the first cell; each reached cell remembers the cell it was reached from, so the
    // walk is read backwards from the last cell.
    std::array<std::uint16_t, MapCells> cameFrom;
    cameFrom.fill(NoCell);
    cameFrom[from] = from;
    BreadthFirstWalk walk;
    walk.Start({fromX, fromY});
    walk.Run([&](MapCell previous, MapCell next) {
        const std::size_t index = GridIndex(next);
        if (cameFrom[index] != NoCell || !IsPassableCode(grid[index]))
            return false;
        cameFrom[index] = static_cast<std::uint16_t>(GridIndex(previous));
        if (index == to)
            walk.Stop();
        return true;
    });
    if (cameFrom[to] == NoCell)
        return;
    TraceBack(cameFrom, from, to, -1, path);
}

void FindCostPath(const MapGrid& grid, const MovementCosts& costs, int fromX, int fromY, int toX, int toY,
                  StepPath& path) {
    if (costs.IsDefault() || !costs.IsValid()) {
        FindStepPath(grid, fromX, fromY, toX, toY, path);
        return;
    }
    path.Steps = -1;
    path.Cost = -1;
    path.CellCount = 0;
    if (!InMap(fromX, fromY) || !InMap(toX, toY))
        return;
    const auto from = static_cast<std::uint16_t>(CellIndex(fromX, fromY));
    const auto to = static_cast<std::uint16_t>(CellIndex(toX, toY));
    if (!IsOpenCode(grid[from], costs) || !IsOpenCode(grid[to], costs))
        return;

    // Cheapest first from the first cell, up to the last; each cell remembers where its cheapest way came from.
    CellCosts least;
    CellSources cameFrom;
    CostWalk walk(least, &cameFrom);
    walk.Start(CellOfIndex(from));
    walk.Run([&](MapCell, MapCell next) { return costs.EntryCost(grid[GridIndex(next)]); },
             [&](MapCell cell, int) { return GridIndex(cell) != to; });
    if (least[to] == NotReached)
        return;
    TraceBack(cameFrom, from, to, least[to], path);
}

} // namespace tav
