#include "MapPicture.h"

#include "PictureArea.h"
#include "TileRender.h"
#include "TileSetPictures.h"

#include <algorithm>

namespace tav {

void DrawWholeMap(QImage& picture, const MapGrid& grid, const QImage& tiles, int edge) {
    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x)
            DrawTile(picture, x * edge, y * edge, tiles, edge, grid[static_cast<std::size_t>(CellIndex(x, y))]);
}

void DrawChangedCells(QImage& picture, const MapGrid& grid, const std::vector<int>& cells, const QImage& tiles,
                      int edge, PictureArea& area) {
    QRect changed;
    for (int index : cells) {
        const int x = index / MapSize;
        const int y = index % MapSize;
        DrawTile(picture, x * edge, y * edge, tiles, edge, grid[static_cast<std::size_t>(index)]);
        // A few cells are shown one by one; many (a moved or pasted block) as the rectangle around them,
        // which the screen takes far faster than thousands of squares.
        if (cells.size() <= 64)
            area.ShowPictureRect(QRect(x * edge, y * edge, edge, edge));
        else
            changed |= QRect(x * edge, y * edge, edge, edge);
    }
    if (!changed.isEmpty())
        area.ShowPictureRect(changed);
}

QImage BlockPicture(const CellBlock& block, const TileSetPictures& pictures, TileEdge edge) {
    const int e = Pixels(edge);
    QImage picture(std::max(block.Width, 1) * e, std::max(block.Height, 1) * e, QImage::Format_RGB32);
    picture.fill(NoTileColour);
    if (!pictures.IsLoaded())
        return picture;
    const QImage& tiles = pictures.Picture(edge);
    for (int y = 0; y < block.Height; ++y)
        for (int x = 0; x < block.Width; ++x)
            DrawTile(picture, x * e, y * e, tiles, e, block.At(x, y));
    return picture;
}

} // namespace tav
