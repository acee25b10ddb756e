// A fast pen stroke as the edit window meets it: one mouse move that crosses the whole map (48 cells) and
// is filled in between, with the stroke's step, the cells drawn in the edit window and the preview, the
// cursor moved, and the event loop's repaint of the screen.

#include "Document.h"
#include "MainWindow.h"
#include "Platform.h"
#include "TilePalette.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Real screen size, but timers that never tick on their own, so the blink never runs inside a measurement.
class QuietPlatform : public tav::Platform {
public:
    bool TimersRun() const override { return false; }
};

void Mouse(QWidget* map, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), map->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(map, &event);
}

// Press at the left edge, one move to the right edge of the same row, release: 48 cells in one step of
// the history. Rows and codes change every time, so every stroke paints all its cells.
void BM_FortyEightCellStrokeSegmentWithRepaint(benchmark::State& state) {
    tav::InstallPlatform(std::make_unique<QuietPlatform>());
    {
        auto window = std::make_unique<tav::MainWindow>();
        window->show();
        window->SelectScale(static_cast<int>(state.range(0)));
        QApplication::processEvents();
        QWidget* map = window->findChild<QWidget*>(QStringLiteral("EditMapImage"));
        auto* palette = window->findChild<tav::TilePalette*>();
        const int e = state.range(0) == tav::Large ? 32 : state.range(0) == tav::Middle ? 16 : 8;
        int stroke = 0;
        for (auto _ : state) {
            ++stroke;
            state.PauseTiming();
            palette->Pick(1 + stroke % 100);
            state.ResumeTiming();
            const int y = (stroke % 12) * e + e / 2; // rows the window shows at every scale
            Mouse(map, QEvent::MouseButtonPress, {e / 2, y}, Qt::LeftButton, Qt::LeftButton);
            Mouse(map, QEvent::MouseMove, {47 * e + e / 2, y}, Qt::NoButton, Qt::LeftButton);
            Mouse(map, QEvent::MouseButtonRelease, {47 * e + e / 2, y}, Qt::LeftButton, Qt::NoButton);
            QApplication::processEvents();
        }
        state.SetItemsProcessed(48 * state.iterations());
    }
    tav::InstallPlatform(nullptr);
}
BENCHMARK(BM_FortyEightCellStrokeSegmentWithRepaint)
    ->Arg(tav::Small)
    ->Arg(tav::Large)
    ->Unit(benchmark::kMicrosecond);

} // namespace
