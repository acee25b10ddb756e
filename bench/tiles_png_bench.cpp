// Map pictures as PNG: the generator's five maps at 8, 16 and 32 pixels, each encoded beside zlib's fastest
// level on the same 8-bit indices, in the same loop, so the printed ratios compare like with like.
//
//   BM_PngCompressionChoices/<edge>/<choice>   size and time of each row filter, level and strategy tried;
//                                              the choice MapPng uses is among them (MapPngCompression)
//   BM_MapPngEncoding/<edge>                   the encoder as MapPng runs it, beside zlib level 1
//   BM_MapPngPerCall/<edge>                    everything one `tavrenna-map render` pays for its picture: the
//                                              one tile picture decoded and indexed, the map drawn, encoded
//
// The sizes optipng -o2 reaches on the same pictures: bench/png_sizes.sh.

#include "GeneratorMaps.h"
#include "MapPng.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QBuffer>
#include <QImageWriter>

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace tav {
namespace {

// Thread CPU time, so that other work on the machine does not move the ratio.
double Now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

TileEdge EdgeOf(const benchmark::State& state) {
    return TileEdgeOfPixels(static_cast<int>(state.range(0))).value();
}

// The five maps drawn as 8-bit indices at one edge, each from its own tile set.
std::vector<QImage> IndexedMaps(TileEdge edge) {
    std::vector<QImage> pictures;
    for (const bench::GeneratorMap& map : bench::GeneratorMaps())
        pictures.push_back(RenderMapIndexed(
            map.Grid, IndexedTilePicture(ReadTileSetPicture(TileBitmaps::LinkedPictureRoot(), map.Set, edge)),
            Pixels(edge)));
    return pictures;
}

// zlib level 1 on the bare indices: the least any deflate of the picture costs.
double ZlibFastest(const QImage& indexed, std::vector<Bytef>& packed) {
    packed.resize(compressBound(static_cast<uLong>(indexed.sizeInBytes())));
    uLongf size = static_cast<uLongf>(packed.size());
    const double start = Now();
    compress2(packed.data(), &size, indexed.constBits(), static_cast<uLong>(indexed.sizeInBytes()), 1);
    benchmark::DoNotOptimize(size);
    return Now() - start;
}

struct Choice {
    const char* Name;
    PngCompression Compression;
};

constexpr Choice Choices[] = {
    {"none_level1", {1, Z_DEFAULT_STRATEGY, PngRowFilter::None}},
    {"none_level3", {3, Z_DEFAULT_STRATEGY, PngRowFilter::None}},
    {"none_level4", {4, Z_DEFAULT_STRATEGY, PngRowFilter::None}},
    {"none_level6", {6, Z_DEFAULT_STRATEGY, PngRowFilter::None}},
    {"none_level9", {9, Z_DEFAULT_STRATEGY, PngRowFilter::None}},
    {"none_level6_filtered", {6, Z_FILTERED, PngRowFilter::None}},
    {"none_rle", {1, Z_RLE, PngRowFilter::None}},
    {"up_level1", {1, Z_DEFAULT_STRATEGY, PngRowFilter::Up}},
    {"up_level3", {3, Z_DEFAULT_STRATEGY, PngRowFilter::Up}},
    {"up_level6", {6, Z_DEFAULT_STRATEGY, PngRowFilter::Up}},
    {"up_level9", {9, Z_DEFAULT_STRATEGY, PngRowFilter::Up}},
    {"up_rle", {1, Z_RLE, PngRowFilter::Up}},
    // The fast matcher (levels 1-3) and the lazy one (4-9) with their searches set anew: matches up to
    // PNG's longest (258), few places tried.
    {"none_fast_nice258_chain8", {3, Z_DEFAULT_STRATEGY, PngRowFilter::None, 4, 6, 258, 8}},
    {"none_fast_nice258_chain32", {3, Z_DEFAULT_STRATEGY, PngRowFilter::None, 4, 6, 258, 32}},
    {"none_fast_nice258_chain128", {3, Z_DEFAULT_STRATEGY, PngRowFilter::None, 8, 16, 258, 128}},
    {"none_lazy_nice258_chain4", {6, Z_DEFAULT_STRATEGY, PngRowFilter::None, 4, 16, 258, 4}},
    {"none_lazy_nice258_chain8", {6, Z_DEFAULT_STRATEGY, PngRowFilter::None, 8, 16, 258, 8}},
    {"none_lazy_nice258_chain16", {6, Z_DEFAULT_STRATEGY, PngRowFilter::None, 8, 16, 258, 16}},
    {"none_lazy_nice258_chain32", {6, Z_DEFAULT_STRATEGY, PngRowFilter::None, 8, 32, 258, 32}},
    {"none_lazy_nice64_chain16", {6, Z_DEFAULT_STRATEGY, PngRowFilter::None, 8, 16, 64, 16}},
    {"none_lazy_nice258_chain64", {6, Z_DEFAULT_STRATEGY, PngRowFilter::None, 8, 32, 258, 64}},
    {"up_lazy_nice258_chain8", {6, Z_DEFAULT_STRATEGY, PngRowFilter::Up, 8, 16, 258, 8}},
    {"up_lazy_nice258_chain16", {6, Z_DEFAULT_STRATEGY, PngRowFilter::Up, 8, 16, 258, 16}},
    {"up_lazy_nice258_chain32", {6, Z_DEFAULT_STRATEGY, PngRowFilter::Up, 8, 32, 258, 32}},
    {"up_lazy_nice258_chain64", {6, Z_DEFAULT_STRATEGY, PngRowFilter::Up, 8, 32, 258, 64}},
};

// Encodes every map with `compression` and zlib level 1 in turn; reports the summed sizes and times.
void TimeEncodings(benchmark::State& state, const PngCompression& compression) {
    const std::vector<QImage> maps = IndexedMaps(EdgeOf(state));
    std::vector<Bytef> packed;
    double ours = 0, floor = 0, bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const QImage& map : maps) {
            const double start = Now();
            const QByteArray png = EncodePng(map, compression);
            ours += Now() - start;
            bytes += static_cast<double>(png.size());
            floor += ZlibFastest(map, packed);
        }
    }
    const auto rounds = static_cast<double>(state.iterations());
    state.counters["ms"] = ours * 1000 / rounds;
    state.counters["zlib1_ms"] = floor * 1000 / rounds;
    state.counters["x_zlib1"] = ours / floor;
    state.counters["bytes"] = bytes;
}

