#include "MapGrid.h"
#include "Shaping.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tav {
namespace {

struct Put {
    int x, y;
    TileCode code;
};

// A window of the map to compare: rows from the top, x from the left, starting at (X, Y).
struct Window {
    int X, Y;
    std::vector<std::vector<int>> Rows;
};

struct ShapeCase {
    const char* name;
    TileCode background;
    std::vector<Put> cells;
    Window expected;
};

MapGrid Paint(TileCode background, const std::vector<Put>& cells) {
    MapGrid grid = FilledGrid(background);
    for (const Put& p : cells)
        grid[CellIndex(p.x, p.y)] = p.code;
    return grid;
}

void ExpectWindow(const MapGrid& grid, const Window& w) {
    for (std::size_t row = 0; row < w.Rows.size(); ++row)
        for (std::size_t col = 0; col < w.Rows[row].size(); ++col) {
            const int x = w.X + static_cast<int>(col);
            const int y = w.Y + static_cast<int>(row);
            EXPECT_EQ(grid[CellIndex(x, y)], w.Rows[row][col]) << "at (" << x << ", " << y << ")";
        }
}

// Cells outside the window keep the background: the rules reach no further than a cell's eight neighbours.
void ExpectBackgroundOutside(const MapGrid& grid, const Window& w, TileCode background) {
    const int height = static_cast<int>(w.Rows.size());
    const int width = static_cast<int>(w.Rows.front().size());
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y) {
            const bool inside = x >= w.X && x < w.X + width && y >= w.Y && y < w.Y + height;
            if (!inside) {
                EXPECT_EQ(grid[CellIndex(x, y)], background) << "at (" << x << ", " << y << ")";
            }
        }
}

