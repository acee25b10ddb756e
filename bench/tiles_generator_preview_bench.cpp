// What the generator's dialog does on each change of a parameter, off the user-interface thread: one map at
// the defaults, shaping, check and analysis included, and its preview drawn at 4 pixels per cell through the
// one render path. Target: under 50 ms, so that the preview follows the fields as they are typed.
//
//   build/<dir>/bench/tiles_bench --benchmark_filter=GeneratorPreview

#include "GeneratorNoise.h"
#include "MapGenerator.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <benchmark/benchmark.h>

namespace tav {
namespace {

void BM_GeneratorPreviewAtTheDefaults(benchmark::State& state) {
    const QImage tiles =
        ReadTileSetPictures(TileBitmaps::LinkedPictureRoot(), TileSet::Verda)[TileBitmaps::SlotOf(TileEdge::Px4)];
    GeneratorParameters parameters; // the dialog's defaults
    std::uint64_t seed = 0;
    int failures = 0;
    for (auto _ : state) {
        parameters.Seed = MixBits(++seed);
        const GenerationResult result = GenerateMap(parameters);
        if (!result.Map) {
            ++failures;
            continue;
        }
        QImage preview = RenderMap(result.Map->Grid, tiles, Pixels(TileEdge::Px4));
        benchmark::DoNotOptimize(preview.constBits());
    }
    state.counters["failures"] = failures;
}
BENCHMARK(BM_GeneratorPreviewAtTheDefaults)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tav
