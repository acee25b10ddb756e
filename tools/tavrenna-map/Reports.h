#pragma once
// What the reporting commands print for one map, as text lines and as JSON, kept apart from reading the
// files so that one map and a whole pack print the same.

#include "FactionAnalysis.h"
#include "MapCheck.h"
#include "MapGrid.h"

#include <string>
#include <string_view>

namespace tav::cli {

// A JSON string: quotes, backslashes and control characters escaped; the rest stays UTF-8 as it is.
std::string JsonString(std::string_view text);

std::string AnalysisText(const FactionAnalysis& analysis, TileSet tileSet);
// One object on one line, without the line's end.
std::string AnalysisJson(const FactionAnalysis& analysis, TileSet tileSet);

std::string CheckText(const MapCheckReport& report);
std::string CheckJson(const MapCheckReport& report);

// Cells of each role (the status bar's role names), castles, houses and fields per faction, passable and
// blocked cells.
std::string StatsText(const MapGrid& grid, TileSet tileSet);
std::string StatsJson(const MapGrid& grid, TileSet tileSet);

} // namespace tav::cli
