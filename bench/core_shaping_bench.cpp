// Shaping runs on every save and on Ctrl+F, the check before every save: both on the whole map.
#include "MapCheck.h"
#include "MapGrid.h"
#include "Shaping.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace tav;

// A busy map: mostly the terrain codes the rules act on, a few castles, some of every other code.
MapGrid RandomMap() {
    static constexpr TileCode kinds[] = {0, 0, 1, 1, 5, 8, 9, 10, 32, 32, 48, 48, 48, 96, 96, 122, 7};
    std::mt19937 rng(12345);
    MapGrid grid{};
    for (TileCode& c : grid)
        c = (rng() % 5 == 0) ? static_cast<TileCode>(rng() & 0xFF) : kinds[rng() % std::size(kinds)];
    return grid;
}

void BM_ShapeMap(benchmark::State& state) {
    const MapGrid source = RandomMap();
    for (auto _ : state) {
        MapGrid grid = source;
        ShapeMap(grid);
        benchmark::DoNotOptimize(grid.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ShapeMap);

void BM_UnshapeMap(benchmark::State& state) {
    MapGrid shaped = RandomMap();
    ShapeMap(shaped);
    for (auto _ : state) {
        MapGrid grid = shaped;
        UnshapeMap(grid);
        benchmark::DoNotOptimize(grid.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_UnshapeMap);

void BM_CheckMap(benchmark::State& state) {
    const MapGrid grid = RandomMap();
    for (auto _ : state) {
        MapCheckReport report = CheckMap(grid, TileSet::Verda);
        benchmark::DoNotOptimize(report.Lines.data());
    }
}
BENCHMARK(BM_CheckMap);

} // namespace
