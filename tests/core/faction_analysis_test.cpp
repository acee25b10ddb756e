// The faction analysis against hand-worked golden maps, and the sum every map must keep.

#include "FactionAnalysis.h"
#include "FactionGoldenMaps.h"
#include "MapGrid.h"

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
            const FactionFigures& figures = analysis.Factions[i];
            EXPECT_EQ(golden::CastleWords(analysis, f), golden.Facts.at("castles" + std::to_string(f)));
            EXPECT_EQ(figures.CastleCount, static_cast<int>(analysis.Castles(f).size()));
            EXPECT_EQ(figures.Houses, golden.Numbers("houses").at(i));
            EXPECT_EQ(figures.Fields, golden.Numbers("fields").at(i));
            EXPECT_EQ(figures.Territory, golden.Numbers("territory").at(i));
            EXPECT_EQ(figures.InTerritory, golden.Numbers("in_territory").at(i));
            const auto& distance = analysis.Distance[i];
            EXPECT_EQ(std::vector<int>(distance.begin(), distance.end()),
                      golden.Numbers("distance" + std::to_string(f)));
        }
        EXPECT_EQ(analysis.Contested, golden.Numbers("contested").at(0));
        EXPECT_EQ(analysis.Unreachable, golden.Numbers("unreachable").at(0));
        EXPECT_EQ(analysis.Passable, golden.Numbers("passable").at(0));
        const std::string balance = golden.Facts.at("balance").at(0);
        ASSERT_EQ(analysis.Balance.has_value(), balance != "none");
        if (analysis.Balance) {
            EXPECT_NEAR(*analysis.Balance, std::stod(balance), 0.0005);
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
        for (std::size_t f = 0; f < FactionCount; ++f) {
            sum += analysis.Factions[f].Territory;
            EXPECT_EQ(held[f], analysis.Factions[f].Territory);
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
