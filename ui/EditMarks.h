#pragma once
// The marks the edit window paints over its map picture and never into it: the thin grid lines between
// the cells and the blinking tool cursor.

#include "DrawTools.h"
#include "TileSets.h"

#include <QColor>

class QPainter;

namespace tav {

// Lines along the left and top edge of every cell but the first, in picture pixels at tile edge `edge`.
void PaintGridLines(QPainter& painter, TileEdge edge);

// The tool cursor over `cells` in `colour`: a ring inside the first cell (the tools that act on the cell
// under the pointer; one pixel wide at 8 pixels, two at 16, three at 32), or every covered cell filled.
void PaintToolCursor(QPainter& painter, const ShapeCells& cells, bool ring, const QColor& colour,
                     TileEdge edge);

} // namespace tav
