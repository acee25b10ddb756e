#pragma once
// The generator's five golden maps (tests/data/generator: a parameter line, then 48 rows of 48 hex codes, row
// y from 0 and x left to right), the maps the picture benchmarks draw: real maps, shaped as the editor keeps
// them, in several tile sets.

#include "CellGrid.h"
#include "MapGrid.h"
#include "TileSets.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tav::bench {

struct GeneratorMap {
    std::string Name;
    MapGrid Grid{};
    TileSet Set = TileSet::Verda;
};

inline std::vector<GeneratorMap> GeneratorMaps() {
    std::vector<GeneratorMap> maps;
    for (const char* name :
         {"quarter_seed_1", "lr_seed_max", "half_mountains", "none_forests_lakes", "quad_plateaus"}) {
        std::ifstream in(std::filesystem::path(TAV_GENERATOR_MAPS_DIR) / (std::string(name) + ".txt"));
        std::string header;
        if (!in || !std::getline(in, header))
            throw std::runtime_error(std::string("cannot read the generator map ") + name);
        GeneratorMap map{name};
        // "... tileset N" ends the parameter line.
        const auto at = header.rfind("tileset ");
        if (at != std::string::npos)
            map.Set = TileSetNumbered(std::stoi(header.substr(at + 8))).value_or(TileSet::Verda);
        for (int y = 0; y < MapSize; ++y)
            for (int x = 0; x < MapSize; ++x) {
                unsigned code = 0;
                if (!(in >> std::hex >> code) || code > 255)
                    throw std::runtime_error(std::string("bad code in the generator map ") + name);
                At(map.Grid, {x, y}) = static_cast<TileCode>(code);
            }
        maps.push_back(map);
    }
    return maps;
}

} // namespace tav::bench
