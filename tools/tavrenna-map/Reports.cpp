#include "Reports.h"

#include "CellGrid.h"
#include "Shaping.h"
#include "TileRoles.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

namespace tav::cli {
namespace {

std::string DistanceText(int steps, std::string_view none) {
    return steps == NoDistance ? std::string(none) : std::to_string(steps);
}

// Rounded to three decimals, always with the point, whatever the locale.
std::string BalanceText(const std::optional<double>& balance, std::string_view none) {
    return balance ? QString::number(*balance, 'f', 3).toStdString() : std::string(none);
}

} // namespace

std::string JsonLine(const Json& value) {
    // Every string the tool puts in JSON is UTF-8; should one not be, a replacement character beats an abort.
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json ThreeDecimals(const std::optional<double>& value) {
    if (!value)
        return nullptr;
    return DecimalNumber(QString::number(*value, 'f', 3).toStdString());
}

Json DecimalNumber(std::string_view text) {
    // QString reads the point whatever the locale, where strtod would follow LC_NUMERIC.
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).toDouble();
}

Json AnalysisJson(const FactionAnalysis& analysis, TileSet tileSet) {
    Json factions = Json::array();
    for (int f = 0; f < FactionCount; ++f) {
        const FactionFigures& figures = analysis.Factions[static_cast<std::size_t>(f)];
        Json castles = Json::array();
        for (const std::uint16_t cell : analysis.Castles(f))
            castles.push_back({cell / MapSize, cell % MapSize});
        factions.push_back({{"index", f},
                            {"name", std::string(FactionName(tileSet, f))},
                            {"castles", castles},
                            {"houses", figures.Houses},
                            {"fields", figures.Fields},
                            {"territory", figures.Territory},
                            {"in_territory", figures.InTerritory}});
    }
    Json distance = Json::array();
    for (const auto& row : analysis.Distance) {
        Json steps = Json::array();
        for (const int to : row)
            steps.push_back(to == NoDistance ? Json(nullptr) : Json(to));
        distance.push_back(steps);
    }
    Json object = {{"tileset", TileSetNumber(tileSet)},
                   {"factions", factions},
                   {"distance", distance},
                   {"contested", analysis.Contested},
                   {"unreachable", analysis.Unreachable},
                   {"balance", ThreeDecimals(analysis.Balance)}};
    const Json added = FairnessFiguresJson(analysis);
    for (const char* key : {"turn_order", "costs", "turn_order_balance"})
        object[key] = added.at(key);
    for (int f = 0; f < FactionCount; ++f)
        object["factions"][static_cast<std::size_t>(f)].update(FactionFiguresJson(analysis, f));
    return object;
}

Json FactionFiguresJson(const FactionAnalysis& analysis, int faction) {
    const FactionFigures& figures = analysis.Factions[static_cast<std::size_t>(faction)];
    const ThreatFigures& threat = figures.Threat;
    return {{"territory_by_turn", figures.TerritoryByTurn},
            {"threat",
             {{"safe", threat.Safe},
              {"threatened", threat.Threatened},
              {"lost", threat.Lost},
              {"margin", threat.Margin ? Json(*threat.Margin) : Json(nullptr)}}},
            {"front", {{"total", figures.Front}, {"by_faction", figures.FrontWith}}},
            {"room", figures.Room ? Json(*figures.Room) : Json(nullptr)}};
}

Json FairnessFiguresJson(const FactionAnalysis& analysis) {
    Json costs = Json::object();
    for (const CostClass costClass : AllCostClasses) {
        const std::uint8_t cost = analysis.Costs[costClass];
        costs[std::string(CostClassName(costClass))] = cost == MovementCosts::Blocked ? Json(nullptr) : Json(cost);
    }
    Json rotations = Json::array();
    for (const auto& balance : analysis.TurnOrderBalances)
        rotations.push_back(ThreeDecimals(balance));
    Json factions = Json::array();
    for (int f = 0; f < FactionCount; ++f) {
        Json faction = {{"index", f}};
        faction.update(FactionFiguresJson(analysis, f));
        factions.push_back(faction);
    }
    return {{"turn_order", analysis.Order.Factions},
            {"costs", costs},
            {"turn_order_balance", {{"rotations", rotations}, {"worst", ThreeDecimals(analysis.WorstTurnOrderBalance)}}},
            {"factions", factions}};
}

std::string FactionFiguresText(const FactionAnalysis& analysis, int faction) {
    const FactionFigures& figures = analysis.Factions[static_cast<std::size_t>(faction)];
    const ThreatFigures& threat = figures.Threat;
    std::string out = "territory by turn " + std::to_string(figures.TerritoryByTurn) + "; safe " +
                      std::to_string(threat.Safe) + ", threatened " + std::to_string(threat.Threatened) + ", lost " +
                      std::to_string(threat.Lost) + ", margin " +
                      (threat.Margin ? std::to_string(*threat.Margin) : std::string("none")) + "; front " +
                      std::to_string(figures.Front) + " (with";
    const char* separator = " ";
    for (int g = 0; g < FactionCount; ++g)
        if (g != faction) {
            out += separator + std::to_string(g) + ": " + std::to_string(figures.FrontWith[static_cast<std::size_t>(g)]);
            separator = ", ";
        }
    return out + "); room " + (figures.Room ? std::to_string(*figures.Room) : std::string("none"));
}

std::string TurnOrderBalanceText(const FactionAnalysis& analysis) {
    std::string out;
    for (int k = 0; k < FactionCount; ++k)
        out += (k ? ", " : "") + TurnOrderText(analysis.Order.Rotated(k)) + " " +
               BalanceText(analysis.TurnOrderBalances[static_cast<std::size_t>(k)], "none");
    return out + "; worst " + BalanceText(analysis.WorstTurnOrderBalance, "none");
}

std::string CostsText(const MovementCosts& costs) {
    std::string out;
    for (const CostClass costClass : AllCostClasses) {
        const std::uint8_t cost = costs[costClass];
        out += (out.empty() ? "" : ", ") + std::string(CostClassName(costClass)) + " " +
               (cost == MovementCosts::Blocked ? std::string("通行不可") : std::to_string(cost));
    }
    return out;
}

std::string AnalysisText(const FactionAnalysis& analysis, TileSet tileSet) {
    std::string out = "tile set " + std::to_string(TileSetNumber(tileSet)) + " " + std::string(TileSetName(tileSet)) + "\n";
    for (int f = 0; f < FactionCount; ++f) {
        const FactionFigures& figures = analysis.Factions[static_cast<std::size_t>(f)];
        out += "faction " + std::to_string(f) + " " + std::string(FactionName(tileSet, f)) + ": ";
        if (figures.CastleCount == 0)
            out += "no castle";
        else
            out += figures.CastleCount == 1 ? "castle" : "castles";
        for (const std::uint16_t cell : analysis.Castles(f))
            out += " (" + std::to_string(cell / MapSize) + "," + std::to_string(cell % MapSize) + ")";
        out += "; houses " + std::to_string(figures.Houses) + ", fields " + std::to_string(figures.Fields) +
               ", territory " + std::to_string(figures.Territory) + ", in territory " +
               std::to_string(figures.InTerritory) + "\n";
    }
    // Under the default table a cost is a number of steps, and the report says so as it always did.
    out += std::string("distance in ") + (analysis.Costs.IsDefault() ? "steps" : "cost") +
           " from the row's castles to the column's:\n        0     1     2     3\n";
    for (int from = 0; from < FactionCount; ++from) {
        char row[64];
        std::snprintf(row, sizeof row, "  %d", from);
        out += row;
        for (int to = 0; to < FactionCount; ++to) {
            std::snprintf(row, sizeof row, "%6s",
                          DistanceText(analysis.Distance[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)],
                                       "-")
                              .c_str());
            out += row;
        }
        out += "\n";
    }
    out += "contested " + std::to_string(analysis.Contested) + "\nunreachable " +
           std::to_string(analysis.Unreachable) + "\nbalance " + BalanceText(analysis.Balance, "none") + "\n";
    out += "turn order " + TurnOrderText(analysis.Order) + "\ncosts " + CostsText(analysis.Costs) + "\n";
    for (int f = 0; f < FactionCount; ++f)
        out += "faction " + std::to_string(f) + " " + std::string(FactionName(tileSet, f)) + ": " +
               FactionFiguresText(analysis, f) + "\n";
    out += "turn-order balance " + TurnOrderBalanceText(analysis) + "\n";
    return out;
}

