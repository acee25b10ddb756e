#include "MapPicture.h"

#include "PictureArea.h"
#include "TileRender.h"

#include <algorithm>

namespace tav {

void DrawWholeMap(QImage& picture, const MapGrid& grid, const QImage& tiles, int edge) {
    CellMask all;
    all.fill(true);
    DrawCells(picture, grid, all, tiles, edge);
}

void ShowChangedCells(const std::vector<int>& cells, int edge, PictureArea& area) {
    // A few cells (a pen's step) are shown one by one; many (a moved or pasted block, a shaped map) as the
    // rectangle around them, which the screen takes far faster than thousands of squares.
    QRect around;
    for (int index : cells) {
        if (index < 0 || index >= MapCells)
            continue;
        const QRect cell(index / MapSize * edge, index % MapSize * edge, edge, edge);
        if (cells.size() <= 64)
            area.ShowPictureRect(cell);
        else
            around |= cell;
    }
    if (!around.isEmpty())
        area.ShowPictureRect(around);
}

void DrawChangedCells(QImage& picture, const MapGrid& grid, const std::vector<int>& cells, const QImage& tiles,
                      int edge, PictureArea& area) {
    // A few cells are drawn tile by tile; many row by row of the picture.
    if (cells.size() <= 64) {
        for (int index : cells)
            DrawTile(picture, index / MapSize * edge, index % MapSize * edge, tiles, edge,
                     grid[static_cast<std::size_t>(index)]);
    } else {
        CellMask drawn{};
        for (int index : cells)
            if (index >= 0 && index < MapCells)
                drawn[static_cast<std::size_t>(index)] = true;
        DrawCells(picture, grid, drawn, tiles, edge);
    }
    ShowChangedCells(cells, edge, area);
}

QImage BlockPicture(const CellBlock& block, const QImage& tiles, TileEdge edge) {
    const int e = Pixels(edge);
    QImage picture(std::max(block.Width, 1) * e, std::max(block.Height, 1) * e, QImage::Format_RGB32);
    // The tiles cover every pixel of a block that has cells.
    if (tiles.isNull() || block.Width < 1 || block.Height < 1) {
        picture.fill(NoTileColour);
        return picture;
    }
    for (int y = 0; y < block.Height; ++y)
        for (int x = 0; x < block.Width; ++x)
            DrawTile(picture, x * e, y * e, tiles, e, block.At(x, y));
    return picture;
}

} // namespace tav
