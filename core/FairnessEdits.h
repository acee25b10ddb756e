#pragma once
// The changes the fairer-map search tries, for its own use: a change is a few cells written with plain codes,
// in every image under the symmetry mode; the changes worth trying are found from the map as it stands and
// its analysis.

#include "FactionAnalysis.h"
#include "MovementRules.h"
#include "Symmetry.h"
#include "MapGrid.h"
#include "Shaping.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tav {

// What the search may change besides moving houses and fields.
enum class TerrainEdits : std::uint8_t {
    Any,        // any cell of plain ground, trees, plateau, water, mountains or the obstacle, to another of them
    AtBorders,  // only where a side neighbour already holds the new kind (ranges, woods and lakes grow or
                // shrink at their border), and never leaving a tile of trees, plateau, water or mountains
                // without a neighbour of its kind among the eight around
};

} // namespace tav

namespace tav::fairness {

// The terrain the search may write, as plain codes.
constexpr TileCode PlainGround = 0;
constexpr TileCode Trees = 1;
constexpr TileCode Plateau = 32;
constexpr TileCode Water = 48;
constexpr TileCode Mountains = 96;
constexpr std::array<TileCode, 6> TerrainKinds = {PlainGround, Trees, Plateau, Water, Mountains, RaisedObstacle};

inline bool IsTerrainKind(TileCode plain) {
    return std::find(TerrainKinds.begin(), TerrainKinds.end(), plain) != TerrainKinds.end();
}
// Kinds whose lone tiles look like noise: the border-only edits never leave one behind.
inline bool IsClusteredKind(TileCode plain) {
    return plain == Trees || plain == Plateau || plain == Water || plain == Mountains;
}
inline bool IsProperty(TileCode code) { return code >= 8 && code <= 15; }
inline bool IsCastleCode(TileCode code) { return code >= 20 && code <= 23; }

// SplitMix64: the same numbers on every machine, unlike the standard distributions.
struct SearchRandom {
    std::uint64_t State;
    std::uint64_t Next() {
        std::uint64_t z = (State += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    template <typename T> void Shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[static_cast<std::size_t>(Next() % i)]);
    }
};


struct CellWrite {
    std::uint16_t Cell = 0;
    TileCode Code = 0; // the plain code written
};

// One change the search tries: a terrain change or a property move, with every image under the mode.
struct Edit {
    std::array<CellWrite, 8> Writes{};
    int Count = 0;
    bool MovesProperty = false;
    std::span<const CellWrite> Cells() const { return std::span<const CellWrite>(Writes).first(static_cast<std::size_t>(Count)); }
};

// The search's options that decide which changes are made and how.
struct EditRules {
    SymmetryMode Mode = SymmetryMode::None;
    MovementCosts Costs;
    TerrainEdits Terrain = TerrainEdits::Any;
};

// What the change makers read: the map as the search has it now, its analysis, the cells the search may
// write and the options.
struct EditScene {
    const MapGrid& Work;
    const FactionAnalysis& Analysis;
    const std::array<bool, MapCells>& Editable;
    const EditRules& Rules;
};

// Adds a write and its images to `edit`; false when an image is not editable, not terrain where terrain is
// wanted (`overTerrain`), or two writes meet.
bool AddWithImages(const EditScene& scene, Edit& edit, std::size_t cell, TileCode plain, bool overTerrain);

// The changes worth trying from the scene: opening blocked cells beside a small faction's land and tunnels
// through thin walls, blocking a large faction's front, dearer or cheaper ground on fronts under a cost table,
// blocking the way between the two nearest castles, and lost or threatened houses and fields moved home. Each
// kind is sampled down to a share of `width` times its base count with `random`.
std::vector<Edit> CandidateEdits(const EditScene& scene, SearchRandom& random, std::size_t width);

} // namespace tav::fairness
