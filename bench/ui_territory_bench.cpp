// A pen move into a new cell with the territory overlay shown: the stroke's step, the cell drawn, the map
// analysed and the cells whose holder changed tinted anew, the balance figure measured, and the event
// loop's repaint of the screen.

#include "BalanceReport.h"
#include "BenchEditor.h"

#include <benchmark/benchmark.h>

namespace {

void BM_PenMoveIntoNewCellWithTerritoryOverlay(benchmark::State& state) {
    tav::bench::BenchEditor editor(static_cast<int>(state.range(0)));
    editor.view->SetTerritoryShown(true);
    // The status bar's figure, as the main window keeps it while the overlay is on (made here so that the
    // benchmark stores no settings).
    tav::BalanceReport balance(editor.window->Map(), nullptr);
    balance.SetActive(true);
    QApplication::processEvents();
    int row = 0;
    int x = 40;
    for (auto _ : state) {
        // Each stroke paints across a row, water over ground and back, so that holders change on the way.
        if (x == 40) {
            state.PauseTiming();
            if (row > 0)
                editor.Mouse(QEvent::MouseButtonRelease, editor.CellPixel({x, row % 12}), Qt::LeftButton,
                             Qt::NoButton);
            ++row;
            x = 0;
            editor.Pick(row % 2 ? 48 : 0);
            editor.Mouse(QEvent::MouseButtonPress, editor.CellPixel({x, row % 12}), Qt::LeftButton,
                         Qt::LeftButton);
            QApplication::processEvents();
            state.ResumeTiming();
        }
        ++x;
        editor.Mouse(QEvent::MouseMove, editor.CellPixel({x, row % 12}), Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PenMoveIntoNewCellWithTerritoryOverlay)->Arg(8)->Arg(32)->Unit(benchmark::kMicrosecond);

} // namespace
