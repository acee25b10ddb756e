// Makes the unfair maps the fairness-proposal goals are measured on, once; the maps are kept in the tree.
//
//   fairness_unfair_maps MODE COUNT FOLDER
//
// MODE none: generated `none` maps at the defaults, then 3 to 8 rectangles, 1 to 4 cells a side, of
// mountains, water, trees or plateau off the rim, outside the 5 x 5 around each castle and never over a
// house or field, and on every
// third map also one faction's village moved into another's land; shaped; kept when the map check passes,
// every castle reaches every other and the balance lies in 1.15..1.6.
// MODE lr, tb, half, quad or quarter: maps generated in that mode, then the same rectangles drawn in every
// image; kept when the check passes, every castle reaches every other and the map is not already fair.
// Seeds run from 1 upward; the maps are written as FOLDER/unfair-NNN.map.
#include "FactionAnalysis.h"
#include "FairnessSearch.h"
#include "MapCheck.h"
#include "MapGenerator.h"
#include "MapImage.h"
#include "Shaping.h"
#include "Symmetry.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using namespace tav;

// The generator's own kind of stream would do; this keeps the maker independent of it.
struct MakerRandom {
    std::uint64_t State;
    std::uint64_t Next() {
        std::uint64_t z = (State += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
};

bool IsProperty(TileCode code) { return code >= 8 && code <= 15; }

bool NearCastle(const MapGrid& grid, int x, int y) {
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
            if (InMap(x + dx, y + dy)) {
                const TileCode code = grid[static_cast<std::size_t>(CellIndex(x + dx, y + dy))];
                if (code >= 20 && code <= 23)
                    return true;
            }
    return false;
}

void DrawRectangles(MapGrid& grid, SymmetryMode mode, MakerRandom& random) {
    static constexpr TileCode kinds[] = {96, 48, 1, 32};
    const MapGrid before = grid;
    const int count = 3 + random.Below(6);
    for (int r = 0; r < count; ++r) {
        const TileCode kind = kinds[random.Below(4)];
        const int w = 1 + random.Below(4);
        const int h = 1 + random.Below(4);
        const int x0 = 1 + random.Below(MapSize - 1 - w);
        const int y0 = 1 + random.Below(MapSize - 1 - h);
        for (int x = x0; x < x0 + w; ++x)
            for (int y = y0; y < y0 + h; ++y)
                for (int image = 0; image <= SymmetryImageCount(mode); ++image) {
                    const MapCell to = ImageCell(mode, image, {x, y});
                    if (to.X <= 0 || to.Y <= 0 || to.X >= MapSize - 1 || to.Y >= MapSize - 1 ||
                        NearCastle(before, to.X, to.Y) || IsProperty(before[static_cast<std::size_t>(CellIndex(to.X, to.Y))]))
                        continue; // terrain only: a village under a rectangle would change the house counts
                    grid[static_cast<std::size_t>(CellIndex(to.X, to.Y))] = ImageCode(mode, image, kind);
                }
    }
}

// Moves faction `from`'s houses and fields onto plain ground of faction `to`'s territory by turn, nearest
// to its castle first but outside the 5 x 5 around it.
void MoveVillage(MapGrid& grid, int from, int to) {
    const FactionAnalysis analysis = AnalyseFactions(grid);
    std::vector<std::size_t> spots;
    for (std::size_t cell = 0; cell < MapCells; ++cell)
        if (grid[cell] == 0 && analysis.HolderByTurn[cell] == to &&
            !NearCastle(grid, static_cast<int>(cell) / MapSize, static_cast<int>(cell) % MapSize))
            spots.push_back(cell);
    std::stable_sort(spots.begin(), spots.end(), [&](std::size_t a, std::size_t b) {
        return analysis.LeastCost[static_cast<std::size_t>(to)][a] < analysis.LeastCost[static_cast<std::size_t>(to)][b];
    });
    std::size_t next = 0;
    for (std::size_t cell = 0; cell < MapCells && next < spots.size(); ++cell) {
        const TileCode code = grid[cell];
        if (code >= 8 && code <= 15 && FactionOf(code) == from) {
            grid[spots[next++]] = static_cast<TileCode>(8 + from);
            grid[cell] = 0;
        }
    }
}

bool CastlesReachEachOther(const FactionAnalysis& analysis) {
    for (std::size_t i = 0; i < FactionCount; ++i)
        for (std::size_t j = 0; j < FactionCount; ++j)
            if (i != j && analysis.Distance[i][j] == NoDistance)
                return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s MODE COUNT FOLDER\n", argv[0]);
        return 2;
    }
    const auto mode = SymmetryModeFromCliName(argv[1]);
    const int wanted = std::atoi(argv[2]);
    if (!mode || wanted < 1) {
        std::fprintf(stderr, "unknown mode or count\n");
        return 2;
    }
    int made = 0;
    for (std::uint64_t seed = 1; made < wanted && seed < 100000; ++seed) {
        GeneratorParameters parameters;
        parameters.Seed = seed;
        parameters.Symmetry = *mode;
        const GenerationResult generated = GenerateMap(parameters);
        if (!generated.Map)
            continue;
        MapGrid grid = generated.Map->Grid;
        MakerRandom random{seed * 7919};
        DrawRectangles(grid, *mode, random);
        if (*mode == SymmetryMode::None && seed % 3 == 0) {
            const int from = random.Below(FactionCount);
            MoveVillage(grid, from, (from + 1 + random.Below(FactionCount - 1)) % FactionCount);
        }
        ShapeMap(grid);
        if (!FindMapProblems(grid).empty())
            continue;
        const FactionAnalysis analysis = AnalyseFactions(grid);
        if (!CastlesReachEachOther(analysis))
            continue;
        if (*mode == SymmetryMode::None) {
            if (!analysis.Balance || *analysis.Balance < 1.15 || *analysis.Balance > 1.6)
                continue;
        } else if (IsAlreadyFair(MeasureFairness(analysis)) || FindAsymmetry(grid, *mode).Count != 0) {
            continue;
        }
        ++made;
        char name[64];
        std::snprintf(name, sizeof name, "/unfair-%03d.map", made);
        const MapImage image = BuildMapImage(grid, TileSet::Verda);
        std::ofstream out(std::string(argv[3]) + name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
        std::printf("%s seed %llu balance %.3f\n", name + 1, static_cast<unsigned long long>(seed),
                    analysis.Balance ? *analysis.Balance : 0.0);
    }
    return made == wanted ? 0 : 1;
}
