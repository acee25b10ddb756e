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

std::string AnalysisText(const FactionAnalysis& analysis, TileSet tileSet);
Json AnalysisJson(const FactionAnalysis& analysis, TileSet tileSet);

std::string CheckText(const MapCheckReport& report);
Json CheckJson(const MapCheckReport& report);

// Cells of each role (the status bar's role names), castles, houses and fields per faction, passable and
// blocked cells.
std::string StatsText(const MapGrid& grid, TileSet tileSet);
Json StatsJson(const MapGrid& grid, TileSet tileSet);

} // namespace tav::cli
