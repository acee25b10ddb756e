// The faction analysis runs after every change of the map while its window is up. Each map is timed three
// ways in one run: the step analysis as it was before movement costs (a frozen copy), the analysis
// with the default table, and with a table of costs 1 to 3. The default table should stay within 1.5 times
// the step analysis, costs 1 to 3 within 3 times.
#include "FactionAnalysis.h"
#include "MapGrid.h"
#include "StepAnalysisBefore.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace tav;

// A playable-looking map: open ground with water and mountain patches, houses, one castle per faction.
MapGrid BusyMap() {
    static constexpr TileCode kinds[] = {0, 0, 0, 0, 1, 32, 48, 96, 8, 9, 10, 11, 12, 29, 122};
    std::mt19937 rng(2024);
    MapGrid grid{};
    for (TileCode& c : grid)
        c = kinds[rng() % std::size(kinds)];
    for (int f = 0; f < FactionCount; ++f)
        grid[CellIndex(8 + 10 * f, 8 + 10 * f)] = static_cast<TileCode>(20 + f);
    return grid;
}

// The most walking: every cell open, so each of the four walks visits all 2304 cells.
MapGrid OpenMap() {
    MapGrid grid = FilledGrid(0);
    for (int f = 0; f < FactionCount; ++f)
        grid[CellIndex(f % 2 ? 40 : 7, f / 2 ? 40 : 7)] = static_cast<TileCode>(20 + f);
    return grid;
}

// Costs 1 to 3 over the classes, so no walk can count plain steps.
MovementCosts CostsOneToThree() {
    MovementCosts costs;
    const std::uint8_t entries[CostClassCount] = {1, 2, 2, 3, 1, 2, 1, 3, 2, 3};
    std::copy(std::begin(entries), std::end(entries), costs.Entry.begin());
    return costs;
}

void BM_StepAnalysisBeforeCosts(benchmark::State& state, MapGrid (*makeMap)()) {
    const MapGrid grid = makeMap();
    for (auto _ : state) {
        before::StepFigures figures = before::AnalyseBySteps(grid);
        benchmark::DoNotOptimize(&figures);
    }
}
BENCHMARK_CAPTURE(BM_StepAnalysisBeforeCosts, BusyMap, BusyMap)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_StepAnalysisBeforeCosts, OpenMap, OpenMap)->Unit(benchmark::kMicrosecond);

void BM_AnalyseFactionsDefaultTable(benchmark::State& state, MapGrid (*makeMap)()) {
    const MapGrid grid = makeMap();
    for (auto _ : state) {
        FactionAnalysis analysis = AnalyseFactions(grid);
        benchmark::DoNotOptimize(&analysis);
    }
}
BENCHMARK_CAPTURE(BM_AnalyseFactionsDefaultTable, BusyMap, BusyMap)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AnalyseFactionsDefaultTable, OpenMap, OpenMap)->Unit(benchmark::kMicrosecond);

void BM_AnalyseFactionsCostsOneToThree(benchmark::State& state, MapGrid (*makeMap)()) {
    const MapGrid grid = makeMap();
    const MovementCosts costs = CostsOneToThree();
    const TurnOrder order{{2, 0, 3, 1}};
    for (auto _ : state) {
        FactionAnalysis analysis = AnalyseFactions(grid, costs, order);
        benchmark::DoNotOptimize(&analysis);
    }
}
BENCHMARK_CAPTURE(BM_AnalyseFactionsCostsOneToThree, BusyMap, BusyMap)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AnalyseFactionsCostsOneToThree, OpenMap, OpenMap)->Unit(benchmark::kMicrosecond);

} // namespace
