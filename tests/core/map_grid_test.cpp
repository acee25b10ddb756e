#include "MapGrid.h"
#include "MapImage.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tav {
namespace {

MapGrid RandomGrid(unsigned seed) {
    std::mt19937 rng(seed);
    MapGrid grid{};
    for (auto& c : grid)
        c = static_cast<TileCode>(rng() & 0xFF);
    return grid;
}

TEST(MapGrid, GridIsStoredColumnByColumn) {
    EXPECT_EQ(CellIndex(47, 0), 2256);
    EXPECT_EQ(CellIndex(0, 47), 47);
    EXPECT_EQ(CellIndex(1, 0), 48);
    EXPECT_EQ(CellIndex(47, 47), 2303);
}

TEST(ShiftMap, MovesEveryCellOneStepWithWrapAround) {
    const MapGrid before = RandomGrid(2);
    struct Case {
        ShiftDirection dir;
        int dx, dy; // where the cell at (x, y) ends up, modulo 48
    };
    const Case cases[] = {
        {ShiftDirection::Left, -1, 0},
        {ShiftDirection::Right, 1, 0},
        {ShiftDirection::Up, 0, -1},
        {ShiftDirection::Down, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.dir));
        MapGrid grid = before;
        ShiftMap(grid, c.dir);
        for (int x = 0; x < MapSize; ++x)
            for (int y = 0; y < MapSize; ++y) {
                const int nx = (x + c.dx + MapSize) % MapSize;
                const int ny = (y + c.dy + MapSize) % MapSize;
                ASSERT_EQ(grid[CellIndex(nx, ny)], before[CellIndex(x, y)]) << x << "," << y;
            }
    }
}

TEST(ShiftMap, OppositeShiftsAndFortyEightShiftsRestoreTheMap) {
    const MapGrid before = RandomGrid(3);
    const std::pair<ShiftDirection, ShiftDirection> pairs[] = {
        {ShiftDirection::Left, ShiftDirection::Right},
        {ShiftDirection::Right, ShiftDirection::Left},
        {ShiftDirection::Up, ShiftDirection::Down},
        {ShiftDirection::Down, ShiftDirection::Up},
    };
    for (const auto& [there, back] : pairs) {
        MapGrid grid = before;
        ShiftMap(grid, there);
        EXPECT_NE(grid, before);
        ShiftMap(grid, back);
        EXPECT_EQ(grid, before);
        for (int i = 0; i < MapSize; ++i)
            ShiftMap(grid, there);
        EXPECT_EQ(grid, before);
    }
}

TEST(MapImage, BuildsExactly2306BytesWithTileSetTimesTenAndAZero) {
    for (int set = 1; set <= 9; ++set) {
        const MapGrid grid = RandomGrid(static_cast<unsigned>(set));
        const MapImage image = BuildMapImage(grid, *TileSetNumbered(set));
        ASSERT_EQ(image.size(), 2306u);
        EXPECT_EQ(image[2304], set * 10);
        EXPECT_EQ(image[2305], 0);
        EXPECT_TRUE(std::equal(grid.begin(), grid.end(), image.begin()));
    }
}

TEST(MapImage, CellsLandAtTheirColumnMajorOffsets) {
    MapGrid grid = FilledGrid(NewMapTile);
    grid[CellIndex(47, 0)] = 200;
    grid[CellIndex(0, 47)] = 201;
    const MapImage image = BuildMapImage(grid, TileSet::Verda);
    EXPECT_EQ(image[2256], 200);
    EXPECT_EQ(image[47], 201);
}

TEST(MapImage, RoundTripKeepsEveryByteValueAndTheTileSet) {
    MapGrid grid{};
    for (int i = 0; i < MapCells; ++i)
        grid[static_cast<std::size_t>(i)] = static_cast<TileCode>(i % 256);
    for (int set = 1; set <= 9; ++set) {
        const MapImage image = BuildMapImage(grid, *TileSetNumbered(set));
        const auto read = ReadMapImage(image);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->TileSet, set);
        EXPECT_EQ(read->Grid, grid);
    }
}

TEST(MapImage, RejectsImagesShorterThan2306Bytes) {
    for (std::size_t size : {0u, 1u, 2304u, 2305u}) {
        SCOPED_TRACE(size);
        std::vector<std::uint8_t> bytes(size, 10);
        EXPECT_FALSE(ReadMapImage(bytes).has_value());
    }
}

TEST(MapImage, ReadsOnlyTheFirst2306BytesOfALongerFile) {
    std::vector<std::uint8_t> bytes(3000, 0xEE);
    for (int i = 0; i < MapCells; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 7);
    bytes[2304] = 30;
    bytes[2305] = 99; // ignored
    const auto read = ReadMapImage(bytes);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->TileSet, 3);
    for (int i = 0; i < MapCells; ++i)
        ASSERT_EQ(read->Grid[static_cast<std::size_t>(i)], static_cast<std::uint8_t>(i * 7));
}

TEST(MapImage, TileSetByteIsSignedAndTruncatedTowardZero) {
    struct Case {
        int byte;
        int tileSet;
    };
    const Case cases[] = {
        {10, 1}, {19, 1}, {20, 2}, {90, 9}, {95, 9}, {99, 9}, {0, 0},    {9, 0},    {100, 10},
        {127, 12}, {128, -12}, {200, -5}, {246, -1}, {247, 0}, {255, 0}, {129, -12}, {138, -11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.byte);
        std::vector<std::uint8_t> bytes(2306, 48);
        bytes[2304] = static_cast<std::uint8_t>(c.byte);
        const auto read = ReadMapImage(bytes);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->TileSet, c.tileSet);
    }
}

} // namespace
} // namespace tav
