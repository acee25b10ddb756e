#include "FactionAnalysis.h"

#include "CellGrid.h"
#include "GridWalk.h"
#include "MapCheck.h"
#include "Shaping.h"

#include <algorithm>
#include <limits>

namespace tav {

namespace {

// The cost of entering each cell, -1 where units may not; and, when every open cell costs the same, that
// cost, so the walks can count steps (a cost is then steps times it) instead of keeping a queue per cost.
struct CellEntries {
    std::array<std::int8_t, MapCells> Cost;
    int Uniform = 0; // 0 when open cells differ in cost
};

CellEntries EntriesOf(const MapGrid& grid, const MovementCosts& costs) {
    std::array<std::int8_t, 256> byCode;
    for (int code = 0; code < 256; ++code)
        byCode[static_cast<std::size_t>(code)] = static_cast<std::int8_t>(costs.EntryCost(static_cast<TileCode>(code)));
    CellEntries entries;
    int uniform = -1; // -1 while no open cell is seen
    for (std::size_t i = 0; i < MapCells; ++i) {
        const std::int8_t cost = byCode[grid[i]];
        entries.Cost[i] = cost;
        if (cost > 0)
            uniform = uniform == -1 || uniform == cost ? cost : 0;
    }
    entries.Uniform = uniform == -1 ? 1 : uniform;
    return entries;
}

constexpr int NoBound = std::numeric_limits<int>::max();

// Least total entry costs from `starts` (cost 0 each) over the open cells, up to `bound` inclusive; cells
// beyond it or out of reach stay NotReachable. When every open cell costs the same the breadth-first walk
// counts steps; otherwise the cost walk takes cells in order of cost.
void WalkLeastCosts(const CellEntries& entries, std::span<const std::uint16_t> starts, int bound, ReachCosts& cost) {
    if (entries.Uniform > 0) {
        cost.fill(NotReachable);
        BreadthFirstWalk walk;
        for (const std::uint16_t cell : starts)
            if (cost[cell] != 0) {
                cost[cell] = 0;
                walk.Start(CellOfIndex(cell));
            }
        const int step = entries.Uniform;
        walk.Run([&](MapCell from, MapCell to) {
            const std::size_t index = GridIndex(to);
            const int reached = cost[GridIndex(from)] + step;
            if (entries.Cost[index] < 0 || cost[index] != NotReachable || reached > bound)
                return false;
            cost[index] = static_cast<std::uint16_t>(reached);
            return true;
        });
        return;
    }
    CostWalk walk(cost);
    for (const std::uint16_t cell : starts)
        walk.Start(CellOfIndex(cell));
    walk.Run([&](MapCell, MapCell to) { return static_cast<int>(entries.Cost[GridIndex(to)]); },
             [&](MapCell, int reached) { return reached <= bound; });
    // A walk ended at the bound leaves the cells it had listed beyond it with costs not yet final.
    if (bound < NotReachable)
        for (std::uint16_t& c : cost)
            if (c != NotReachable && c > bound)
                c = NotReachable;
}

// Largest over smallest; none while the smallest is 0.
std::optional<double> BalanceOf(const std::array<int, FactionCount>& territories) {
    const auto [smallest, largest] = std::minmax_element(territories.begin(), territories.end());
    if (*smallest <= 0)
        return std::nullopt;
    return static_cast<double>(*largest) / *smallest;
}

// The faction of `tied` (a set of factions, bit f for faction f) that moves first in `order`.
int FirstMover(unsigned tied, const TurnOrder& order) {
    for (const std::uint8_t faction : order.Factions)
        if (tied & (1u << faction))
            return faction;
    return -1;
}

} // namespace

bool IsPassableCode(TileCode code) {
    return !IsBlockingCode(PlainCode(code));
}

CellLead FactionAnalysis::Lead(std::size_t cell) const {
    CellLead lead;
    if (cell >= MapCells || HolderByTurn[cell] >= FactionCount)
        return lead;
    lead.Holder = HolderByTurn[cell];
    const int own = LeastCost[static_cast<std::size_t>(lead.Holder)][cell];
    int next = NotReachable;
    for (int f = 0; f < FactionCount; ++f)
        if (f != lead.Holder)
            next = std::min<int>(next, LeastCost[static_cast<std::size_t>(f)][cell]);
    lead.Alone = next == NotReachable;
    lead.Lead = lead.Alone ? 0 : next - own;
    return lead;
}

FactionAnalysis AnalyseFactions(const MapGrid& grid) {
    return AnalyseFactions(grid, MovementCosts{}, TurnOrder{});
}

FactionAnalysis AnalyseFactions(const MapGrid& grid, const MovementCosts& costs, const TurnOrder& order) {
    FactionAnalysis result;
    result.Costs = costs.IsValid() ? costs : MovementCosts{};
    result.Order = order.IsPermutation() ? order : TurnOrder{};

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

    const CellEntries entries = EntriesOf(grid, result.Costs);
    for (int f = 0; f < FactionCount; ++f)
        WalkLeastCosts(entries, result.Castles(f), NoBound, result.LeastCost[static_cast<std::size_t>(f)]);

    // Per open cell: the factions that reach it at the least cost. The territory leaves a tie to nobody; by
    // turn, the tied faction that moves first takes it. How many cells each set of tied factions shares
    // gives the territories by turn of every rotation at once.
    std::array<int, 1u << FactionCount> cellsTiedBy{};
    for (std::size_t i = 0; i < MapCells; ++i) {
        if (entries.Cost[i] < 0) {
            result.Holder[i] = BlockedCell;
            result.HolderByTurn[i] = BlockedCell;
            continue;
        }
        ++result.Passable;
        std::uint16_t least = NotReachable;
        unsigned tied = 0;
        for (int f = 0; f < FactionCount; ++f) {
            const std::uint16_t c = result.LeastCost[static_cast<std::size_t>(f)][i];
            if (c == NotReachable || c > least)
                continue;
            if (c < least) {
                least = c;
                tied = 0;
            }
            tied |= 1u << f;
        }
        ++cellsTiedBy[tied];
        if (tied == 0) {
            result.Holder[i] = UnreachableCell;
            result.HolderByTurn[i] = UnreachableCell;
            ++result.Unreachable;
            continue;
        }
        result.HolderByTurn[i] = static_cast<std::uint8_t>(FirstMover(tied, result.Order));
        if ((tied & (tied - 1)) != 0) {
            result.Holder[i] = ContestedCell;
            ++result.Contested;
        } else {
            result.Holder[i] = result.HolderByTurn[i];
            ++result.Factions[result.HolderByTurn[i]].Territory;
        }
    }

    for (int k = 0; k < FactionCount; ++k) {
        const TurnOrder rotation = result.Order.Rotated(k);
        std::array<int, FactionCount> byTurn{};
        for (unsigned tied = 1; tied < cellsTiedBy.size(); ++tied)
            byTurn[static_cast<std::size_t>(FirstMover(tied, rotation))] += cellsTiedBy[tied];
        if (k == 0)
            for (std::size_t f = 0; f < FactionCount; ++f)
                result.Factions[f].TerritoryByTurn = byTurn[f];
        result.TurnOrderBalances[static_cast<std::size_t>(k)] = BalanceOf(byTurn);
    }
    const auto& rotations = result.TurnOrderBalances;
    if (std::all_of(rotations.begin(), rotations.end(), [](const auto& b) { return b.has_value(); }))
        result.WorstTurnOrderBalance =
            **std::max_element(rotations.begin(), rotations.end(), [](const auto& a, const auto& b) { return *a < *b; });

    // Houses and fields: own and enemy least costs, ties going to the earlier mover.
    for (std::size_t i = 0; i < MapCells; ++i) {
        const TileCode code = grid[i];
        const bool house = IsHouse(code);
        if (!house && !IsField(code))
            continue;
        const int owner = FactionOf(code);
        FactionFigures& figures = result.Factions[static_cast<std::size_t>(owner)];
        ++(house ? figures.Houses : figures.Fields);
        if (result.Holder[i] == owner)
            ++figures.InTerritory;

        const int own = result.LeastCost[static_cast<std::size_t>(owner)][i];
        int enemy = NotReachable;
        int enemyRank = FactionCount; // the earliest turn among the enemies at that cost
        for (int f = 0; f < FactionCount; ++f) {
            const int c = result.LeastCost[static_cast<std::size_t>(f)][i];
            if (f == owner || c == NotReachable || c > enemy)
                continue;
            if (c < enemy)
                enemyRank = FactionCount;
            enemy = c;
            enemyRank = std::min(enemyRank, result.Order.Rank(f));
        }
        PropertyThreat threat;
        if (own == NotReachable || enemy < own || (enemy == own && enemyRank < result.Order.Rank(owner)))
            threat = PropertyThreat::Lost;
        else if (enemy == NotReachable || 3 * own <= 2 * enemy)
            threat = PropertyThreat::Safe;
        else
            threat = PropertyThreat::Threatened;
        result.Threat[i] = threat;
        ThreatFigures& counts = figures.Threat;
        ++(threat == PropertyThreat::Lost ? counts.Lost : threat == PropertyThreat::Safe ? counts.Safe : counts.Threatened);
        if (own != NotReachable && enemy != NotReachable)
            counts.Margin = std::min(counts.Margin.value_or(enemy - own), enemy - own);
    }

    for (int from = 0; from < FactionCount; ++from)
        for (int to = 0; to < FactionCount; ++to) {
            int shortest = NoDistance;
            if (from != to)
                for (const std::uint16_t castle : result.Castles(to)) {
                    const std::uint16_t c = result.LeastCost[static_cast<std::size_t>(from)][castle];
                    if (c != NotReachable && (shortest == NoDistance || c < shortest))
                        shortest = c;
                }
            result.Distance[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)] = shortest;
        }

