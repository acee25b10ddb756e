// 対称にする in the editor: the whole-map step pushed, every view redrawn and painted. The source share
// alternates between two quadrants, so every run changes the map.
#include "BenchEditor.h"
#include "MapCommands.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_SymmetrizeWithRedraw(benchmark::State& state) {
    tav::bench::BenchEditor editor(static_cast<int>(state.range(0)));
    tav::Document* map = editor.window->Map();
    // The editor's many-code map without its castles, whose left-out ones would each bring up a message.
    tav::MapGrid grid = map->Grid();
    for (tav::TileCode& code : grid)
        if (code >= 20 && code <= 23)
            code = 0;
    map->Reset(grid, tav::TileSet::Verda, QString(), QString());
    map->SetSymmetry(tav::SymmetryMode::Quad);
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        ++step;
        editor.window->MapEdits()->SymmetrizeMapFrom(step % 2 ? tav::SymmetrySource::BottomRight
                                                               : tav::SymmetrySource::TopLeft);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_SymmetrizeWithRedraw)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

} // namespace