TEST(Shaping, WorkedExamplesGiveTheirCodes) {
    const ShapeCase cases[] = {
        {"single water cell on ground", 0, {{20, 20, 48}}, {20, 20, {{63}}}},
        {"single ground cell in water", 48, {{10, 10, 0}},
         {9, 9, {{68, 56, 72}, {52, 0, 49}, {66, 50, 65}}}},
        {"plateau in water", 48,
         {{10, 10, 32}, {11, 10, 32}, {12, 10, 32}, {10, 11, 32}, {11, 11, 32}, {12, 11, 32},
          {10, 12, 32}, {11, 12, 32}, {12, 12, 32}},
         // The water around keeps no shore: raised terrain counts as land-free for the edged rule.
         {9, 9, {{48, 48, 48, 48, 48},
                 {48, 35, 34, 38, 48},
                 {48, 33, 32, 36, 48},
                 {48, 41, 40, 44, 48},
                 {48, 48, 48, 48, 48}}}},
        {"plateau on ground", 0,
         {{10, 10, 32}, {11, 10, 32}, {12, 10, 32}, {10, 11, 32}, {11, 11, 32}, {12, 11, 32},
          {10, 12, 32}, {11, 12, 32}, {12, 12, 32}},
         {10, 10, {{32, 32, 32}, {32, 32, 32}, {32, 32, 32}}}},
        {"ridge run left to right", 0, {{10, 10, 96}, {11, 10, 96}, {12, 10, 96}},
         {10, 10, {{107, 106, 110}}}},
        {"single ridge", 0, {{10, 10, 96}}, {10, 10, {{111}}}},
        {"ridge joins toward a passage", 0, {{10, 10, 96}, {11, 10, 5}}, {10, 10, {{107, 5}}}},
        {"ridge passage alone stays", 48, {{10, 10, 5}}, {9, 9, {{68, 56, 72}, {52, 5, 49}, {66, 50, 65}}}},
        {"column run top to bottom", 0, {{10, 10, 1}, {10, 11, 1}, {10, 12, 1}},
         {10, 10, {{2}, {1}, {3}}}},
        {"column cells side by side", 0, {{10, 10, 1}, {11, 10, 1}}, {10, 10, {{4, 4}}}},
        {"column variants count as column terrain", 0, {{10, 10, 4}, {10, 11, 2}}, {10, 10, {{2}, {3}}}},
        {"castle on ground", 0, {{10, 10, 21}},
         {9, 9, {{112, 117, 113}, {114, 21, 115}, {120, 29, 121}}}},
        {"castle in water gets shores around its ring", 48, {{10, 10, 21}},
         {8, 8, {{68, 56, 56, 56, 72},
                 {52, 112, 117, 113, 49},
                 {52, 114, 21, 115, 49},
                 {52, 120, 29, 121, 49},
                 {66, 50, 50, 50, 65}}}},
        {"castle next to a castle stays", 0, {{10, 10, 20}, {11, 10, 22}},
         {9, 9, {{112, 112, 118, 113}, {114, 20, 22, 115}, {120, 120, 29, 121}}}},
        {"castles on a diagonal both stay", 0, {{40, 37, 0x14}, {41, 36, 0x16}},
         {39, 35, {{0, 112, 118, 113}, {112, 116, 22, 115}, {114, 20, 115, 121}, {120, 29, 121, 0}}}},
        {"castles two apart share the middle column", 0, {{10, 10, 20}, {12, 10, 21}},
         {9, 9, {{112, 116, 112, 117, 113}, {114, 20, 114, 21, 115}, {120, 29, 120, 29, 121}}}},
        {"castle in the last row gets no gate", 0, {{10, 47, 20}},
         {9, 46, {{112, 116, 113}, {114, 20, 115}}}},
        {"castle in the first column gets no left ring", 0, {{0, 10, 23}},
         {0, 9, {{119, 113}, {23, 115}, {29, 121}}}},
        {"castle in the corner", 0, {{47, 0, 22}}, {46, 0, {{114, 22}, {120, 29}}}},
        {"faction tiles alternate in a row", 0, {{10, 10, 9}, {11, 10, 9}, {12, 10, 9}, {13, 10, 9}},
         {10, 10, {{9, 13, 9, 13}}}},
        {"faction tiles alternate in a column", 0, {{10, 10, 8}, {10, 11, 8}, {10, 12, 8}, {10, 13, 8}},
         {10, 10, {{8}, {12}, {8}, {12}}}},
        {"faction block", 0, {{10, 10, 10}, {11, 10, 10}, {10, 11, 10}, {11, 11, 10}},
         {10, 10, {{10, 14}, {14, 14}}}},
        {"faction tiles of different factions ignore each other", 0, {{10, 10, 8}, {11, 10, 9}, {12, 10, 8}},
         {10, 10, {{8, 9, 8}}}},
        {"faction tile follows its south-west neighbour", 0, {{10, 11, 11}, {11, 10, 11}},
         {10, 10, {{0, 15}, {11, 0}}}},
        {"raised obstacle in water casts no shore", 48, {{10, 10, 122}},
         {9, 9, {{48, 48, 48}, {48, 122, 48}, {48, 48, 48}}}},
        {"raised terrain joins toward the obstacle", 48, {{10, 10, 122}, {11, 10, 32}},
         {10, 10, {{122, 47 - 1}}}},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        MapGrid grid = Paint(c.background, c.cells);
        ShapeMap(grid);
        ExpectWindow(grid, c.expected);
        ExpectBackgroundOutside(grid, c.expected, c.background);
    }
}

TEST(Shaping, UniformMapsOfWaterRidgeAndGroundStayAsTheyAre) {
    for (TileCode code : {TileCode{0}, TileCode{48}, TileCode{96}, TileCode{7}, TileCode{200}}) {
        SCOPED_TRACE(static_cast<int>(code));
        MapGrid grid = FilledGrid(code);
        ShapeMap(grid);
        EXPECT_EQ(grid, FilledGrid(code));
    }
}