std::string CheckText(const MapCheckReport& report) {
    std::string out;
    for (const std::string& line : report.Lines)
        out += line + "\n";
    return out;
}

namespace {

std::string_view KindName(CheckFindingKind kind) {
    switch (kind) {
    case CheckFindingKind::RimGap:
        return "rim_gap";
    case CheckFindingKind::CastleOnRim:
        return "castle_on_rim";
    case CheckFindingKind::SealedCastle:
        return "sealed_castle";
    case CheckFindingKind::MissingCastle:
        return "missing_castle";
    case CheckFindingKind::ExtraCastles:
        return "extra_castles";
    case CheckFindingKind::CastlesTooClose:
        return "castles_too_close";
    }
    return "unknown";
}

} // namespace

Json CheckJson(const MapCheckReport& report) {
    Json findings = Json::array();
    // The report's lines are its header and then one line per finding, in the findings' order.
    for (std::size_t i = 0; i < report.Findings.size(); ++i) {
        const CheckFinding& finding = report.Findings[i];
        Json cells = Json::array();
        for (const auto& cell : finding.Cells)
            cells.push_back({cell.X, cell.Y});
        findings.push_back({{"kind", std::string(KindName(finding.Kind))},
                            {"cells", cells},
                            {"faction", finding.Faction < 0 ? Json(nullptr) : Json(finding.Faction)},
                            {"line", i + 1 < report.Lines.size() ? report.Lines[i + 1] : std::string()}});
    }
    return {{"problem", report.Problem}, {"lines", report.Lines}, {"findings", findings}};
}

