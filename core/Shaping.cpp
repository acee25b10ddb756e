#include "Shaping.h"

#include "CellGrid.h"

namespace tav {

namespace {

// Neighbour offsets come from NeighbourSteps, in the order of the NeighbourPattern bits: bit i belongs to
// step i. Pass 1 tests the castles in this same order.

// Column terrain by its two vertical neighbours: [north counts][south counts].
constexpr TileCode ColumnCode[2][2] = {
    {4, 2}, // no N: alone, or top of a run
    {3, 1}, // N: bottom of a run, or inside it
};

bool IsColumnAt(const MapGrid& grid, int x, int y) {
    return InMap(x, y) && CellClass(grid, x, y) == ColumnClass;
}

// Raised terrain shows an edge toward edged and ridge terrain and toward the map border.
bool RaisedJoins(const MapGrid& grid, int x, int y) {
    return InMap(x, y) && !InEdgedOrRidgeRange(grid, x, y);
}

// Ridge terrain runs on past the border: the border counts as joined here, unlike the raised rule.
bool RidgeJoins(const MapGrid& grid, int x, int y) {
    return !InMap(x, y) || CellClass(grid, x, y) == RidgeClass;
}

TileCode ShapeColumn(const MapGrid& grid, int x, int y) {
    return ColumnCode[IsColumnAt(grid, x, y - 1)][IsColumnAt(grid, x, y + 1)];
}

TileCode ShapeRaised(const MapGrid& grid, int x, int y) {
    return RaisedSideCode(RaisedJoins(grid, x - 1, y), RaisedJoins(grid, x, y - 1),
                          RaisedJoins(grid, x + 1, y), RaisedJoins(grid, x, y + 1));
}

TileCode ShapeRidge(const MapGrid& grid, int x, int y) {
    return RidgeSideCode(RidgeJoins(grid, x - 1, y), RidgeJoins(grid, x, y - 1),
                         RidgeJoins(grid, x + 1, y), RidgeJoins(grid, x, y + 1));
}

TileCode ShapeEdged(const MapGrid& grid, int x, int y) {
    // A bit for every neighbour that is neither raised nor edged terrain; outside the map sets none,
    // so water runs on past the border without a shore.
    std::uint8_t shoreMask = 0;
    for (int i = 0; i < 8; ++i) {
        const int nx = x + NeighbourSteps[static_cast<std::size_t>(i)].Dx;
        const int ny = y + NeighbourSteps[static_cast<std::size_t>(i)].Dy;
        if (InMap(nx, ny) && !InRaisedOrEdgedRange(grid, nx, ny))
            shoreMask = static_cast<std::uint8_t>(shoreMask | (1u << i));
    }
    return EdgedShapeCode(shoreMask);
}

TileCode ShapeFactionTile(const MapGrid& grid, int x, int y, TileCode code) {
    // Only the neighbours visited before this cell, so a run alternates instead of flipping all at once.
    constexpr int before[4][2] = {{-1, -1}, {-1, 0}, {0, -1}, {-1, 1}}; // NW, W, N, SW
    for (const auto& d : before) {
        const int nx = x + d[0];
        const int ny = y + d[1];
        if (InMap(nx, ny) && grid[CellIndex(nx, ny)] == code)
            return static_cast<TileCode>(FactionAlternate + FactionOf(code));
    }
    return code;
}

} // namespace

constexpr std::array<EdgedShape, 46> EdgedShapeTable = {{
    // Mask  Directions        Code
    {0x5A, 63}, // N W E S
    {0x1A, 55}, // N W E
    {0x4A, 59}, // N W S
    {0x52, 62}, // N E S
    {0x58, 61}, // W E S
    {0x8A, 94}, // N W SE
    {0x0A, 51}, // N W
    {0x32, 95}, // N E SW
    {0x12, 54}, // N E
    {0x4C, 92}, // NE W S
    {0x48, 57}, // W S
    {0x51, 93}, // NW E S
    {0x50, 60}, // E S
    {0x42, 58}, // N S
    {0x18, 53}, // W E
    {0xA2, 85}, // N SW SE
    {0x22, 84}, // N SW
    {0x82, 83}, // N SE
    {0x02, 50}, // N
    {0x8C, 82}, // NE W SE
    {0x0C, 80}, // NE W
    {0x88, 81}, // W SE
    {0x08, 49}, // W
    {0x31, 88}, // NW E SW
    {0x11, 87}, // NW E
    {0x30, 86}, // E SW
    {0x10, 52}, // E
    {0x45, 91}, // NW NE S
    {0x41, 89}, // NW S
    {0x44, 90}, // NE S
    {0x40, 56}, // S
    {0xA5, 79}, // NW NE SW SE
    {0x25, 75}, // NW NE SW
    {0x85, 71}, // NW NE SE
    {0xA1, 77}, // NW SW SE
    {0xA4, 78}, // NE SW SE
    {0x05, 67}, // NW NE
    {0x21, 73}, // NW SW
    {0x24, 74}, // NE SW
    {0x81, 69}, // NW SE
    {0x84, 70}, // NE SE
    {0xA0, 76}, // SW SE
    {0x01, 65}, // NW
    {0x04, 66}, // NE
    {0x20, 72}, // SW
    {0x80, 68}, // SE
}};

// Every non-empty pattern must find a pair, which holds when each single bit is the mask of one.
constexpr bool EverySingleBitHasAPair() {
    for (unsigned bit = 1; bit < 0x100; bit <<= 1) {
        bool found = false;
        for (const EdgedShape& shape : EdgedShapeTable)
            found = found || shape.Mask == bit;
        if (!found)
            return false;
    }
    return true;
}
static_assert(EverySingleBitHasAPair());

TileCode EdgedShapeCode(std::uint8_t pattern) {
    if (pattern == 0)
        return EdgedClass;
    for (const EdgedShape& shape : EdgedShapeTable)
        if ((pattern & shape.Mask) == shape.Mask)
            return shape.Code;
    return EdgedClass; // unreachable: every single bit is the mask of an entry
}

std::uint16_t TileClass(TileCode code) {
    if (code >= 1 && code <= 4)
        return ColumnClass;
    if (code == RidgePassage)
        return RidgeClass;
    if (code >= 8 && code <= 11)
        return FactionTileClass;
    if (IsCastle(code))
        return CastleClass;
    if ((code >= 32 && code <= 47) || code == RaisedObstacle)
        return RaisedClass;
    if (code >= 48 && code <= 95)
        return EdgedClass;
    if (code >= 96 && code <= 111)
        return RidgeClass;
    return code; // single tiles, alternates, gate, ring pieces, and 128..255
}

TileCode PlainCode(TileCode code) {
    if (code >= 1 && code <= 4)
        return 1;
    if (code >= 32 && code <= 47)
        return 32;
    if (code >= 48 && code <= 95)
        return 48;
    if (code >= 96 && code <= 111)
        return 96;
    return code;
}

std::uint16_t CellClass(const MapGrid& grid, int x, int y) {
    return TileClass(grid[CellIndex(x, y)]);
}

bool InEdgedOrRidgeRange(const MapGrid& grid, int x, int y) {
    const TileCode code = grid[CellIndex(x, y)];
    return code >= 48 && code <= 111;
}

bool InRaisedOrEdgedRange(const MapGrid& grid, int x, int y) {
    const TileCode code = grid[CellIndex(x, y)];
    return (code >= 32 && code <= 95) || code == RaisedObstacle;
}

void ShapeMap(MapGrid& grid) {
    // Pass 1: each cell looks for castles around it and takes the ring piece it is for that castle.
    // Later writes win, so the test order decides between two castles. A castle is never written over, so
    // the castles stay as they are through the pass, every ring piece follows from them alone and a second
    // shaping writes the same pieces again. (The map check reports castles that stand this close.)
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            for (int i = 0; i < 8; ++i) {
                const int nx = x + NeighbourSteps[static_cast<std::size_t>(i)].Dx;
                const int ny = y + NeighbourSteps[static_cast<std::size_t>(i)].Dy;
                if (!InMap(nx, ny))
                    continue;
                const TileCode neighbour = grid[CellIndex(nx, ny)];
                if (TileClass(neighbour) == CastleClass && CellClass(grid, x, y) != CastleClass)
                    grid[CellIndex(x, y)] = CastleRing(neighbour)[7 - i]; // the castle sees us opposite
            }

    // Pass 2: the terrain rules. No rule turns a cell into the kind of another rule, so choosing the one
    // rule by the cell's class is the same as trying all five in order.
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y) {
            TileCode& cell = grid[CellIndex(x, y)];
            switch (TileClass(cell)) {
            case ColumnClass:
                cell = ShapeColumn(grid, x, y);
                break;
            case RaisedClass:
                if (cell != RaisedObstacle)
                    cell = ShapeRaised(grid, x, y);
                break;
            case EdgedClass:
                cell = ShapeEdged(grid, x, y);
                break;
            case RidgeClass:
                if (cell != RidgePassage)
                    cell = ShapeRidge(grid, x, y);
                break;
            case FactionTileClass:
                cell = ShapeFactionTile(grid, x, y, cell);
                break;
            default:
                break;
            }
        }
}

void UnshapeMap(MapGrid& grid) {
    for (TileCode& cell : grid)
        cell = PlainCode(cell);
}

} // namespace tav