    // Fronts: each territory-by-turn cell once per other faction it borders, and once in all.
    for (int i = 0; i < MapCells; ++i) {
        const std::uint8_t holder = result.HolderByTurn[static_cast<std::size_t>(i)];
        if (holder >= FactionCount)
            continue;
        unsigned borders = 0;
        ForEachSideNeighbour(CellOfIndex(static_cast<std::size_t>(i)), [&](MapCell n) {
            const std::uint8_t other = result.HolderByTurn[GridIndex(n)];
            if (other < FactionCount && other != holder)
                borders |= 1u << other;
        });
        if (borders == 0)
            continue;
        FactionFigures& figures = result.Factions[holder];
        ++figures.Front;
        for (std::size_t g = 0; g < FactionCount; ++g)
            figures.FrontWith[g] += (borders >> g) & 1u;
    }

    // Room: a walk of its own from the cell below the gate, where the castle is just another cell to enter.
    for (int f = 0; f < FactionCount; ++f) {
        const std::span<const std::uint16_t> castles = result.Castles(f);
        if (castles.empty())
            continue;
        std::optional<int>& room = result.Factions[static_cast<std::size_t>(f)].Room;
        room = 0;
        const int x = castles.front() / MapSize;
        const int y = castles.front() % MapSize + 2;
        if (!InMap(x, y) || entries.Cost[GridIndex(x, y)] < 0)
            continue;
        const std::uint16_t start = static_cast<std::uint16_t>(CellIndex(x, y));
        ReachCosts reach;
        WalkLeastCosts(entries, std::span<const std::uint16_t>(&start, 1), RoomCost, reach);
        room = static_cast<int>(std::count_if(reach.begin(), reach.end(), [](std::uint16_t c) { return c != NotReachable; }));
    }

    result.Balance = BalanceOf({result.Factions[0].Territory, result.Factions[1].Territory,
                                result.Factions[2].Territory, result.Factions[3].Territory});
    return result;
}

} // namespace tav
