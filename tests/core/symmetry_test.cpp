#include "CellGrid.h"
#include "MapGrid.h"
#include "Shaping.h"
#include "Symmetry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace tav {
namespace {

constexpr SymmetryMode LR = SymmetryMode::LeftRight;
constexpr SymmetryMode TB = SymmetryMode::TopBottom;
constexpr SymmetryMode Quad = SymmetryMode::Quad;
constexpr SymmetryMode Half = SymmetryMode::Half;
constexpr SymmetryMode Quarter = SymmetryMode::Quarter;
constexpr SymmetryMode SymmetricModes[] = {LR, TB, Quad, Half, Quarter};

std::string Trace(SymmetryMode mode, int image) {
    return std::string(SymmetryModeCliName(mode)) + " image " + std::to_string(image);
}


// The whole map moved by one image: every cell's code goes, through the image's table, to its image cell.
MapGrid ImageOf(const MapGrid& grid, SymmetryMode mode, int image) {
    MapGrid moved{};
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y)
            At(moved, ImageCell(mode, image, {x, y})) = ImageCode(mode, image, At(grid, {x, y}));
    return moved;
}

MapGrid Shaped(MapGrid grid) {
    ShapeMap(grid);
    return grid;
}

// A painted map: rectangles of codes over a background, mostly the terrain kinds the rules act on, with
// every other byte now and then. `allowed` filters the codes a property cannot take.
template <typename Allowed> MapGrid RandomPaintedMap(std::mt19937& rng, Allowed allowed) {
    static constexpr TileCode kinds[] = {0,  0,  1,  2,  5,  7,  8,  9,   12,  20,  22,  29,  32, 32,
                                         40, 48, 48, 48, 70, 96, 96, 100, 112, 117, 121, 122, 124};
    auto pick = [&] {
        for (;;) {
            const TileCode code =
                rng() % 6 == 0 ? static_cast<TileCode>(rng() & 0xFF) : kinds[rng() % std::size(kinds)];
            if (allowed(code)) return code;
        }
    };
    MapGrid grid = FilledGrid(pick());
    const int patches = 20 + static_cast<int>(rng() % 60);
    for (int patch = 0; patch < patches; ++patch) {
        const TileCode code = pick();
        const int x0 = static_cast<int>(rng() % MapSize), y0 = static_cast<int>(rng() % MapSize);
        const int w = 1 + static_cast<int>(rng() % 9), h = 1 + static_cast<int>(rng() % 9);
        for (int x = x0; x < std::min(MapSize, x0 + w); ++x)
            for (int y = y0; y < std::min(MapSize, y0 + h); ++y)
                At(grid, {x, y}) = code;
    }
    return grid;
}

bool InRange(TileCode code, int lo, int hi) {
    return code >= lo && code <= hi;
}

// --- code tables -------------------------------------------------------------------------------------------

TEST(SymmetryTables, WorkedExamplesMapToTheirImagePieces) {
    struct Case {
        SymmetryMode mode;
        int image;
        TileCode code, expected;
        const char* what;
    };
    const Case cases[] = {
        {LR, 1, 51, 54, "shore open to N and W becomes open to N and E"},
        {LR, 1, 94, 95, "shore N W with SE corner"},
        {TB, 1, 65, 72, "shore corner NW becomes SW"},
        {Quarter, 1, 94, 95, "a quarter turn sends N W SE to E N SW"},
        {Quarter, 1, 50, 52, "a quarter turn sends the N shore to E"},
        {LR, 1, 35, 38, "plateau's top-left corner becomes its top-right"},
        {TB, 1, 35, 41, "plateau's top-left corner becomes its bottom-left"},
        {Quarter, 1, 35, 38, "turned clockwise, top-left goes to top-right"},
        {Quarter, 1, 107, 103, "left end of a ridge run becomes the top end of a column"},
        {LR, 1, 2, 2, "forest top stays under left-right"},
        {TB, 1, 2, 3, "forest top becomes the bottom"},
        {Quarter, 1, 2, 1, "a quarter turn plants plain forest"},
        {Quarter, 2, 2, 3, "the half turn of quarter swaps the ends as half does"},
        {LR, 1, 20, 21, "castle 0 goes to faction 1"},
        {Quad, 3, 21, 22, "castle 1 goes to faction 1 xor 3"},
        {Quarter, 1, 23, 20, "castle 3 goes to faction 0"},
        {Quarter, 3, 117, 116, "flag wall of faction 1 goes to faction 0"},
        {Quad, 2, 13, 15, "field of faction 1 goes to faction 3"},
        {LR, 1, 112, 113, "upper-left tower becomes upper-right"},
        {Quad, 3, 121, 120, "both flips mirror the ring left-right"},
        {TB, 1, 112, 112, "top-bottom keeps the ring pieces"},
        {LR, 1, 29, 29, "the gate faces down everywhere"},
        {Quarter, 1, 64, 64, "64 is never shaped and stays"},
        {Quarter, 1, 200, 200, "a byte without a tile"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Trace(c.mode, c.image) + ": " + c.what);
        EXPECT_EQ(ImageCode(c.mode, c.image, c.code), c.expected);
    }
}

