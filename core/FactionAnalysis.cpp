#include "FactionAnalysis.h"

#include "GridWalk.h"
#include "MapCheck.h"
#include "Shaping.h"

#include <algorithm>

namespace tav {

namespace {

// Breadth-first from all of the faction's castles at once, so each cell gets the steps from the nearest one.
void WalkFromCastles(const std::array<bool, MapCells>& passable, std::span<const std::uint16_t> castles,
                     CellCosts& steps) {
    steps.fill(NotReached);
    BreadthFirstWalk walk;
    for (const std::uint16_t castle : castles) {
        steps[castle] = 0;
        walk.Start(CellOfIndex(castle));
    }
    walk.Run([&](MapCell from, MapCell to) {
        const std::size_t index = GridIndex(to);
        if (!passable[index] || steps[index] != NotReached)
            return false;
        steps[index] = static_cast<std::uint16_t>(steps[GridIndex(from)] + 1);
        return true;
    });
}

} // namespace

bool IsPassableCode(TileCode code) {
    return !IsBlockingCode(PlainCode(code));
}

FactionAnalysis AnalyseFactions(const MapGrid& grid) {
    FactionAnalysis result;

    // Castles grouped by faction: count first, then place each in scan order behind its faction's start.
    for (const TileCode code : grid)
        if (IsCastle(code))
            ++result.Factions[static_cast<std::size_t>(FactionOf(code))].CastleCount;
    for (std::size_t f = 0; f < FactionCount; ++f)
        result.castleStart_[f + 1] = result.castleStart_[f] + result.Factions[f].CastleCount;
    std::array<int, FactionCount> placed{};
    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x) {
            const TileCode code = At(grid, {x, y});
            if (!IsCastle(code))
                continue;
            const auto f = static_cast<std::size_t>(FactionOf(code));
            result.castleCells_[static_cast<std::size_t>(result.castleStart_[f] + placed[f]++)] =
                static_cast<std::uint16_t>(CellIndex(x, y));
        }

    std::array<bool, MapCells> passable;
    for (std::size_t i = 0; i < MapCells; ++i)
        passable[i] = IsPassableCode(grid[i]);

    std::array<CellCosts, FactionCount> steps;
    for (int f = 0; f < FactionCount; ++f)
        WalkFromCastles(passable, result.Castles(f), steps[static_cast<std::size_t>(f)]);

    for (std::size_t i = 0; i < MapCells; ++i) {
        if (!passable[i]) {
            result.Holder[i] = BlockedCell;
            continue;
        }
        ++result.Passable;
        std::uint16_t nearest = NotReached;
        int nearestFaction = 0;
        int sharing = 0;
        for (int f = 0; f < FactionCount; ++f) {
            const std::uint16_t s = steps[static_cast<std::size_t>(f)][i];
            if (s == NotReached || s > nearest)
                continue;
            if (s < nearest) {
                nearest = s;
                nearestFaction = f;
                sharing = 0;
            }
            ++sharing;
        }
        if (sharing == 0) {
            result.Holder[i] = UnreachableCell;
            ++result.Unreachable;
        } else if (sharing > 1) {
            result.Holder[i] = ContestedCell;
            ++result.Contested;
        } else {
            result.Holder[i] = static_cast<std::uint8_t>(nearestFaction);
            ++result.Factions[static_cast<std::size_t>(nearestFaction)].Territory;
        }
    }

    for (std::size_t i = 0; i < MapCells; ++i) {
        const TileCode code = grid[i];
        if (!IsHouseOrField(code))
            continue;
        const bool house = IsHouse(code);
        FactionFigures& figures = result.Factions[static_cast<std::size_t>(FactionOf(code))];
        ++(house ? figures.Houses : figures.Fields);
        if (result.Holder[i] == FactionOf(code))
            ++figures.InTerritory;
    }

    for (int from = 0; from < FactionCount; ++from)
        for (int to = 0; to < FactionCount; ++to) {
            int shortest = NoDistance;
            if (from != to)
                for (const std::uint16_t castle : result.Castles(to)) {
                    const std::uint16_t s = steps[static_cast<std::size_t>(from)][castle];
                    if (s != NotReached && (shortest == NoDistance || s < shortest))
                        shortest = s;
                }
            result.Distance[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)] = shortest;
        }

    const auto [smallest, largest] = std::minmax_element(
        result.Factions.begin(), result.Factions.end(),
        [](const FactionFigures& a, const FactionFigures& b) { return a.Territory < b.Territory; });
    if (smallest->Territory > 0)
        result.Balance = static_cast<double>(largest->Territory) / smallest->Territory;
    return result;
}

} // namespace tav
