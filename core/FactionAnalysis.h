#pragma once
// Territory, reach and balance of the four factions: which faction reaches each open cell first from its
// castles, at what least cost of movement, how far the castles lie apart, and how evenly the map divides
// among them; and what decides a turn-based game of four beyond that: the territory each faction takes when
// ties go to the earlier mover, how that balance shifts as the turn order rotates, which houses and fields a
// faction can hold, how long a front it must defend, and how much room it has before its gate.

#include "GridWalk.h"
#include "MapGrid.h"
#include "MovementRules.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace tav {

// A distance that does not exist: a faction against itself, a missing castle, or no path.
constexpr int NoDistance = -1;

// Who holds a cell: a faction index 0..3, or one of these.
enum CellHolder : std::uint8_t {
    ContestedCell = 4,   // two or more factions reach it at the same least cost
    UnreachableCell = 5, // open, but no castle reaches it
    BlockedCell = 6,     // units cannot enter it, by nature or by the cost table
};

// A least cost per cell in grid order (x * 48 + y), or NotReachable: the cost walk's arrays.
using ReachCosts = CellCosts;
constexpr std::uint16_t NotReachable = NotReached;

// How well a faction holds one of its houses or fields. "own" is the faction's least cost to the cell,
// "enemy" the least cost of any other faction.
enum class PropertyThreat : std::uint8_t {
    NotAProperty, // the cell holds no house or field
    Safe,         // own <= 2/3 x enemy (3 x own <= 2 x enemy), or no enemy reaches it while the owner does
    Threatened,   // the owner gets there first, but not by that much
    Lost,         // an enemy gets there first (a lower cost, or the same and an earlier turn), or the owner
                  // cannot reach it at all (every property of a faction without a castle is lost)
};

// A faction's hold on its houses and fields, under the turn order in force.
struct ThreatFigures {
    int Safe = 0;
    int Threatened = 0;
    int Lost = 0;
    // The smallest enemy - own over its houses and fields that both it and an enemy reach (negative when an
    // enemy is closer); none when there is no such cell.
    std::optional<int> Margin;
    bool operator==(const ThreatFigures&) const = default;
};

struct FactionFigures {
    int CastleCount = 0;
    int Houses = 0;      // cells holding the faction's house, 8 + index
    int Fields = 0;      // cells holding the faction's field, 12 + index
    int Territory = 0;   // open cells this faction reaches at a lower cost than any other (ties: nobody's)
    int InTerritory = 0; // the faction's own houses and fields that lie in its territory

    // Open cells this faction reaches at the least cost, a tie going to the one of the tied factions that
    // moves first in the turn order in force. The territories by turn and the unreachable cells add up to
    // the open cells.
    int TerritoryByTurn = 0;
    ThreatFigures Threat;
    // Its territory-by-turn cells with a side neighbour in another faction's territory by turn, each cell
    // counted once; FrontWith[g]: those with a side neighbour in faction g's (0 for itself).
    int Front = 0;
    std::array<int, FactionCount> FrontWith{};
    // The open cells at a least cost of at most RoomCost from the cell below the gate of its first castle in
    // reading order, that cell (cost 0) included; every entered cell costs its entry, its own castle and gate
    // included. 0 when that cell is blocked or off the map; none without a castle.
    std::optional<int> Room;
};

// The cost bound of a faction's room: what a unit can cover in its first moves out of the gate.
constexpr int RoomCost = 6;

// What the analysis says about one open cell for a picture of who gets there first and by how much.
struct CellLead {
    int Holder = -1;    // the faction that holds it by turn; -1 when no faction reaches it (or it is blocked)
    bool Alone = false; // only the holder reaches it
    int Lead = 0;       // the next faction's least cost minus the holder's: 0 for a tie; 0 when Alone
};

struct FactionAnalysis {
    std::array<FactionFigures, FactionCount> Factions{};
    // Distance[i][j]: the least cost from the castles of faction i to the nearest castle of faction j (steps
    // under the default table); the castle entered at the end costs its entry.
    std::array<std::array<int, FactionCount>, FactionCount> Distance{};
    int Passable = 0; // open cells: blocked neither by nature nor by the table
    int Contested = 0;
    int Unreachable = 0;
    std::optional<double> Balance; // largest territory / smallest; none while any territory is 0
    // Per cell in grid order (x * 48 + y): a faction index or a CellHolder value.
    std::array<std::uint8_t, MapCells> Holder{};

    // What the figures were measured with.
    MovementCosts Costs;
    TurnOrder Order;

    // Per faction, per cell in grid order: the least total entry cost from the faction's castles (its own
    // castle cells cost 0), or NotReachable. Each faction's walk ignores the others.
    std::array<ReachCosts, FactionCount> LeastCost{};
    // Per cell in grid order: the faction that holds it by turn, UnreachableCell or BlockedCell (never
    // ContestedCell).
    std::array<std::uint8_t, MapCells> HolderByTurn{};
    // Per cell in grid order: how its owner holds a house or field; NotAProperty on every other cell.
    std::array<PropertyThreat, MapCells> Threat{};

    // The balance of the territories by turn under rotation k of the turn order in force (Order.Rotated(k);
    // rotation 0 is the order itself), none where a territory is 0; and the largest of the four, none when
    // any rotation has none.
    std::array<std::optional<double>, FactionCount> TurnOrderBalances{};
    std::optional<double> WorstTurnOrderBalance;

    // Who gets to an open cell first and by how much (grid index 0..2303).
    CellLead Lead(std::size_t cell) const;

    // The grid indices of the faction's castles, in the map check's scan order (row by row).
    std::span<const std::uint16_t> Castles(int faction) const {
        const auto begin = static_cast<std::size_t>(castleStart_[static_cast<std::size_t>(faction)]);
        const auto end = static_cast<std::size_t>(castleStart_[static_cast<std::size_t>(faction) + 1]);
        return std::span<const std::uint16_t>(castleCells_).subspan(begin, end - begin);
    }

private:
    friend FactionAnalysis AnalyseFactions(const MapGrid& grid, const MovementCosts& costs,
                                           const TurnOrder& order);
    std::array<std::uint16_t, MapCells> castleCells_{}; // grouped by faction
    std::array<int, FactionCount + 1> castleStart_{};
};

// Units may enter a cell unless its plain code is one the map check treats as blocking in front of a
// gate; castles, gates and codes 128..255 are open.
bool IsPassableCode(TileCode code);

// Measures every figure with the cost table and the turn order: from every castle, least-cost walks to the
// four side neighbours through open cells only. The territory, contested and unreachable cells, balance and
// distances never depend on the turn order. A table that is not valid or an order that is not a
// permutation is measured as the default. Pure; allocates nothing.
FactionAnalysis AnalyseFactions(const MapGrid& grid, const MovementCosts& costs, const TurnOrder& order);
// The same with the default table (all 1, so costs are steps) and the default order 0, 1, 2, 3.
FactionAnalysis AnalyseFactions(const MapGrid& grid);

} // namespace tav
