#pragma once
// The one path that turns grid cells into pixels; the edit window, the palette, the preview and the
// command-line renderer all draw through it.

#include "MapGrid.h"

#include <QImage>

namespace tav {

// Copies the tile of `code` from `picture` (a loaded tile picture of tile edge `edge`) into `target`
// with its top-left corner at (left, top). Codes 128..255 have no tile: they are drawn as a marker,
// the same at every tile edge and in every view. Nothing outside either image is read or written.
void DrawTile(QImage& target, int left, int top, const QImage& picture, int edge, int code);

// The whole map at tile edge `edge`: 48 * edge pixels square.
QImage RenderMap(const MapGrid& grid, const QImage& picture, int edge);

} // namespace tav
