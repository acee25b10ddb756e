#include "TileSets.h"

#include "MapCheck.h"

#include <gtest/gtest.h>

#include <climits>

namespace tav {
namespace {

TEST(TileSets, PictureNamesRunFromMD00ToMD83) {
    for (int set = 1; set <= 9; ++set)
        for (int z = 0; z < ScaleCount; ++z) {
            SCOPED_TRACE(testing::Message() << "set " << set << " scale " << z);
            const std::string expected = "MD" + std::to_string(set - 1) + std::to_string(z);
            EXPECT_EQ(PictureName(set, z).toStdString(), expected);
        }
    EXPECT_EQ(PictureName(1, 0), QStringLiteral("MD00"));
    EXPECT_EQ(PictureName(9, 3), QStringLiteral("MD83"));
}

TEST(TileSets, MenuCaptionIsTheNameWithItsAcceleratorAndShortcutAltDigit) {
    for (std::size_t i = 0; i < TileSets.size(); ++i) {
        const TileSetInfo& info = TileSets[i];
        SCOPED_TRACE(info.Name);
        const std::string digit = std::to_string(i + 1);
        EXPECT_EQ(info.Number, static_cast<int>(i + 1));
        EXPECT_EQ(std::string(info.MenuCaption), std::string(info.Name) + "(&" + digit + ")");
        EXPECT_EQ(std::string(info.MenuItem), "MenuChar" + digit);
        EXPECT_EQ(std::string_view(info.Name), TileSetName(info.Number)) << "the map check names the set alike";
        EXPECT_EQ(std::string(info.Shortcut), "Alt+" + digit);
    }
    EXPECT_STREQ(TileSets[0].Name, "ヴェルダ");
    EXPECT_STREQ(TileSets[8].Name, "ステラン");
}

TEST(TileSets, EditScaleChoosesEdgeAndPictureAndAnyOtherValueCountsAsLarge) {
    struct Case {
        int EditScale, Edge, ScaleIndex;
    };
    const Case cases[] = {{1, 8, 2}, {2, 16, 1}, {3, 32, 0}, {0, 32, 0}, {4, 32, 0}, {-1, 32, 0}, {INT_MAX, 32, 0}, {INT_MIN, 32, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "EditScale " << c.EditScale);
        EXPECT_EQ(EditTileEdge(c.EditScale), c.Edge);
        EXPECT_EQ(EditScaleIndex(c.EditScale), c.ScaleIndex);
        EXPECT_EQ(ScaleTileEdge[static_cast<std::size_t>(EditScaleIndex(c.EditScale))], c.Edge);
    }
}

TEST(TileSets, TileSquareFollowsColumnCodeMod8AndRowCodeDiv8) {
    struct Case {
        int Code, Column, Row;
    };
    // code 48 is the first tile of row 6, code 127 the bottom-right tile
    const Case cases[] = {{0, 0, 0}, {7, 7, 0}, {8, 0, 1}, {48, 0, 6}, {127, 7, 15}};
    for (int edge : ScaleTileEdge)
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "code " << c.Code << " edge " << edge);
            EXPECT_EQ(TileSourceRect(c.Code, edge), QRect(c.Column * edge, c.Row * edge, edge, edge));
        }
}

TEST(TileSets, EveryTileSquareLiesInsideItsPicture) {
    for (int edge : ScaleTileEdge) {
        const QRect picture(0, 0, 8 * edge, 16 * edge);
        for (int code = 0; code < 128; ++code)
            ASSERT_TRUE(picture.contains(TileSourceRect(code, edge))) << "code " << code << " edge " << edge;
    }
}

} // namespace
} // namespace tav
