#pragma once
// The one path that turns grid cells into pixels; the edit window, the palette, the preview and the
// command-line renderer all draw through it.

#include "MapGrid.h"

#include <QImage>

#include <array>

namespace tav {

// Copies the tile of `code` from `picture` (a loaded tile picture of tile edge `edge`) into `target`
// with its top-left corner at (left, top). Codes 128..255 have no tile: they are drawn as a marker,
// the same at every tile edge and in every view. Nothing outside either image is read or written.
void DrawTile(QImage& target, int left, int top, const QImage& picture, int edge, int code);

// Which cells to draw, by CellIndex.
using CellMask = std::array<bool, MapCells>;

// Draws the cells of `grid` that `cells` marks into `target`, which is at least 48 * edge pixels square, with
// the tiles of `picture` as DrawTile does, pixel for pixel. The target is written row by row of its pixels:
// a whole map is then written front to back once, several times faster than tile by tile, where every tile
// touches `edge` rows far apart.
void DrawCells(QImage& target, const MapGrid& grid, const CellMask& cells, const QImage& picture, int edge);

// The whole map at tile edge `edge`: 48 * edge pixels square.
QImage RenderMap(const MapGrid& grid, const QImage& picture, int edge);

} // namespace tav
