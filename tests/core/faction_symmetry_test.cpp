// The faction window's comparison of each faction with its images: nothing on a map mirrored for the mode,
// and each kind of unevenness in its own figure.

#include "CellGrid.h"
#include "FactionSymmetry.h"

#include <gtest/gtest.h>

#include <random>

namespace tav {
namespace {

constexpr SymmetryMode MirroredModes[] = {SymmetryMode::LeftRight, SymmetryMode::TopBottom, SymmetryMode::Quad,
                                          SymmetryMode::Half, SymmetryMode::Quarter};

// Open ground with faction 0's castle at (10,12) and the image factions' castles at its images.
MapGrid CastlesAtTheImages(SymmetryMode mode) {
    MapGrid grid = FilledGrid(0);
    for (int image = 0; image <= SymmetryImageCount(mode); ++image)
        At(grid, ImageCell(mode, image, {10, 12})) = static_cast<TileCode>(20 + ImageFaction(mode, image, 0));
    return grid;
}

TEST(FactionSymmetry, MapsMirroredFromOneShareShowNoDifference) {
    std::mt19937 rng(240611);
    constexpr TileCode Codes[] = {0, 0, 0, 0, 6, 48, 96, 8, 9, 10, 11, 12, 13, 14, 15, 20, 21, 22, 23};
    for (const SymmetryMode mode : MirroredModes) {
        for (int round = 0; round < 40; ++round) {
            SCOPED_TRACE(std::string(SymmetryModeCliName(mode)) + " round " + std::to_string(round));
            const SymmetrySource source = AllowedSources(mode).front();
            MapGrid grid = FilledGrid(0);
            for (int x = 0; x < MapSize; ++x)
                for (int y = 0; y < MapSize; ++y)
                    if (InSourceShare(source, {x, y})) {
                        // Castles are rare, so that factions meet across open ground.
                        TileCode code = Codes[rng() % (std::size(Codes) - 4)];
                        if (rng() % 200 == 0)
                            code = static_cast<TileCode>(20 + rng() % 4);
                        for (int image = 0; image <= SymmetryImageCount(mode); ++image)
                            At(grid, ImageCell(mode, image, {x, y})) = ImageCode(mode, image, code);
                    }
            const FactionImageDifferences d = CompareFactionImages(AnalyseFactions(grid), mode);
            EXPECT_EQ(d.Castles, 0);
            EXPECT_EQ(d.Houses, 0);
            EXPECT_EQ(d.Fields, 0);
            EXPECT_EQ(d.Territory, 0);
            EXPECT_EQ(d.NearestEnemy, 0);
        }
    }
}

TEST(FactionSymmetry, EachUnevennessShowsInItsOwnFigure) {
    struct Case {
        const char* Name;
        SymmetryMode Mode;
        std::vector<std::pair<MapCell, TileCode>> Changes;
        FactionImageDifferences Expected; // territory -1: a flood fill by hand, not checked
    };
    const Case cases[] = {
        {"a house more for faction 0", SymmetryMode::LeftRight, {{{5, 30}, 8}}, {0, 1, 0, 0, 0}},
        {"two fields more for faction 1", SymmetryMode::Quad, {{{40, 3}, 13}, {{41, 3}, 13}}, {0, 0, 2, 0, 0}},
        // The corner is faction 0's alone and cuts no path.
        {"a blocked corner", SymmetryMode::Quarter, {{{0, 0}, 6}}, {0, 0, 0, 1, 0}},
        // Faction 2's second castle lies 8 steps from faction 0; factions 1 and 3 still meet at 23.
        {"a second castle near an enemy", SymmetryMode::Quad, {{{10, 20}, 22}}, {1, 0, 0, -1, 15}},
        // Faction 0 still reaches faction 2, but faction 3 has no castle to start from.
        {"a castle missing", SymmetryMode::Quad, {{{37, 35}, 0}}, {1, 0, 0, -1, std::nullopt}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        MapGrid grid = CastlesAtTheImages(c.Mode);
        for (const auto& [cell, code] : c.Changes)
            At(grid, cell) = code;
        const FactionImageDifferences d = CompareFactionImages(AnalyseFactions(grid), c.Mode);
        EXPECT_EQ(d.Castles, c.Expected.Castles);
        EXPECT_EQ(d.Houses, c.Expected.Houses);
        EXPECT_EQ(d.Fields, c.Expected.Fields);
        EXPECT_TRUE(c.Expected.Territory < 0 || d.Territory == c.Expected.Territory) << d.Territory;
        EXPECT_EQ(d.NearestEnemy, c.Expected.NearestEnemy);
        EXPECT_EQ(CompareFactionImages(AnalyseFactions(grid), SymmetryMode::None).Castles, 0);
    }
}

} // namespace
} // namespace tav
