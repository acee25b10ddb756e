#include "FactionSymmetry.h"

#include <algorithm>
#include <cstdlib>

namespace tav {

namespace {

void KeepLarger(int& largest, int a, int b) {
    largest = std::max(largest, std::abs(a - b));
}

} // namespace

int NearestEnemyDistance(const FactionAnalysis& analysis, int faction) {
    int nearest = NoDistance;
    for (const int steps : analysis.Distance[static_cast<std::size_t>(faction)])
        if (steps != NoDistance && (nearest == NoDistance || steps < nearest))
            nearest = steps;
    return nearest;
}

FactionImageDifferences CompareFactionImages(const FactionAnalysis& analysis, SymmetryMode mode) {
    FactionImageDifferences largest;
    int nearestEnemy = 0;
    bool nearestEnemyUnmatched = false;
    for (int faction = 0; faction < FactionCount; ++faction) {
        const FactionFigures& own = analysis.Factions[static_cast<std::size_t>(faction)];
        const int ownNearest = NearestEnemyDistance(analysis, faction);
        for (int image = 1; image <= SymmetryImageCount(mode); ++image) {
            const int other = ImageFaction(mode, image, faction);
            const FactionFigures& theirs = analysis.Factions[static_cast<std::size_t>(other)];
            KeepLarger(largest.Castles, own.CastleCount, theirs.CastleCount);
            KeepLarger(largest.Houses, own.Houses, theirs.Houses);
            KeepLarger(largest.Fields, own.Fields, theirs.Fields);
            KeepLarger(largest.Territory, own.Territory, theirs.Territory);
            const int otherNearest = NearestEnemyDistance(analysis, other);
            if ((ownNearest == NoDistance) != (otherNearest == NoDistance))
                nearestEnemyUnmatched = true;
            else if (ownNearest != NoDistance)
                KeepLarger(nearestEnemy, ownNearest, otherNearest);
        }
    }
    if (nearestEnemyUnmatched)
        largest.NearestEnemy = std::nullopt;
    else
        largest.NearestEnemy = nearestEnemy;
    return largest;
}

} // namespace tav
