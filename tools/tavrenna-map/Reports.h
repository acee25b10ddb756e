#pragma once
// What the reporting commands print for one map, as text lines and as JSON, kept apart from reading the
// files so that one map and a whole pack print the same.

#include "FactionAnalysis.h"
#include "MapCheck.h"
#include "MapGrid.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace tav::cli {

// JSON whose objects keep their keys in the order they were added, as the tool prints them.
using Json = nlohmann::ordered_json;

// The value on one line without its end, UTF-8 as it is.
std::string JsonLine(const Json& value);

// A figure with three decimals, as the text reports print it (1.020 is the number 1.02); null for none.
Json ThreeDecimals(const std::optional<double>& value);
// A number already written in decimal digits with a point ("1.000", "64.1").
Json DecimalNumber(std::string_view text);

// The faction analysis of one map. The JSON keeps the keys the analysis had before movement costs and turn
// order first, in their order, and adds "turn_order", "costs" and "turn_order_balance" after them, and to
// each faction after its old keys those of FactionFiguresJson.
std::string AnalysisText(const FactionAnalysis& analysis, TileSet tileSet);
Json AnalysisJson(const FactionAnalysis& analysis, TileSet tileSet);

// The figures that movement costs and turn order add for faction f: "territory_by_turn", "threat" {"safe",
// "threatened", "lost", "margin"}, "front" {"total", "by_faction"} and "room".
Json FactionFiguresJson(const FactionAnalysis& analysis, int faction);
// All the figures that movement costs and turn order add: "turn_order", "costs", "turn_order_balance" and
// "factions", each faction's "index" and FactionFiguresJson.
Json FairnessFiguresJson(const FactionAnalysis& analysis);
// One faction's new figures as the text reports give them: "territory by turn 9; safe 1, threatened 0, lost
// 0, margin 1; front 3 (with 1: 3, 2: 0, 3: 0); room 85".
std::string FactionFiguresText(const FactionAnalysis& analysis, int faction);
// The turn-order balance of each rotation and the worst, "2,0,3,1 1.020, 0,3,1,2 1.000, …; worst 1.020".
std::string TurnOrderBalanceText(const FactionAnalysis& analysis);
// "平地 1, 森林 2, …, タイルなし 通行不可".
std::string CostsText(const MovementCosts& costs);

std::string CheckText(const MapCheckReport& report);
Json CheckJson(const MapCheckReport& report);

// Cells of each role (the status bar's role names), castles, houses and fields per faction, passable and
// blocked cells.
std::string StatsText(const MapGrid& grid, TileSet tileSet);
Json StatsJson(const MapGrid& grid, TileSet tileSet);

} // namespace tav::cli
