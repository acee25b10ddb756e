#pragma once
// How fair a map is under a symmetry mode: for each figure of the faction analysis, the largest difference
// between a faction and any faction that stands in one of its images. A map symmetric for the mode shows 0
// everywhere; the figure that is not names what the author still has to even out.

#include "FactionAnalysis.h"
#include "Symmetry.h"

#include <optional>

namespace tav {

struct FactionImageDifferences {
    int Castles = 0;
    int Houses = 0;
    int Fields = 0;
    int Territory = 0;
    // Steps to the nearest enemy castle. None when some faction reaches an enemy castle and one of its
    // images reaches none: no number of steps measures that difference.
    std::optional<int> NearestEnemy = 0;
};

// Steps from the faction's nearest castle to the nearest castle of any other faction; NoDistance when the
// faction has no castle or none of its castles reaches another faction's.
int NearestEnemyDistance(const FactionAnalysis& analysis, int faction);

// The differences over every faction and each of its images under `mode`; all 0 for mode none.
FactionImageDifferences CompareFactionImages(const FactionAnalysis& analysis, SymmetryMode mode);

} // namespace tav
