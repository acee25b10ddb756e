#pragma once
// The golden maps of the faction analysis: small text grids under tests/data/faction/ with the figures
// worked out by hand beside them. Shared by the core, tool and window tests.
//
// A file is a few lines, '#' starting a comment:
//   fill ~                 the code of every cell the grid below leaves out (one legend character)
//   map                    then rows of legend characters, the first row y = 0, the first column x = 0
//   end
//   castles 0: 1,1 7,1     castle cells of faction 0, in scan order (row by row); absent faction: none
//   houses 1 1 0 0         and likewise fields, territory, in_territory: one figure per faction
//   contested 4 / unreachable 0 / passable 22
//   distance 0: - 10 - -   one row per faction, '-' for no distance
//   balance 1.000 | none

#include "FactionAnalysis.h"
#include "MapDocument.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tav::golden {

// The legend every golden map uses.
inline std::optional<TileCode> LegendCode(char c) {
    switch (c) {
    case '.': return 0;   // plain ground
    case 'T': return 1;   // trees
    case '~': return 48;  // water, blocks
    case 'M': return 96;  // mountains, blocks
    case 'W': return 112; // castle wall, blocks
    case 'G': return 29;  // castle gate
    default: break;
    }
    if (c >= 'A' && c <= 'D')
        return static_cast<TileCode>(20 + (c - 'A')); // castles
    if (c >= 'a' && c <= 'd')
        return static_cast<TileCode>(8 + (c - 'a')); // houses
    if (c >= 'e' && c <= 'h')
        return static_cast<TileCode>(12 + (c - 'e')); // fields
    return std::nullopt;
}

using PerFaction = std::array<int, FactionCount>;

struct GoldenMap {
    std::string Name;
    MapGrid Grid{};
    std::array<std::vector<std::pair<int, int>>, FactionCount> Castles;
    PerFaction Houses{}, Fields{}, Territory{}, InTerritory{};
    int Contested = 0, Unreachable = 0, Passable = 0;
    std::array<std::array<int, FactionCount>, FactionCount> Distance{};
    std::optional<double> Balance;
};

inline std::filesystem::path GoldenFolder() {
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "faction";
}

inline int ParseDistance(const std::string& token) {
    return token == "-" ? NoDistance : std::stoi(token);
}

// Throws std::runtime_error naming the line for anything the format does not allow.
inline GoldenMap ParseGoldenMap(std::istream& in, std::string name) {
    GoldenMap map;
    map.Name = std::move(name);
    std::vector<std::string> rows;
    char fill = '~';
    std::string line;
    bool inGrid = false;
    auto fail = [&](const std::string& why) { throw std::runtime_error(map.Name + ": " + why + ": " + line); };
    auto readFour = [&](std::istringstream& words, PerFaction& into) {
        for (int& v : into)
            if (!(words >> v))
                fail("four figures expected");
    };
    while (std::getline(in, line)) {
        if (inGrid) {
            if (line == "end")
                inGrid = false;
            else
                rows.push_back(line);
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "fill") {
            words >> fill;
        } else if (key == "map") {
            inGrid = true;
        } else if (key == "castles") {
            int faction = 0;
            char colon = 0;
            words >> faction >> colon;
            if (faction < 0 || faction >= FactionCount || colon != ':')
                fail("castles F: expected");
            for (std::string cell; words >> cell;) {
                const auto comma = cell.find(',');
                if (cell == "none")
                    break;
                if (comma == std::string::npos)
                    fail("X,Y expected");
                map.Castles[static_cast<std::size_t>(faction)].emplace_back(std::stoi(cell.substr(0, comma)),
                                                                            std::stoi(cell.substr(comma + 1)));
            }
        } else if (key == "houses") {
            readFour(words, map.Houses);
        } else if (key == "fields") {
            readFour(words, map.Fields);
        } else if (key == "territory") {
            readFour(words, map.Territory);
        } else if (key == "in_territory") {
            readFour(words, map.InTerritory);
        } else if (key == "contested") {
            words >> map.Contested;
        } else if (key == "unreachable") {
            words >> map.Unreachable;
        } else if (key == "passable") {
            words >> map.Passable;
        } else if (key == "distance") {
            int faction = 0;
            char colon = 0;
            words >> faction >> colon;
            if (faction < 0 || faction >= FactionCount || colon != ':')
                fail("distance F: expected");
            for (int& d : map.Distance[static_cast<std::size_t>(faction)]) {
                std::string token;
                if (!(words >> token))
                    fail("four distances expected");
                d = ParseDistance(token);
            }
        } else if (key == "balance") {
            std::string value;
            words >> value;
            if (value != "none")
                map.Balance = std::stod(value);
        } else {
            fail("unknown line");
        }
    }
    const auto fillCode = LegendCode(fill);
    if (!fillCode || rows.size() > MapSize)
        fail("bad fill or too many rows");
    map.Grid.fill(*fillCode);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        line = rows[y];
        if (line.size() > MapSize)
            fail("row too long");
        for (std::size_t x = 0; x < line.size(); ++x) {
            const auto code = LegendCode(line[x]);
            if (!code)
                fail("unknown legend character");
            map.Grid[static_cast<std::size_t>(CellIndex(static_cast<int>(x), static_cast<int>(y)))] = *code;
        }
    }
    return map;
}

inline GoldenMap LoadGoldenMap(const std::string& name) {
    std::ifstream in(GoldenFolder() / (name + ".txt"));
    if (!in)
        throw std::runtime_error("cannot read golden map " + name);
    return ParseGoldenMap(in, name);
}

// Every golden map in the folder, by name.
inline std::vector<std::string> GoldenMapNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(GoldenFolder()))
        if (entry.path().extension() == ".txt")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace tav::golden
