#include "StepPath.h"

#include "FactionAnalysis.h"
#include "GridWalk.h"

#include <algorithm>

namespace tav {

namespace {

constexpr std::uint16_t NoCell = 0xFFFF;

} // namespace

void FindStepPath(const MapGrid& grid, int fromX, int fromY, int toX, int toY, StepPath& path) {
    path.Steps = -1;
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

    int count = 0;
    for (std::uint16_t cell = to;; cell = cameFrom[cell]) {
        path.Cells[static_cast<std::size_t>(count++)] = cell;
        if (cell == from)
            break;
    }
    std::reverse(path.Cells.begin(), path.Cells.begin() + count);
    path.CellCount = count;
    path.Steps = count - 1;
}

} // namespace tav
