// The editor's drawing paths against the machine's own memory speed. Every benchmark that names a redraw
// times the paint too. Start-up is measured from outside, from exec to the first frame: bench/startup.sh.
//
//   ui_bench                       the drawing benchmarks (Google Benchmark options apply)
//   ui_bench --edit-viewport       the size of the edit window's visible map at 32-pixel tiles in a fresh
//                                  editor on the display in force, "WIDTH HEIGHT": the floor window's size
//                                  for whole_map_through_x.py; then the number of Down presses from the Edit
//                                  menu's first item to 対称にする while a symmetry mode is in force

#include "ApplicationSetup.h"
#include "BenchEditor.h"
#include "Document.h"
#include "MainWindow.h"
#include "PaintStrokeCommand.h"
#include "Platform.h"
#include "ShiftMapCommand.h"
#include "TilePalette.h"

#include <QAction>
#include <QMenu>
#include <QApplication>
#include <QMouseEvent>
#include <QUndoStack>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Editor = tav::bench::BenchEditor;

constexpr std::size_t LargeMapBytes = 1536u * 1536u * 4u;

void BM_MemcpyOfTheLargeMapsBytes(benchmark::State& state) {
    std::vector<unsigned char> from(LargeMapBytes, 1), to(LargeMapBytes, 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), LargeMapBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
        from[0] ^= 1;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargeMapBytes));
}
BENCHMARK(BM_MemcpyOfTheLargeMapsBytes)->Unit(benchmark::kMillisecond);

// Every view redraws the whole map, as after New, Open or a map shift, and paints what shows.
void BM_RedrawMapAt32PixelTiles(benchmark::State& state) {
    Editor editor(32);
    tav::bench::PaintPending();
    for (auto _ : state) {
        emit editor.window->Map()->MapChanged();
        if (tav::bench::PaintPending() == 0) {
            state.SkipWithError("the redraw painted nothing");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargeMapBytes));
}
BENCHMARK(BM_RedrawMapAt32PixelTiles)->Unit(benchmark::kMillisecond);

