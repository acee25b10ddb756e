#include "DrawTools.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tav {

namespace {

constexpr int NoAnchor = -1;

// The ellipse is sampled every 2.25 degrees from 0 to 180; 2.25 is exact in binary, so k * 2.25 hits
// 0, 90 and 180 exactly and both halves reuse the same 81 angles.
constexpr int EllipseSteps = 80;
constexpr double EllipseStepDegrees = 2.25;
// The rasterisers take pi as 3.1415927, not the exact value: near 90 and 180 degrees this decides which
// of two neighbouring cells a sample lands in, and the order of the listed cells depends on it.
constexpr double RasterPi = 3.1415927;

struct AngleTable {
    std::array<double, EllipseSteps + 1> Cos{};
    std::array<double, EllipseSteps + 1> Sin{};
};

// The cosines and sines of the 81 sample angles, computed once; every ellipse uses the same values,
// so a table changes no cell and saves 162 trigonometric calls per ellipse.
const AngleTable& SampleAngles() {
    static const AngleTable table = [] {
        AngleTable t;
        for (int k = 0; k <= EllipseSteps; ++k) {
            const double degrees = k * EllipseStepDegrees;
            const double radians = degrees * RasterPi / 180;
            t.Cos[k] = std::cos(radians);
            t.Sin[k] = std::sin(radians);
        }
        return t;
    }();
    return table;
}

// Real values become cells by truncation toward zero (-0.01 gives row 0, not -1). Only called with
// values near the map, which the entry checks guarantee, so the conversion is always defined.
int TruncToCell(double v) { return static_cast<int>(v); }

// A caller may cast any number to a tool (the fuzzer does); only the seven paint.
bool IsTool(DrawTool tool) { return tool >= DrawTool::Pen && tool <= DrawTool::Bucket; }
bool IsFillTool(DrawTool tool) {
    return tool == DrawTool::BoxFill || tool == DrawTool::CircleFill || tool == DrawTool::Bucket;
}

// The anchor the shape starts from: the cell itself when there is none. Arguments from outside the map
// (other than the no-anchor pair) are refused as a whole rather than clipped: the edit window only ever
// passes cells of the map, and anything else must neither loop for long nor paint a stray shape.
bool ResolveAnchor(int anchorX, int anchorY, int x, int y, int& x1, int& y1) {
    if (!InMap(x, y))
        return false;
    if (anchorX == NoAnchor && anchorY == NoAnchor) {
        x1 = x;
        y1 = y;
        return true;
    }
    if (!InMap(anchorX, anchorY))
        return false;
    x1 = anchorX;
    y1 = anchorY;
    return true;
}

} // namespace

void AddCell(ShapeCells& cells, int x, int y) {
    if (!InMap(x, y))
        return;
    const int n = cells.CellCount;
    // A list that does not come from these functions may carry any count; refuse to write past the arrays.
    if (n < 0 || n >= ShapeCapacity)
        return;
    if (n > 0 && cells.CellColumns[n - 1] == x && cells.CellRows[n - 1] == y)
        return;
    cells.CellColumns[n] = x;
    cells.CellRows[n] = y;
    cells.CellCount = n + 1;
}

void AddLine(ShapeCells& cells, int x1, int y1, int x2, int y2) {
    // Endpoints off the map would mean huge loops and out-of-range conversions; such a line lists nothing.
    if (!InMap(x1, y1) || !InMap(x2, y2))
        return;
    const int dx = std::abs(x1 - x2);
    const int dy = std::abs(y1 - y2);
    // The minor coordinate comes from the slope sampled half a step ahead plus 0.49; this is why a 45-degree
    // line drawn upwards lies one row above the exact diagonal. Cursor and paint share it, so it shows.
    if (dx >= dy) {
        const double slope = dx == 0 ? 0.0 : static_cast<double>(y2 - y1) / dx;
        for (int t = 0; t <= dx; ++t) {
            const int column = x1 <= x2 ? x1 + t : x1 - t;
            const int row = TruncToCell(y1 + (t + 0.5) * slope + 0.49);
            AddCell(cells, column, row);
        }
    } else {
        const double slope = static_cast<double>(x2 - x1) / dy;
        for (int s = 0; s <= dy; ++s) {
            const int row = y1 <= y2 ? y1 + s : y1 - s;
            const int column = TruncToCell(x1 + (s + 0.5) * slope + 0.49);
            AddCell(cells, column, row);
        }
    }
}

void AddBox(ShapeCells& cells, int x1, int y1, int x2, int y2) {
    if (!InMap(x1, y1) || !InMap(x2, y2))
        return;
    // A closed loop from the first corner; AddCell drops each corner repeated at the start of the next side.
    AddLine(cells, x1, y1, x2, y1);
    AddLine(cells, x2, y1, x2, y2);
    AddLine(cells, x2, y2, x1, y2);
    AddLine(cells, x1, y2, x1, y1);
}

