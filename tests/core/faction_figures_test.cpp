// The faction analysis under movement costs and turn orders: the default table gives today's figures, the
// figures keep their promises over random maps, tables and orders, and hand-made maps pin each rule.

#include "FactionAnalysis.h"
#include "FactionGoldenMaps.h"
#include "MapGrid.h"
#include "MovementRules.h"
#include "../../bench/StepAnalysisBefore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <queue>
#include <random>
#include <string>
#include <vector>

namespace tav {
namespace {

// A map with something of every kind the costs price: ground, trees, plateaus, the faction tiles, single tiles,
// obstacles, codes without a tile, water and mountains; one to two castles per faction, now and then none.
MapGrid RandomMap(std::mt19937& rng) {
    static constexpr TileCode kinds[] = {0,  0,  0,  0,  0,  1,  2,  3,  5,  32,  40,  48,  48, 96,
                                         8,  9,  10, 11, 12, 13, 14, 15, 7, 17, 122, 123, 29, 200, 6, 112};
    MapGrid grid{};
    for (TileCode& code : grid)
        code = kinds[rng() % std::size(kinds)];
    for (int f = 0; f < FactionCount; ++f)
        for (unsigned castles = rng() % 7 == 0 ? 0 : 1 + rng() % 2; castles > 0; --castles)
            grid[rng() % MapCells] = static_cast<TileCode>(20 + f);
    return grid;
}

// Costs 1..9 with some classes closed; one table in four gives every open class the same cost.
MovementCosts RandomCosts(std::mt19937& rng) {
    MovementCosts costs;
    const bool even = rng() % 4 == 0;
    const auto evenCost = static_cast<std::uint8_t>(1 + rng() % 9);
    for (const CostClass costClass : AllCostClasses) {
        const bool blocked = costClass != CostClass::Castle && rng() % 6 == 0;
        costs[costClass] = blocked ? MovementCosts::Blocked : even ? evenCost : static_cast<std::uint8_t>(1 + rng() % 9);
    }
    return costs;
}

TurnOrder RandomOrder(std::mt19937& rng) {
    TurnOrder order;
    std::shuffle(order.Factions.begin(), order.Factions.end(), rng);
    return order;
}

// Dijkstra with a heap, written plainly: the least costs the analysis' walk must find.
ReachCosts PlainLeastCosts(const MapGrid& grid, const MovementCosts& costs, const std::vector<std::uint16_t>& starts) {
    ReachCosts reach;
    reach.fill(NotReachable);
    using Entry = std::pair<int, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    for (const std::uint16_t start : starts) {
        reach[start] = 0;
        queue.push({0, start});
    }
    while (!queue.empty()) {
        const auto [cost, cell] = queue.top();
        queue.pop();
        if (cost > reach[static_cast<std::size_t>(cell)])
            continue;
        const int x = cell / MapSize, y = cell % MapSize;
        for (const auto& [nx, ny] : {std::pair{x, y - 1}, {x - 1, y}, {x + 1, y}, {x, y + 1}}) {
            if (!InMap(nx, ny))
                continue;
            const auto next = static_cast<std::size_t>(CellIndex(nx, ny));
            const int entry = costs.EntryCost(grid[next]);
            if (entry > 0 && cost + entry < reach[next]) {
                reach[next] = static_cast<std::uint16_t>(cost + entry);
                queue.push({cost + entry, static_cast<int>(next)});
            }
        }
    }
    return reach;
}

void ExpectStepFigures(const FactionAnalysis& analysis, const before::StepFigures& expected) {
    for (std::size_t f = 0; f < FactionCount; ++f) {
        SCOPED_TRACE("faction " + std::to_string(f));
        const FactionFigures& figures = analysis.Factions[f];
        EXPECT_EQ(figures.CastleCount, expected.Factions[f].CastleCount);
        EXPECT_EQ(figures.Houses, expected.Factions[f].Houses);
        EXPECT_EQ(figures.Fields, expected.Factions[f].Fields);
        EXPECT_EQ(figures.Territory, expected.Factions[f].Territory);
        EXPECT_EQ(figures.InTerritory, expected.Factions[f].InTerritory);
        EXPECT_EQ(std::vector<std::uint16_t>(analysis.Castles(static_cast<int>(f)).begin(),
                                             analysis.Castles(static_cast<int>(f)).end()),
                  expected.Castles[f]);
    }
    EXPECT_EQ(analysis.Distance, expected.Distance);
    EXPECT_EQ(analysis.Passable, expected.Passable);
    EXPECT_EQ(analysis.Contested, expected.Contested);
    EXPECT_EQ(analysis.Unreachable, expected.Unreachable);
    EXPECT_EQ(analysis.Balance, expected.Balance);
    EXPECT_EQ(analysis.Holder, expected.Holder);
}

TEST(FactionFigures, TheDefaultTableGivesEveryStepFigureOfBefore) {
    std::vector<std::pair<std::string, MapGrid>> maps;
    for (const std::string& name : golden::GoldenMapNames())
        maps.emplace_back(name, golden::LoadGoldenMap(name).Grid);
    std::mt19937 rng(36);
    for (int round = 0; round < 200; ++round)
        maps.emplace_back("random " + std::to_string(round), RandomMap(rng));
    for (const auto& [name, grid] : maps) {
        SCOPED_TRACE(name);
        const FactionAnalysis analysis = AnalyseFactions(grid);
        ExpectStepFigures(analysis, before::AnalyseBySteps(grid));
        // Whatever the turn order, the figures of before stay.
        std::mt19937 orderRng(static_cast<unsigned>(name.size()));
        ExpectStepFigures(AnalyseFactions(grid, MovementCosts{}, RandomOrder(orderRng)), before::AnalyseBySteps(grid));
    }
}

// Faction f's figures against faction p(f)'s after relabelling.
void ExpectPermuted(const FactionAnalysis& before, const FactionAnalysis& after, const std::array<int, 4>& p) {
    for (std::size_t f = 0; f < FactionCount; ++f) {
        SCOPED_TRACE("faction " + std::to_string(f));
        const FactionFigures& a = before.Factions[f];
        const FactionFigures& b = after.Factions[static_cast<std::size_t>(p[f])];
        EXPECT_EQ(a.CastleCount, b.CastleCount);
        EXPECT_EQ(a.Houses, b.Houses);
        EXPECT_EQ(a.Fields, b.Fields);
        EXPECT_EQ(a.Territory, b.Territory);
        EXPECT_EQ(a.InTerritory, b.InTerritory);
        EXPECT_EQ(a.TerritoryByTurn, b.TerritoryByTurn);
        EXPECT_EQ(a.Threat, b.Threat);
        EXPECT_EQ(a.Front, b.Front);
        EXPECT_EQ(a.Room, b.Room);
        for (std::size_t g = 0; g < FactionCount; ++g) {
            EXPECT_EQ(a.FrontWith[g], b.FrontWith[static_cast<std::size_t>(p[g])]);
            EXPECT_EQ(before.Distance[f][g], after.Distance[static_cast<std::size_t>(p[f])][static_cast<std::size_t>(p[g])]);
        }
    }
    EXPECT_EQ(before.TurnOrderBalances, after.TurnOrderBalances);
    EXPECT_EQ(before.WorstTurnOrderBalance, after.WorstTurnOrderBalance);
    EXPECT_EQ(before.Contested, after.Contested);
    EXPECT_EQ(before.Balance, after.Balance);
}

TEST(FactionFigures, RandomMapsTablesAndOrdersKeepEveryPromise) {
    std::mt19937 rng(3636);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const MapGrid grid = RandomMap(rng);
        const MovementCosts costs = RandomCosts(rng);
        const TurnOrder order = RandomOrder(rng);
        const FactionAnalysis analysis = AnalyseFactions(grid, costs, order);

        // The least costs are those a plain Dijkstra finds; the room is its bounded count.
        int open = 0;
        for (const TileCode code : grid)
            open += IsOpenCode(code, costs) ? 1 : 0;
        EXPECT_EQ(analysis.Passable, open);
        for (int f = 0; f < FactionCount; ++f) {
            const auto castles = analysis.Castles(f);
            const ReachCosts reach = PlainLeastCosts(grid, costs, {castles.begin(), castles.end()});
            EXPECT_EQ(analysis.LeastCost[static_cast<std::size_t>(f)], reach) << "faction " << f;
            if (castles.empty()) {
                EXPECT_FALSE(analysis.Factions[static_cast<std::size_t>(f)].Room.has_value());
                continue;
            }
            const int x = castles[0] / MapSize, y = castles[0] % MapSize + 2;
            int room = 0;
            if (InMap(x, y) && IsOpenCode(grid[static_cast<std::size_t>(CellIndex(x, y))], costs)) {
                const ReachCosts fromGate = PlainLeastCosts(grid, costs, {static_cast<std::uint16_t>(CellIndex(x, y))});
                room = static_cast<int>(std::count_if(fromGate.begin(), fromGate.end(), [](auto c) { return c <= RoomCost; }));
            }
            EXPECT_EQ(analysis.Factions[static_cast<std::size_t>(f)].Room, room) << "faction " << f;
        }

        // Territories by turn and unreachable cells add up to the open cells; so do the properties' classes
        // to the houses and fields.
        int byTurn = analysis.Unreachable;
        for (const FactionFigures& figures : analysis.Factions) {
            byTurn += figures.TerritoryByTurn;
            EXPECT_EQ(figures.Threat.Safe + figures.Threat.Threatened + figures.Threat.Lost, figures.Houses + figures.Fields);
            if (figures.CastleCount == 0) {
                EXPECT_EQ(figures.Threat.Lost, figures.Houses + figures.Fields);
            }
        }
        EXPECT_EQ(byTurn, open);
        std::array<int, FactionCount> inForce{};
        for (std::size_t f = 0; f < FactionCount; ++f)
            inForce[f] = analysis.Factions[f].TerritoryByTurn;
        const auto [smallest, largest] = std::minmax_element(inForce.begin(), inForce.end());
        EXPECT_EQ(analysis.TurnOrderBalances[0],
                  *smallest > 0 ? std::optional<double>(static_cast<double>(*largest) / *smallest) : std::nullopt);

        // Relabelling the factions by p, with the turn order mapped through p, permutes every figure by p.
        std::array<int, 4> p{0, 1, 2, 3};
        std::shuffle(p.begin(), p.end(), rng);
        MapGrid relabelled = grid;
        for (TileCode& code : relabelled)
            for (const int first : {8, 12, 20})
                if (code >= first && code < first + FactionCount) {
                    code = static_cast<TileCode>(first + p[static_cast<std::size_t>(code - first)]);
                    break;
                }
        TurnOrder mapped;
        for (std::size_t i = 0; i < FactionCount; ++i)
            mapped.Factions[i] = static_cast<std::uint8_t>(p[order.Factions[i]]);
        ExpectPermuted(analysis, AnalyseFactions(relabelled, costs, mapped), p);

        // Raising one class's cost, or closing it, never shortens any reach.
        MovementCosts dearer = costs;
        const CostClass raised = AllCostClasses[rng() % CostClassCount];
        if (dearer[raised] != MovementCosts::Blocked) {
            const bool close = raised != CostClass::Castle && rng() % 3 == 0;
            dearer[raised] = close ? MovementCosts::Blocked
                                   : static_cast<std::uint8_t>(dearer[raised] + 1 + rng() % (10 - dearer[raised]));
            if (dearer[raised] > MovementCosts::Dearest)
                dearer[raised] = MovementCosts::Dearest;
            const FactionAnalysis slower = AnalyseFactions(grid, dearer, order);
            for (std::size_t f = 0; f < FactionCount; ++f)
                for (std::size_t i = 0; i < MapCells; ++i)
                    ASSERT_GE(slower.LeastCost[f][i], analysis.LeastCost[f][i])
                        << CostClassName(raised) << " faction " << f << " cell " << i;
        }
    }
}

// A map from rows of the golden maps' legend (y = 0 first), water everywhere else.
MapGrid Drawn(std::initializer_list<std::string_view> rows) {
    MapGrid grid = FilledGrid(48);
    int y = 0;
    for (const std::string_view row : rows) {
        for (std::size_t x = 0; x < row.size(); ++x)
            grid[static_cast<std::size_t>(CellIndex(static_cast<int>(x), y))] = golden::LegendCode(row[x]);
        ++y;
    }
    return grid;
}

TurnOrder Order(std::string_view text) { return *ParseTurnOrder(text); }

TEST(FactionFigures, HandMadeMapsPinEachThreatClass) {
    MovementCosts slowTrees;
    slowTrees[CostClass::Forest] = 3;
    struct Case {
        const char* Name;
        MapGrid Grid;
        MovementCosts Costs;
        TurnOrder Order;
        PropertyThreat Expected;
        ThreatFigures Faction0;
    };
    const Case cases[] = {
        // own 2, enemy 3: safe at exactly two thirds
        {"safe at 2/3", Drawn({"A.a..B"}), {}, {}, PropertyThreat::Safe, {1, 0, 0, 1}},
        // own 3, enemy 4: the owner is first but not by a third
        {"threatened", Drawn({"A..a...B"}), {}, {}, PropertyThreat::Threatened, {0, 1, 0, 1}},
        // own 3, enemy 3: the tie goes to the faction that moves earlier
        {"tie, owner first", Drawn({"A..a..B"}), {}, Order("0,1,2,3"), PropertyThreat::Threatened, {0, 1, 0, 0}},
        {"lost by turn order alone", Drawn({"A..a..B"}), {}, Order("1,0,2,3"), PropertyThreat::Lost, {0, 0, 1, 0}},
        // trees at 3 make own 1 + 3 + 1 = 5 against the enemy's 3
        {"lost by the trees' cost", Drawn({"A.Te..B"}), slowTrees, {}, PropertyThreat::Lost, {0, 0, 1, -2}},
        {"unreachable by its owner", Drawn({"A~a.B"}), {}, {}, PropertyThreat::Lost, {0, 0, 1, std::nullopt}},
        {"no enemy reaches it", Drawn({"A.a~B"}), {}, {}, PropertyThreat::Safe, {1, 0, 0, std::nullopt}},
        {"a faction without a castle", Drawn({"..a..B"}), {}, {}, PropertyThreat::Lost, {0, 0, 1, std::nullopt}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const FactionAnalysis analysis = AnalyseFactions(c.Grid, c.Costs, c.Order);
        std::size_t property = MapCells;
        for (std::size_t i = 0; i < MapCells; ++i)
            if (c.Grid[i] == 8 || c.Grid[i] == 12)
                property = i;
        ASSERT_LT(property, MapCells);
        EXPECT_EQ(analysis.Threat[property], c.Expected);
        EXPECT_EQ(analysis.Factions[0].Threat, c.Faction0);
        EXPECT_EQ(std::count(analysis.Threat.begin(), analysis.Threat.end(), PropertyThreat::NotAProperty), MapCells - 1);
    }
}

TEST(FactionFigures, FrontsCountBorderCellsOncePerNeighbourAndOnceInAll) {
    // The middle cell is tied among A, B and C; in the order 0,1,2,3 A takes it and borders both.
    const MapGrid grid = Drawn({"~B~", "A.C"});
    struct Case {
        const char* Order;
        std::array<int, 4> Fronts;
        std::array<std::array<int, 4>, 4> With;
        std::array<int, 4> ByTurn;
    };
    const Case cases[] = {
        {"0,1,2,3", {1, 1, 1, 0}, {{{0, 1, 1, 0}, {1, 0, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 0}}}, {2, 1, 1, 0}},
        {"2,1,0,3", {1, 1, 1, 0}, {{{0, 0, 1, 0}, {0, 0, 1, 0}, {1, 1, 0, 0}, {0, 0, 0, 0}}}, {1, 1, 2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Order);
        const FactionAnalysis analysis = AnalyseFactions(grid, {}, Order(c.Order));
        for (std::size_t f = 0; f < FactionCount; ++f) {
            EXPECT_EQ(analysis.Factions[f].Front, c.Fronts[f]) << f;
            EXPECT_EQ(analysis.Factions[f].FrontWith, c.With[f]) << f;
            EXPECT_EQ(analysis.Factions[f].TerritoryByTurn, c.ByTurn[f]) << f;
        }
        EXPECT_EQ(analysis.Contested, 1);
    }
}

TEST(FactionFigures, RoomCountsTheCellsWithinSixOfTheGate) {
    MovementCosts dearCastle;
    dearCastle[CostClass::Castle] = 5;
    MovementCosts slowGround;
    slowGround[CostClass::Plain] = 2;
    // A castle at (10, 10) with its gate below and walls around, on open ground.
    MapGrid ringed = FilledGrid(0);
    for (const auto& [x, y] : {std::pair{9, 9}, {10, 9}, {11, 9}, {9, 10}, {11, 10}, {9, 11}, {11, 11}})
        ringed[static_cast<std::size_t>(CellIndex(x, y))] = 112;
    ringed[static_cast<std::size_t>(CellIndex(10, 10))] = 20;
    ringed[static_cast<std::size_t>(CellIndex(10, 11))] = 29;
    MapGrid bottom = FilledGrid(0);
    bottom[static_cast<std::size_t>(CellIndex(20, 46))] = 20;
    MapGrid blockedBelow = ringed;
    blockedBelow[static_cast<std::size_t>(CellIndex(10, 12))] = 48;

    struct Case {
        const char* Name;
        MapGrid Grid;
        MovementCosts Costs;
        std::optional<int> Room;
    };
    // Open ground around (10, 12): the diamond of radius 6 has 85 cells, the castle at cost 2 among them. The
    // ring's 7 walls lie inside it, and 7 cells behind them ((9..11, 7..8) and (10, 6)) now lie beyond 6; the
    // gate and castle, entered at 1 and 2, still count. With the castle at 5, the gate (5) counts, the castle
    // (10) not.
    const Case cases[] = {
        {"open ground", [] {
             MapGrid g = FilledGrid(0);
             g[static_cast<std::size_t>(CellIndex(10, 10))] = 20;
             return g;
         }(), {}, 85},
        {"ground at 2", [] {
             MapGrid g = FilledGrid(0);
             g[static_cast<std::size_t>(CellIndex(10, 10))] = 20;
             return g;
         }(), slowGround, 25},
        {"walls round the castle", ringed, {}, 85 - 7 - 7},
        {"castle at 5", ringed, dearCastle, 85 - 7 - 7 - 1},
        {"castle at y 46", bottom, {}, 0},
        {"blocked cell below the gate", blockedBelow, {}, 0},
        {"no castle", FilledGrid(0), {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(AnalyseFactions(c.Grid, c.Costs, {}).Factions[0].Room, c.Room);
    }
}

TEST(FactionFigures, TurnOrderBalanceRotatesTheOrderInForce) {
    const golden::GoldenMap tieLine = golden::LoadGoldenMap("tie_line");
    const auto expected = tieLine.Numbers("territory_by_turn");
    const FactionAnalysis analysis = AnalyseFactions(tieLine.Grid);
    for (std::size_t f = 0; f < FactionCount; ++f)
        EXPECT_EQ(analysis.Factions[f].TerritoryByTurn, expected.at(f)) << f;
    // Each rotation hands the middle cross to its first mover: 9 cells against the 4 of an untouched quarter.
    for (const auto& rotation : analysis.TurnOrderBalances)
        EXPECT_EQ(rotation, 9.0 / 4.0);
    EXPECT_EQ(analysis.WorstTurnOrderBalance, 9.0 / 4.0);

    // Two castles on a line of 5 open cells, the middle one tied: the first mover takes it.
    const MapGrid line = Drawn({"A...B"});
    const FactionAnalysis pair = AnalyseFactions(line, {}, Order("1,0,2,3"));
    EXPECT_EQ(pair.Factions[0].TerritoryByTurn, 2);
    EXPECT_EQ(pair.Factions[1].TerritoryByTurn, 3);
    EXPECT_FALSE(pair.TurnOrderBalances[0].has_value()); // factions 2 and 3 hold nothing
    EXPECT_FALSE(pair.WorstTurnOrderBalance.has_value());
}

TEST(FactionFigures, LeadTellsHowMuchSoonerTheHolderArrives) {
    const FactionAnalysis analysis = AnalyseFactions(Drawn({"A...B~", "~~~~~~", "C.~~~~"}), {}, Order("1,0,2,3"));
    const auto lead = [&](int x, int y) { return analysis.Lead(static_cast<std::size_t>(CellIndex(x, y))); };
    EXPECT_EQ(lead(1, 0).Holder, 0);
    EXPECT_EQ(lead(1, 0).Lead, 2);  // 1 against 3
    EXPECT_EQ(lead(2, 0).Holder, 1); // a tie at 2, and faction 1 moves first
    EXPECT_EQ(lead(2, 0).Lead, 0);
    EXPECT_FALSE(lead(2, 0).Alone);
    EXPECT_EQ(lead(1, 2).Holder, 2);
    EXPECT_TRUE(lead(1, 2).Alone);
    EXPECT_EQ(lead(5, 0).Holder, -1); // water
}

} // namespace
} // namespace tav
