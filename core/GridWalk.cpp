#include "GridWalk.h"

namespace tav {

CostWalk::CostWalk(CellCosts& costs, CellSources* cameFrom) : costs_(costs), cameFrom_(cameFrom) {
    costs_.fill(NotReached);
    heads_.fill(NoCell);
    tails_.fill(NoCell);
}

void CostWalk::Start(MapCell cell) {
    const auto index = static_cast<std::uint16_t>(GridIndex(cell));
    if (costs_[index] == 0) return;
    costs_[index] = 0;
    if (cameFrom_) (*cameFrom_)[index] = index;
    Link(index, 0);
}

} // namespace tav
