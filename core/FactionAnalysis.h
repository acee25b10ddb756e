#pragma once
// Territory, reach and balance of the four factions: which faction reaches each open cell first from its
// castles, how many steps lie between the castles, and how evenly the map divides among them.

#include "MapGrid.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace tav {

constexpr int FactionCount = 4;

// A distance that does not exist: a faction against itself, a missing castle, or no path.
constexpr int NoDistance = -1;

// Who holds a cell: a faction index 0..3, or one of these.
enum CellHolder : std::uint8_t {
    ContestedCell = 4,   // two or more factions reach it first, in the same number of steps
    UnreachableCell = 5, // open, but no castle reaches it
    BlockedCell = 6,     // units cannot enter it
};

struct FactionFigures {
    int CastleCount = 0;
    int Houses = 0;      // cells holding the faction's house, 8 + index
    int Fields = 0;      // cells holding the faction's field, 12 + index
    int Territory = 0;   // open cells this faction reaches in fewer steps than any other
    int InTerritory = 0; // the faction's own houses and fields that lie in its territory
};

struct FactionAnalysis {
    std::array<FactionFigures, FactionCount> Factions{};
    // Distance[i][j]: steps from the nearest castle of faction i to the nearest castle of faction j.
    std::array<std::array<int, FactionCount>, FactionCount> Distance{};
    int Passable = 0;
    int Contested = 0;
    int Unreachable = 0;
    std::optional<double> Balance; // largest territory / smallest; none while any territory is 0
    // Per cell in grid order (x * 48 + y): a faction index or a CellHolder value.
    std::array<std::uint8_t, MapCells> Holder{};

    // The grid indices of the faction's castles, in the map check's scan order (row by row).
    std::span<const std::uint16_t> Castles(int faction) const {
        const auto begin = static_cast<std::size_t>(castleStart_[static_cast<std::size_t>(faction)]);
        const auto end = static_cast<std::size_t>(castleStart_[static_cast<std::size_t>(faction) + 1]);
        return std::span<const std::uint16_t>(castleCells_).subspan(begin, end - begin);
    }

private:
    friend FactionAnalysis AnalyseFactions(const MapGrid& grid);
    std::array<std::uint16_t, MapCells> castleCells_{}; // grouped by faction
    std::array<int, FactionCount + 1> castleStart_{};
};

// Units may enter a cell unless its plain code is one the map check treats as blocking in front of a
// gate; castles, gates and codes 128..255 are open.
bool IsPassableCode(TileCode code);

// Walks from every castle to the four side neighbours through open cells only. Pure; allocates nothing.
FactionAnalysis AnalyseFactions(const MapGrid& grid);

} // namespace tav
