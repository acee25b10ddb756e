#include "EditMarks.h"

#include "MapGrid.h"

#include <QPainter>

namespace tav {

namespace {

const QColor GridLineColour(0, 0, 0, 88);
// Bright enough to stand out over sea, grass and mountains alike, and unlike any blink colour.
const QColor SymmetryAxisColour(255, 0, 255);

} // namespace

void PaintGridLines(QPainter& painter, TileEdge edge) {
    const int e = Pixels(edge);
    const int f = MapSize * e;
    // The map's own border needs none.
    for (int i = 1; i < MapSize; ++i) {
        painter.fillRect(i * e, 0, 1, f, GridLineColour);
        painter.fillRect(0, i * e, f, 1, GridLineColour);
    }
}

void PaintSymmetryAxes(QPainter& painter, SymmetryMode mode, int cellPixels) {
    const int f = MapSize * cellPixels;
    const int middle = MapSize / 2 * cellPixels; // the left or top edge of the first cell past the middle
    const bool vertical = mode == SymmetryMode::LeftRight || mode == SymmetryMode::Quad ||
                          mode == SymmetryMode::Half || mode == SymmetryMode::Quarter;
    const bool horizontal = mode == SymmetryMode::TopBottom || mode == SymmetryMode::Quad ||
                            mode == SymmetryMode::Half || mode == SymmetryMode::Quarter;
    if (vertical)
        painter.fillRect(middle, 0, 1, f, SymmetryAxisColour);
    if (horizontal)
        painter.fillRect(0, middle, f, 1, SymmetryAxisColour);
}

void ImageCells(const ShapeCells& cells, SymmetryMode mode, int image, ShapeCells& images) {
    images.CellCount = cells.CellCount;
    for (int i = 0; i < cells.CellCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const MapCell cell = ImageCell(mode, image, {cells.CellColumns[at], cells.CellRows[at]});
        images.CellColumns[at] = cell.X;
        images.CellRows[at] = cell.Y;
    }
}

void PaintToolCursor(QPainter& painter, const ShapeCells& cells, bool ring, const QColor& colour,
                     TileEdge edge) {
    const int e = Pixels(edge);
    if (ring) {
        if (cells.CellCount == 0)
            return;
        const int left = cells.CellColumns[0] * e;
        const int top = cells.CellRows[0] * e;
        const int rings = edge == TileEdge::Px8 ? 1 : edge == TileEdge::Px16 ? 2 : 3;
        for (int i = 0; i < rings; ++i) {
            const int side = e - 2 * i;
            painter.fillRect(left + i, top + i, side, 1, colour);
            painter.fillRect(left + i, top + i + side - 1, side, 1, colour);
            painter.fillRect(left + i, top + i, 1, side, colour);
            painter.fillRect(left + i + side - 1, top + i, 1, side, colour);
        }
        return;
    }
    for (int i = 0; i < cells.CellCount; ++i)
        painter.fillRect(cells.CellColumns[static_cast<std::size_t>(i)] * e,
                         cells.CellRows[static_cast<std::size_t>(i)] * e, e, e, colour);
}

} // namespace tav
