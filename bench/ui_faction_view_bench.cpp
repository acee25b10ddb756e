// One update of the faction analysis window, as after each change of the map: analysis, table, notes and
// the tinted picture, then the event loop's layout and paint of the window. Two maps that differ in one cell
// take turns, so every update changes the figures. Beside it, the analysis alone (the window's refresh should
// take no more than twice as long) and the whole-picture redraw the window did before.
#include "FactionAnalysisView.h"
#include "TerritoryTint.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QPixmap>

#include <benchmark/benchmark.h>

namespace {

using namespace tav;

std::array<MapGrid, 2> TwoMaps() {
    MapGrid grid = FilledGrid(0);
    for (int i = 0; i < MapSize; ++i) // a river across the middle with one ford
        grid[CellIndex(i, 24)] = 48;
    for (int f = 0; f < FactionCount; ++f)
        grid[CellIndex(f % 2 ? 40 : 7, f / 2 ? 40 : 7)] = static_cast<TileCode>(20 + f);
    for (int i = 0; i < 40; ++i)
        grid[CellIndex((i * 7) % MapSize, (i * 11) % MapSize)] = static_cast<TileCode>(8 + i % 8);
    grid[CellIndex(30, 24)] = 0;
    MapGrid other = grid;
    other[CellIndex(30, 24)] = 48;
    other[CellIndex(10, 24)] = 0;
    return {grid, other};
}

void RunUpdates(benchmark::State& state, bool paint) {
    QMdiArea area;
    auto* view = new FactionAnalysisView;
    area.addSubWindow(view);
    area.resize(900, 700);
    area.show();
    view->show();
    TileBitmaps bitmaps;
    bitmaps.LoadTileSetBitmaps(TileSet::Verda);
    const auto maps = TwoMaps();
    view->ShowMap(maps[0], TileSet::Verda, bitmaps.Picture(PreviewTileEdge));
    std::size_t turn = 0;
    for (auto _ : state) {
        turn ^= 1;
        view->ShowMap(maps[turn], TileSet::Verda, bitmaps.Picture(PreviewTileEdge));
        if (paint)
            QCoreApplication::processEvents();
    }
}

void BM_FactionViewShowMap(benchmark::State& state) {
    RunUpdates(state, false);
}
BENCHMARK(BM_FactionViewShowMap)->Unit(benchmark::kMicrosecond);

void BM_FactionViewShowMapAndPaint(benchmark::State& state) {
    RunUpdates(state, true);
}
BENCHMARK(BM_FactionViewShowMapAndPaint)->Unit(benchmark::kMicrosecond);

// The yardstick of the window's refresh: the analysis alone, of the same two maps in turn.
void BM_FactionAnalysisAlone(benchmark::State& state) {
    const auto maps = TwoMaps();
    std::size_t turn = 0;
    for (auto _ : state) {
        turn ^= 1;
        benchmark::DoNotOptimize(AnalyseFactions(maps[turn]));
    }
}
BENCHMARK(BM_FactionAnalysisAlone)->Unit(benchmark::kMicrosecond);

// The picture as the window drew it before it followed the changed cells: the whole map rendered, tinted
// and made a pixmap after every change.
void BM_WholeTerritoryPicture(benchmark::State& state) {
    TileBitmaps bitmaps;
    bitmaps.LoadTileSetBitmaps(TileSet::Verda);
    const auto maps = TwoMaps();
    std::size_t turn = 0;
    for (auto _ : state) {
        turn ^= 1;
        const QImage map = RenderMap(maps[turn], bitmaps.Picture(PreviewTileEdge), Pixels(PreviewTileEdge));
        benchmark::DoNotOptimize(
            QPixmap::fromImage(TerritoryPicture(AnalyseFactions(maps[turn]), TileSet::Verda, map)));
    }
}
BENCHMARK(BM_WholeTerritoryPicture)->Unit(benchmark::kMicrosecond);

} // namespace
