#include "TileSets.h"

#include "MapCheck.h"

#include <gtest/gtest.h>

#include <climits>

namespace tav {
namespace {

TEST(TileSets, PictureNamesRunFromMD00ToMD83WithTheLargestEdgeFirst) {
    // The second digit counts the edges from the largest down, as the artwork's files have always been named.
    const std::pair<TileEdge, char> digits[] = {
        {TileEdge::Px32, '0'}, {TileEdge::Px16, '1'}, {TileEdge::Px8, '2'}, {TileEdge::Px4, '3'}};
    for (TileSet set : AllTileSets)
        for (const auto& [edge, digit] : digits) {
            SCOPED_TRACE(testing::Message() << "set " << TileSetNumber(set) << " edge " << Pixels(edge));
            const std::string expected = "MD" + std::to_string(TileSetNumber(set) - 1) + digit;
            EXPECT_EQ(PictureName(set, edge).toStdString(), expected);
        }
    EXPECT_EQ(PictureName(TileSet::Verda, TileEdge::Px32), QStringLiteral("MD00"));
    EXPECT_EQ(PictureName(TileSet::Stellan, TileEdge::Px4), QStringLiteral("MD83"));
}

TEST(TileSets, MenuCaptionIsTheNameWithItsAcceleratorAndShortcutAltDigit) {
    for (std::size_t i = 0; i < TileSets.size(); ++i) {
        const TileSetInfo& info = TileSets[i];
        SCOPED_TRACE(info.Name);
        const std::string digit = std::to_string(i + 1);
        EXPECT_EQ(TileSetNumber(info.Set), static_cast<int>(i + 1));
        EXPECT_EQ(&InfoOf(info.Set), &info);
        EXPECT_EQ(std::string(info.MenuCaption), std::string(info.Name) + "(&" + digit + ")");
        EXPECT_EQ(std::string(info.ActionName), "tileSet" + digit + "Action");
        EXPECT_EQ(std::string_view(info.Name), TileSetName(info.Set)) << "the map check names the set alike";
        EXPECT_EQ(std::string(info.Shortcut), "Alt+" + digit);
    }
    EXPECT_STREQ(TileSets[0].Name, "ヴェルダ");
    EXPECT_STREQ(TileSets[8].Name, "ステラン");
}

TEST(TileSets, OnlyTheFourPictureEdgesAreTileEdges) {
    for (int pixels : {-32, 0, 1, 2, 3, 4, 5, 7, 8, 12, 16, 24, 32, 64, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(pixels);
        const auto edge = TileEdgeOfPixels(pixels);
        const bool drawn = pixels == 4 || pixels == 8 || pixels == 16 || pixels == 32;
        ASSERT_EQ(edge.has_value(), drawn);
        if (edge) {
            EXPECT_EQ(Pixels(*edge), pixels);
        }
    }
}

TEST(TileSets, TileSquareFollowsColumnCodeMod8AndRowCodeDiv8) {
    struct Case {
        int Code, Column, Row;
    };
    // code 48 is the first tile of row 6, code 127 the bottom-right tile
    const Case cases[] = {{0, 0, 0}, {7, 7, 0}, {8, 0, 1}, {48, 0, 6}, {127, 7, 15}};
    for (TileEdge tileEdge : AllTileEdges)
        for (const Case& c : cases) {
            const int edge = Pixels(tileEdge);
            SCOPED_TRACE(testing::Message() << "code " << c.Code << " edge " << edge);
            EXPECT_EQ(TileSourceRect(c.Code, edge), QRect(c.Column * edge, c.Row * edge, edge, edge));
        }
}

TEST(TileSets, EveryTileSquareLiesInsideItsPicture) {
    for (TileEdge tileEdge : AllTileEdges) {
        const int edge = Pixels(tileEdge);
        const QRect picture(0, 0, 8 * edge, 16 * edge);
        for (int code = 0; code < 128; ++code)
            ASSERT_TRUE(picture.contains(TileSourceRect(code, edge))) << "code " << code << " edge " << edge;
    }
}

} // namespace
} // namespace tav