// The tables are derived from the shaping rules; whichever pattern gave a code, the turned pattern must
// give the code's image, or the table would depend on which pattern the derivation happened to take.
TEST(SymmetryTables, EveryNeighbourPatternTurnsToTheCodeOfItsTurnedPattern) {
    const MapCell centre{20, 17};
    for (const SymmetryMode mode : SymmetricModes)
        for (int image = 1; image <= SymmetryImageCount(mode); ++image) {
            SCOPED_TRACE(Trace(mode, image));
            const MapCell imageCentre = ImageCell(mode, image, centre);
            auto turned = [&](int pattern) {
                int out = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    if ((pattern & (1 << bit)) == 0) continue;
                    const int index =
                        bit < 4 ? bit : bit + 1; // the 3 x 3 block in reading order, centre skipped
                    const MapCell moved =
                        ImageCell(mode, image, {centre.X + index % 3 - 1, centre.Y + index / 3 - 1});
                    const int movedIndex = (moved.Y - imageCentre.Y + 1) * 3 + (moved.X - imageCentre.X + 1);
                    out |= 1 << (movedIndex < 4 ? movedIndex : movedIndex - 1);
                }
                return out;
            };
            for (int p = 0; p < 256; ++p) {
                const auto pattern = static_cast<std::uint8_t>(p);
                const auto turnedPattern = static_cast<std::uint8_t>(turned(p));
                EXPECT_EQ(EdgedShapeCode(turnedPattern), ImageCode(mode, image, EdgedShapeCode(pattern)))
                    << "pattern " << p;
                auto sides = [](std::uint8_t q, bool ridge) {
                    return ridge ? RidgeSideCode(q & W, q & N, q & E, q & S)
                                 : RaisedSideCode(q & W, q & N, q & E, q & S);
                };
                for (const bool ridge : {false, true})
                    EXPECT_EQ(sides(turnedPattern, ridge), ImageCode(mode, image, sides(pattern, ridge)))
                        << "pattern " << p << (ridge ? " ridge" : " raised");
            }
        }
}

