#include "MapImage.h"

#include <benchmark/benchmark.h>

#include <random>

namespace tav {
namespace {

MapDocument RandomDocument() {
    MapDocument doc;
    std::mt19937 rng(42);
    for (auto& code : doc.Grid)
        code = static_cast<TileCode>(rng() & 0xFF);
    doc.CurrentTileSet = 7;
    return doc;
}

void BM_BuildMapImage(benchmark::State& state) {
    const MapDocument doc = RandomDocument();
    for (auto _ : state) {
        MapImage image = BuildMapImage(doc);
        benchmark::DoNotOptimize(image);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(MapFileSize));
}
BENCHMARK(BM_BuildMapImage);

void BM_ReadMapImage(benchmark::State& state) {
    const MapImage image = BuildMapImage(RandomDocument());
    for (auto _ : state) {
        auto content = ReadMapImage(image);
        benchmark::DoNotOptimize(content);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(MapFileSize));
}
BENCHMARK(BM_ReadMapImage);

} // namespace
} // namespace tav