namespace {

struct Stats {
    std::array<int, std::size(TileRoles)> RoleCells{};
    std::array<int, FactionCount> Castles{}, Houses{}, Fields{};
    int Passable = 0;
};

Stats CountStats(const MapGrid& grid) {
    Stats stats;
    for (const TileCode code : grid) {
        for (std::size_t r = 0; r < std::size(TileRoles); ++r)
            if (code >= TileRoles[r].First && code <= TileRoles[r].Last)
                ++stats.RoleCells[r];
        const auto faction = static_cast<std::size_t>(FactionOf(code));
        if (IsCastle(code))
            ++stats.Castles[faction];
        else if (IsHouse(code))
            ++stats.Houses[faction];
        else if (IsField(code))
            ++stats.Fields[faction];
        stats.Passable += IsPassableCode(code) ? 1 : 0;
    }
    return stats;
}

// Roles that share a name (the single tiles, the castle walls) are counted together, in table order.
std::vector<std::pair<std::string_view, int>> CellsByRoleName(const Stats& stats) {
    std::vector<std::pair<std::string_view, int>> roles;
    for (std::size_t r = 0; r < std::size(TileRoles); ++r) {
        const std::string_view name = TileRoles[r].Name;
        auto same = std::find_if(roles.begin(), roles.end(), [&](const auto& entry) { return entry.first == name; });
        if (same == roles.end())
            roles.emplace_back(name, stats.RoleCells[r]);
        else
            same->second += stats.RoleCells[r];
    }
    return roles;
}

} // namespace

std::string StatsText(const MapGrid& grid, TileSet tileSet) {
    const Stats stats = CountStats(grid);
    std::string out = "tile set " + std::to_string(TileSetNumber(tileSet)) + " " + std::string(TileSetName(tileSet)) + "\n";
    const auto roles = CellsByRoleName(stats);
    for (const auto& [name, cells] : roles)
        out += "role " + std::string(name) + " " + std::to_string(cells) + "\n";
    for (int f = 0; f < FactionCount; ++f)
        out += "faction " + std::to_string(f) + " " + std::string(FactionName(tileSet, f)) + ": castles " +
               std::to_string(stats.Castles[static_cast<std::size_t>(f)]) + ", houses " +
               std::to_string(stats.Houses[static_cast<std::size_t>(f)]) + ", fields " +
               std::to_string(stats.Fields[static_cast<std::size_t>(f)]) + "\n";
    out += "passable " + std::to_string(stats.Passable) + "\nblocked " + std::to_string(MapCells - stats.Passable) +
           "\n";
    return out;
}

Json StatsJson(const MapGrid& grid, TileSet tileSet) {
    const Stats stats = CountStats(grid);
    Json roles = Json::object();
    for (const auto& [name, cells] : CellsByRoleName(stats))
        roles[std::string(name)] = cells;
    Json factions = Json::array();
    for (int f = 0; f < FactionCount; ++f) {
        const auto i = static_cast<std::size_t>(f);
        factions.push_back({{"index", f},
                            {"name", std::string(FactionName(tileSet, f))},
                            {"castles", stats.Castles[i]},
                            {"houses", stats.Houses[i]},
                            {"fields", stats.Fields[i]}});
    }
    return {{"tileset", TileSetNumber(tileSet)},
            {"roles", roles},
            {"factions", factions},
            {"passable", stats.Passable},
            {"blocked", MapCells - stats.Passable}};
}

} // namespace tav::cli
