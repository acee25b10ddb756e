#pragma once
// The marks the edit window paints over its map picture and never into it: the thin grid lines between
// the cells, the axes of the symmetry mode and the blinking tool cursor (with its images).

#include "DrawTools.h"
#include "Symmetry.h"
#include "TileSets.h"

#include <QColor>

class QPainter;

namespace tav {

// Lines along the left and top edge of every cell but the first, in picture pixels at tile edge `edge`.
void PaintGridLines(QPainter& painter, TileEdge edge);

// The axes of `mode` as thin lines between the middle cells, at `cellPixels` pixels a cell (the edit window's
// edge or the preview's): vertical for 左右対称, horizontal for 上下対称, both for the modes that mirror or
// turn about the centre. None for なし.
void PaintSymmetryAxes(QPainter& painter, SymmetryMode mode, int cellPixels);

// Image `image` of each of `cells`, in the same order, so that the first is still the cell a ring marks.
void ImageCells(const ShapeCells& cells, SymmetryMode mode, int image, ShapeCells& images);

// The tool cursor over `cells` in `colour`: a ring inside the first cell (the tools that act on the cell
// under the pointer; one pixel wide at 8 pixels, two at 16, three at 32), or every covered cell filled.
void PaintToolCursor(QPainter& painter, const ShapeCells& cells, bool ring, const QColor& colour,
                     TileEdge edge);

} // namespace tav
