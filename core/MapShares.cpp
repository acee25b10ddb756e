#include "MapShares.h"

#include "Shaping.h"

#include <array>

namespace tav {

MapShares MeasureShares(const MapGrid& grid) {
    auto isWater = [&](std::size_t cell) { return PlainCode(grid[cell]) == EdgedClass; };

    std::array<bool, MapCells> sea{};
    std::array<std::uint16_t, MapCells> queue;
    std::size_t tail = 0;
    for (int i = 0; i < MapSize; ++i)
        for (const auto& [x, y] :
             {std::pair{i, 0}, std::pair{i, MapSize - 1}, std::pair{0, i}, std::pair{MapSize - 1, i}}) {
            const auto cell = static_cast<std::size_t>(CellIndex(x, y));
            if (isWater(cell) && !sea[cell]) {
                sea[cell] = true;
                queue[tail++] = static_cast<std::uint16_t>(cell);
            }
        }
    for (std::size_t head = 0; head < tail; ++head) {
        const int x = queue[head] / MapSize;
        const int y = queue[head] % MapSize;
        for (const auto& [nx, ny] :
             {std::pair{x - 1, y}, std::pair{x + 1, y}, std::pair{x, y - 1}, std::pair{x, y + 1}}) {
            if (!InMap(nx, ny)) continue;
            const auto cell = static_cast<std::size_t>(CellIndex(nx, ny));
            if (isWater(cell) && !sea[cell]) {
                sea[cell] = true;
                queue[tail++] = static_cast<std::uint16_t>(cell);
            }
        }
    }

    MapShares shares;
    for (std::size_t cell = 0; cell < MapCells; ++cell) {
        if (sea[cell]) {
            ++shares.Sea;
            continue;
        }
        ++shares.Land;
        // The plain codes of the kinds: mountains, trees, plateau, water.
        switch (PlainCode(grid[cell])) {
        case RidgeClass:
            ++shares.Mountains;
            break;
        case 1:
            ++shares.Forests;
            break;
        case RaisedClass:
            ++shares.Plateaus;
            break;
        case EdgedClass:
            ++shares.InlandWater;
            break;
        default:
            break;
        }
    }
    return shares;
}

} // namespace tav
