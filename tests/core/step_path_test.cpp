// The ruler's walk against the faction analysis: over many random maps, the walk between two castles is as
// long as the analysis's distance between their factions, and it is a walk a unit can take.

#include "FactionAnalysis.h"
#include "MapGrid.h"
#include "StepPath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace tav {
namespace {

TEST(StepPath, WalkBetweenCastlesIsAsLongAsTheAnalysisDistanceAndStepsThroughOpenSideNeighbours) {
    constexpr TileCode Terrain[] = {0, 0, 0, 1, 48, 96}; // mostly open ground, some water and mountains
    StepPath path;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        MapGrid grid{};
        for (auto& code : grid)
            code = Terrain[rng() % std::size(Terrain)];
        std::array<int, FactionCount> castle{};
        for (int f = 0; f < FactionCount; ++f) {
            castle[static_cast<std::size_t>(f)] = static_cast<int>(rng() % MapCells);
            grid[static_cast<std::size_t>(castle[static_cast<std::size_t>(f)])] = static_cast<TileCode>(20 + f);
        }
        const FactionAnalysis analysis = AnalyseFactions(grid);
        for (int from = 0; from < FactionCount; ++from)
            for (int to = 0; to < FactionCount; ++to) {
                const int a = castle[static_cast<std::size_t>(from)];
                const int b = castle[static_cast<std::size_t>(to)];
                if (from == to || a == b || analysis.Castles(from).size() != 1 || analysis.Castles(to).size() != 1)
                    continue;
                FindStepPath(grid, a / MapSize, a % MapSize, b / MapSize, b % MapSize, path);
                const int expected = analysis.Distance[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)];
                ASSERT_EQ(path.Steps, expected == NoDistance ? -1 : expected);
                if (path.Steps < 0) {
                    EXPECT_EQ(path.CellCount, 0);
                    continue;
                }
                ASSERT_EQ(path.CellCount, path.Steps + 1);
                EXPECT_EQ(path.Cells[0], a);
                EXPECT_EQ(path.Cells[static_cast<std::size_t>(path.Steps)], b);
                for (int i = 0; i < path.CellCount; ++i) {
                    const int cell = path.Cells[static_cast<std::size_t>(i)];
                    EXPECT_TRUE(IsPassableCode(grid[static_cast<std::size_t>(cell)]));
                    if (i == 0)
                        continue;
                    const int before = path.Cells[static_cast<std::size_t>(i - 1)];
                    EXPECT_EQ(std::abs(cell / MapSize - before / MapSize) + std::abs(cell % MapSize - before % MapSize), 1);
                }
            }
    }
}

// Under a random cost table, the ruler's walk from a castle to any cell costs what the analysis says the
// castle's faction needs to get there, and its cells' entries add up to that cost.
TEST(StepPath, CheapestWalkCostsTheAnalysisLeastCostUnderRandomTables) {
    constexpr TileCode Terrain[] = {0, 0, 1, 2, 5, 33, 8, 122, 48, 96};
    StepPath path;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        MapGrid grid{};
        for (auto& code : grid)
            code = Terrain[rng() % std::size(Terrain)];
        const int castle = static_cast<int>(rng() % MapCells);
        grid[static_cast<std::size_t>(castle)] = 20;
        MovementCosts costs;
        for (const CostClass costClass : AllCostClasses)
            costs[costClass] = static_cast<std::uint8_t>(rng() % 10); // 0: blocked
        costs[CostClass::Castle] = static_cast<std::uint8_t>(1 + rng() % 9);
        const FactionAnalysis analysis = AnalyseFactions(grid, costs, TurnOrder{});
        for (int probe = 0; probe < 40; ++probe) {
            const int to = static_cast<int>(rng() % MapCells);
            FindCostPath(grid, costs, castle / MapSize, castle % MapSize, to / MapSize, to % MapSize, path);
            const std::uint16_t least = analysis.LeastCost[0][static_cast<std::size_t>(to)];
            ASSERT_EQ(path.Cost, least == NotReachable ? -1 : least) << to;
            if (path.Cost < 0)
                continue;
            int sum = 0;
            for (int i = 1; i < path.CellCount; ++i) {
                const int a = path.Cells[static_cast<std::size_t>(i - 1)];
                const int b = path.Cells[static_cast<std::size_t>(i)];
                ASSERT_EQ(std::abs(a / MapSize - b / MapSize) + std::abs(a % MapSize - b % MapSize), 1);
                sum += costs.EntryCost(grid[static_cast<std::size_t>(b)]);
            }
            EXPECT_EQ(sum, path.Cost);
            EXPECT_EQ(path.Steps, path.CellCount - 1);
        }
    }
}

} // namespace
} // namespace tav
