// The editor's drawing paths against the machine's own memory speed, and start-up against a bare
// Qt frame window.
//
//   ui_bench                       the drawing benchmarks (Google Benchmark options apply)
//   ui_bench --startup=editor      one start-up to the first painted main window: time and peak memory
//   ui_bench --startup=minimal     the same for a QMainWindow with a QMdiArea and nothing else

#include "Charsel.h"
#include "Editview.h"
#include "Mainform.h"
#include "Platform.h"
#include "Preview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMdiArea>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Real screen size, but timers that never tick on their own, so the blink never runs inside a measurement.
class QuietPlatform : public tav::Platform {
public:
    bool TimersRun() const override { return false; }
};

void StartEditor(int scale) {
    tav::InstallPlatform(std::make_unique<QuietPlatform>());
    tav::CreateEditorWindows();
    tav::MainView->show();
    tav::MainView->Document.EditScale = scale;
    tav::MapEditView->LayoutEditWindow();
    tav::MapEditView->RedrawMap();
}

void StopEditor() {
    tav::DestroyEditorWindows();
    tav::InstallPlatform(nullptr);
}

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

void BM_RedrawMapAtTheLargeScale(benchmark::State& state) {
    StartEditor(tav::Large);
    for (int x = 0; x < 48; ++x)
        for (int y = 0; y < 48; ++y)
            tav::MainView->Document.SetCell(x, y, static_cast<tav::TileCode>((x * 5 + y * 3) % 128));
    for (auto _ : state) {
        tav::MapEditView->RedrawMap();
        benchmark::DoNotOptimize(tav::MapEditView->EditMapImage.constBits());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * LargeMapBytes));
    StopEditor();
}
BENCHMARK(BM_RedrawMapAtTheLargeScale)->Unit(benchmark::kMillisecond);

// One pen move into a new cell: erase the cursor, paint the cell, update the preview, draw the cursor.
void BM_PenMoveIntoANewCell(benchmark::State& state) {
    StartEditor(static_cast<int>(state.range(0)));
    tav::TMapEditView* view = tav::MapEditView;
    const int e = view->Edge();
    view->EditMapImageMouseDown(Qt::LeftButton, 0, 0);
    int step = 0;
    for (auto _ : state) {
        ++step;
        const int x = step % 48;
        const int y = (step / 48) % 48;
        tav::CharacterView->SelectedColumn = step % 8; // a new code, so every move paints
        view->EditMapImageMouseMove(x * e + 1, y * e + 1);
    }
    view->EditMapImageMouseUp(Qt::LeftButton);
    StopEditor();
}
BENCHMARK(BM_PenMoveIntoANewCell)->Arg(tav::Small)->Arg(tav::Large)->Unit(benchmark::kMicrosecond);

// A bucket fill over the whole map (each click swaps the map's one code) and the full redraw after it.
void BM_BucketFillWithFullRedraw(benchmark::State& state) {
    StartEditor(static_cast<int>(state.range(0)));
    tav::MainView->MenuBucketClick();
    tav::TMapEditView* view = tav::MapEditView;
    int step = 0;
    for (auto _ : state) {
        ++step;
        tav::CharacterView->SelectedColumn = 1 + step % 2;
        // Alternate two cells so that the click never lands on the cursor's own cell.
        const int px = (step % 2) * view->Edge() * 10;
        view->EditMapImageMouseDown(Qt::LeftButton, px, 0);
        view->EditMapImageMouseUp(Qt::LeftButton);
    }
    StopEditor();
}
BENCHMARK(BM_BucketFillWithFullRedraw)->Arg(tav::Small)->Arg(tav::Large)->Unit(benchmark::kMillisecond);

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
    if (editor) {
        tav::InitApplication();
        tav::CreateEditorWindows();
        window = tav::MainView;
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
    if (editor)
        tav::DestroyEditorWindows();
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
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
