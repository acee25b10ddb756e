// The size rules of the edit window as pure functions: the largest client beside the palette, and the
// snap of a requested size to whole cells.

#include "EditSize.h"

#include <gtest/gtest.h>

namespace tav {
namespace {

TEST(EditSize, ComputeEditSizeFitsTheMapBesideThePalette) {
    struct Case {
        EditSizeInputs in;
        QSize expected;
    };
    const Case cases[] = {
        {{8, 792, 552, 146, 19, 30}, {384, 384}},
        {{16, 792, 552, 146, 19, 30}, {608, 448}},
        {{32, 792, 552, 146, 19, 30}, {608, 448}},
        {{32, 1800, 552, 146, 19, 30}, {1536, 448}},  // width not reduced: +16 adds no row at 32
        {{16, 1800, 552, 146, 19, 30}, {768, 464}},   // one row more at 16
        {{8, 792, 472, 146, 19, 30}, {384, 392}},     // A = 376: two rows more, 8 below the map
        {{8, 792, 479, 146, 19, 30}, {384, 392}},     // A = 383
        {{8, 792, 480, 146, 19, 30}, {384, 384}},     // A = 384: the whole map fits
        {{8, 500, 472, 146, 19, 30}, {320, 376}},     // width reduced: no extra rows
        {{32, 1800, 2000, 146, 19, 30}, {1536, 1536}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in.Edge * 100000 + c.in.MainClientWidth * 10 + c.in.MainClientHeight);
        EXPECT_EQ(ComputeEditSize(c.in), c.expected);
    }
}

TEST(EditSize, ResizeRuleSnapsToWholeCellsUnderTheMaximum) {
    struct Case {
        QSize requested, maximum;
        int edge;
        QSize expected;
    };
    const Case cases[] = {
        {{500, 300}, {608, 448}, 32, {480, 288}},
        {{700, 500}, {608, 448}, 32, {608, 448}},
        {{383, 100}, {384, 392}, 8, {376, 96}},
        {{608, 447}, {608, 448}, 16, {608, 432}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SnapEditClientSize(c.requested, c.maximum, c.edge), c.expected);
}

} // namespace
} // namespace tav