void BM_MapPngEncoding(benchmark::State& state) {
    TimeEncodings(state, MapPngCompression);
}
BENCHMARK(BM_MapPngEncoding)->Arg(8)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond)->Iterations(10);

const bool registered = [] {
    for (const Choice& choice : Choices)
        for (const int edge : {8, 16, 32})
            benchmark::RegisterBenchmark(
                ("BM_PngCompressionChoices/" + std::to_string(edge) + "/" + choice.Name).c_str(),
                [&choice](benchmark::State& state) { TimeEncodings(state, choice.Compression); })
                ->Arg(edge)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(5);
    return true;
}();

// One render call's picture work, paid in full every time: nothing read, indexed or drawn survives from one
// iteration to the next, as nothing survives from one run of the tool to the next.
void BM_MapPngPerCall(benchmark::State& state) {
    const TileEdge edge = EdgeOf(state);
    const std::vector<bench::GeneratorMap> maps = bench::GeneratorMaps();
    std::vector<Bytef> packed;
    double ours = 0, floor = 0;
    std::size_t next = 0;
    for (auto _ : state) {
        const bench::GeneratorMap& map = maps[next++ % maps.size()];
        const double start = Now();
        const QImage tiles = ReadTileSetPicture(TileBitmaps::LinkedPictureRoot(), map.Set, edge);
        const QByteArray png = MapPng(map.Grid, tiles, Pixels(edge));
        ours += Now() - start;
        benchmark::DoNotOptimize(png.data());
        state.PauseTiming();
        floor += ZlibFastest(RenderMapIndexed(map.Grid, IndexedTilePicture(tiles), Pixels(edge)), packed);
        state.ResumeTiming();
    }
    const auto calls = static_cast<double>(state.iterations());
    state.counters["ms"] = ours * 1000 / calls;
    state.counters["x_zlib1"] = ours / floor;
}
BENCHMARK(BM_MapPngPerCall)->Arg(8)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond)->Iterations(20);

// What the general encoder makes of the same maps at 32 pixels: its size and time, for comparison.
void BM_GeneralPngEncoderAt32Pixels(benchmark::State& state) {
    std::vector<QImage> maps;
    for (const bench::GeneratorMap& map : bench::GeneratorMaps())
        maps.push_back(RenderMap(map.Grid, ReadTileSetPicture(TileBitmaps::LinkedPictureRoot(), map.Set, TileEdge::Px32), 32));
    double bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const QImage& map : maps) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter(&buffer, "png").write(map);
            bytes += static_cast<double>(png.size());
        }
    }
    state.counters["bytes"] = bytes;
}
BENCHMARK(BM_GeneralPngEncoderAt32Pixels)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace tav
