#pragma once
// Generating a playable, fair map from a seed: land and coasts from smooth noise, mountain chains, forests,
// plateaus, lakes and rivers, and four castles, each in its own valley with its houses and fields near it.
//
// Every map the generator returns is shaped, passes the map check, lets every castle reach every other, keeps
// each faction's houses and fields in its own territory, is balanced by the faction analysis (largest
// territory over smallest at most 1.05, nearest-enemy distances within 10 %), is symmetric-equal for the
// chosen mode and meets the asked shares within 5 percentage points. The same parameters give the same bytes
// on every machine: all randomness comes from the seed through the generator's own integer streams.
//
// GenerateMap is a pure function of its parameters and touches no shared state, so the editor can run it on a
// worker thread and drop the result when the user has moved on; the optional flag stops it between stages.

#include "FactionAnalysis.h"
#include "MapGrid.h"
#include "MapShares.h"
#include "Symmetry.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tav {

struct GeneratorParameters {
    std::uint64_t Seed = 0;
    SymmetryMode Symmetry = SymmetryMode::Quarter;
    int Land = 65;      // percent of all 2304 cells
    int Mountains = 12; // this and the next three: percent of the land
    int Forests = 15;
    int Plateaus = 6;
    int Water = 4;   // inland water: lakes, and water shut in by land
    int Houses = 3;  // per faction
    int Fields = 2;  // per faction
    int TileSet = 1; // written into the file only; the map is the same in every set

    bool operator==(const GeneratorParameters&) const = default;
};

// A whole-number parameter with its range and default, named as the command's option.
struct GeneratorRange {
    std::string_view Name;
    int GeneratorParameters::*Field;
    int Min;
    int Max;
    int Default;
};
extern const std::array<GeneratorRange, 8> GeneratorRanges;

// The first parameter outside its range, as "--land must be 30 to 90", or nothing when all are in range.
std::optional<std::string> ParameterProblem(const GeneratorParameters& parameters);

// The figures a generated map must meet, in the order they are checked.
enum class GeneratorFigure : std::uint8_t {
    Rules,      // the map check finds no problem
    Shaped,     // shaping changes nothing
    Reach,      // every castle reaches every other
    HomeGround, // every house and field lies in its faction's territory
    Balance,    // largest territory / smallest <= 1.05
    Distances,  // largest nearest-enemy distance / smallest <= 1.10
    Symmetry,   // symmetric-equal for the mode
    Land,
    Mountains,
    Forests,
    Plateaus,
    Water,
    Houses,
    Fields,
};
constexpr int GeneratorFigureCount = 14;
std::string_view GeneratorFigureName(GeneratorFigure figure); // "balance", "mountains", ...

constexpr int ShareTolerance = 5;  // percentage points
constexpr int BalanceLimit = 105;  // hundredths: largest territory <= 1.05 x smallest
constexpr int DistanceLimit = 110; // hundredths: largest nearest-enemy distance <= 1.10 x smallest

// Each faction's steps to its nearest enemy castle, NoDistance where none is reached.
std::array<int, FactionCount> NearestEnemyDistances(const FactionAnalysis& analysis);

// The first figure a finished map fails, or nothing when it meets them all.
std::optional<GeneratorFigure> FirstFailedFigure(const MapGrid& grid, const GeneratorParameters& parameters);

// How many sub-seeds one generation tries before it gives up.
constexpr int GeneratorAttempts = 12;

struct GeneratedMap {
    MapGrid Grid{}; // shaped
    FactionAnalysis Analysis;
    MapShares Shares;
    int Attempt = 0; // the sub-seed that gave the map, counted from 0
};

struct GenerationResult {
    std::optional<GeneratedMap> Map;
    // Without a map: the figure the attempts failed most often, and whether the flag stopped the search.
    GeneratorFigure Failed = GeneratorFigure::Rules;
    bool Cancelled = false;
};

// Throws std::invalid_argument when ParameterProblem finds one.
GenerationResult GenerateMap(const GeneratorParameters& parameters,
                             const std::atomic<bool>* cancel = nullptr);

} // namespace tav
