#include "MapShares.h"

#include "GridWalk.h"
#include "Shaping.h"

#include <array>

namespace tav {

MapShares MeasureShares(const MapGrid& grid) {
    auto isWater = [&](std::size_t cell) { return PlainCode(grid[cell]) == EdgedClass; };

    std::array<bool, MapCells> sea{};
    BreadthFirstWalk walk;
    for (int i = 0; i < MapSize; ++i)
        for (const MapCell rim :
             {MapCell{i, 0}, MapCell{i, MapSize - 1}, MapCell{0, i}, MapCell{MapSize - 1, i}}) {
            const std::size_t cell = GridIndex(rim);
            if (isWater(cell) && !sea[cell]) {
                sea[cell] = true;
                walk.Start(rim);
            }
        }
    walk.Run([&](MapCell, MapCell to) {
        const std::size_t cell = GridIndex(to);
        if (!isWater(cell) || sea[cell])
            return false;
        sea[cell] = true;
        return true;
    });

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
