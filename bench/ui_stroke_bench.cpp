// A fast pen stroke as the edit window meets it: one mouse move that crosses the whole map (48 cells) and
// is filled in between, with the stroke's step, the cells drawn in the edit window and the preview, the
// cursor moved, and the event loop's repaint of the screen.

#include "Document.h"
#include "BenchEditor.h"
#include "MainWindow.h"
#include "Platform.h"
#include "TilePalette.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Press at the left edge, one move to the right edge of the same row, release: 48 cells in one step of
// the history. Rows and codes change every time, so every stroke paints all its cells.
void BM_FortyEightCellStrokeSegmentWithRepaint(benchmark::State& state) {
    tav::bench::BenchEditor editor(static_cast<int>(state.range(0)));
    const int e = editor.edge;
    int stroke = 0;
    for (auto _ : state) {
        ++stroke;
        state.PauseTiming();
        editor.Pick(1 + stroke % 100);
        state.ResumeTiming();
        const int y = (stroke % 12) * e + e / 2; // rows the window shows at every tile edge
        editor.Mouse(QEvent::MouseButtonPress, {e / 2, y}, Qt::LeftButton, Qt::LeftButton);
        editor.Mouse(QEvent::MouseMove, {47 * e + e / 2, y}, Qt::NoButton, Qt::LeftButton);
        editor.Mouse(QEvent::MouseButtonRelease, {47 * e + e / 2, y}, Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
    }
    state.SetItemsProcessed(48 * state.iterations());
}
BENCHMARK(BM_FortyEightCellStrokeSegmentWithRepaint)
    ->Arg(8)
    ->Arg(32)
    ->Unit(benchmark::kMicrosecond);

} // namespace
