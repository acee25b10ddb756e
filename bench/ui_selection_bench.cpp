// Moving a whole-map selection by dragging it, and pasting a 48 x 48 block with a click, each with the
// redraw of every view and the paint of the edit window's visible part.

#include "CellBlock.h"
#include "BenchEditor.h"
#include "MainWindow.h"
#include "MapCommands.h"
#include "MapEditView.h"
#include "Platform.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using SelectionEditor = tav::bench::BenchEditor;

// The whole map selected and dragged one cell right and back: two moves of 2304 cells per iteration.
void BM_MoveWholeMapSelectionByDragging(benchmark::State& state) {
    SelectionEditor editor(static_cast<int>(state.range(0)));
    editor.window->findChild<QAction*>(QStringLiteral("rangeSelectionAction"))->trigger();
    editor.window->MapEdits()->SelectAll();
    int step = 0;
    for (auto _ : state) {
        const int from = step % 2 == 0 ? 0 : 1;
        const int to = 1 - from;
        ++step;
        editor.Mouse(QEvent::MouseButtonPress, editor.CellPixel({from, 0}), Qt::LeftButton, Qt::LeftButton);
        editor.Mouse(QEvent::MouseMove, editor.CellPixel({to, 0}), Qt::NoButton, Qt::LeftButton);
        editor.Mouse(QEvent::MouseButtonRelease, editor.CellPixel({to, 0}), Qt::LeftButton, Qt::NoButton);
        // After a move right the selection is 47 wide; select all again so every drag moves the whole map.
        editor.window->MapEdits()->SelectAll();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MoveWholeMapSelectionByDragging)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

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
        editor.Mouse(QEvent::MouseMove, editor.CellPixel({0, 0}), Qt::NoButton, Qt::NoButton);
        editor.Mouse(QEvent::MouseButtonPress, editor.CellPixel({0, 0}), Qt::LeftButton, Qt::LeftButton);
        editor.Mouse(QEvent::MouseButtonRelease, editor.CellPixel({0, 0}), Qt::LeftButton, Qt::NoButton);
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PasteA48By48Block)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

} // namespace