// Each mode is a group: image i after image j is the image their product names, for cells, factions and
// codes alike. For the mirrors that is "twice gives the identity", for the quarter turn "four times".
TEST(SymmetryTables, ImagesComposeAsTheModesGroup) {
    auto product = [](SymmetryMode mode, int i, int j) {
        if (mode == Quarter) return (i + j) % 4;
        return i ^ j; // lr, tb, half: {0, 1}; quad: left-right 1, top-bottom 2, both 3
    };
    const bool forestOnly[256] = {false, true, true, true, true};
    for (const SymmetryMode mode : SymmetricModes)
        for (int i = 0; i <= SymmetryImageCount(mode); ++i)
            for (int j = 0; j <= SymmetryImageCount(mode); ++j) {
                SCOPED_TRACE(Trace(mode, i) + " after image " + std::to_string(j));
                const int ij = product(mode, i, j);
                for (int code = 0; code < 256; ++code) {
                    const auto c = static_cast<TileCode>(code);
                    // A quarter turn plants plain forest, which the next turn cannot turn back.
                    if (mode == Quarter && forestOnly[code] && (i % 2 == 1 || j % 2 == 1)) continue;
                    EXPECT_EQ(ImageCode(mode, i, ImageCode(mode, j, c)), ImageCode(mode, ij, c))
                        << "code " << code;
                }
                for (int faction = 0; faction < 4; ++faction)
                    EXPECT_EQ(ImageFaction(mode, i, ImageFaction(mode, j, faction)),
                              ImageFaction(mode, ij, faction));
                for (const MapCell cell : {MapCell{0, 0}, MapCell{3, 40}, MapCell{23, 24}, MapCell{47, 5}})
                    EXPECT_EQ(ImageCell(mode, i, ImageCell(mode, j, cell)), ImageCell(mode, ij, cell));
            }
    // Spelled out as the tables' promise: a mirror twice, a quarter turn four times.
    for (const auto& [mode, image, times] : {std::tuple{LR, 1, 2},
                                             {TB, 1, 2},
                                             {Half, 1, 2},
                                             {Quad, 1, 2},
                                             {Quad, 2, 2},
                                             {Quad, 3, 2},
                                             {Quarter, 1, 4}})
        for (int code = 0; code < 256; ++code) {
            if (mode == Quarter && forestOnly[code]) continue;
            auto c = static_cast<TileCode>(code);
            for (int t = 0; t < times; ++t)
                c = ImageCode(mode, image, c);
            EXPECT_EQ(c, code) << Trace(mode, image) << " applied " << times << " times";
        }
}

// Shaping reads only the kinds around a cell, so shaping a moved map gives the moved shaped map. Castles
// (pass 1 writes in scan order and the gate always faces down) and houses (the faction rule alternates in
// scan order) are left out, and forests for the quarter turns, whose runs cannot lie on their side.
TEST(SymmetryTables, ShapingCommutesWithEveryImage) {
    for (const SymmetryMode mode : SymmetricModes)
        for (int image = 1; image <= SymmetryImageCount(mode); ++image) {
            const bool turn = mode == Quarter && image % 2 == 1;
            for (unsigned seed = 1; seed <= 150; ++seed) {
                SCOPED_TRACE(Trace(mode, image) + " seed " + std::to_string(seed));
                std::mt19937 rng(seed);
                const MapGrid map = RandomPaintedMap(rng, [&](TileCode code) {
                    return !InRange(code, 20, 23) && !InRange(code, 8, 11) && !(turn && InRange(code, 1, 4));
                });
                const MapGrid shapedThenMoved = ImageOf(Shaped(map), mode, image);
                const MapGrid movedThenShaped = Shaped(ImageOf(map, mode, image));
                ASSERT_EQ(movedThenShaped, shapedThenMoved);
            }
        }
}

// --- shares ------------------------------------------------------------------------------------------------

TEST(SymmetryShares, TheImagesOfEveryAllowedShareCoverTheRestOfTheMapOnce) {
    for (const SymmetryMode mode : AllSymmetryModes) {
        SCOPED_TRACE(std::string(SymmetryModeCliName(mode)));
        EXPECT_EQ(SymmetryModeFromCliName(SymmetryModeCliName(mode)), mode);
        std::set<SymmetrySource> allowed;
        for (const SymmetrySource source : AllowedSources(mode)) {
            SCOPED_TRACE(std::string(SymmetrySourceCliName(source)));
            allowed.insert(source);
            EXPECT_EQ(SymmetrySourceFromCliName(SymmetrySourceCliName(source)), source);
            std::array<int, MapCells> covered{};
            for (int x = 0; x < MapSize; ++x)
                for (int y = 0; y < MapSize; ++y)
                    if (InSourceShare(source, {x, y}))
                        for (int image = 0; image <= SymmetryImageCount(mode); ++image) {
                            const MapCell cell = ImageCell(mode, image, {x, y});
                            ++covered[GridIndex(cell)];
                        }
            for (int count : covered)
                ASSERT_EQ(count, 1);
        }
        for (int s = 0; s < 8; ++s) {
            const auto source = static_cast<SymmetrySource>(s);
            EXPECT_EQ(IsAllowedSource(mode, source), allowed.count(source) == 1);
            if (!allowed.count(source)) {
                EXPECT_THROW(Symmetrize(FilledGrid(48), mode, source), std::invalid_argument);
            }
        }
    }
}

