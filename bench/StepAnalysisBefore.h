#pragma once
// A frozen copy of the faction analysis as it was before movement costs and turn order: one breadth-first
// walk per faction, territory and ties from the step counts. The benchmark times the analysis beside it in
// one run, and the core tests take it as the oracle of the default table, under which the analysis must give
// exactly these figures on every map. Do not change it with the analysis.

#include "FactionAnalysis.h"
#include "MapGrid.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace tav::before {

struct StepFigures {
    std::array<FactionFigures, FactionCount> Factions{}; // only the figures of the step analysis are set
    std::array<std::array<int, FactionCount>, FactionCount> Distance{};
    int Passable = 0;
    int Contested = 0;
    int Unreachable = 0;
    std::optional<double> Balance;
    std::array<std::uint8_t, MapCells> Holder{};
    std::array<std::vector<std::uint16_t>, FactionCount> Castles;
};

inline void WalkFromCastles(const std::array<bool, MapCells>& passable, const std::vector<std::uint16_t>& castles,
                            std::array<std::uint16_t, MapCells>& steps) {
    constexpr std::uint16_t Unreached = std::numeric_limits<std::uint16_t>::max();
    steps.fill(Unreached);
    std::array<std::uint16_t, MapCells> queue;
    std::size_t head = 0;
    std::size_t tail = 0;
    for (const std::uint16_t cell : castles) {
        steps[cell] = 0;
        queue[tail++] = cell;
    }
    while (head < tail) {
        const int cell = queue[head++];
        const int x = cell / MapSize;
        const int y = cell % MapSize;
        const auto next = static_cast<std::uint16_t>(steps[static_cast<std::size_t>(cell)] + 1);
        const int neighbours[4][2] = {{x, y - 1}, {x - 1, y}, {x + 1, y}, {x, y + 1}};
        for (const auto& [nx, ny] : neighbours) {
            if (!InMap(nx, ny))
                continue;
            const auto index = static_cast<std::size_t>(CellIndex(nx, ny));
            if (!passable[index] || steps[index] != Unreached)
                continue;
            steps[index] = next;
            queue[tail++] = static_cast<std::uint16_t>(index);
        }
    }
}

inline StepFigures AnalyseBySteps(const MapGrid& grid) {
    constexpr std::uint16_t Unreached = std::numeric_limits<std::uint16_t>::max();
    StepFigures result;
    for (int y = 0; y < MapSize; ++y)
        for (int x = 0; x < MapSize; ++x) {
            const TileCode code = grid[static_cast<std::size_t>(CellIndex(x, y))];
            if (code >= 20 && code < 24) {
                result.Castles[code & 3u].push_back(static_cast<std::uint16_t>(CellIndex(x, y)));
                ++result.Factions[code & 3u].CastleCount;
            }
        }

    std::array<bool, MapCells> passable;
    for (std::size_t i = 0; i < MapCells; ++i)
        passable[i] = IsPassableCode(grid[i]);

    std::array<std::array<std::uint16_t, MapCells>, FactionCount> steps;
    for (std::size_t f = 0; f < FactionCount; ++f)
        WalkFromCastles(passable, result.Castles[f], steps[f]);

    for (std::size_t i = 0; i < MapCells; ++i) {
        if (!passable[i]) {
            result.Holder[i] = BlockedCell;
            continue;
        }
        ++result.Passable;
        std::uint16_t nearest = Unreached;
        int nearestFaction = 0;
        int sharing = 0;
        for (int f = 0; f < FactionCount; ++f) {
            const std::uint16_t s = steps[static_cast<std::size_t>(f)][i];
            if (s == Unreached || s > nearest)
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
        const bool house = code >= 8 && code < 12;
        const bool field = code >= 12 && code < 16;
        if (!house && !field)
            continue;
        FactionFigures& figures = result.Factions[code & 3u];
        ++(house ? figures.Houses : figures.Fields);
        if (result.Holder[i] == (code & 3u))
            ++figures.InTerritory;
    }

    for (std::size_t from = 0; from < FactionCount; ++from)
        for (std::size_t to = 0; to < FactionCount; ++to) {
            int shortest = NoDistance;
            if (from != to)
                for (const std::uint16_t castle : result.Castles[to]) {
                    const std::uint16_t s = steps[from][castle];
                    if (s != Unreached && (shortest == NoDistance || s < shortest))
                        shortest = s;
                }
            result.Distance[from][to] = shortest;
        }

    const auto [smallest, largest] = std::minmax_element(
        result.Factions.begin(), result.Factions.end(),
        [](const FactionFigures& a, const FactionFigures& b) { return a.Territory < b.Territory; });
    if (smallest->Territory > 0)
        result.Balance = static_cast<double>(largest->Territory) / smallest->Territory;
    return result;
}

} // namespace tav::before
