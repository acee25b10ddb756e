#pragma once
// A map picture tinted by the faction analysis that follows the map cell by cell: after a change it analyses
// the map anew and draws only the cells whose tile or look changed, so a pen stroke costs the analysis and a
// handful of cells, not the whole picture. The faction analysis window and the edit window's territory
// overlay both keep one. It measures with a cost table and a turn order, draws the territory or the lead
// picture (先着差), and frames the houses and fields that are threatened or lost.

#include "FactionAnalysis.h"
#include "TileSets.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace tav {

// What the tint of a TintedMap shows.
enum class TintKind : std::uint8_t {
    Territory, // each open cell toward its holder's colour, ties hatched (TintCell)
    Lead,      // each open cell by its holder's lead over the next faction (TintLeadCell)
};

class TintedMap {
public:
    // Analyses `grid` and brings Picture() up to date: the map drawn with `tiles` (a loaded tile picture of
    // tile edge `edge`), every open cell tinted as the kind in force says, the threatened and lost houses and
    // fields framed. Returns the cells (CellIndex values) whose pixels changed: every cell the first time,
    // after Forget, and after a change of tile set, edge or kind.
    const std::vector<int>& Follow(const MapGrid& grid, TileSet tileSet, const QImage& tiles, int edge);
    // The tile pictures changed (loaded anew): the next Follow draws every cell.
    void Forget() { whole_ = true; }
    // What the next Follow measures with; the cells whose look changes are drawn again then.
    void SetRules(const MovementCosts& costs, const TurnOrder& order) {
        costs_ = costs;
        order_ = order;
    }
    void SetKind(TintKind kind) {
        if (kind != kind_)
            whole_ = true;
        kind_ = kind;
    }
    TintKind Kind() const { return kind_; }

    const QImage& Picture() const { return picture_; }
    const FactionAnalysis& Analysis() const { return analysis_; }

private:
    // What a cell looks like apart from its tile: its tint's index and its threat, in one number.
    std::uint16_t Look(std::size_t cell) const;

    FactionAnalysis analysis_{};
    MovementCosts costs_;
    TurnOrder order_;
    TintKind kind_ = TintKind::Territory;
    MapGrid shownGrid_{};
    std::array<std::uint16_t, MapCells> shownLooks_{};
    std::optional<TileSet> shownTileSet_;
    QImage picture_;
    std::vector<int> changed_;
    bool whole_ = true;
};

} // namespace tav