void AddEllipse(ShapeCells& cells, int x1, int y1, int x2, int y2) {
    if (!InMap(x1, y1) || !InMap(x2, y2))
        return;
    if (x2 == x1 || y2 == y1) {
        AddLine(cells, x1, y1, x2, y2);
        return;
    }
    // Signed half spans: the extreme samples land on the centres of columns x1, x2 and rows y1, y2.
    const double rx = (x1 - x2) / 2.0;
    const double ry = (y1 - y2) / 2.0;
    const double cx = x1 - rx + 0.5;
    const double cy = y1 - ry + 0.5;
    const AngleTable& angles = SampleAngles();
    // First half from column x1 through row y1 to column x2, second half back through row y2.
    for (int k = 0; k <= EllipseSteps; ++k)
        AddCell(cells, TruncToCell(cx + rx * angles.Cos[k]), TruncToCell(cy + ry * angles.Sin[k]));
    for (int k = EllipseSteps; k >= 0; --k)
        AddCell(cells, TruncToCell(cx + rx * angles.Cos[k]), TruncToCell(cy - ry * angles.Sin[k]));
}

void ComputeShape(ShapeCells& cells, DrawTool tool, int anchorX, int anchorY, int x, int y) {
    cells.CellCount = 0;
    int x1 = 0;
    int y1 = 0;
    if (!ResolveAnchor(anchorX, anchorY, x, y, x1, y1))
        return;
    using enum DrawTool;
    switch (tool) {
    case Pen:
        AddLine(cells, x, y, x, y);
        break;
    case Line:
        AddLine(cells, x1, y1, x, y);
        break;
    case Box:
    case BoxFill:
    case Bucket: // the bucket never has an anchor, so its box is the clicked cell
        AddBox(cells, x1, y1, x, y);
        break;
    case Circle:
    case CircleFill:
        AddEllipse(cells, x1, y1, x, y);
        break;
    default:
        break;
    }
}

void FloodMark(const ShapeCells& cells, const MapGrid& grid, DrawTool tool, int anchorX, int anchorY, int x, int y,
               FillMarks& marks) {
    marks.fill(MarkUntouched);
    int x1 = 0;
    int y1 = 0;
    if (!IsFillTool(tool) || !ResolveAnchor(anchorX, anchorY, x, y, x1, y1))
        return;

    // Breadth-first over a fixed queue: a cell is marked before it is queued, so none is queued twice
    // and 2304 entries always suffice.
    std::array<std::uint8_t, MapCells> queueColumns;
    std::array<std::uint8_t, MapCells> queueRows;
    int head = 0;
    int tail = 0;
    const auto enqueue = [&](int cx, int cy) {
        marks[MarkIndex(cx, cy)] = MarkPaint;
        queueColumns[tail] = static_cast<std::uint8_t>(cx);
        queueRows[tail] = static_cast<std::uint8_t>(cy);
        ++tail;
    };

    const bool sameCodeRegion = tool == DrawTool::Bucket;
    // Read before anything is written: the region is the clicked cell's code as it was.
    const TileCode startCode = grid[CellIndex(x, y)];

    if (sameCodeRegion) {
        enqueue(x, y);
    } else {
        const int count = std::clamp(cells.CellCount, 0, ShapeCapacity);
        for (int i = 0; i < count; ++i) {
            const int cx = cells.CellColumns[i];
            const int cy = cells.CellRows[i];
            if (InMap(cx, cy))
                marks[MarkIndex(cx, cy)] = MarkOutline;
        }
        if (x == x1 || y == y1)
            return; // one cell thin: no inside
        // Integer division truncates toward zero, as the start cell's halving requires.
        const int startX = x1 + (x - x1) / 2;
        const int startY = y1 + (y - y1) / 2;
        if (marks[MarkIndex(startX, startY)] == MarkOutline)
            return; // the outline covers the middle: nothing inside
        enqueue(startX, startY);
    }

    // Neighbours in the order up, left, right, down; diagonals are never entered, so an outline that
    // steps diagonally still holds the fill. The map's edge bounds the fill whatever the outline.
    const auto visit = [&](int nx, int ny) {
        if (marks[MarkIndex(nx, ny)] != MarkUntouched)
            return;
        if (sameCodeRegion && grid[CellIndex(nx, ny)] != startCode)
            return;
        enqueue(nx, ny);
    };
    while (head < tail) {
        const int cx = queueColumns[head];
        const int cy = queueRows[head];
        ++head;
        if (cy > 0)
            visit(cx, cy - 1);
        if (cx > 0)
            visit(cx - 1, cy);
        if (cx < MapSize - 1)
            visit(cx + 1, cy);
        if (cy < MapSize - 1)
            visit(cx, cy + 1);
    }
}

void ApplyToolToGrid(ShapeCells& cells, MapGrid& grid, DrawTool tool, TileCode code, int anchorX, int anchorY, int x,
                     int y) {
    ComputeShape(cells, tool, anchorX, anchorY, x, y);
    // Nothing is painted for a value outside the seven tools or arguments off the map.
    if (cells.CellCount == 0 || !IsTool(tool))
        return;

    if (IsFillTool(tool)) {
        FillMarks marks;
        FloodMark(cells, grid, tool, anchorX, anchorY, x, y, marks);
        if (tool != DrawTool::Bucket) {
            for (int i = 0; i < cells.CellCount; ++i)
                grid[CellIndex(cells.CellColumns[i], cells.CellRows[i])] = code;
        }
        for (int cy = 0; cy < MapSize; ++cy) {
            for (int cx = 0; cx < MapSize; ++cx) {
                if (marks[MarkIndex(cx, cy)] == MarkPaint)
                    grid[CellIndex(cx, cy)] = code;
            }
        }
        return;
    }

    for (int i = 0; i < cells.CellCount; ++i)
        grid[CellIndex(cells.CellColumns[i], cells.CellRows[i])] = code;
}

} // namespace tav
