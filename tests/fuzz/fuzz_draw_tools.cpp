// Any tool, code, anchor and cell, valid or not, through the drawing tools: the shape list stays within
// its 200 cells and the map, and painting writes nothing outside the grid nor outside what the tool covers.

#include "DrawTools.h"
#include "FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace {

using namespace tav;
using enum DrawTool;

// Half the time a coordinate lands near the map so the rasterisers get exercised, half the time it is
// any integer at all.
int Coordinate(FuzzedDataProvider& input) {
    if (input.ConsumeBool())
        return input.ConsumeIntegralInRange<int>(-70, 117);
    return input.ConsumeIntegral<std::int32_t>();
}

void CheckShape(const ShapeCells& cells, DrawTool tool) {
    FUZZ_CHECK(cells.CellCount >= 0 && cells.CellCount <= ShapeCapacity, "a shape lists 0 to 200 cells");
    if (tool < Pen || tool > Bucket)
        FUZZ_CHECK(cells.CellCount == 0, "a tool outside 1..7 covers no cell");
    for (int i = 0; i < cells.CellCount; ++i) {
        FUZZ_CHECK(InMap(cells.CellColumns[i], cells.CellRows[i]), "every listed cell lies in 0..47");
        if (i > 0)
            FUZZ_CHECK(cells.CellColumns[i] != cells.CellColumns[i - 1] || cells.CellRows[i] != cells.CellRows[i - 1],
                       "no entry equals the one before it");
    }
}

bool Listed(const ShapeCells& cells, int x, int y) {
    for (int i = 0; i < cells.CellCount; ++i)
        if (cells.CellColumns[i] == x && cells.CellRows[i] == y)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // Any number cast to a tool, as a caller could pass it.
    const auto tool = static_cast<DrawTool>(input.ConsumeBool() ? input.ConsumeIntegralInRange<int>(-1, 9)
                                                                : input.ConsumeIntegral<std::int32_t>());
    const auto code = input.ConsumeIntegral<TileCode>();
    const bool anchored = input.ConsumeBool();
    const int anchorX = anchored ? Coordinate(input) : -1;
    const int anchorY = anchored ? Coordinate(input) : -1;
    const int x = Coordinate(input);
    const int y = Coordinate(input);

    // The grid and the list stand alone on the heap so that a write past either end meets a red zone.
    auto grid = std::make_unique<MapGrid>();
    const std::vector<std::uint8_t> pattern = input.ConsumeRemainingBytes<std::uint8_t>();
    for (int i = 0; i < MapCells; ++i)
        (*grid)[i] = pattern.empty() ? NewMapTile : pattern[static_cast<std::size_t>(i) % pattern.size()];
    const MapGrid before = *grid;

    auto shape = std::make_unique<ShapeCells>();
    ComputeShape(*shape, tool, anchorX, anchorY, x, y);
    CheckShape(*shape, tool);

    auto painted = std::make_unique<ShapeCells>();
    ApplyToolToGrid(*painted, *grid, tool, code, anchorX, anchorY, x, y);
    CheckShape(*painted, tool);
    FUZZ_CHECK(painted->CellCount == shape->CellCount &&
                   std::equal(shape->CellColumns.begin(), shape->CellColumns.begin() + shape->CellCount,
                              painted->CellColumns.begin()) &&
                   std::equal(shape->CellRows.begin(), shape->CellRows.begin() + shape->CellCount,
                              painted->CellRows.begin()),
               "painting leaves the list the tool covers");
    const bool fill = tool == BoxFill || tool == CircleFill || tool == Bucket;

    // The anchor as the tools use it: the cell itself when there is none.
    const int x1 = (anchorX == -1 && anchorY == -1) ? x : anchorX;
    const int y1 = (anchorX == -1 && anchorY == -1) ? y : anchorY;
    const TileCode startCode = InMap(x, y) ? before[CellIndex(x, y)] : 0;
    for (int cx = 0; cx < MapSize; ++cx) {
        for (int cy = 0; cy < MapSize; ++cy) {
            const TileCode now = (*grid)[CellIndex(cx, cy)];
            const TileCode was = before[CellIndex(cx, cy)];
            if (!fill || tool == BoxFill || tool == CircleFill)
                if (Listed(*painted, cx, cy))
                    FUZZ_CHECK(now == code, "every cell the tool covers holds the code");
            if (now == was)
                continue;
            FUZZ_CHECK(now == code, "a painted cell holds the code");
            if (!fill) {
                FUZZ_CHECK(Listed(*painted, cx, cy), "a stroke writes only the cells it lists");
            } else if (tool == Bucket) {
                FUZZ_CHECK(InMap(x, y) && was == startCode, "the bucket only enters cells of the clicked code");
            } else {
                FUZZ_CHECK(static_cast<long long>(cx) >= std::min<long long>(x1, x) &&
                               static_cast<long long>(cx) <= std::max<long long>(x1, x) &&
                               static_cast<long long>(cy) >= std::min<long long>(y1, y) &&
                               static_cast<long long>(cy) <= std::max<long long>(y1, y),
                           "a filled shape stays inside the box of its two points");
            }
        }
    }
    if (tool == BoxFill && InMap(x1, y1) && InMap(x, y)) {
        for (int cx = std::min(x1, x); cx <= std::max(x1, x); ++cx)
            for (int cy = std::min(y1, y); cy <= std::max(y1, y); ++cy)
                FUZZ_CHECK((*grid)[CellIndex(cx, cy)] == code, "a filled box covers its whole rectangle");
    }
    // The tools refuse an anchor off the map as a whole, so the bucket paints exactly when it lists a cell.
    if (tool == Bucket && painted->CellCount > 0)
        FUZZ_CHECK((*grid)[CellIndex(x, y)] == code, "the bucket paints the clicked cell");
    return 0;
}