// --- symmetric-equal and the check line -------------------------------------------------------------------

TEST(SymmetryCheck, OneChangedCellBreaksItsWholeOrbitAndTheLineNamesTheFirstFive) {
    struct Case {
        SymmetryMode mode;
        std::vector<MapCell> changed;
        int count;
        std::string line;
    };
    const Case cases[] = {
        {LR, {{3, 0}}, 2, "左右対称ではないセルが 2 個あります。(3,0) (44,0)"},
        {TB, {{3, 0}}, 2, "上下対称ではないセルが 2 個あります。(3,0) (3,47)"},
        {Half, {{3, 0}}, 2, "点対称ではないセルが 2 個あります。(3,0) (44,47)"},
        {Quad, {{3, 0}}, 4, "上下左右対称ではないセルが 4 個あります。(3,0) (44,0) (3,47) (44,47)"},
        {Quarter, {{3, 0}}, 4, "四方回転対称ではないセルが 4 個あります。(3,0) (47,3) (0,44) (44,47)"},
        {Quarter,
         {{3, 0}, {10, 10}},
         8,
         "四方回転対称ではないセルが 8 個あります。(3,0) (47,3) (10,10) (37,10) (10,37) ほか"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        // Water with a shaped island, castles and houses, symmetric by construction.
        MapGrid map = FilledGrid(48);
        for (int x = 5; x < 12; ++x)
            for (int y = 4; y < 9; ++y)
                At(map, {x, y}) = 0;
        At(map, {8, 5}) = 20;
        At(map, {6, 4}) = At(map, {7, 4}) = At(map, {6, 5}) = 8;
        At(map, {9, 8}) = 96;
        const MapGrid symmetric = Symmetrize(map, c.mode, AllowedSources(c.mode).front()).Grid;
        ASSERT_EQ(FindAsymmetry(symmetric, c.mode).Count, 0);

        MapGrid broken = symmetric;
        for (const MapCell cell : c.changed)
            At(broken, cell) = 7;
        const AsymmetryFinding finding = FindAsymmetry(broken, c.mode);
        EXPECT_EQ(finding.Count, c.count);
        EXPECT_EQ(AsymmetryLine(finding), c.line);
        EXPECT_EQ(FindAsymmetry(broken, SymmetryMode::None).Count, 0);
    }
}

TEST(SymmetryCheck, HousesMatchTheirFieldsAndRingCellsAreNotCompared) {
    MapGrid map = FilledGrid(0);
    At(map, {10, 10}) = 8;  // a house of faction 0 ...
    At(map, {37, 10}) = 13; // ... against the field of faction 1
    At(map, {20, 20}) = 21; // a castle of faction 1 with a painted, unshaped block ...
    At(map, {27, 20}) = 20; // ... and its image castle with another
    At(map, {19, 19}) = 96;
    At(map, {28, 21}) = 48;
    EXPECT_EQ(FindAsymmetry(map, LR).Count, 0);

    At(map, {27, 20}) = 22; // the image castle of the wrong faction
    const AsymmetryFinding wrongFaction = FindAsymmetry(map, LR);
    EXPECT_EQ(wrongFaction.Count, 2);
    EXPECT_EQ(wrongFaction.FirstCells[0], (MapCell{20, 20}));
    EXPECT_EQ(wrongFaction.FirstCells[1], (MapCell{27, 20}));

    // No castle there: the castle is compared with an ordinary cell, and so are the cells that face the
    // castle's block, (28, 19) against the ridge at (19, 19) and (28, 21) holding water against ground.
    At(map, {27, 20}) = 0;
    const AsymmetryFinding missing = FindAsymmetry(map, LR);
    EXPECT_EQ(missing.Count, 4);
    EXPECT_EQ(missing.FirstCells[0], (MapCell{28, 19}));
    EXPECT_EQ(missing.FirstCells[1], (MapCell{20, 20}));
    EXPECT_EQ(missing.FirstCells[2], (MapCell{27, 20}));
    EXPECT_EQ(missing.FirstCells[3], (MapCell{28, 21}));
}

// --- Symmetrize --------------------------------------------------------------------------------------------

// A random painted map with up to six castles in the source share, at least three cells from every axis and
// from the rim, and a few in the other shares, which the copy replaces.
MapGrid MapForSymmetrize(std::mt19937& rng, SymmetryMode mode, SymmetrySource source) {
    MapGrid map = RandomPaintedMap(rng, [](TileCode code) { return !InRange(code, 20, 23); });
    auto farFromAxes = [&](MapCell c) {
        const bool nearVertical = c.X >= 21 && c.X <= 26;
        const bool nearHorizontal = c.Y >= 21 && c.Y <= 26;
        const bool nearRim = c.X < 3 || c.Y < 3 || c.X > 44 || c.Y > 44;
        return !nearRim && !(nearVertical && mode != TB) && !(nearHorizontal && mode != LR);
    };
    const int castles = static_cast<int>(rng() % 7);
    for (int placed = 0; placed < castles;) {
        const MapCell c{static_cast<int>(rng() % MapSize), static_cast<int>(rng() % MapSize)};
        if (InSourceShare(source, c) && farFromAxes(c)) {
            At(map, c) = static_cast<TileCode>(20 + rng() % 4);
            ++placed;
        }
    }
    for (int stray = static_cast<int>(rng() % 3); stray > 0;) {
        const MapCell c{static_cast<int>(rng() % MapSize), static_cast<int>(rng() % MapSize)};
        if (!InSourceShare(source, c)) {
            At(map, c) = static_cast<TileCode>(20 + rng() % 4);
            --stray;
        }
    }
    return map;
}

bool CastleNextTo(const MapGrid& map, MapCell c) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if ((dx != 0 || dy != 0) && InMap(c.X + dx, c.Y + dy) &&
                InRange(At(map, {c.X + dx, c.Y + dy}), 20, 23))
                return true;
    return false;
}

