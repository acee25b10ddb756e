#pragma once
// The fairness figures a map is judged by: the five limits a fair map meets, and the order in which one map
// counts as fairer than another.

#include "FactionAnalysis.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tav {

// The figures that decide whether one map is fairer than another, in the order they are compared.
struct FairnessFigures {
    int LimitsFailing = 0; // how many of the five fairness limits fail (see FairnessLimits)
    int Lost = 0;          // lost houses and fields of all factions together
    std::optional<double> WorstTurnOrderBalance; // FactionAnalysis::WorstTurnOrderBalance
    std::optional<double> Balance;               // FactionAnalysis::Balance
    // Largest over smallest of each faction's least cost to an enemy castle; none when a faction reaches
    // no enemy castle.
    std::optional<double> NearestEnemyRatio;
    int SafeGap = 0; // largest minus smallest count of a faction's safe houses and fields

    // Beside the compared figures, for a reason line and for the caller's display.
    std::array<int, FactionCount> Territory{};
    std::array<int, FactionCount> TerritoryByTurn{};
    std::array<int, FactionCount> Safe{};
    int Unreachable = 0;
    bool operator==(const FairnessFigures&) const = default;
};

// The limits a fair map meets: the generator's own.
struct FairnessLimits {
    static constexpr double Balance = 1.05;           // balance and worst turn-order balance
    static constexpr double NearestEnemyRatio = 1.10;
    static constexpr int SafeGap = 1;
};
constexpr int FairnessLimitCount = 5;

// The nearest-enemy ratio of an analysis (see FairnessFigures).
std::optional<double> NearestEnemyRatio(const FactionAnalysis& analysis);
FairnessFigures MeasureFairness(const FactionAnalysis& analysis);
// No lost house or field, both balances <= 1.05, nearest-enemy ratio <= 1.10, safe gap <= 1.
bool IsAlreadyFair(const FairnessFigures& figures);

// The compared figures in order; a proposal's reason names the first that differs.
enum class FairnessKey : std::uint8_t {
    LimitsFailing,
    Lost,
    WorstTurnOrderBalance,
    Balance,
    NearestEnemyRatio,
    SafeGap,
};
// The first key at which `a` and `b` differ (the three ratios compared rounded to 3 places, a missing
// figure worse than any number), or nothing when they tie on every key.
std::optional<FairnessKey> FirstDifferingKey(const FairnessFigures& a, const FairnessFigures& b);
// Whether `a` is strictly fairer than `b`: better at the first differing key.
bool IsFairer(const FairnessFigures& a, const FairnessFigures& b);

} // namespace tav