TEST(Shaping, RaisedMapGetsEdgesOnlyAlongTheBorder) {
    MapGrid grid = FilledGrid(32);
    ShapeMap(grid);
    struct Cell {
        int x, y, code;
    };
    const Cell border[] = {
        {0, 0, 35}, {1, 0, 34}, {0, 1, 33}, {47, 47, 44}, // the worked examples
        {47, 0, 38}, {0, 47, 41}, {20, 0, 34}, {0, 20, 33}, {47, 20, 36}, {20, 47, 40},
    };
    for (const Cell& c : border) {
        SCOPED_TRACE(testing::Message() << "(" << c.x << ", " << c.y << ")");
        EXPECT_EQ(grid[CellIndex(c.x, c.y)], c.code);
    }
    for (int x = 1; x < MapSize - 1; ++x)
        for (int y = 1; y < MapSize - 1; ++y)
            ASSERT_EQ(grid[CellIndex(x, y)], 32) << "at (" << x << ", " << y << ")";
    // The rim holds no plain raised code any more, so the check sees no gap there.
    for (int i = 0; i < MapSize; ++i)
        for (int idx : {CellIndex(i, 0), CellIndex(i, 47), CellIndex(0, i), CellIndex(47, i)})
            ASSERT_NE(grid[static_cast<std::size_t>(idx)], 32);
}

TEST(Shaping, RidgeMapBorderCountsAsJoined) {
    MapGrid grid = FilledGrid(0);
    grid[CellIndex(0, 0)] = 96;
    grid[CellIndex(47, 20)] = 96;
    ShapeMap(grid);
    EXPECT_EQ(grid[CellIndex(0, 0)], 111 - (1 + 2)); // joined toward W and N, the border
    EXPECT_EQ(grid[CellIndex(47, 20)], 111 - 4);     // joined toward E only
}

TEST(Shaping, EdgedTableFollowsItsShapeRules) {
    // The summary rules of the table: sides only, two adjacent sides with the far corner,
    // one side with far corners, corners only.
    auto lookup = [](std::uint8_t pattern) {
        for (const EdgedShape& s : EdgedShapeTable)
            if ((pattern & s.Mask) == s.Mask)
                return static_cast<int>(s.Code);
        return -1;
    };
    struct Row {
        std::uint8_t pattern;
        int code;
    };
    const Row rows[] = {
        {N | W | E | S, 63}, {N | W | E | S | NW | NE | SW | SE, 63}, {W | E, 53}, {N | S, 58},
        {N | W, 51}, {N | W | SE, 94}, {N | W | NW | NE | SW, 51}, {N | E | SW, 95}, {W | S | NE, 92},
        {E | S | NW, 93}, {N | SW | SE, 85}, {E | NW | SW, 88}, {S | NW | NE, 91},
        {NW, 65}, {NE, 66}, {SE, 68}, {SW, 72}, {NW | NE | SW | SE, 79}, {NW | SE, 69},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(static_cast<int>(r.pattern));
        EXPECT_EQ(lookup(r.pattern), r.code);
    }
    // Corners only: 64 + NW + 2 NE + 4 SE + 8 SW, and 64 itself is never produced.
    for (int bits = 1; bits < 16; ++bits) {
        const auto pattern = static_cast<std::uint8_t>(((bits & 1) ? NW : 0) | ((bits & 2) ? NE : 0) |
                                                       ((bits & 4) ? SE : 0) | ((bits & 8) ? SW : 0));
        EXPECT_EQ(lookup(pattern), 64 + bits) << "corners " << bits;
    }
    for (int pattern = 1; pattern < 256; ++pattern)
        EXPECT_NE(lookup(static_cast<std::uint8_t>(pattern)), 64);
}

TEST(Shaping, EdgedCellsReadTheirNeighboursThroughTheTable) {
    // Every pattern of land around one water cell: the result is the first matching pair of the table.
    for (int pattern = 0; pattern < 256; ++pattern) {
        MapGrid grid = FilledGrid(48);
        const int dx[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
        const int dy[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
        for (int i = 0; i < 8; ++i)
            if (pattern & (1 << i))
                grid[CellIndex(20 + dx[i], 20 + dy[i])] = 0;
        ShapeMap(grid);
        int expected = 48;
        if (pattern != 0)
            for (const EdgedShape& s : EdgedShapeTable)
                if ((pattern & s.Mask) == s.Mask) {
                    expected = s.Code;
                    break;
                }
        ASSERT_EQ(grid[CellIndex(20, 20)], expected) << "pattern " << pattern;
    }
}

TEST(Shaping, CodesAbove127AreNeverChangedAndActAsNoKind) {
    struct Case {
        const char* name;
        TileCode background;
        std::vector<Put> cells;
        Window expected;
    };
    const Case cases[] = {
        {"water gets a shore toward it", 48, {{10, 10, 200}},
         {9, 9, {{68, 56, 72}, {52, 200, 49}, {66, 50, 65}}}},
        {"raised terrain joins it", 48, {{10, 10, 32}, {11, 10, 128}}, {10, 10, {{47 - 4, 128}}}},
        {"ridge terrain does not join it", 0, {{9, 10, 96}, {10, 10, 96}, {11, 10, 255}},
         {9, 10, {{111 - 4, 111 - 1, 255}}}},
        {"columns do not join it", 0, {{10, 10, 1}, {10, 11, 132}}, {10, 10, {{4}, {132}}}},
        {"faction rule leaves it", 0, {{10, 10, 136}, {11, 10, 136}}, {10, 10, {{136, 136}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MapGrid grid = Paint(c.background, c.cells);
        ShapeMap(grid);
        ExpectWindow(grid, c.expected);
        UnshapeMap(grid);
        for (const Put& p : c.cells)
            if (p.code >= 128) {
                EXPECT_EQ(grid[CellIndex(p.x, p.y)], p.code);
            }
    }
    for (int code = 128; code < 256; ++code) {
        const auto c = static_cast<TileCode>(code);
        EXPECT_EQ(TileClass(c), code);
        EXPECT_EQ(PlainCode(c), c);
    }
}

TEST(Unshaping, SendsEveryTerrainVariantToItsPlainCode) {
    struct Range {
        int first, last, plain;
    };
    const Range ranges[] = {
        {0, 0, 0}, {1, 4, 1}, {5, 31, -1}, {32, 47, 32}, {48, 95, 48}, {96, 111, 96}, {112, 255, -1},
    };
    for (const Range& r : ranges)
        for (int code = r.first; code <= r.last; ++code) {
            SCOPED_TRACE(code);
            const int plain = r.plain < 0 ? code : r.plain;
            EXPECT_EQ(PlainCode(static_cast<TileCode>(code)), plain);
            MapGrid grid = FilledGrid(static_cast<TileCode>(code));
            UnshapeMap(grid);
            EXPECT_EQ(grid, FilledGrid(static_cast<TileCode>(plain)));
        }
}

TEST(Unshaping, LeavesCastlesRingsGatesAndAlternatesInPlace) {
    MapGrid grid = Paint(48, {{10, 10, 21}, {30, 30, 20}, {20, 5, 8}, {21, 5, 8}, {5, 40, 1}, {5, 41, 1}});
    ShapeMap(grid);
    UnshapeMap(grid);
    ExpectWindow(grid, {9, 9, {{112, 117, 113}, {114, 21, 115}, {120, 29, 121}}});
    ExpectWindow(grid, {29, 29, {{112, 116, 113}, {114, 20, 115}, {120, 29, 121}}});
    ExpectWindow(grid, {20, 5, {{8, 12}}});
    ExpectWindow(grid, {5, 40, {{1}, {1}}});
    EXPECT_EQ(grid[CellIndex(8, 8)], 48); // the shore around the first castle is plain water again
}

TEST(TileClass, GivesTheRepresentativeOfEachKind) {
    struct Range {
        int first, last, cls;
    };
    const Range ranges[] = {
        {0, 0, 0},      {1, 4, 4},     {5, 5, 96},     {6, 7, -1},     {8, 11, 8},     {12, 19, -1},
        {20, 23, 20},   {24, 31, -1},  {32, 47, 32},   {48, 95, 48},   {96, 111, 96},  {112, 121, -1},
        {122, 122, 32}, {123, 127, -1},
    };
    for (const Range& r : ranges)
        for (int code = r.first; code <= r.last; ++code)
            EXPECT_EQ(TileClass(static_cast<TileCode>(code)), r.cls < 0 ? code : r.cls) << "code " << code;
}

TEST(CellQueries, RangesMatchTheirNames) {
    MapGrid grid{};
    for (int code = 0; code < 256; ++code) {
        grid[CellIndex(3, 4)] = static_cast<TileCode>(code);
        EXPECT_EQ(InEdgedOrRidgeRange(grid, 3, 4), code >= 48 && code <= 111) << code;
        EXPECT_EQ(InRaisedOrEdgedRange(grid, 3, 4), (code >= 32 && code <= 95) || code == 122) << code;
        EXPECT_EQ(CellClass(grid, 3, 4), TileClass(static_cast<TileCode>(code))) << code;
    }
}

// Random maps weighted toward the codes the rules act on, with some of every other code mixed in.
MapGrid RandomMap(std::mt19937& rng) {
    static constexpr TileCode kinds[] = {0, 0, 0, 1, 1, 5, 8, 9, 32, 32, 48, 48, 48, 96, 96, 122, 7, 150};
    MapGrid grid{};
    for (TileCode& c : grid)
        c = (rng() % 4 == 0) ? static_cast<TileCode>(rng() & 0xFF) : kinds[rng() % std::size(kinds)];
    return grid;
}

bool HasCastleNeighbour(const MapGrid& grid, int x, int y) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if ((dx != 0 || dy != 0) && InMap(x + dx, y + dy) &&
                TileClass(grid[CellIndex(x + dx, y + dy)]) == CastleClass)
                return true;
    return false;
}

bool IsRingCode(TileCode code) {
    return code == CastleGate || (code >= 112 && code <= 121);
}

// Shapes the map twice: the second run must change nothing, every castle must survive, and every other
// cell next to a castle must hold a ring piece.
void ExpectShapingSettles(MapGrid grid) {
    const MapGrid original = grid;
    ShapeMap(grid);
    const MapGrid once = grid;
    ShapeMap(grid);
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y) {
            const int i = CellIndex(x, y);
            ASSERT_EQ(grid[i], once[i]) << "a second shaping changed (" << x << ", " << y << ")";
            if (TileClass(original[i]) == CastleClass) {
                ASSERT_EQ(once[i], original[i]) << "the castle at (" << x << ", " << y << ") was shaped away";
            } else if (HasCastleNeighbour(original, x, y)) {
                ASSERT_TRUE(IsRingCode(once[i])) << "no ring piece at (" << x << ", " << y << ")";
            }
        }
}

// The maps in which a castle was written over: the first shaping lost a castle, or a second shaping built
// other ring pieces around the one that was left.
TEST(Shaping, ARingPieceNeverOverwritesACastle) {
    const struct {
        const char* name;
        std::vector<Put> castles;
        Window ring;
    } cases[] = {
        {"diagonal inside the map", {{40, 37, 0x14}, {41, 36, 0x16}},
         {40, 36, {{116, 22}, {20, 115}}}},
        {"diagonal on the east rim", {{46, 37, 0x14}, {47, 36, 0x16}},
         {46, 35, {{112, 118}, {116, 22}, {20, 115}}}},
        {"side by side", {{10, 11, 20}, {11, 11, 21}}, {10, 10, {{112, 117}, {20, 21}, {120, 29}}}},
        {"one above the other", {{10, 10, 20}, {10, 11, 21}}, {10, 9, {{116}, {20}, {21}, {29}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MapGrid grid = Paint(0, c.castles);
        ExpectShapingSettles(grid);
        ShapeMap(grid);
        ExpectWindow(grid, c.ring);
    }
}

// Two castles at every offset up to two cells, so that their 3 x 3 blocks overlap: inside the map, next to
// the rim and on it, amid random terrain and on plain ground; now and then a third castle joins them.
TEST(ShapingProperties, ShapingTwiceEqualsShapingOnceForCastlesAtEveryCloseOffset) {
    const struct {
        int X, Y;
    } anchors[] = {{20, 20}, {1, 20}, {46, 20}, {20, 1}, {20, 46}, {0, 20}, {47, 20}, {20, 0},
                                {20, 47}, {0, 0},  {47, 0},  {0, 47}, {47, 47}, {1, 1},  {46, 46}, {1, 46}};
    std::mt19937 rng(20261208);
    int maps = 0;
    for (const auto& a : anchors)
        for (int dx = -2; dx <= 2; ++dx)
            for (int dy = -2; dy <= 2; ++dy) {
                const int bx = a.X + dx;
                const int by = a.Y + dy;
                if ((dx == 0 && dy == 0) || !InMap(bx, by))
                    continue;
                for (int terrain = 0; terrain < 3; ++terrain) {
                    SCOPED_TRACE(testing::Message() << "castles at (" << a.X << ", " << a.Y << ") and (" << bx
                                                    << ", " << by << "), terrain " << terrain);
                    MapGrid grid = terrain == 0 ? FilledGrid(0) : RandomMap(rng);
                    grid[CellIndex(a.X, a.Y)] = static_cast<TileCode>(20 + rng() % 4);
                    grid[CellIndex(bx, by)] = static_cast<TileCode>(20 + rng() % 4);
                    if (terrain == 2) {
                        const int cx = a.X + static_cast<int>(rng() % 5) - 2;
                        const int cy = a.Y + static_cast<int>(rng() % 5) - 2;
                        if (InMap(cx, cy))
                            grid[CellIndex(cx, cy)] = static_cast<TileCode>(20 + rng() % 4);
                    }
                    ExpectShapingSettles(grid);
                    if (HasFatalFailure())
                        return;
                    ++maps;
                }
            }
    EXPECT_EQ(maps, 3 * 233); // 233 pairs of castle cells around these anchors lie on the map
}

// Random terrain with castles sprinkled in, from a few far apart to crowds of them.
TEST(ShapingProperties, ShapingTwiceEqualsShapingOnceOnRandomMaps) {
    std::mt19937 rng(20240603);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        MapGrid grid = RandomMap(rng);
        const int castles = round % 2 == 0 ? 12 : 300;
        for (int i = 0; i < castles; ++i)
            grid[rng() % MapCells] = static_cast<TileCode>(20 + rng() % 4);
        ExpectShapingSettles(grid);
        if (HasFatalFailure())
            return;
    }
}

TEST(ShapingProperties, UnshapingAShapedMapLeavesOnlyPlainTerrainCodes) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        MapGrid grid = RandomMap(rng);
        for (int i = 0; i < 6; ++i)
            grid[rng() % MapCells] = static_cast<TileCode>(20 + rng() % 4);
        const MapGrid original = grid;
        ShapeMap(grid);
        UnshapeMap(grid);
        for (std::size_t i = 0; i < grid.size(); ++i) {
            const int code = grid[i];
            const bool variant = (code >= 2 && code <= 4) || (code >= 33 && code <= 47) ||
                                 (code >= 49 && code <= 95) || (code >= 97 && code <= 111);
            ASSERT_FALSE(variant) << "round " << round << " cell " << i << " code " << code;
            if (original[i] >= 128 && !HasCastleNeighbour(original, static_cast<int>(i) / MapSize,
                                                          static_cast<int>(i) % MapSize)) {
                ASSERT_EQ(grid[i], original[i]) << "round " << round << " cell " << i;
            }
        }
    }
}

} // namespace
} // namespace tav
