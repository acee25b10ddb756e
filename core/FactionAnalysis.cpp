#include "FactionAnalysis.h"

#include "MapCheck.h"
#include "Shaping.h"

#include <algorithm>
#include <limits>

namespace tav {

namespace {

constexpr std::uint16_t Unreached = std::numeric_limits<std::uint16_t>::max();
constexpr TileCode FirstCastle = 20;
constexpr TileCode FirstHouse = 8;
constexpr TileCode FirstField = 12;

using StepMap = std::array<std::uint16_t, MapCells>;

bool IsCastle(TileCode code) {
    return code >= FirstCastle && code < FirstCastle + FactionCount;
}

// Breadth-first from all of the faction's castles at once, so each cell gets the steps from the nearest one.
// Every cell enters the queue at most once, so one entry per cell is enough.
void WalkFromCastles(const std::array<bool, MapCells>& passable, std::span<const std::uint16_t> castles,
                     StepMap& steps) {
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
            const TileCode code = grid[static_cast<std::size_t>(CellIndex(x, y))];
            if (!IsCastle(code))
                continue;
            const auto f = static_cast<std::size_t>(FactionOf(code));
            result.castleCells_[static_cast<std::size_t>(result.castleStart_[f] + placed[f]++)] =
                static_cast<std::uint16_t>(CellIndex(x, y));
        }

    std::array<bool, MapCells> passable;
    for (std::size_t i = 0; i < MapCells; ++i)
        passable[i] = IsPassableCode(grid[i]);

    std::array<StepMap, FactionCount> steps;
    for (int f = 0; f < FactionCount; ++f)
        WalkFromCastles(passable, result.Castles(f), steps[static_cast<std::size_t>(f)]);

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
        const bool house = code >= FirstHouse && code < FirstHouse + FactionCount;
        const bool field = code >= FirstField && code < FirstField + FactionCount;
        if (!house && !field)
            continue;
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
                    if (s != Unreached && (shortest == NoDistance || s < shortest))
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
