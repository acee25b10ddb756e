// PNG output against its floor: the map picture at 32 pixels encoded as our files are, beside zlib's fastest
// level on the same 8-bit indices alone. Both run in the same loop, so the printed ratio compares like with like.

#include "MapPng.h"
#include "Shaping.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QBuffer>
#include <QImageWriter>

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <ctime>
#include <random>
#include <vector>

namespace tav {
namespace {

MapGrid BenchmarkMap() {
    std::mt19937 rng(42);
    MapGrid grid{};
    constexpr TileCode terrain[] = {0, 0, 0, 1, 32, 48, 48, 96, 8, 12, 5};
    for (auto& code : grid)
        code = terrain[rng() % std::size(terrain)];
    ShapeMap(grid);
    return grid;
}

// Thread CPU time, so that other work on the machine does not move the ratio.
double Now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void BM_MapPngAt32PixelsBesideZlibFastest(benchmark::State& state) {
    const MapGrid grid = BenchmarkMap();
    const QImage tiles = ReadTileSetPictures(TileBitmaps::LinkedPictureRoot(), TileSet::Verda)[TileBitmaps::SlotOf(TileEdge::Px32)];
    // The floor's input: the indices the picture holds, drawn once outside the loop.
    const QImage indexed = RenderMapIndexed(grid, IndexedTilePicture(tiles), 32);
    std::vector<Bytef> packed(compressBound(static_cast<uLong>(indexed.sizeInBytes())));
    double ours = 0, floor = 0;
    qsizetype bytes = 0;
    for (auto _ : state) {
        double start = Now();
        const QByteArray png = MapPng(grid, tiles, 32);
        ours += Now() - start;
        bytes = png.size();
        start = Now();
        uLongf size = static_cast<uLongf>(packed.size());
        compress2(packed.data(), &size, indexed.constBits(), static_cast<uLong>(indexed.sizeInBytes()), 1);
        floor += Now() - start;
        benchmark::DoNotOptimize(size);
            }
    state.counters["ms"] = ours * 1000 / static_cast<double>(state.iterations());
    state.counters["zlib1_ms"] = floor * 1000 / static_cast<double>(state.iterations());
    state.counters["ratio"] = ours / floor;
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_MapPngAt32PixelsBesideZlibFastest)->Unit(benchmark::kMillisecond)->Iterations(30);

// What the general encoder made of the same map before: its size and time, for the note.
void BM_GeneralPngEncoderAt32Pixels(benchmark::State& state) {
    const MapGrid grid = BenchmarkMap();
    const QImage tiles = ReadTileSetPictures(TileBitmaps::LinkedPictureRoot(), TileSet::Verda)[TileBitmaps::SlotOf(TileEdge::Px32)];
    qsizetype bytes = 0;
    for (auto _ : state) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "png").write(RenderMap(grid, tiles, 32));
        bytes = png.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_GeneralPngEncoderAt32Pixels)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
} // namespace tav
