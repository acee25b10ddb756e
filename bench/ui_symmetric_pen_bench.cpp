// One move of the held pen into a new cell with 四方回転 on and the faction analysis window shown: the cell
// and its three images painted as part of the stroke's step, drawn in the edit window and the preview, the
// cursor and its images moved, the analysis refreshed, and the event loop's repaint. Target: under 2 ms with
// the faction window shown (argument 1); without it (argument 0) the figure is the painting's own share.

#include "BenchEditor.h"
#include "Document.h"
#include "MainWindow.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_QuarterSymmetryPenMoveWithFactionWindow(benchmark::State& state) {
    tav::bench::BenchEditor editor(8);
    editor.window->Map()->SetSymmetry(tav::SymmetryMode::Quarter);
    if (state.range(0) != 0)
        editor.window->ShowFactionView();
    QApplication::processEvents();
    // A zigzag through the top-left quarter (whose images fill the rest of the map); each pass is a stroke of
    // its own with another code, so every move paints four cells.
    constexpr int Side = tav::MapSize / 2;
    int step = 0;
    int pass = 0;
    const auto cellAt = [](int i) {
        const int row = i / Side;
        const int column = row % 2 == 0 ? i % Side : Side - 1 - i % Side;
        return QPoint(column, row);
    };
    const auto startPass = [&] {
        editor.Pick(1 + pass % 100);
        editor.Mouse(QEvent::MouseButtonPress, editor.CellPixel(cellAt(0)), Qt::LeftButton, Qt::LeftButton);
        QApplication::processEvents();
    };
    startPass();
    for (auto _ : state) {
        ++step;
        if (step == Side * Side) {
            state.PauseTiming();
            editor.Mouse(QEvent::MouseButtonRelease, editor.CellPixel(cellAt(step - 1)), Qt::LeftButton,
                         Qt::NoButton);
            step = 0;
            ++pass;
            startPass();
            ++step;
            state.ResumeTiming();
        }
        editor.Mouse(QEvent::MouseMove, editor.CellPixel(cellAt(step)), Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_QuarterSymmetryPenMoveWithFactionWindow)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace
