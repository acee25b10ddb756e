// Moving a whole-map selection by dragging it, and pasting a 48 x 48 block with a click, each with the
// redraw of every view and the paint of the edit window's visible part.

#include "CellBlock.h"
#include "MainWindow.h"
#include "MapEditView.h"
#include "Platform.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class QuietPlatform : public tav::Platform {
public:
    bool TimersRun() const override { return false; }
};

struct SelectionEditor {
    std::unique_ptr<tav::MainWindow> window;
    tav::MapEditView* view = nullptr;
    QWidget* map = nullptr;
    int edge;
    explicit SelectionEditor(int scale) : edge(scale == tav::Large ? 32 : scale == tav::Middle ? 16 : 8) {
        tav::InstallPlatform(std::make_unique<QuietPlatform>());
        window = std::make_unique<tav::MainWindow>();
        window->show();
        window->SelectScale(scale);
        tav::MapGrid grid{};
        for (int x = 0; x < 48; ++x)
            for (int y = 0; y < 48; ++y)
                grid[static_cast<std::size_t>(tav::CellIndex(x, y))] = static_cast<tav::TileCode>((x * 5 + y * 3) % 128);
        window->Map()->Reset(grid, 1, QString(), QString());
        view = window->findChild<tav::MapEditView*>();
        map = window->findChild<QWidget*>(QStringLiteral("EditMapImage"));
        QApplication::processEvents();
    }
    ~SelectionEditor() {
        window.reset();
        tav::InstallPlatform(nullptr);
    }
    void Mouse(QEvent::Type type, QPoint cell, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF at(cell.x() * edge + 1, cell.y() * edge + 1);
        QMouseEvent event(type, at, map->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(map, &event);
    }
};

// The whole map selected and dragged one cell right and back: two moves of 2304 cells per iteration.
void BM_MoveWholeMapSelectionByDragging(benchmark::State& state) {
    SelectionEditor editor(static_cast<int>(state.range(0)));
    editor.window->findChild<QAction*>(QStringLiteral("SelectRange"))->trigger();
    editor.window->SelectAll();
    int step = 0;
    for (auto _ : state) {
        const int from = step % 2 == 0 ? 0 : 1;
        const int to = 1 - from;
        ++step;
        editor.Mouse(QEvent::MouseButtonPress, {from, 0}, Qt::LeftButton, Qt::LeftButton);
        editor.Mouse(QEvent::MouseMove, {to, 0}, Qt::NoButton, Qt::LeftButton);
        editor.Mouse(QEvent::MouseButtonRelease, {to, 0}, Qt::LeftButton, Qt::NoButton);
        // After a move right the selection is 47 wide; select all again so every drag moves the whole map.
        editor.window->SelectAll();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MoveWholeMapSelectionByDragging)->Arg(tav::Small)->Arg(tav::Large)->Unit(benchmark::kMillisecond);

// A 48 x 48 block floating and placed with a click at the map's corner, alternately two different blocks.
void BM_PasteA48By48Block(benchmark::State& state) {
    SelectionEditor editor(static_cast<int>(state.range(0)));
    tav::CellBlock blocks[2];
    for (int b = 0; b < 2; ++b) {
        blocks[b] = tav::CopyBlock(editor.window->Map()->Grid(), tav::WholeMap);
        for (auto& code : blocks[b].Codes)
            code = static_cast<tav::TileCode>((code + 7 * (b + 1)) % 128);
    }
    int step = 0;
    for (auto _ : state) {
        editor.view->StartPaste(blocks[step++ % 2]);
        editor.Mouse(QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::NoButton);
        editor.Mouse(QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton, Qt::LeftButton);
        editor.Mouse(QEvent::MouseButtonRelease, {0, 0}, Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PasteA48By48Block)->Arg(tav::Small)->Arg(tav::Large)->Unit(benchmark::kMillisecond);

} // namespace
