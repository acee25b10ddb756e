#pragma once
// The golden maps of the faction analysis, small text grids under tests/data/faction/ with hand-worked
// figures (the format is in the folder's README). Shared by the core, tool and window tests.

#include "CellGrid.h"
#include "FactionAnalysis.h"
#include "MapGrid.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tav::golden {

inline TileCode LegendCode(char c) {
    constexpr std::string_view singles = ".T~MWG";
    constexpr TileCode singleCodes[] = {0, 1, 48, 96, 112, 29};
    if (const auto at = singles.find(c); at != std::string_view::npos)
        return singleCodes[at];
    for (const auto& [first, code] : {std::pair{'A', 20}, std::pair{'a', 8}, std::pair{'e', 12}})
        if (c >= first && c < first + FactionCount)
            return static_cast<TileCode>(code + (c - first));
    throw std::runtime_error(std::string("unknown legend character ") + c);
}

inline std::filesystem::path GoldenFolder() {
    return std::filesystem::path(TAV_TEST_DATA_DIR) / "faction";
}

struct GoldenMap {
    MapGrid Grid{};
    std::map<std::string, std::vector<std::string>> Facts; // each figure line: its key and the words after it

    // The figures of a line; '-' stands for NoDistance.
    std::vector<int> Numbers(const std::string& key) const {
        std::vector<int> numbers;
        for (const std::string& word : Facts.at(key))
            numbers.push_back(word == "-" ? NoDistance : std::stoi(word));
        return numbers;
    }
};

inline GoldenMap LoadGoldenMap(const std::string& name) {
    std::ifstream in(GoldenFolder() / (name + ".txt"));
    if (!in)
        throw std::runtime_error("cannot read golden map " + name);
    GoldenMap map;
    std::vector<std::string> rows;
    bool inGrid = false;
    for (std::string line; std::getline(in, line);) {
        if (inGrid) {
            inGrid = line != "end";
            if (inGrid)
                rows.push_back(line);
        } else if (line == "map") {
            inGrid = true;
        } else if (!line.empty() && line[0] != '#') {
            std::istringstream words(line);
            std::string key;
            words >> key;
            std::vector<std::string>& facts = map.Facts[key];
            for (std::string word; words >> word;)
                facts.push_back(word);
        }
    }
    map.Grid.fill(LegendCode(map.Facts.at("fill").at(0).at(0)));
    for (std::size_t y = 0; y < rows.size() && y < MapSize; ++y)
        for (std::size_t x = 0; x < rows[y].size() && x < MapSize; ++x)
            map.Grid[GridIndex(static_cast<int>(x), static_cast<int>(y))] =
                LegendCode(rows[y][x]);
    return map;
}

inline std::vector<std::string> GoldenMapNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(GoldenFolder()))
        if (entry.path().extension() == ".txt")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// "X,Y" of each castle of the faction, as the golden files write them.
inline std::vector<std::string> CastleWords(const FactionAnalysis& analysis, int faction) {
    std::vector<std::string> words;
    for (const std::uint16_t cell : analysis.Castles(faction))
        words.push_back(std::to_string(cell / MapSize) + "," + std::to_string(cell % MapSize));
    return words;
}

} // namespace tav::golden