// One pen move into a new cell: the stroke's step, the cell redrawn in the edit window and the preview,
// the cursor moved.
void BM_PenMoveIntoANewCell(benchmark::State& state) {
    Editor editor(static_cast<int>(state.range(0)));
    const int e = editor.edge;
    editor.Mouse(QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        ++step;
        editor.Pick(step % 8); // a new code, so every move paints
        editor.Mouse(QEvent::MouseMove, {(step % 48) * e + 1, ((step / 48) % 48) * e + 1}, Qt::NoButton,
                     Qt::LeftButton);
    }
    editor.Mouse(QEvent::MouseButtonRelease, {1, 1}, Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_PenMoveIntoANewCell)->Arg(8)->Arg(32)->Unit(benchmark::kMicrosecond);

// A bucket fill over the whole map (each click swaps the map's one code) and the redraw after it.
void BM_BucketFillWithFullRedraw(benchmark::State& state) {
    Editor editor(static_cast<int>(state.range(0)));
    editor.window->Map()->Reset(tav::FilledGrid(1), tav::TileSet::Verda, QString(), QString());
    editor.window->findChild<QAction*>(QStringLiteral("bucketAction"))->trigger();
    int step = 0;
    for (auto _ : state) {
        ++step;
        editor.Pick(1 + step % 2);
        const QPoint at((step % 2) * editor.edge * 10, 0);
        editor.Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        editor.Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        tav::bench::PaintPending();
    }
}
BENCHMARK(BM_BucketFillWithFullRedraw)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

// Undo and redo of a change of every cell (a map shift), with the redraw of every view.
void BM_UndoRedoOfAWholeMapChange(benchmark::State& state) {
    Editor editor(static_cast<int>(state.range(0)));
    tav::Document* map = editor.window->Map();
    map->Push(new tav::edits::ShiftMapCommand(map, tav::ShiftDirection::Down));
    for (auto _ : state) {
        map->UndoStack()->undo();
        tav::bench::PaintPending();
        map->UndoStack()->redo();
        tav::bench::PaintPending();
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_UndoRedoOfAWholeMapChange)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

// The heap that a history of 10,000 pen strokes of 6 cells each holds.
void BM_HistoryOfTenThousandStrokes(benchmark::State& state) {
    Editor editor(8);
    tav::Document* map = editor.window->Map();
    double bytes = 0;
    for (auto _ : state) {
        map->Reset(tav::FilledGrid(0), tav::TileSet::Verda, QString(), QString());
        const auto before = mallinfo2().uordblks;
        for (int stroke = 1; stroke <= 10000; ++stroke)
            for (int i = 0; i < 6; ++i)
                map->Push(new tav::edits::PaintStrokeCommand(map, static_cast<tav::TileCode>(1 + stroke % 100),
                                                      (stroke + i) % 48, (stroke / 48 + i) % 48, stroke));
        bytes = static_cast<double>(mallinfo2().uordblks - before);
    }
    state.counters["history_MiB"] = bytes / (1024.0 * 1024.0);
}
BENCHMARK(BM_HistoryOfTenThousandStrokes)->Unit(benchmark::kMillisecond)->Iterations(1);

// The console's report, and at its end every benchmark's time as a multiple of the memcpy's, so that one run
// shows how far each action is above the machine's floor.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
                const auto beside = run.counters.find("x_floor");
                // CPU time throughout: the manual times are the main thread's CPU time, and the others' wall
                // time would count the waits of a loaded machine against them.
                const bool manual = run.benchmark_name().find("manual_time") != std::string::npos;
                const double spent = manual ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
                times_.push_back({run.benchmark_name(), spent / benchmark::GetTimeUnitMultiplier(run.time_unit),
                                  beside == run.counters.end() ? 0.0 : static_cast<double>(beside->second)});
            }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        double floor = 0;
        for (const Time& time : times_)
            if (time.Name.find("Memcpy") != std::string::npos)
                floor = time.Seconds;
        if (floor <= 0)
            return;
        // "beside": the median against memcpys timed between the steps of the same benchmark, by the thread's
        // CPU time, which a load that comes and goes on the machine tilts far less; "run": against the memcpy
        // benchmark of this run.
        std::printf("\n%-56s %9s %8s %8s\n", "Time as a multiple of the memcpy floor", "ms", "run", "beside");
        for (const Time& time : times_) {
            std::printf("%-56s %9.3f %7.2fx", time.Name.c_str(), time.Seconds * 1e3, time.Seconds / floor);
            if (time.Beside > 0)
                std::printf(" %7.2fx", time.Beside);
            std::printf("\n");
        }
    }

private:
    struct Time {
        std::string Name;
        double Seconds;
        double Beside;
    };
    std::vector<Time> times_;
};

// A fresh editor on the display in force (run with fresh settings), at 32-pixel tiles: prints the size of
// the part of the map picture that shows.
int PrintEditViewport(int argc, char** argv) {
    tav::EditorApplication app(argc, argv);
    tav::InitApplication();
    tav::MainWindow window;
    window.show();
    window.SelectEdge(tav::TileEdge::Px32);
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    const auto* map = window.findChild<QWidget*>(QStringLiteral("mapPicture"));
    if (!map)
        return 1;
    const QSize shown = map->visibleRegion().boundingRect().size();
    std::printf("%d %d\n", shown.width(), shown.height());
    // The keyboard walks the menu over the items shown and enabled, separators left out.
    window.Map()->SetSymmetry(tav::SymmetryMode::LeftRight);
    QApplication::processEvents();
    const auto* edit = window.findChild<QMenu*>(QStringLiteral("editMenu"));
    int steps = -1;
    for (QAction* action : edit ? edit->actions() : QList<QAction*>()) {
        if (action->isSeparator() || !action->isVisible() || !action->isEnabled())
            continue;
        ++steps;
        if (action->objectName() == QStringLiteral("symmetrizeAction"))
            break;
    }
    std::printf("%d\n", steps);
    return shown.isEmpty() ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--edit-viewport") == 0)
        return PrintEditViewport(argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    tav::EditorApplication app(argc, argv);
    tav::InitApplication();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