TEST(Symmetrize, GivesAShapedSymmetricMapThatKeepsTheSourceShare) {
    for (const SymmetryMode mode : SymmetricModes) {
        const auto sources = AllowedSources(mode);
        for (unsigned seed = 1; seed <= 200; ++seed) {
            const SymmetrySource source = sources[seed % sources.size()];
            SCOPED_TRACE(std::string(SymmetryModeCliName(mode)) + " from " +
                         std::string(SymmetrySourceCliName(source)) + " seed " + std::to_string(seed));
            std::mt19937 rng(seed);
            const MapGrid map = MapForSymmetrize(rng, mode, source);
            const SymmetrizeResult result = Symmetrize(map, mode, source);

            EXPECT_EQ(Shaped(result.Grid), result.Grid) << "not a fixed point of shaping";
            const AsymmetryFinding finding = FindAsymmetry(result.Grid, mode);
            EXPECT_EQ(finding.Count, 0) << AsymmetryLine(finding);
            EXPECT_TRUE(result.RemovedCastles.empty());
            // The source share survives up to shaping: the same kinds everywhere but in the blocks of the
            // castles painted or built, and every castle painted there with no castle next to it stands.
            std::array<bool, MapCells> castleBlock{};
            for (int x = 0; x < MapSize; ++x)
                for (int y = 0; y < MapSize; ++y)
                    if (InRange(At(map, {x, y}), 20, 23) || InRange(At(result.Grid, {x, y}), 20, 23))
                        for (int dx = -1; dx <= 1; ++dx)
                            for (int dy = -1; dy <= 1; ++dy)
                                if (InMap(x + dx, y + dy))
                                    castleBlock[GridIndex(x + dx, y + dy)] = true;
            for (int x = 0; x < MapSize; ++x)
                for (int y = 0; y < MapSize; ++y) {
                    const TileCode painted = At(map, {x, y});
                    const TileCode now = At(result.Grid, {x, y});
                    if (!InSourceShare(source, {x, y})) continue;
                    if (!castleBlock[GridIndex(x, y)]) {
                        ASSERT_TRUE(SymmetricCodesEqual(now, painted))
                            << "(" << x << "," << y << ") painted " << int(painted) << " now " << int(now);
                    }
                    if (InRange(painted, 20, 23) && !CastleNextTo(map, {x, y})) {
                        ASSERT_EQ(now, painted) << "castle at (" << x << "," << y << ")";
                    }
                }
        }
    }
}

