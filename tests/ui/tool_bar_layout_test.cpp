// The tool bar's layout as a pure function: buttons side by side within a group, a gap before each group.

#include "ToolBarLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace tav {
namespace {

TEST(ToolBarLayout, GroupsStandSideBySideWithTheirGapBefore) {
    using enum ButtonGap;
    const struct {
        std::vector<ButtonGap> gaps;
        std::vector<int> lefts;
    } cases[] = {
        {{}, {}},
        {{Group}, {8}},
        {{None}, {0}},
        {{Group, None, None, None}, {8, 34, 60, 86}},
        {{Group, Group, Group}, {8, 42, 76}},
        {{Group, None, Group, None, Half}, {8, 34, 68, 94, 124}},
        {{Half, Half}, {4, 34}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.lefts));
        const std::vector<QRect> places = ToolButtonPlaces(c.gaps);
        ASSERT_EQ(places.size(), c.lefts.size());
        for (std::size_t i = 0; i < places.size(); ++i)
            EXPECT_EQ(places[i], QRect(c.lefts[i], 2, 26, 26));
    }
}

} // namespace
} // namespace tav
