// 対称にする in the editor: the whole-map step pushed, every view redrawn and painted. Each run starts from
// the uneven map again: its undo, outside the measurement, takes the step back.
#include "BenchEditor.h"
#include "MapCommands.h"

#include <QApplication>
#include <QUndoStack>

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
    for (auto _ : state) {
        editor.window->MapEdits()->SymmetrizeMapFrom(tav::SymmetrySource::TopLeft);
        QApplication::processEvents();
        state.PauseTiming();
        if (map->Grid() == grid)
            state.SkipWithError("対称にする changed nothing");
        map->UndoStack()->undo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SymmetrizeWithRedraw)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

} // namespace
