// The editor's drawing paths against the machine's own memory speed, and start-up against a bare
// Qt frame window.
//
//   ui_bench                       the drawing benchmarks (Google Benchmark options apply)
//   ui_bench --startup=editor      one start-up to the first painted main window: time and peak memory
//   ui_bench --startup=minimal     the same for a QMainWindow with a QMdiArea and nothing else

#include "ApplicationSetup.h"
#include "BenchEditor.h"
#include "Document.h"
#include "MainWindow.h"
#include "PaintStrokeCommand.h"
#include "Platform.h"
#include "ShiftMapCommand.h"
#include "TilePalette.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMdiArea>
#include <QMouseEvent>
#include <QTimer>
#include <QUndoStack>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <chrono>
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

// Every view redraws the whole map, as after New, Open or a map shift.
void BM_RedrawMapAt32PixelTiles(benchmark::State& state) {
    Editor editor(32);
    for (auto _ : state)
        emit editor.window->Map()->MapChanged();
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
        map->UndoStack()->redo();
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
                times_.push_back({run.benchmark_name(),
                                  run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit),
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

long PeakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Runs one start-up to the first paint of the main window and prints the time and the peak memory.
int MeasureStartUp(int argc, char** argv, bool editor, std::chrono::steady_clock::time_point begin) {
    tav::EditorApplication app(argc, argv);
    QWidget* window = nullptr;
    std::unique_ptr<QMainWindow> minimal;
    std::unique_ptr<tav::MainWindow> editorWindow;
    if (editor) {
        tav::InitApplication();
        editorWindow = std::make_unique<tav::MainWindow>();
        window = editorWindow.get();
    } else {
        minimal = std::make_unique<QMainWindow>();
        auto* area = new QMdiArea(minimal.get());
        area->setBackground(QColor(0, 0, 94));
        minimal->setCentralWidget(area);
        minimal->resize(792, 552);
        window = minimal.get();
    }
    // The first paint of any widget of the main window counts: the frame itself may have nothing to paint.
    struct FirstPaint : QObject {
        QWidget* window = nullptr;
        std::chrono::steady_clock::time_point at{};
        bool seen = false;
        bool eventFilter(QObject* object, QEvent* event) override {
            auto* widget = qobject_cast<QWidget*>(object);
            if (event->type() == QEvent::Paint && !seen && widget && widget->window() == window) {
                seen = true;
                at = std::chrono::steady_clock::now();
                QTimer::singleShot(0, qApp, &QApplication::quit);
            }
            return false;
        }
    } watch;
    watch.window = window;
    app.installEventFilter(&watch);
    window->show();
    QTimer::singleShot(10000, qApp, &QApplication::quit);
    app.exec();
    const double ms = std::chrono::duration<double, std::milli>(watch.at - begin).count();
    std::printf("%s: first paint %s after %.1f ms, peak memory %ld KiB\n", editor ? "editor" : "minimal",
                watch.seen ? "seen" : "NOT seen", ms, PeakMemoryKiB());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--startup=editor") == 0)
            return MeasureStartUp(argc, argv, true, begin);
        if (std::strcmp(argv[i], "--startup=minimal") == 0)
            return MeasureStartUp(argc, argv, false, begin);
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    tav::EditorApplication app(argc, argv);
    tav::InitApplication();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
