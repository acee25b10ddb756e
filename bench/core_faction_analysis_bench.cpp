// The faction analysis runs after every change of the map while its window is up.
#include "FactionAnalysis.h"
#include "MapGrid.h"

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

void BM_AnalyseFactionsOnABusyMap(benchmark::State& state) {
    const MapGrid grid = BusyMap();
    for (auto _ : state) {
        FactionAnalysis analysis = AnalyseFactions(grid);
        benchmark::DoNotOptimize(&analysis);
    }
}
BENCHMARK(BM_AnalyseFactionsOnABusyMap)->Unit(benchmark::kMicrosecond);

// The most walking: every cell open, so each of the four walks visits all 2304 cells.
void BM_AnalyseFactionsOnAnOpenMap(benchmark::State& state) {
    MapGrid grid = FilledGrid(0);
    for (int f = 0; f < FactionCount; ++f)
        grid[CellIndex(f % 2 ? 40 : 7, f / 2 ? 40 : 7)] = static_cast<TileCode>(20 + f);
    for (auto _ : state) {
        FactionAnalysis analysis = AnalyseFactions(grid);
        benchmark::DoNotOptimize(&analysis);
    }
}
BENCHMARK(BM_AnalyseFactionsOnAnOpenMap)->Unit(benchmark::kMicrosecond);

} // namespace
