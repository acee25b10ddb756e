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

// A JSON string: quotes, backslashes and control characters escaped; the rest stays UTF-8 as it is.
std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string AnalysisJson(const FactionAnalysis& analysis, TileSet tileSet) {
    std::string out = "{\"tileset\": " + std::to_string(TileSetNumber(tileSet)) + ", \"factions\": [";
    for (int f = 0; f < FactionCount; ++f) {
        const FactionFigures& figures = analysis.Factions[static_cast<std::size_t>(f)];
        out += f ? ", " : "";
        out += "{\"index\": " + std::to_string(f) + ", \"name\": " + JsonString(FactionName(tileSet, f)) +
               ", \"castles\": [";
        bool first = true;
        for (const std::uint16_t cell : analysis.Castles(f)) {
            out += first ? "[" : ", [";
            out += std::to_string(cell / MapSize) + ", " + std::to_string(cell % MapSize) + "]";
            first = false;
        }
        out += "], \"houses\": " + std::to_string(figures.Houses) + ", \"fields\": " + std::to_string(figures.Fields) +
               ", \"territory\": " + std::to_string(figures.Territory) +
               ", \"in_territory\": " + std::to_string(figures.InTerritory) + "}";
    }
    out += "], \"distance\": [";
    for (int from = 0; from < FactionCount; ++from) {
        out += from ? ", [" : "[";
        for (int to = 0; to < FactionCount; ++to) {
            out += to ? ", " : "";
            out += DistanceText(analysis.Distance[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)],
                                "null");
        }
        out += "]";
    }
    out += "], \"contested\": " + std::to_string(analysis.Contested) +
           ", \"unreachable\": " + std::to_string(analysis.Unreachable) +
           ", \"balance\": " + BalanceText(analysis.Balance, "null") + "}";
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
    out += "distance in steps from the row's castles to the column's:\n        0     1     2     3\n";
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
    }
    return "unknown";
}

} // namespace

std::string CheckJson(const MapCheckReport& report) {
    std::string out = std::string("{\"problem\": ") + (report.Problem ? "true" : "false") + ", \"lines\": [";
    for (std::size_t i = 0; i < report.Lines.size(); ++i)
        out += (i ? ", " : "") + JsonString(report.Lines[i]);
    out += "], \"findings\": [";
    // The report's lines are its header and then one line per finding, in the findings' order.
    for (std::size_t i = 0; i < report.Findings.size(); ++i) {
        const CheckFinding& finding = report.Findings[i];
        out += (i ? ", " : "") + std::string("{\"kind\": ") + JsonString(KindName(finding.Kind)) + ", \"cells\": [";
        for (std::size_t c = 0; c < finding.Cells.size(); ++c)
            out += (c ? ", [" : "[") + std::to_string(finding.Cells[c].X) + ", " + std::to_string(finding.Cells[c].Y) + "]";
        out += "], \"faction\": " + (finding.Faction < 0 ? std::string("null") : std::to_string(finding.Faction)) +
               ", \"line\": " + JsonString(i + 1 < report.Lines.size() ? report.Lines[i + 1] : std::string()) + "}";
    }
    return out + "]}";
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

std::string StatsJson(const MapGrid& grid, TileSet tileSet) {
    const Stats stats = CountStats(grid);
    std::string out = "{\"tileset\": " + std::to_string(TileSetNumber(tileSet)) + ", \"roles\": {";
    const auto roles = CellsByRoleName(stats);
    for (std::size_t i = 0; i < roles.size(); ++i)
        out += (i ? ", " : "") + JsonString(roles[i].first) + ": " + std::to_string(roles[i].second);
    out += "}, \"factions\": [";
    for (int f = 0; f < FactionCount; ++f) {
        const auto i = static_cast<std::size_t>(f);
        out += (f ? ", " : "") + std::string("{\"index\": ") + std::to_string(f) +
               ", \"name\": " + JsonString(FactionName(tileSet, f)) + ", \"castles\": " + std::to_string(stats.Castles[i]) +
               ", \"houses\": " + std::to_string(stats.Houses[i]) + ", \"fields\": " + std::to_string(stats.Fields[i]) + "}";
    }
    return out + "], \"passable\": " + std::to_string(stats.Passable) +
           ", \"blocked\": " + std::to_string(MapCells - stats.Passable) + "}";
}

} // namespace tav::cli
