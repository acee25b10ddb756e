#include "DrawTools.h"

#include <benchmark/benchmark.h>

namespace tav {
namespace {

// The tool cursor recomputes its shape on every mouse move and blink, so the largest shapes set the pace.
void BM_ComputeShapeLargestBox(benchmark::State& state) {
    ShapeCells cells;
    for (auto _ : state) {
        ComputeShape(cells, DrawTool::Box, 0, 0, 47, 47);
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_ComputeShapeLargestBox);

void BM_ComputeShapeLargestEllipse(benchmark::State& state) {
    ShapeCells cells;
    for (auto _ : state) {
        ComputeShape(cells, DrawTool::Circle, 0, 0, 46, 46);
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_ComputeShapeLargestEllipse);

void BM_ComputeShapeLongestLine(benchmark::State& state) {
    ShapeCells cells;
    for (auto _ : state) {
        ComputeShape(cells, DrawTool::Line, 0, 47, 47, 0);
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_ComputeShapeLongestLine);

// Every paint of a one-code map repaints all 2304 cells, whatever the code written, so each iteration does
// the full fill.
void BM_BucketOneCodeMap(benchmark::State& state) {
    MapGrid grid = FilledGrid(NewMapTile);
    ShapeCells cells;
    for (auto _ : state) {
        ApplyToolToGrid(cells, grid, DrawTool::Bucket, NewMapTile, -1, -1, 23, 23);
        benchmark::DoNotOptimize(grid);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * MapCells);
}
BENCHMARK(BM_BucketOneCodeMap);

void BM_CircleFillWholeMap(benchmark::State& state) {
    MapGrid grid = FilledGrid(NewMapTile);
    ShapeCells cells;
    for (auto _ : state) {
        ApplyToolToGrid(cells, grid, DrawTool::CircleFill, 3, 0, 0, 47, 47);
        benchmark::DoNotOptimize(grid);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CircleFillWholeMap);

} // namespace
} // namespace tav
