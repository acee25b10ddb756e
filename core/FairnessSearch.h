#pragma once
// Proposals for a fairer map: small changes of terrain, and houses and fields moved into their faction's
// own land, found by a bounded local search scored by the fairness figures of the faction analysis.
//
// A proposal writes plain codes into the cells it changes (their images under the symmetry mode included)
// and leaves every other byte of the map as it was, so an unshaped map stays unshaped elsewhere. It never
// touches a castle, its ring or the cell before its gate, nor the rim; it keeps the map check passing, every
// castle reaching every other, no more open cells unreachable than before, and each faction's house and
// field counts as shaping counts them. The search is deterministic: the same map and options give the same
// proposals on every machine.

#include "FactionAnalysis.h"
#include "FairnessEdits.h"
#include "FairnessFigures.h"
#include "MapGrid.h"
#include "MovementRules.h"
#include "Symmetry.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tav {

struct FairnessSearchOptions {
    SymmetryMode Mode = SymmetryMode::None; // every change is made in all images under this mode
    MovementCosts Costs;
    TurnOrder Order;
    TerrainEdits Terrain = TerrainEdits::Any;
    int MaxChangedCells = 46;  // cells whose plain code changes, images included (2 % of the map)
    int MaxAnalyses = 20000;   // the whole budget, never a time
    // 1..4: the search ends once this many distinct proposals meet every limit, or when the budget is spent;
    // fewer is faster (the command-line tool and a generator ask for 1, a window offering choices for 4).
    int MaxProposals = 4;
    const std::atomic<bool>* Stop = nullptr; // set from another thread to end the search early
    // Called on the searching thread now and then with the analyses spent so far.
    std::function<void(int analyses)> Progress;
};

// One cell a proposal writes: its code in the map and the plain code written.
struct ChangedCell {
    std::uint16_t Cell = 0; // grid index x * 48 + y
    TileCode Before = 0;
    TileCode After = 0;
    bool operator==(const ChangedCell&) const = default;
};

struct FairnessProposal {
    MapGrid Grid{};                   // the map with the changes written
    std::vector<ChangedCell> Changes; // in grid order; their count is the count the limit uses
    FairnessFigures Before;
    FairnessFigures After;
    // For a one-line reason: the first figure after the count of limits that improved (the count itself only
    // when no other did), and the faction whose territory by turn changed most (the lowest index among
    // equals) with that change.
    FairnessKey Decisive = FairnessKey::LimitsFailing;
    int Faction = 0;
    int TerritoryChange = 0;
};

enum class FairnessSearchOutcome : std::uint8_t {
    Proposed,    // at least one proposal
    AlreadyFair, // the map meets every limit: nothing to propose
    NoneFairer,  // no change within the limits was found that is fairer
    Stopped,     // the stop flag ended the search before any proposal
    NotPlayable, // the map check fails: nothing is searched
    NotSymmetric, // the map is not symmetric-equal under the mode: nothing is searched
};

struct FairnessSearchResult {
    FairnessSearchOutcome Outcome = FairnessSearchOutcome::NoneFairer;
    FairnessFigures Figures;                  // the map's own
    std::vector<FairnessProposal> Proposals;  // best first, at most MaxProposals, all distinct
    int Analyses = 0;                         // analyses spent
    bool Stopped = false;                     // the stop flag was seen (proposals found so far are kept)
};

// Searches for fairer variants of `grid`. Safe to run on a worker thread: it reads only its arguments and
// shares nothing, so a window can start one per step of its history and drop a stale one through Stop.
// Throws std::invalid_argument for options out of range (a limit below 1 or above 2304, a budget below 1,
// proposals outside 1..4).
FairnessSearchResult SearchFairerMaps(const MapGrid& grid, const FairnessSearchOptions& options);

} // namespace tav
