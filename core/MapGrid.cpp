#include "MapGrid.h"

#include <algorithm>

namespace tav {

void ShiftMap(MapGrid& grid, ShiftDirection direction) {
    auto column = [&grid](int x) { return grid.begin() + CellIndex(x, 0); };
    switch (direction) {
    case ShiftDirection::Left:
        // Column 0 goes round to column 47; columns are contiguous, so this is one rotation.
        std::rotate(grid.begin(), column(1), grid.end());
        break;
    case ShiftDirection::Right:
        std::rotate(grid.begin(), column(MapSize - 1), grid.end());
        break;
    case ShiftDirection::Up:
        for (int x = 0; x < MapSize; ++x)
            std::rotate(column(x), column(x) + 1, column(x) + MapSize);
        break;
    case ShiftDirection::Down:
        for (int x = 0; x < MapSize; ++x)
            std::rotate(column(x), column(x) + MapSize - 1, column(x) + MapSize);
        break;
    }
}

} // namespace tav