TEST(Symmetrize, CastlesWhoseBlockWouldMeetAnImageBlockAreRemovedAndNamed) {
    struct Case {
        SymmetryMode mode;
        SymmetrySource source;
        std::vector<MapCell> castles; // factions 0, 1, 2, ... in this order
        std::vector<MapCell> removed;
    };
    const Case cases[] = {
        {LR, SymmetrySource::Left, {{22, 10}, {23, 30}}, {{23, 30}}},
        {LR, SymmetrySource::Right, {{25, 10}, {24, 30}}, {{24, 30}}},
        // A castle of the other share is replaced by the copy, not named; its ring reaching over the axis
        // goes.
        {LR, SymmetrySource::Left, {{22, 10}, {24, 12}}, {}},
        {TB, SymmetrySource::Bottom, {{10, 26}, {30, 24}}, {{30, 24}}},
        {Half, SymmetrySource::Top, {{23, 21}, {23, 23}}, {{23, 23}}},
        {Quad, SymmetrySource::TopLeft, {{22, 22}, {23, 10}, {10, 23}, {5, 5}}, {{23, 10}, {10, 23}}},
        // Clear of their own images, but each within two cells of a quarter turn of the other: (23, 5) turned
        // back is (5, 24), (5, 22) turned is (25, 5).
        {Quarter, SymmetrySource::TopLeft, {{23, 5}, {5, 22}, {10, 10}}, {{23, 5}, {5, 22}}},
        // A block that reaches into the next quadrant is rebuilt there by the final shaping.
        {Quarter, SymmetrySource::TopLeft, {{23, 5}, {22, 22}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(SymmetryModeCliName(c.mode)) + " from " +
                     std::string(SymmetrySourceCliName(c.source)));
        MapGrid map = FilledGrid(0);
        for (std::size_t i = 0; i < c.castles.size(); ++i)
            At(map, c.castles[i]) = static_cast<TileCode>(20 + i);
        ShapeMap(map); // with their rings, which must go with them
        const SymmetrizeResult result = Symmetrize(map, c.mode, c.source);
        std::vector<MapCell> removed;
        for (const RemovedCastle& castle : result.RemovedCastles) {
            removed.push_back(castle.Cell);
            EXPECT_EQ(castle.Code, At(map, castle.Cell));
        }
        EXPECT_EQ(removed, c.removed);
        for (const MapCell castle : c.castles) {
            if (!InSourceShare(c.source, castle)) continue;
            const bool kept = std::find(c.removed.begin(), c.removed.end(), castle) == c.removed.end();
            EXPECT_EQ(InRange(At(result.Grid, castle), 20, 23), kept) << castle.X << "," << castle.Y;
        }
        EXPECT_EQ(FindAsymmetry(result.Grid, c.mode).Count, 0);
        EXPECT_EQ(Shaped(result.Grid), result.Grid);
        // On open ground every tower and wall belongs to a castle that stands.
        for (int x = 0; x < MapSize; ++x)
            for (int y = 0; y < MapSize; ++y) {
                if (!InRange(At(result.Grid, {x, y}), 112, 121) && At(result.Grid, {x, y}) != CastleGate)
                    continue;
                bool nextToCastle = false;
                for (int dx = -1; dx <= 1; ++dx)
                    for (int dy = -1; dy <= 1; ++dy)
                        nextToCastle = nextToCastle || (InMap(x + dx, y + dy) &&
                                                        InRange(At(result.Grid, {x + dx, y + dy}), 20, 23));
                EXPECT_TRUE(nextToCastle) << "stray ring piece at (" << x << "," << y << ")";
            }
    }
    EXPECT_EQ(RemovedCastleLine({{23, 30}, 21}, TileSet::Verda),
              "(23,30)にあるブレスト領(赤)の城は対称の位置の城と重なるため取り除きました。");
}

} // namespace
} // namespace tav
