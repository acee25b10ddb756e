#pragma once
// The pictures the views draw cells into, and the one way the edit window and the preview draw a map:
// every cell at once, or only the cells a change names, with the screen told what to show again.

#include "CellBlock.h"
#include "MapGrid.h"
#include "TileSets.h"

#include <QImage>
#include <QRgb>

#include <vector>

namespace tav {

class PictureArea;

// What the edit window shows where it has no tile: while no tile set is loaded, and beyond the map.
constexpr QRgb NoTileColour = qRgb(0, 0, 128); // navy

// Draws every cell of `grid` with the tiles of `tiles` (a picture of tile edge `edge`) into `picture`,
// which is 48 * edge pixels square, row by row of its pixels (DrawCells).
void DrawWholeMap(QImage& picture, const MapGrid& grid, const QImage& tiles, int edge);

// Has `area` show the cells `cells` (CellIndex values) of its picture, whose tiles are `edge` pixels wide.
void ShowChangedCells(const std::vector<int>& cells, int edge, PictureArea& area);

// Draws the cells `cells` (CellIndex values) of `grid` anew into `picture` and has `area` show them.
void DrawChangedCells(QImage& picture, const MapGrid& grid, const std::vector<int>& cells, const QImage& tiles,
                      int edge, PictureArea& area);

// The tiles of `block` from `tiles` (a tile picture of tile edge `edge`), as one picture; navy where `tiles`
// is null (no tile set loaded).
QImage BlockPicture(const CellBlock& block, const QImage& tiles, TileEdge edge);

} // namespace tav
