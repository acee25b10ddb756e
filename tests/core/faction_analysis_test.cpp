// The faction analysis against hand-worked golden maps, and the sum every map must keep.

#include "FactionAnalysis.h"
#include "FactionGoldenMaps.h"
#include "MapDocument.h"

#include <gtest/gtest.h>

#include <random>

namespace tav {
namespace {

TEST(FactionAnalysis, GoldenMapsGiveTheirHandWorkedFigures) {
    const std::vector<std::string> names = golden::GoldenMapNames();
    ASSERT_GE(names.size(), 5u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const golden::GoldenMap golden = golden::LoadGoldenMap(name);
        const FactionAnalysis analysis = AnalyseFactions(golden.Grid);
        for (int f = 0; f < FactionCount; ++f) {
            SCOPED_TRACE(f);
            const auto i = static_cast<std::size_t>(f);
            std::vector<std::pair<int, int>> castles;
            for (const std::uint16_t cell : analysis.Castles(f))
                castles.emplace_back(cell / MapSize, cell % MapSize);
            EXPECT_EQ(castles, golden.Castles[i]);
            EXPECT_EQ(analysis.Factions[i].CastleCount, static_cast<int>(golden.Castles[i].size()));
            EXPECT_EQ(analysis.Factions[i].Houses, golden.Houses[i]);
            EXPECT_EQ(analysis.Factions[i].Fields, golden.Fields[i]);
            EXPECT_EQ(analysis.Factions[i].Territory, golden.Territory[i]);
            EXPECT_EQ(analysis.Factions[i].InTerritory, golden.InTerritory[i]);
            EXPECT_EQ(analysis.Distance[i], golden.Distance[i]);
        }
        EXPECT_EQ(analysis.Contested, golden.Contested);
        EXPECT_EQ(analysis.Unreachable, golden.Unreachable);
        EXPECT_EQ(analysis.Passable, golden.Passable);
        ASSERT_EQ(analysis.Balance.has_value(), golden.Balance.has_value());
        if (golden.Balance) {
            EXPECT_NEAR(*analysis.Balance, *golden.Balance, 0.0005);
        }
    }
}

// Any map: every open cell is in exactly one territory, contested or unreachable, and the per-cell holders
// agree with the counts.
TEST(FactionAnalysis, TerritoriesContestedAndUnreachableAddUpToTheOpenCells) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        MapGrid grid{};
        // Mostly ground and water so that castles meet; every code appears now and then.
        for (TileCode& code : grid) {
            const unsigned roll = rng() % 10;
            code = roll < 5 ? 0 : roll < 8 ? 48 : static_cast<TileCode>(rng() & 0xFF);
        }
        for (unsigned castles = rng() % 7; castles > 0; --castles)
            grid[rng() % MapCells] = static_cast<TileCode>(20 + rng() % 4);

        const FactionAnalysis analysis = AnalyseFactions(grid);
        int open = 0;
        std::array<int, 7> held{};
        for (std::size_t i = 0; i < MapCells; ++i) {
            open += IsPassableCode(grid[i]) ? 1 : 0;
            ++held[analysis.Holder[i]];
        }
        int sum = analysis.Contested + analysis.Unreachable;
        for (int f = 0; f < FactionCount; ++f) {
            sum += analysis.Factions[static_cast<std::size_t>(f)].Territory;
            EXPECT_EQ(held[static_cast<std::size_t>(f)], analysis.Factions[static_cast<std::size_t>(f)].Territory);
        }
        EXPECT_EQ(sum, open);
        EXPECT_EQ(analysis.Passable, open);
        EXPECT_EQ(held[ContestedCell], analysis.Contested);
        EXPECT_EQ(held[UnreachableCell], analysis.Unreachable);
        EXPECT_EQ(held[BlockedCell], MapCells - open);
    }
}

} // namespace
} // namespace tav
