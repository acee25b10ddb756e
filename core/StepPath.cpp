#include "StepPath.h"

#include "FactionAnalysis.h"
#include "GridWalk.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

namespace tav {

namespace {

constexpr std::uint16_t NoCell = 0xFFFF;

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

    int count = 0;
    for (std::uint16_t cell = to;; cell = cameFrom[cell]) {
        path.Cells[static_cast<std::size_t>(count++)] = cell;
        if (cell == from)
            break;
    }
    std::reverse(path.Cells.begin(), path.Cells.begin() + count);
    path.CellCount = count;
    path.Steps = count - 1;
    path.Cost = path.Steps;
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

    // Dijkstra's order; each cell remembers the cell it was reached from at its least cost.
    constexpr int Unreached = 0x7FFFFFFF;
    std::array<int, MapCells> least;
    least.fill(Unreached);
    std::array<std::uint16_t, MapCells> cameFrom;
    cameFrom.fill(NoCell);
    using Entry = std::pair<int, std::uint16_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    least[from] = 0;
    cameFrom[from] = from;
    open.emplace(0, from);
    while (!open.empty()) {
        const auto [cost, cell] = open.top();
        open.pop();
        if (cost > least[cell])
            continue;
        if (cell == to)
            break;
        const int x = cell / MapSize;
        const int y = cell % MapSize;
        const int neighbours[4][2] = {{x, y - 1}, {x - 1, y}, {x + 1, y}, {x, y + 1}};
        for (const auto& [nx, ny] : neighbours) {
            if (!InMap(nx, ny))
                continue;
            const auto index = static_cast<std::size_t>(CellIndex(nx, ny));
            const int entry = costs.EntryCost(grid[index]);
            if (entry <= 0 || cost + entry >= least[index])
                continue;
            least[index] = cost + entry;
            cameFrom[index] = cell;
            open.emplace(cost + entry, static_cast<std::uint16_t>(index));
        }
    }
    if (least[to] == Unreached)
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
    path.Cost = least[to];
}

} // namespace tav
