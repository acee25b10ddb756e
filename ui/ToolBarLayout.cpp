#include "ToolBarLayout.h"

namespace tav {

std::vector<QRect> ToolButtonPlaces(std::span<const ButtonGap> gaps) {
    std::vector<QRect> places;
    places.reserve(gaps.size());
    int left = 0;
    for (const ButtonGap gap : gaps) {
        if (gap == ButtonGap::Group)
            left += ToolButtonGroupGap;
        else if (gap == ButtonGap::Half)
            left += ToolButtonGroupGap / 2;
        places.emplace_back(left, ToolButtonTop, ToolButtonSide, ToolButtonSide);
        left += ToolButtonSide;
    }
    return places;
}

} // namespace tav
