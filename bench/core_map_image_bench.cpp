#include "MapImage.h"

#include <benchmark/benchmark.h>

#include <random>

namespace tav {
namespace {

MapGrid RandomGrid() {
    MapGrid grid{};
    std::mt19937 rng(42);
    for (auto& code : grid)
        code = static_cast<TileCode>(rng() & 0xFF);
    return grid;
}

void BM_BuildMapImage(benchmark::State& state) {
    const MapGrid grid = RandomGrid();
    for (auto _ : state) {
        MapImage image = BuildMapImage(grid, TileSet::Orcana);
        benchmark::DoNotOptimize(image);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(MapFileSize));
}
BENCHMARK(BM_BuildMapImage);

void BM_ReadMapImage(benchmark::State& state) {
    const MapImage image = BuildMapImage(RandomGrid(), TileSet::Orcana);
    for (auto _ : state) {
        auto content = ReadMapImage(image);
        benchmark::DoNotOptimize(content);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(MapFileSize));
}
BENCHMARK(BM_ReadMapImage);

} // namespace
} // namespace tav
