// A pen move into a new cell with the territory overlay shown: the stroke's step, the cell drawn, the map
// analysed and the cells whose holder changed tinted anew, the balance figure measured, and the event
// loop's repaint of the screen. The second argument 1 measures the lead picture under a cost table of 1..3
// and a turn order other than the default, 0 the territory under the defaults.

#include "BalanceReport.h"
#include "BenchEditor.h"

#include <benchmark/benchmark.h>

namespace {

void BM_PenMoveIntoNewCellWithTerritoryOverlay(benchmark::State& state) {
    tav::bench::BenchEditor editor(static_cast<int>(state.range(0)));
    tav::MovementCosts costs;
    tav::TurnOrder order;
    if (state.range(1)) {
        costs[tav::CostClass::Forest] = 2;
        costs[tav::CostClass::Plateau] = 3;
        costs[tav::CostClass::MountainPath] = 3;
        costs[tav::CostClass::Field] = 2;
        order = tav::TurnOrder{{2, 0, 3, 1}};
        editor.view->SetTintKind(tav::TintKind::Lead);
    }
    editor.view->SetMovementRules(costs, order);
    editor.view->SetTerritoryShown(true);
    // The status bar's figure, as the main window keeps it while the overlay is on (made here so that the
    // benchmark stores no settings).
    tav::BalanceReport balance(editor.window->Map(), nullptr);
    balance.SetMovementRules(costs, order);
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
BENCHMARK(BM_PenMoveIntoNewCellWithTerritoryOverlay)
    ->Args({8, 0})
    ->Args({32, 0})
    ->Args({32, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace
