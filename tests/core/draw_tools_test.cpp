#include "DrawTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace tav {
namespace {

using enum DrawTool;

using Cell = std::pair<int, int>; // (column, row)
using CellList = std::vector<Cell>;

CellList Listed(const ShapeCells& cells) {
    CellList out;
    for (int i = 0; i < cells.CellCount; ++i)
        out.emplace_back(cells.CellColumns[i], cells.CellRows[i]);
    return out;
}

std::set<Cell> Covered(const ShapeCells& cells) {
    const CellList list = Listed(cells);
    return {list.begin(), list.end()};
}

CellList Shape(DrawTool tool, int anchorX, int anchorY, int x, int y) {
    ShapeCells cells;
    ComputeShape(cells, tool, anchorX, anchorY, x, y);
    return Listed(cells);
}

// The cells of an exact 45-degree run from `from` to `to`, both included.
CellList Diagonal(Cell from, Cell to) {
    CellList out;
    const int sx = to.first > from.first ? 1 : -1;
    const int sy = to.second > from.second ? 1 : -1;
    for (Cell c = from;; c = {c.first + sx, c.second + sy}) {
        out.push_back(c);
        if (c == to)
            break;
    }
    return out;
}

CellList Concat(CellList a, const CellList& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::set<Cell> Rectangle(int x1, int y1, int x2, int y2) {
    std::set<Cell> out;
    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
            out.emplace(x, y);
    return out;
}

std::set<Cell> CellsWithMark(const FillMarks& marks, std::uint8_t value) {
    std::set<Cell> out;
    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x)
            if (marks[MarkIndex(x, y)] == value)
                out.emplace(x, y);
    return out;
}

std::set<Cell> CellsDiffering(const MapGrid& before, const MapGrid& after) {
    std::set<Cell> out;
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            if (before[CellIndex(x, y)] != after[CellIndex(x, y)])
                out.emplace(x, y);
    return out;
}

// The list invariants every shape keeps: cells inside the map, no entry equal to the one before it.
// Gives the first entry that breaks them, -1 when none does (or the count itself is out of range: -2).
int FirstBrokenEntry(const ShapeCells& cells) {
    if (cells.CellCount < 0 || cells.CellCount > ShapeCapacity)
        return -2;
    for (int i = 0; i < cells.CellCount; ++i) {
        const int x = cells.CellColumns[i];
        const int y = cells.CellRows[i];
        if (!InMap(x, y) || (i > 0 && x == cells.CellColumns[i - 1] && y == cells.CellRows[i - 1]))
            return i;
    }
    return -1;
}

// ---------------------------------------------------------------------------------------------------------
// Lines

struct LineCase {
    const char* name;
    int x1, y1, x2, y2;
    CellList expected;
};

TEST(DrawLine, ListsTheRasterisedCellsInDrawingOrder) {
    const LineCase cases[] = {
        {"shallow", 0, 0, 5, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
        {"steep", 0, 0, 2, 5, {{0, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}}},
        {"horizontal rightwards", 3, 7, 8, 7, {{3, 7}, {4, 7}, {5, 7}, {6, 7}, {7, 7}, {8, 7}}},
        {"horizontal leftwards", 8, 7, 3, 7, {{8, 7}, {7, 7}, {6, 7}, {5, 7}, {4, 7}, {3, 7}}},
        {"vertical upwards", 4, 40, 4, 36, {{4, 40}, {4, 39}, {4, 38}, {4, 37}, {4, 36}}},
        {"vertical downwards", 47, 44, 47, 47, {{47, 44}, {47, 45}, {47, 46}, {47, 47}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Shape(Line, c.x1, c.y1, c.x2, c.y2), c.expected);
    }
}

// A 45-degree line whose second point lies above the first comes out one row high; the cursor shows the
// same cells, so this is kept as it is rather than "corrected".
TEST(DrawLine, UpwardDiagonalLiesOneRowHighAndDownwardOneIsExact) {
    const LineCase cases[] = {
        {"up-right from (0,10): start cell left out, row 0 repeated", 0, 10, 10, 0,
         Concat(Diagonal({0, 9}, {9, 0}), {{10, 0}})},
        {"down-left from (10,0): exact", 10, 0, 0, 10, Diagonal({10, 0}, {0, 10})},
        {"up-left from (10,10): row 0 repeated", 10, 10, 0, 0, Concat(Diagonal({10, 9}, {1, 0}), {{0, 0}})},
        {"down-right from (0,0): exact", 0, 0, 10, 10, Diagonal({0, 0}, {10, 10})},
        {"up-right from (0,10) to (5,5): neither end cell", 0, 10, 5, 5, Diagonal({0, 9}, {5, 4})},
        {"down-left from (5,5) to (0,10): exact", 5, 5, 0, 10, Diagonal({5, 5}, {0, 10})},
        {"whole map up-right", 0, 47, 47, 0, Concat(Diagonal({0, 46}, {46, 0}), {{47, 0}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CellList got = Shape(Line, c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(got, c.expected);
    }
    EXPECT_EQ(Shape(Line, 0, 47, 47, 0).size(), 48u);
}

TEST(DrawShape, EveryToolFromACellToItselfCoversThatCellOnce) {
    const Cell cells[] = {{0, 0}, {47, 47}, {0, 47}, {47, 0}, {13, 29}};
    for (DrawTool tool : AllDrawTools) {
        for (const Cell& c : cells) {
            SCOPED_TRACE(::testing::Message() << "tool " << static_cast<int>(tool) << " cell " << c.first << "," << c.second);
            EXPECT_EQ(Shape(tool, c.first, c.second, c.first, c.second), CellList{c});
            EXPECT_EQ(Shape(tool, -1, -1, c.first, c.second), CellList{c}) << "no anchor";
        }
    }
}

TEST(DrawShape, AddersAppendWithoutClearingTheList) {
    ShapeCells cells;
    AddLine(cells, 0, 0, 2, 0);
    AddBox(cells, 2, 0, 2, 1);
    AddEllipse(cells, 2, 1, 2, 3);
    // The box's first corner repeats the line's last cell and is dropped; the box retraces back to (2,0).
    EXPECT_EQ(Listed(cells), (CellList{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 0}, {2, 1}, {2, 2}, {2, 3}}));
}

struct AddCellCase {
    const char* name;
    CellList added;
    CellList expected;
};

TEST(DrawShape, AddCellDropsCellsOffTheMapAndImmediateRepeats) {
    const AddCellCase cases[] = {
        {"off the map", {{-1, 0}, {0, -1}, {48, 0}, {0, 48}, {INT_MIN, INT_MAX}}, {}},
        {"immediate repeat", {{5, 5}, {5, 5}, {5, 6}, {5, 6}}, {{5, 5}, {5, 6}}},
        {"repeat with a cell between is kept", {{5, 5}, {5, 6}, {5, 5}}, {{5, 5}, {5, 6}, {5, 5}}},
        {"off-map cell does not break repeat detection", {{5, 5}, {48, 5}, {5, 5}}, {{5, 5}}},
        {"map corners", {{0, 0}, {47, 0}, {47, 47}, {0, 47}}, {{0, 0}, {47, 0}, {47, 47}, {0, 47}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShapeCells cells;
        for (const Cell& a : c.added)
            AddCell(cells, a.first, a.second);
        EXPECT_EQ(Listed(cells), c.expected);
    }
}

TEST(DrawShape, AddCellNeverWritesPastTheListsCapacity) {
    ShapeCells cells;
    for (int i = 0; i < 2 * ShapeCapacity; ++i)
        AddCell(cells, i % MapSize, (i / MapSize) % MapSize);
    EXPECT_EQ(cells.CellCount, ShapeCapacity);
    EXPECT_EQ(cells.CellColumns[ShapeCapacity - 1], (ShapeCapacity - 1) % MapSize);

    ShapeCells bogus;
    bogus.CellCount = -3;
    AddCell(bogus, 1, 1);
    EXPECT_EQ(bogus.CellCount, -3) << "a list with a negative count is left alone";
}

// ---------------------------------------------------------------------------------------------------------
// Boxes

struct BoxCase {
    const char* name;
    int x1, y1, x2, y2;
    CellList expected;
};

TEST(DrawBox, ListsAClosedLoopFromTheFirstCorner) {
    const BoxCase cases[] = {
        {"3 by 2",
         0,
         0,
         3,
         2,
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {2, 2}, {1, 2}, {0, 2}, {0, 1}, {0, 0}}},
        {"zero width retraces its line", 2, 0, 2, 3, {{2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 2}, {2, 1}, {2, 0}}},
        {"zero height retraces its line", 4, 9, 1, 9, {{4, 9}, {3, 9}, {2, 9}, {1, 9}, {2, 9}, {3, 9}, {4, 9}}},
        {"1 by 1 from the lower right", 6, 6, 5, 5, {{6, 6}, {5, 6}, {5, 5}, {6, 5}, {6, 6}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Shape(Box, c.x1, c.y1, c.x2, c.y2), c.expected);
    }
}

TEST(DrawShape, LargestShapesListTheirDocumentedCounts) {
    struct Case {
        const char* name;
        DrawTool tool;
        int x1, y1, x2, y2;
        std::size_t count;
    };
    const Case cases[] = {
        {"whole-map box", Box, 0, 0, 47, 47, 189},
        {"whole-map box from the other corner", Box, 47, 0, 0, 47, 189},
        {"whole-map diagonal", Line, 0, 0, 47, 47, 48},
        {"largest ellipse, an odd span of 47 cells", Circle, 0, 0, 46, 46, 153},
        {"whole-map ellipse", Circle, 0, 0, 47, 47, 143},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CellList got = Shape(c.tool, c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(got.size(), c.count);
    }
    const CellList box = Shape(Box, 0, 0, 47, 47);
    EXPECT_EQ(box.front(), Cell(0, 0));
    EXPECT_EQ(box.back(), Cell(0, 0));
}

// ---------------------------------------------------------------------------------------------------------
// Ellipses

struct CircleCase {
    const char* name;
    int x1, y1, x2, y2;
    std::set<Cell> covered;
};

TEST(DrawCircle, CoversTheOutlineCellsFromEitherCorner) {
    const std::set<Cell> ring4x4 = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {3, 1},
                                    {0, 2}, {3, 2}, {0, 3}, {1, 3}, {2, 3}, {3, 3}};
    const std::set<Cell> ring3x3 = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};
    const std::set<Cell> circle5x5 = {{1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {3, 1}, {4, 1}, {0, 2},
                                      {4, 2}, {0, 3}, {1, 3}, {3, 3}, {4, 3}, {1, 4}, {2, 4}, {3, 4}};
    const CircleCase cases[] = {
        {"5 by 5", 0, 0, 4, 4, circle5x5},
        {"5 by 5 drawn backwards", 4, 4, 0, 0, circle5x5},
        {"3 by 3: the eight cells around the middle", 0, 0, 2, 2, ring3x3},
        {"4 by 4: the border of the square", 0, 0, 3, 3, ring4x4},
        {"4 by 4 from the lower left", 0, 3, 3, 0, ring4x4},
        {"2 by 2: the whole square", 0, 0, 1, 1, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShapeCells cells;
        ComputeShape(cells, Circle, c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(Covered(cells), c.covered);
        EXPECT_EQ(FirstBrokenEntry(cells), -1);
    }
    EXPECT_EQ(Shape(Circle, 0, 0, 4, 4).size(), 17u);
    EXPECT_NE(Shape(Circle, 0, 0, 4, 4), Shape(Circle, 4, 4, 0, 0)) << "same cells, another order";
}

// The order follows the two sampling halves. With pi taken as 3.1415927 the sine at 180 degrees is about
// -4.6e-8, so on an odd span the two samples at 180 degrees land in rows 2 and 1: (3,1) (3,2) appear twice.
TEST(DrawCircle, ListsCellsInSamplingOrder) {
    struct Case {
        const char* name;
        int x1, y1, x2, y2;
        CellList expected;
    };
    const Case cases[] = {
        {"4 by 4, odd span",
         0,
         0,
         3,
         3,
         {{0, 2}, {0, 1}, {0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3},
          {0, 3}, {0, 2}}},
        {"5 by 5",
         0,
         0,
         4,
         4,
         {{0, 2}, {0, 1}, {1, 1}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {4, 1}, {4, 2}, {4, 3}, {3, 3}, {3, 4}, {2, 4},
          {1, 4}, {1, 3}, {0, 3}, {0, 2}}},
        {"5 by 5 drawn backwards",
         4,
         4,
         0,
         0,
         {{4, 2}, {4, 3}, {3, 3}, {3, 4}, {2, 4}, {1, 4}, {1, 3}, {0, 3}, {0, 2}, {0, 1}, {1, 1}, {1, 0}, {2, 0},
          {3, 0}, {3, 1}, {4, 1}, {4, 2}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Shape(Circle, c.x1, c.y1, c.x2, c.y2), c.expected);
    }
}

TEST(DrawCircle, StartsOnTheAnchorsColumnAndPassesTheAnchorsRow) {
    // The first sample (0 degrees) sits at the middle height of column x1; the first half reaches row y1.
    const CellList c = Shape(Circle, 10, 20, 30, 28);
    ASSERT_FALSE(c.empty());
    EXPECT_EQ(c.front().first, 10);
    EXPECT_EQ(c.front().second, 24);
    const auto firstHalfEnd = std::find_if(c.begin(), c.end(), [](Cell k) { return k.first == 30; });
    ASSERT_NE(firstHalfEnd, c.end());
    EXPECT_TRUE(std::any_of(c.begin(), firstHalfEnd, [](Cell k) { return k.second == 20; }));
    EXPECT_TRUE(std::none_of(c.begin(), firstHalfEnd, [](Cell k) { return k.second == 28; }));
}

TEST(DrawCircle, InOneRowOrColumnIsTheStraightLine) {
    const int pairs[][4] = {{3, 5, 20, 5}, {20, 5, 3, 5}, {7, 30, 7, 2}, {0, 47, 0, 0}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(::testing::Message() << p[0] << "," << p[1] << " to " << p[2] << "," << p[3]);
        EXPECT_EQ(Shape(Circle, p[0], p[1], p[2], p[3]), Shape(Line, p[0], p[1], p[2], p[3]));
        EXPECT_EQ(Shape(CircleFill, p[0], p[1], p[2], p[3]), Shape(Line, p[0], p[1], p[2], p[3]));
    }
}

// ---------------------------------------------------------------------------------------------------------
// Filled shapes

TEST(DrawFill, CircleFillPaintsOutlineAndTheExpectedInside) {
    struct Case {
        const char* name;
        int x1, y1, x2, y2;
        std::set<Cell> inside;
    };
    const Case cases[] = {
        {"5 by 5", 0, 0, 4, 4, {{2, 1}, {1, 2}, {2, 2}, {3, 2}, {2, 3}}},
        {"8 by 5",
         0,
         0,
         7,
         4,
         {{2, 1}, {3, 1}, {4, 1}, {5, 1}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {2, 3}, {3, 3}, {4, 3},
          {5, 3}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShapeCells cells;
        ComputeShape(cells, CircleFill, c.x1, c.y1, c.x2, c.y2);
        FillMarks marks;
        FloodMark(cells, FilledGrid(0), CircleFill, c.x1, c.y1, c.x2, c.y2, marks);
        EXPECT_EQ(CellsWithMark(marks, MarkPaint), c.inside);
        EXPECT_EQ(CellsWithMark(marks, MarkOutline), Covered(cells));

        MapGrid grid = FilledGrid(0);
        ApplyToolToGrid(cells, grid, CircleFill, 9, c.x1, c.y1, c.x2, c.y2);
        std::set<Cell> painted = Covered(cells);
        painted.insert(c.inside.begin(), c.inside.end());
        EXPECT_EQ(CellsDiffering(FilledGrid(0), grid), painted);
    }
}

TEST(DrawFill, ThinBoxesAndEllipsesPaintOnlyTheirOutline) {
    struct Case {
        const char* name;
        DrawTool tool;
        int x1, y1, x2, y2;
    };
    const Case cases[] = {
        {"box one column wide", BoxFill, 5, 2, 5, 30},    {"box one row high", BoxFill, 40, 9, 2, 9},
        {"box two columns wide", BoxFill, 5, 2, 6, 30},   {"box two rows high", BoxFill, 2, 10, 40, 9},
        {"ellipse one row high", CircleFill, 3, 3, 9, 3}, {"ellipse two columns wide", CircleFill, 3, 3, 4, 12},
        {"ellipse two rows high", CircleFill, 0, 47, 47, 46},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MapGrid grid = FilledGrid(1);
        ShapeCells cells;
        ApplyToolToGrid(cells, grid, c.tool, 2, c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(CellsDiffering(FilledGrid(1), grid), Covered(cells));
    }
}

TEST(DrawFill, BoxFillPaintsTheFullRectangleOnASampleOfMaps) {
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> cell(0, MapSize - 1);
    for (int i = 0; i < 500; ++i) {
        MapGrid before{};
        for (auto& code : before)
            code = static_cast<TileCode>(rng() & 0xFF);
        const int x1 = cell(rng), y1 = cell(rng), x2 = cell(rng), y2 = cell(rng);
        SCOPED_TRACE(::testing::Message() << x1 << "," << y1 << " to " << x2 << "," << y2);
        MapGrid grid = before;
        ShapeCells cells;
        ApplyToolToGrid(cells, grid, BoxFill, 0xAB, x1, y1, x2, y2);
        const std::set<Cell> rect = Rectangle(x1, y1, x2, y2);
        for (int x = 0; x < MapSize; ++x)
            for (int y = 0; y < MapSize; ++y)
                ASSERT_EQ(grid[CellIndex(x, y)], rect.count({x, y}) ? 0xAB : before[CellIndex(x, y)]);
    }
}

// ---------------------------------------------------------------------------------------------------------
// Bucket

TEST(DrawBucket, SameCodeAsTheClickedCellChangesNothing) {
    std::mt19937 rng(7);
    MapGrid grid{};
    for (auto& code : grid)
        code = static_cast<TileCode>(rng() % 3);
    const MapGrid before = grid;
    ShapeCells cells;
    ApplyToolToGrid(cells, grid, Bucket, grid[CellIndex(20, 20)], -1, -1, 20, 20);
    EXPECT_EQ(grid, before);
}

TEST(DrawBucket, OneCodeMapIsRepaintedWhole) {
    for (const TileCode from : {TileCode{0}, NewMapTile, TileCode{255}}) {
        SCOPED_TRACE(static_cast<int>(from));
        MapGrid grid = FilledGrid(from);
        ShapeCells cells;
        ApplyToolToGrid(cells, grid, Bucket, 17, -1, -1, 47, 0);
        EXPECT_EQ(grid, FilledGrid(17));
        EXPECT_EQ(Listed(cells), (CellList{{47, 0}})) << "the bucket covers the clicked cell alone";
    }
}

// A text picture of a map: one character per cell, rows top to bottom; '.' is code 0, digits their value.
MapGrid GridFromRows(const std::vector<const char*>& rows) {
    MapGrid grid = FilledGrid(0);
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; rows[y][x] != '\0'; ++x)
            grid[CellIndex(x, y)] = rows[y][x] == '.' ? 0 : static_cast<TileCode>(rows[y][x] - '0');
    return grid;
}

TEST(DrawBucket, FillsTheEdgeConnectedSameCodeRegionOnly) {
    struct Case {
        const char* name;
        int x, y;
        std::vector<const char*> map;
        std::vector<const char*> expected;
    };
    const Case cases[] = {
        {"corner contact is not entered",
         1,
         1,
         {"555...", "555...", "555...", "...555", "...555"},
         {"999...", "999...", "999...", "...555", "...555"}},
        {"winding corridor is followed to its end",
         0,
         0,
         {"5555555", "......5", "5.5.5.5", "5.5...5", "5.55555"},
         {"9999999", "......9", "5.9.5.9", "5.9...9", "5.99999"}},
        {"walled pocket keeps the outside",
         2,
         2,
         {"11111", "12221", "12221", "12221", "11111"},
         {"11111", "19991", "19991", "19991", "11111"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MapGrid grid = GridFromRows(c.map);
        ShapeCells cells;
        ApplyToolToGrid(cells, grid, Bucket, 9, -1, -1, c.x, c.y);
        EXPECT_EQ(grid, GridFromRows(c.expected));
    }
}

TEST(DrawBucket, ComparesCodesAsWholeBytes) {
    MapGrid grid = FilledGrid(200);
    grid[CellIndex(10, 10)] = 200 - 128; // same low seven bits, another code
    ShapeCells cells;
    ApplyToolToGrid(cells, grid, Bucket, 3, -1, -1, 0, 0);
    EXPECT_EQ(grid[CellIndex(10, 10)], 72);
    EXPECT_EQ(std::count(grid.begin(), grid.end(), 3), MapCells - 1);
}

// ---------------------------------------------------------------------------------------------------------
// Painting

TEST(DrawPaint, OutlineToolsWriteExactlyTheirCells) {
    for (const DrawTool tool : {Pen, Line, Box, Circle, BoxFill, CircleFill, Bucket}) {
        SCOPED_TRACE(::testing::Message() << "tool " << static_cast<int>(tool));
        MapGrid grid = FilledGrid(NewMapTile);
        ShapeCells cells;
        const int anchorX = tool == Pen || tool == Bucket ? -1 : 5;
        const int anchorY = tool == Pen || tool == Bucket ? -1 : 6;
        ApplyToolToGrid(cells, grid, tool, 3, anchorX, anchorY, 20, 17);
        ShapeCells expected;
        ComputeShape(expected, tool, anchorX, anchorY, 20, 17);
        EXPECT_EQ(Listed(cells), Listed(expected)) << "the list holds the tool's cells afterwards";
        if (tool != BoxFill && tool != CircleFill && tool != Bucket) {
            EXPECT_EQ(CellsDiffering(FilledGrid(NewMapTile), grid), Covered(cells));
        }
    }
}

// ---------------------------------------------------------------------------------------------------------
// Arguments from outside the map and unknown tools: nothing is covered and nothing is painted.

TEST(DrawRobustness, ToolsOutsideOneToSevenCoverAndPaintNothing) {
    for (const int number : {0, 8, -1, 100, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(number);
        const auto tool = static_cast<DrawTool>(number);
        ShapeCells cells;
        AddCell(cells, 1, 1); // a stale list must be cleared
        ComputeShape(cells, tool, 2, 2, 9, 9);
        EXPECT_EQ(cells.CellCount, 0);

        MapGrid grid = FilledGrid(4);
        AddCell(cells, 1, 1);
        ApplyToolToGrid(cells, grid, tool, 5, 2, 2, 9, 9);
        EXPECT_EQ(cells.CellCount, 0);
        EXPECT_EQ(grid, FilledGrid(4));

        FillMarks marks;
        marks.fill(77);
        FloodMark(cells, grid, tool, 2, 2, 9, 9, marks);
        EXPECT_EQ(marks, FillMarks{}) << "marks are cleared and nothing is marked";
    }
}

TEST(DrawRobustness, ArgumentsOffTheMapGiveAnEmptyShapeAndPaintNothing) {
    const int args[][4] = {
        // anchorX, anchorY, x, y
        {-1, -1, 48, 0},      {-1, -1, 0, 48},         {-1, -1, -1, -1},          {-1, -1, -1, 5},
        {-1, 0, 5, 5},        {0, -1, 5, 5},           {48, 48, 5, 5},            {5, 5, 47, 48},
        {5, 5, INT_MAX, 5},   {5, 5, INT_MIN, 5},      {INT_MIN, INT_MIN, 5, 5},  {INT_MAX, INT_MIN, INT_MIN, INT_MAX},
        {0, 0, 1000000, -7},  {-1, -1, INT_MIN, INT_MIN},
    };
    for (DrawTool tool : AllDrawTools) {
        for (const auto& a : args) {
            SCOPED_TRACE(::testing::Message() << "tool " << static_cast<int>(tool) << " anchor " << a[0] << "," << a[1] << " cell "
                                              << a[2] << "," << a[3]);
            ShapeCells cells;
            ComputeShape(cells, tool, a[0], a[1], a[2], a[3]);
            EXPECT_EQ(cells.CellCount, 0);

            MapGrid grid = FilledGrid(4);
            ApplyToolToGrid(cells, grid, tool, 5, a[0], a[1], a[2], a[3]);
            EXPECT_EQ(cells.CellCount, 0);
            EXPECT_EQ(grid, FilledGrid(4));

            FillMarks marks;
            FloodMark(cells, grid, tool, a[0], a[1], a[2], a[3], marks);
            EXPECT_EQ(marks, FillMarks{});
        }
    }
}

TEST(DrawRobustness, AddersIgnoreEndpointsOffTheMapAndKeepTheList) {
    const int ends[][4] = {{0, 0, 48, 0},       {-1, 3, 3, 3},           {INT_MIN, 0, INT_MAX, 0},
                           {0, INT_MIN, 0, INT_MAX}, {INT_MAX, INT_MAX, INT_MIN, INT_MIN}, {3, 3, 3, -100000}};
    for (const auto& e : ends) {
        SCOPED_TRACE(::testing::Message() << e[0] << "," << e[1] << " to " << e[2] << "," << e[3]);
        for (const auto add : {&AddLine, &AddBox, &AddEllipse}) {
            ShapeCells cells;
            AddCell(cells, 7, 7);
            add(cells, e[0], e[1], e[2], e[3]);
            EXPECT_EQ(Listed(cells), (CellList{{7, 7}}));
        }
    }
}

TEST(DrawRobustness, FloodMarkStaysOnTheMapWhatEverTheListHolds) {
    ShapeCells cells;
    cells.CellCount = INT_MAX;
    cells.CellColumns.fill(-5);
    cells.CellRows.fill(1000);
    cells.CellColumns[0] = 3;
    cells.CellRows[0] = 3;
    FillMarks marks;
    FloodMark(cells, FilledGrid(0), BoxFill, 5, 5, 15, 15, marks);
    EXPECT_EQ(marks[MarkIndex(3, 3)], MarkOutline);
    // With only one outline cell the fill runs over the whole map, but never past it.
    EXPECT_EQ(std::count(marks.begin(), marks.end(), MarkPaint), MapCells - 1);

    cells.CellCount = -4;
    FloodMark(cells, FilledGrid(0), CircleFill, 5, 5, 15, 15, marks);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), MarkPaint), MapCells);
}

// ---------------------------------------------------------------------------------------------------------
// Claims over every anchor and cell of the map: 48^4 pairs, split by the anchor's column so that each
// instance stays short and ctest can spread them.

// True when no mark lies outside the box; marks are row-major, so between two rows of the box the cells
// right of it and left of it on the next row form one contiguous run.
bool MarksStayInBox(const FillMarks& marks, int xmin, int ymin, int xmax, int ymax) {
    static const FillMarks zeros{};
    const auto zeroRun = [&](int from, int to) {
        return to <= from || std::memcmp(marks.data() + from, zeros.data(), static_cast<std::size_t>(to - from)) == 0;
    };
    if (!zeroRun(0, MarkIndex(xmin, ymin)))
        return false;
    for (int y = ymin; y < ymax; ++y)
        if (!zeroRun(MarkIndex(xmax, y) + 1, MarkIndex(xmin, y + 1)))
            return false;
    return zeroRun(MarkIndex(xmax, ymax) + 1, MapCells);
}

class DrawAllPairs : public ::testing::TestWithParam<int> {};

TEST_P(DrawAllPairs, ShapesKeepTheirBoundsAndFillsStayInTheirBox) {
    const int x1 = GetParam();
    const MapGrid grid = FilledGrid(0);
    ShapeCells line, box, ellipse;
    FillMarks marks;
    for (int y1 = 0; y1 < MapSize; ++y1) {
        for (int x2 = 0; x2 < MapSize; ++x2) {
            for (int y2 = 0; y2 < MapSize; ++y2) {
                const int w = std::abs(x2 - x1);
                const int h = std::abs(y2 - y1);
                const int xmin = std::min(x1, x2), xmax = std::max(x1, x2);
                const int ymin = std::min(y1, y2), ymax = std::max(y1, y2);
                const auto where = [&] {
                    return ::testing::Message() << x1 << "," << y1 << " to " << x2 << "," << y2;
                };

                ComputeShape(line, Line, x1, y1, x2, y2);
                ASSERT_EQ(line.CellCount, std::max(w, h) + 1) << where();
                ASSERT_EQ(FirstBrokenEntry(line), -1) << where();

                ComputeShape(box, Box, x1, y1, x2, y2);
                const int boxCount = (w > 0 && h > 0) ? 2 * w + 2 * h + 1 : 2 * std::max(w, h) + 1;
                ASSERT_EQ(box.CellCount, boxCount) << where();
                ASSERT_LE(box.CellCount, 189) << where();
                ASSERT_EQ(FirstBrokenEntry(box), -1) << where();

                ComputeShape(ellipse, Circle, x1, y1, x2, y2);
                ASSERT_LE(ellipse.CellCount, (w > 0 && h > 0) ? 153 : 48) << where();
                ASSERT_EQ(FirstBrokenEntry(ellipse), -1) << where();
                for (int i = 0; i < ellipse.CellCount; ++i) {
                    ASSERT_TRUE(ellipse.CellColumns[i] >= xmin && ellipse.CellColumns[i] <= xmax &&
                                ellipse.CellRows[i] >= ymin && ellipse.CellRows[i] <= ymax)
                        << where() << " entry " << i;
                }

                // BoxFill: outline and inside together are exactly the rectangle.
                FloodMark(box, grid, BoxFill, x1, y1, x2, y2, marks);
                ASSERT_TRUE(MarksStayInBox(marks, xmin, ymin, xmax, ymax)) << where();
                bool boxHasInside = false;
                for (int y = ymin; y <= ymax; ++y) {
                    for (int x = xmin; x <= xmax; ++x) {
                        const std::uint8_t m = marks[MarkIndex(x, y)];
                        ASSERT_NE(m, MarkUntouched) << where() << " cell " << x << "," << y;
                        boxHasInside = boxHasInside || m == MarkPaint;
                    }
                }
                ASSERT_EQ(boxHasInside, w >= 2 && h >= 2) << where();

                // CircleFill: never leaves the box; has an inside exactly when wider and higher than two.
                FloodMark(ellipse, grid, CircleFill, x1, y1, x2, y2, marks);
                ASSERT_TRUE(MarksStayInBox(marks, xmin, ymin, xmax, ymax)) << where();
                bool ellipseHasInside = false;
                for (int y = ymin; y <= ymax && !ellipseHasInside; ++y)
                    for (int x = xmin; x <= xmax; ++x)
                        ellipseHasInside = ellipseHasInside || marks[MarkIndex(x, y)] == MarkPaint;
                ASSERT_EQ(ellipseHasInside, w >= 2 && h >= 2) << where();
            }
        }
    }
}

// The plain build proves the claims over every pair (about 20 s in all). The sanitizer build, some five times
// slower, is there to catch memory faults, so every sixth anchor column is enough for it.
#if defined(__SANITIZE_ADDRESS__)
constexpr int AnchorColumnStep = 6;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int AnchorColumnStep = 6;
#else
constexpr int AnchorColumnStep = 1;
#endif
#else
constexpr int AnchorColumnStep = 1;
#endif

INSTANTIATE_TEST_SUITE_P(AnchorColumn, DrawAllPairs, ::testing::Range(0, MapSize, AnchorColumnStep));

} // namespace
} // namespace tav
