#include "FairnessFigures.h"

#include <algorithm>
#include <cmath>

namespace tav {

std::optional<double> NearestEnemyRatio(const FactionAnalysis& analysis) {
    int shortest = 0;
    int longest = 0;
    for (std::size_t from = 0; from < FactionCount; ++from) {
        int nearest = NoDistance;
        for (std::size_t to = 0; to < FactionCount; ++to) {
            const int cost = analysis.Distance[from][to];
            if (to != from && cost != NoDistance && (nearest == NoDistance || cost < nearest))
                nearest = cost;
        }
        if (nearest <= 0)
            return std::nullopt;
        shortest = from == 0 ? nearest : std::min(shortest, nearest);
        longest = std::max(longest, nearest);
    }
    return static_cast<double>(longest) / static_cast<double>(shortest);
}

FairnessFigures MeasureFairness(const FactionAnalysis& analysis) {
    FairnessFigures figures;
    int leastSafe = MapCells;
    int mostSafe = 0;
    for (std::size_t f = 0; f < FactionCount; ++f) {
        const FactionFigures& faction = analysis.Factions[f];
        figures.Lost += faction.Threat.Lost;
        figures.Safe[f] = faction.Threat.Safe;
        figures.Territory[f] = faction.Territory;
        figures.TerritoryByTurn[f] = faction.TerritoryByTurn;
        leastSafe = std::min(leastSafe, faction.Threat.Safe);
        mostSafe = std::max(mostSafe, faction.Threat.Safe);
    }
    figures.SafeGap = mostSafe - leastSafe;
    figures.WorstTurnOrderBalance = analysis.WorstTurnOrderBalance;
    figures.Balance = analysis.Balance;
    figures.NearestEnemyRatio = NearestEnemyRatio(analysis);
    figures.Unreachable = analysis.Unreachable;

    const auto over = [](const std::optional<double>& value, double limit) { return !value || *value > limit; };
    figures.LimitsFailing = (figures.Lost > 0) + over(figures.WorstTurnOrderBalance, FairnessLimits::Balance) +
                            over(figures.Balance, FairnessLimits::Balance) +
                            over(figures.NearestEnemyRatio, FairnessLimits::NearestEnemyRatio) +
                            (figures.SafeGap > FairnessLimits::SafeGap);
    return figures;
}

bool IsAlreadyFair(const FairnessFigures& figures) { return figures.LimitsFailing == 0; }

namespace {

// -1 when `a` is better (smaller), 1 when worse, 0 when equal; ratios rounded to 3 places, none the worst.
int CompareRatios(const std::optional<double>& a, const std::optional<double>& b) {
    if (!a || !b)
        return a ? -1 : b ? 1 : 0;
    const double left = std::round(*a * 1000.0);
    const double right = std::round(*b * 1000.0);
    return left < right ? -1 : left > right ? 1 : 0;
}

int CompareCounts(int a, int b) { return a < b ? -1 : a > b ? 1 : 0; }

struct KeyComparison {
    std::optional<FairnessKey> Key;
    int Sign = 0;
};

KeyComparison CompareFigures(const FairnessFigures& a, const FairnessFigures& b) {
    const int signs[] = {CompareCounts(a.LimitsFailing, b.LimitsFailing),
                         CompareCounts(a.Lost, b.Lost),
                         CompareRatios(a.WorstTurnOrderBalance, b.WorstTurnOrderBalance),
                         CompareRatios(a.Balance, b.Balance),
                         CompareRatios(a.NearestEnemyRatio, b.NearestEnemyRatio),
                         CompareCounts(a.SafeGap, b.SafeGap)};
    for (std::size_t i = 0; i < std::size(signs); ++i)
        if (signs[i] != 0)
            return {static_cast<FairnessKey>(i), signs[i]};
    return {};
}

} // namespace

std::optional<FairnessKey> FirstDifferingKey(const FairnessFigures& a, const FairnessFigures& b) {
    return CompareFigures(a, b).Key;
}

bool IsFairer(const FairnessFigures& a, const FairnessFigures& b) { return CompareFigures(a, b).Sign < 0; }

} // namespace tav
