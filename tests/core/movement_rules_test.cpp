// Cost classes, the cost file and the turn order: what each accepts, and that every refusal names its line.

#include "FactionAnalysis.h"
#include "MovementRules.h"

#include <gtest/gtest.h>

#include <string>

namespace tav {
namespace {

TEST(MovementRules, ExactlyTheCodesUnitsMayEnterHaveACostClass) {
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE(code);
        const auto tile = static_cast<TileCode>(code);
        EXPECT_EQ(CostClassOf(tile).has_value(), IsPassableCode(tile));
        // The default table opens exactly what nature opens, at cost 1.
        EXPECT_EQ(MovementCosts{}.EntryCost(tile), IsPassableCode(tile) ? 1 : -1);
    }
    EXPECT_EQ(CostClassOf(29), CostClass::Castle); // the gate is priced as its castle
    for (const CostClass costClass : AllCostClasses)
        EXPECT_EQ(CostClassNamed(CostClassName(costClass)), costClass);
}

TEST(MovementRules, ACostFileSetsTheClassesItNamesAndLeavesTheRestAtOne) {
    struct Case {
        const char* Name;
        std::string Text;
        std::array<std::uint8_t, CostClassCount> Entry;
    };
    const Case cases[] = {
        {"empty", "", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"comments and blank lines", "# all one\n\n   \n# 森林 5\n", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"a few classes", "森林 2\n台地 通行不可\n城 9\n", {1, 2, 1, 0, 1, 1, 9, 1, 1, 1}},
        {"blocked in English, tabs, CR LF, a trailing comment", "山道\tblocked\r\nタイルなし 3 # rarely seen\r\n",
         {1, 1, 0, 1, 1, 1, 1, 1, 1, 3}},
        {"byte-order mark, ideographic space, no final newline", "\xEF\xBB\xBF勢力の畑\u30004\n単独タイル 8",
         {1, 1, 1, 1, 1, 4, 1, 1, 8, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const CostFileResult result = ParseMovementCosts(c.Text);
        ASSERT_TRUE(result.Costs.has_value()) << CostFileErrorMessage(result);
        EXPECT_EQ(result.Costs->Entry, c.Entry);
        EXPECT_TRUE(result.Costs->IsValid());
        // Its own text reads back as the same table.
        const CostFileResult again = ParseMovementCosts(FormatMovementCosts(*result.Costs));
        ASSERT_TRUE(again.Costs.has_value()) << CostFileErrorMessage(again);
        EXPECT_EQ(*again.Costs, *result.Costs);
    }
}

TEST(MovementRules, EveryCostFileErrorNamesItsLine) {
    struct Case {
        std::string Text;
        CostFileError Error;
        int Line;
        const char* InMessage;
    };
    const Case cases[] = {
        {"# header\n森 2\n", CostFileError::UnknownRole, 2, "「森」"},
        {"平地 1\n\n城門 2\n", CostFileError::GateRole, 3, "城"},
        {"水辺 3\n", CostFileError::BlockedByNature, 1, "「水辺」"},
        {"平地 1\n旗のある城壁 blocked\n", CostFileError::BlockedByNature, 2, "「旗のある城壁」"},
        {"森林 0\n", CostFileError::BadCost, 1, "「0」"},
        {"台地 2\n森林 10\n", CostFileError::BadCost, 2, "「10」"},
        {"森林 -1\n", CostFileError::BadCost, 1, "「-1」"},
        {"森林 二\n", CostFileError::BadCost, 1, "「二」"},
        {"城 通行不可\n", CostFileError::CastleBlocked, 1, "城"},
        {"森林 2\n台地 3\n森林 2\n", CostFileError::RoleTwice, 3, "1行目"},
        {"\n\n森林\n", CostFileError::MissingCost, 3, "「森林」"},
        {"森林 2 3\n", CostFileError::ExtraWords, 1, "「3」"},
        {"平地 1\n森林 \xFF\n", CostFileError::NotUtf8, 2, "UTF-8"},
        {"\x1B[2J 1\n", CostFileError::UnknownRole, 1, "「?[2J」"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        const CostFileResult result = ParseMovementCosts(c.Text);
        EXPECT_FALSE(result.Costs.has_value());
        EXPECT_EQ(result.Error, c.Error);
        EXPECT_EQ(result.Line, c.Line);
        const std::string message = CostFileErrorMessage(result);
        EXPECT_TRUE(message.starts_with(std::to_string(c.Line) + "行目：")) << message;
        EXPECT_NE(message.find(c.InMessage), std::string::npos) << message;
    }
    // A long name is quoted cut short, at a character's boundary.
    std::string longName;
    for (int i = 0; i < 30; ++i)
        longName += "森";
    const std::string message = CostFileErrorMessage(ParseMovementCosts(longName + " 2\n"));
    EXPECT_NE(message.find("…」"), std::string::npos) << message;
    EXPECT_LT(message.size(), 400u);
}

TEST(MovementRules, ATableIsValidWithCosts1To9AndAnEnterableCastle) {
    MovementCosts costs;
    EXPECT_TRUE(costs.IsValid());
    EXPECT_TRUE(costs.IsDefault());
    costs[CostClass::Forest] = MovementCosts::Blocked;
    EXPECT_TRUE(costs.IsValid());
    EXPECT_FALSE(costs.IsDefault());
    EXPECT_EQ(costs.EntryCost(3), -1);
    EXPECT_FALSE(IsOpenCode(3, costs));
    costs[CostClass::Forest] = 10;
    EXPECT_FALSE(costs.IsValid());
    costs = {};
    costs[CostClass::Castle] = MovementCosts::Blocked;
    EXPECT_FALSE(costs.IsValid());
    // The analysis measures a table that is not valid as the default one.
    MapGrid grid = FilledGrid(0);
    grid[CellIndex(5, 5)] = 20;
    EXPECT_TRUE(AnalyseFactions(grid, costs, {}).Costs.IsDefault());
}

TEST(MovementRules, ATurnOrderIsAPermutationWrittenWithCommas) {
    struct Case {
        const char* Text;
        std::optional<std::array<std::uint8_t, 4>> Order;
    };
    const Case cases[] = {
        {"0,1,2,3", std::array<std::uint8_t, 4>{0, 1, 2, 3}},
        {"2,0,3,1", std::array<std::uint8_t, 4>{2, 0, 3, 1}},
        {" 3 , 2,1 ,0 ", std::array<std::uint8_t, 4>{3, 2, 1, 0}},
        {"", std::nullopt},
        {"0,1,2", std::nullopt},
        {"0,1,2,3,", std::nullopt},
        {"0,1,2,3,0", std::nullopt},
        {"0,1,1,3", std::nullopt},
        {"0,1,2,4", std::nullopt},
        {"0,1,2,-3", std::nullopt},
        {"01,2,3", std::nullopt},
        {"0;1;2;3", std::nullopt},
        {"0,1,2,3\n", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        const std::optional<TurnOrder> order = ParseTurnOrder(c.Text);
        ASSERT_EQ(order.has_value(), c.Order.has_value());
        if (order) {
            EXPECT_EQ(order->Factions, *c.Order);
            EXPECT_EQ(ParseTurnOrder(TurnOrderText(*order)), order);
        }
    }
    // Rotation k starts the order at its (k + 1)-th faction.
    const TurnOrder order = *ParseTurnOrder("2,0,3,1");
    const char* rotations[] = {"2,0,3,1", "0,3,1,2", "3,1,2,0", "1,2,0,3"};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(TurnOrderText(order.Rotated(k)), rotations[k]);
    EXPECT_EQ(order.Rank(2), 0);
    EXPECT_EQ(order.Rank(1), 3);
}

} // namespace
} // namespace tav
