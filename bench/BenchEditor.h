#pragma once
// The editor as the benchmarks start it: shown at a tile edge, with a map of many codes, timers that never tick
// on their own (so the blink never runs inside a measurement), and mouse events sent to the map picture as
// the window system would send them.

#include "CellGrid.h"
#include "Document.h"
#include "MainWindow.h"
#include "MapEditView.h"
#include "Platform.h"
#include "TilePalette.h"

#include <QApplication>
#include <QMouseEvent>

#include <memory>

namespace tav::bench {

class QuietPlatform : public Platform {
public:
    bool TimersRun() const override { return false; }
};

struct BenchEditor {
    std::unique_ptr<MainWindow> window;
    MapEditView* view = nullptr;
    QWidget* map = nullptr;
    int edge;

    // `edgePixels` is 8, 16 or 32, so that the benchmarks' arguments read as the edge.
    explicit BenchEditor(int edgePixels, std::unique_ptr<Platform> platform = std::make_unique<QuietPlatform>())
        : edge(edgePixels) {
        InstallPlatform(std::move(platform));
        window = std::make_unique<MainWindow>();
        window->show();
        window->SelectEdge(TileEdgeOfPixels(edgePixels).value());
        MapGrid grid{};
        for (int x = 0; x < MapSize; ++x)
            for (int y = 0; y < MapSize; ++y)
                grid[GridIndex(x, y)] = static_cast<TileCode>((x * 5 + y * 3) % 128);
        window->Map()->Reset(grid, TileSet::Verda, QString(), QString());
        view = window->findChild<MapEditView*>();
        map = window->findChild<QWidget*>(QStringLiteral("mapPicture"));
        QApplication::processEvents();
    }
    ~BenchEditor() {
        window.reset();
        InstallPlatform(nullptr);
    }
    BenchEditor(const BenchEditor&) = delete;
    BenchEditor& operator=(const BenchEditor&) = delete;

    // A mouse event at a pixel of the map picture.
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), map->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(map, &event);
    }
    // The pixel just inside the top-left corner of a cell.
    QPoint CellPixel(QPoint cell) const { return cell * edge + QPoint(1, 1); }
    void Pick(int code) { window->findChild<TilePalette*>()->Pick(code); }
};

} // namespace tav::bench
