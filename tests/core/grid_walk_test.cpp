// The walks of the grid toolkit against plain definitions: the cost walk's least costs against repeated
// relaxation until nothing changes (Bellman and Ford), and, with every entry costing 1, the same costs and
// the same ways as the breadth-first walk, over many random grids.

#include "GridWalk.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace tav {
namespace {

constexpr int Blocked = -1;

// A random entry cost per cell: about one cell in five blocked, the rest 0..MaxEntryCost, free ones included.
std::vector<int> RandomEntryCosts(std::mt19937& rng) {
    std::vector<int> entry(MapCells);
    for (int& cost : entry)
        cost = rng() % 5 == 0 ? Blocked : static_cast<int>(rng() % (MaxEntryCost + 1));
    return entry;
}

std::vector<MapCell> RandomStarts(std::mt19937& rng) {
    std::vector<MapCell> starts(1 + rng() % 3);
    for (MapCell& start : starts)
        start = CellOfIndex(rng() % MapCells);
    return starts;
}

// Least costs by relaxing every side step until no cost falls: slow, and plainly right.
std::vector<int> RelaxedCosts(const std::vector<int>& entry, const std::vector<MapCell>& starts) {
    constexpr int Unreached = 1 << 30;
    std::vector<int> cost(MapCells, Unreached);
    for (const MapCell start : starts)
        cost[GridIndex(start)] = 0;
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t index = 0; index < MapCells; ++index) {
            if (cost[index] == Unreached) continue;
            ForEachSideNeighbour(CellOfIndex(index), [&](MapCell next) {
                const std::size_t n = GridIndex(next);
                if (entry[n] != Blocked && cost[index] + entry[n] < cost[n]) {
                    cost[n] = cost[index] + entry[n];
                    changed = true;
                }
            });
        }
    }
    for (int& c : cost)
        c = c == Unreached ? NotReached : c;
    return cost;
}

bool AreSideNeighbours(MapCell a, MapCell b) {
    return std::abs(a.X - b.X) + std::abs(a.Y - b.Y) == 1;
}

TEST(GridWalk, CostWalkFindsTheLeastCostOfEveryCellAndAWayOfThatCost) {
    CellCosts costs;
    CellSources cameFrom;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        const std::vector<int> entry = RandomEntryCosts(rng);
        const std::vector<MapCell> starts = RandomStarts(rng);

        CostWalk walk(costs, &cameFrom);
        for (const MapCell start : starts)
            walk.Start(start);
        int lastSettled = 0;
        int settledCount = 0;
        walk.Run([&](MapCell, MapCell to) { return entry[GridIndex(to)]; },
                 [&](MapCell cell, int cost) {
                     EXPECT_GE(cost, lastSettled) << "cells are settled cheapest first";
                     EXPECT_EQ(cost, costs[GridIndex(cell)]);
                     lastSettled = cost;
                     ++settledCount;
                     return true;
                 });

        const std::vector<int> expected = RelaxedCosts(entry, starts);
        int reached = 0;
        for (std::size_t index = 0; index < MapCells; ++index) {
            ASSERT_EQ(costs[index], expected[index]) << "cell " << index;
            if (costs[index] == NotReached) continue;
            ++reached;
            const MapCell cell = CellOfIndex(index);
            const std::size_t from = cameFrom[index];
            if (costs[index] == 0 && from == index) continue; // a start
            ASSERT_TRUE(AreSideNeighbours(CellOfIndex(from), cell)) << "cell " << index;
            EXPECT_EQ(costs[from] + entry[index], costs[index]) << "cell " << index;
        }
        EXPECT_EQ(settledCount, reached) << "every reached cell is settled once";
    }
}

TEST(GridWalk, CostWalkStoppedPastABoundHasSettledEveryCellWithinIt) {
    std::mt19937 rng(77);
    const std::vector<int> entry = RandomEntryCosts(rng);
    const auto price = [&](MapCell, MapCell to) { return entry[GridIndex(to)]; };
    CellCosts full;
    CostWalk whole(full);
    whole.Start({24, 24});
    whole.Run(price);

    for (const int bound : {0, 5, 20, 40}) {
        SCOPED_TRACE(bound);
        CellCosts costs;
        CostWalk walk(costs);
        walk.Start({24, 24});
        int settled = 0;
        walk.Run(price, [&](MapCell, int cost) {
            ++settled;
            return cost <= bound;
        });
        int within = 0;
        bool beyond = false;
        for (std::size_t index = 0; index < MapCells; ++index) {
            beyond = beyond || (full[index] > bound && full[index] != NotReached);
            if (full[index] <= bound) {
                ++within;
                EXPECT_EQ(costs[index], full[index]) << "cell " << index;
            }
        }
        ASSERT_TRUE(beyond) << "the bound leaves cells out";
        EXPECT_EQ(settled, within + 1) << "every cell within the bound, then the first one past it";
    }
}

TEST(GridWalk, CostWalkWithUnitCostsTakesTheBreadthFirstWalksStepsAndWays) {
    CellCosts costs;
    CellSources cameFrom;
    CellCosts steps;
    CellSources stepFrom;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        std::vector<bool> open(MapCells);
        for (std::size_t i = 0; i < MapCells; ++i)
            open[i] = rng() % 4 != 0;
        const std::vector<MapCell> starts = RandomStarts(rng);

        CostWalk walk(costs, &cameFrom);
        for (const MapCell start : starts)
            walk.Start(start);
        walk.Run([&](MapCell, MapCell to) { return open[GridIndex(to)] ? 1 : -1; });

        steps.fill(NotReached);
        BreadthFirstWalk breadthFirst;
        for (const MapCell start : starts)
            if (steps[GridIndex(start)] != 0) {
                steps[GridIndex(start)] = 0;
                stepFrom[GridIndex(start)] = static_cast<std::uint16_t>(GridIndex(start));
                breadthFirst.Start(start);
            }
        breadthFirst.Run([&](MapCell from, MapCell to) {
            const std::size_t index = GridIndex(to);
            if (!open[index] || steps[index] != NotReached) return false;
            steps[index] = static_cast<std::uint16_t>(steps[GridIndex(from)] + 1);
            stepFrom[index] = static_cast<std::uint16_t>(GridIndex(from));
            return true;
        });

        for (std::size_t index = 0; index < MapCells; ++index) {
            ASSERT_EQ(costs[index], steps[index]) << "cell " << index;
            if (steps[index] != NotReached) {
                ASSERT_EQ(cameFrom[index], stepFrom[index]) << "cell " << index;
            }
        }
    }
}

} // namespace
} // namespace tav
