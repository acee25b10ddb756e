#include "MapPng.h"

#include "Shaping.h"
#include "TileBitmaps.h"
#include "TileRender.h"
#include "TileSets.h"

#include "../core/FactionGoldenMaps.h"

#include <QBuffer>
#include <QImageWriter>

#include <gtest/gtest.h>

#include <random>

namespace tav {
namespace {

// Every code once (the marker's codes from 128 on among them), then a shaped random landscape.
MapGrid TestMap() {
    std::mt19937 rng(11);
    MapGrid grid{};
    constexpr TileCode terrain[] = {0, 0, 0, 1, 32, 48, 48, 96, 8, 12, 5};
    for (auto& code : grid)
        code = terrain[rng() % std::size(terrain)];
    ShapeMap(grid);
    for (int code = 0; code < 256; ++code)
        grid[static_cast<std::size_t>(code * 7)] = static_cast<TileCode>(code);
    return grid;
}

QByteArray QtPng(const QImage& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(picture);
    return png;
}

TEST(MapPng, DecodesToTheSamePixelsAsTheViewsDrawForEverySetAndScale) {
    const MapGrid grid = TestMap();
    for (const TileSet set : AllTileSets) {
        const auto pictures = ReadTileSetPictures(TileBitmaps::LinkedPictureRoot(), set);
        for (const TileEdge tileEdge : AllTileEdges) {
            const int edge = Pixels(tileEdge);
            const QImage& tiles = pictures[TileBitmaps::SlotOf(tileEdge)];
            SCOPED_TRACE(testing::Message() << "set " << TileSetNumber(set) << ", edge " << edge);
            const QByteArray png = MapPng(grid, tiles, edge);
            const QImage decoded = QImage::fromData(png, "png");
            ASSERT_FALSE(decoded.isNull());
            EXPECT_EQ(decoded.format(), QImage::Format_Indexed8) << "the built-in sets fit an 8-bit palette";
            ASSERT_EQ(decoded.convertToFormat(QImage::Format_RGB32), RenderMap(grid, tiles, edge));
        }
    }
}

TEST(MapPng, FilesAreNoLargerThanTheGeneralEncodersOnTheMapsWeShip) {
    std::vector<std::pair<std::string, MapGrid>> maps = {{"benchmark map", TestMap()}};
    for (const std::string& name : golden::GoldenMapNames())
        maps.emplace_back(name, golden::LoadGoldenMap(name).Grid);
    const QImage tiles = ReadTileSetPictures(TileBitmaps::LinkedPictureRoot(), TileSet::Verda)[TileBitmaps::SlotOf(TileEdge::Px32)];
    for (const auto& [name, grid] : maps) {
        SCOPED_TRACE(name);
        const QByteArray ours = MapPng(grid, tiles, 32);
        const QByteArray general = QtPng(RenderMap(grid, tiles, 32));
        EXPECT_LE(ours.size(), general.size());
    }
    // A picture with more colours than a palette holds still makes a valid (RGB) file.
    QImage many(300, 1, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x)
        many.setPixel(x, 0, qRgb(x % 256, x / 256, 7));
    EXPECT_EQ(QImage::fromData(EncodePng(many), "png").convertToFormat(QImage::Format_RGB32), many);
}

} // namespace
} // namespace tav
