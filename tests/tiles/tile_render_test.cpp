#include "CellGrid.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace tav {
namespace {

class TileRender : public testing::Test {
protected:
    static void SetUpTestSuite() { bitmaps_.LoadTileSetBitmaps(TileSet::Milphos); }
    static TileBitmaps bitmaps_;
};
TileBitmaps TileRender::bitmaps_;

QImage Tile(const QImage& image, int left, int top, int edge) { return image.copy(left, top, edge, edge); }

// Drawing chosen cells row by row of the picture gives what drawing those cells tile by tile gives, and
// leaves every other pixel alone: at every edge, codes with and without a tile, and pictures the row copies
// cannot take (another format), over seeded random maps and masks.
TEST_F(TileRender, DrawingCellsRowByRowMatchesDrawingThemTileByTile) {
    std::mt19937 random(7);
    for (TileEdge tileEdge : AllTileEdges) {
        const int edge = Pixels(tileEdge);
        const QImage& picture = bitmaps_.Picture(tileEdge);
        for (const QImage& tiles : {picture, picture.convertToFormat(QImage::Format_ARGB32)})
            for (int round = 0; round < 3; ++round) {
                SCOPED_TRACE(testing::Message() << edge << " px, format " << tiles.format() << ", round " << round);
                MapGrid grid{};
                CellMask cells{};
                for (int i = 0; i < MapCells; ++i) {
                    grid[static_cast<std::size_t>(i)] = static_cast<TileCode>(random() % 256);
                    cells[static_cast<std::size_t>(i)] = round == 0 || random() % 3 == 0;
                }
                QImage byRows(48 * edge, 48 * edge, QImage::Format_RGB32);
                byRows.fill(0xFF123456);
                QImage byTiles = byRows.copy();
                DrawCells(byRows, grid, cells, tiles, edge);
                for (int i = 0; i < MapCells; ++i)
                    if (cells[static_cast<std::size_t>(i)])
                        DrawTile(byTiles, i / MapSize * edge, i % MapSize * edge, picture, edge,
                                 grid[static_cast<std::size_t>(i)]);
                EXPECT_EQ(byRows, byTiles);
            }
    }
}

TEST_F(TileRender, EveryCellShowsItsCodesTileAtEveryScale) {
    MapGrid grid{};
    for (int i = 0; i < MapCells; ++i)
        grid[static_cast<std::size_t>(i)] = static_cast<TileCode>((i * 37) % 128);
    for (TileEdge tileEdge : AllTileEdges) {
        const int edge = Pixels(tileEdge);
        SCOPED_TRACE(edge);
        const QImage& picture = bitmaps_.Picture(tileEdge);
        const QImage map = RenderMap(grid, picture, edge);
        ASSERT_EQ(map.size(), QSize(48 * edge, 48 * edge));
        EXPECT_EQ(map.format(), QImage::Format_RGB32);
        for (int x = 0; x < MapSize; ++x)
            for (int y = 0; y < MapSize; ++y) {
                const int code = grid[GridIndex(x, y)];
                ASSERT_EQ(Tile(map, x * edge, y * edge, edge), picture.copy(TileSourceRect(code, edge)))
                    << "cell " << x << "," << y << " code " << code;
            }
    }
}

TEST_F(TileRender, CodesWithoutATileShowOneMarkerUnlikeAnyTile) {
    for (TileEdge tileEdge : AllTileEdges) {
        const int edge = Pixels(tileEdge);
        SCOPED_TRACE(edge);
        const QImage& picture = bitmaps_.Picture(tileEdge);
        QImage marker(edge, edge, QImage::Format_RGB32);
        DrawTile(marker, 0, 0, picture, edge, 128);
        for (int code = 129; code < 256; ++code) {
            QImage other(edge, edge, QImage::Format_RGB32);
            DrawTile(other, 0, 0, picture, edge, code);
            ASSERT_EQ(other, marker) << "code " << code;
        }
        for (int code = 0; code < 128; ++code)
            ASSERT_NE(picture.copy(TileSourceRect(code, edge)), marker) << "code " << code;
        // not one plain colour: it must stand out next to the plain black and dark blue tiles
        std::set<QRgb> colours;
        for (int y = 0; y < edge; ++y)
            for (int x = 0; x < edge; ++x)
                colours.insert(marker.pixel(x, y));
        EXPECT_GE(colours.size(), 2u);
    }
}

TEST_F(TileRender, PictureTooSmallOrMissingIsNeverReadFrom) {
    QImage target(32, 32, QImage::Format_RGB32);
    QImage expected(32, 32, QImage::Format_RGB32);
    DrawTile(expected, 0, 0, bitmaps_.Picture(TileEdge::Px32), 32, 200);
    const QImage tiny = bitmaps_.Picture(TileEdge::Px32).copy(0, 0, 64, 64); // holds codes 0, 1, 8 and 9 only
    target.fill(Qt::green);
    DrawTile(target, 0, 0, tiny, 32, 127);
    EXPECT_EQ(target, expected);
    target.fill(Qt::green);
    DrawTile(target, 0, 0, QImage(), 32, 0);
    EXPECT_EQ(target, expected);
    target.fill(Qt::green);
    DrawTile(target, 0, 0, tiny, 32, 9);
    EXPECT_EQ(target, tiny.copy(32, 32, 32, 32));
}

TEST_F(TileRender, TileHangingOverTheTargetsEdgeIsClipped) {
    const QImage& picture = bitmaps_.Picture(TileEdge::Px16);
    const QImage tile = picture.copy(TileSourceRect(100, 16));
    QImage target(40, 40, QImage::Format_RGB32);
    target.fill(Qt::black);
    DrawTile(target, -5, 30, picture, 16, 100);
    EXPECT_EQ(target.copy(0, 30, 11, 10), tile.copy(5, 0, 11, 10));
    EXPECT_EQ(target.pixel(11, 30), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(0, 29), qRgb(0, 0, 0));
    // a marker hanging over the edge is clipped the same way
    QImage marker(16, 16, QImage::Format_RGB32);
    DrawTile(marker, 0, 0, picture, 16, 255);
    DrawTile(target, 30, -6, picture, 16, 255);
    EXPECT_EQ(target.copy(30, 0, 10, 10), marker.copy(0, 6, 10, 10));
}

TEST_F(TileRender, TargetOfAnotherFormatGetsTheSameColours) {
    const QImage& picture = bitmaps_.Picture(TileEdge::Px32);
    QImage target(32, 32, QImage::Format_ARGB32_Premultiplied);
    DrawTile(target, 0, 0, picture, 32, 20);
    EXPECT_EQ(target.convertToFormat(QImage::Format_RGB32), picture.copy(TileSourceRect(20, 32)));
}

} // namespace
} // namespace tav
