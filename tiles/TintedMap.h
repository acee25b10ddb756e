#pragma once
// A map picture tinted by territory that follows the map cell by cell: after a change it analyses the map
// anew and draws only the cells whose tile or holder changed, so a pen stroke costs the analysis and a
// handful of cells, not the whole picture. The faction analysis window and the edit window's territory
// overlay both keep one.

#include "FactionAnalysis.h"
#include "TileSets.h"

#include <QImage>

#include <optional>
#include <vector>

namespace tav {

class TintedMap {
public:
    // Analyses `grid` and brings Picture() up to date: the map drawn with `tiles` (a loaded tile picture of
    // tile edge `edge`), every open cell blended toward its holder's tint. Returns the cells (CellIndex
    // values) whose pixels changed: every cell the first time, after Forget, and after a change of tile set
    // or edge.
    const std::vector<int>& Follow(const MapGrid& grid, TileSet tileSet, const QImage& tiles, int edge);
    // The tile pictures changed (loaded anew): the next Follow draws every cell.
    void Forget() { whole_ = true; }

    const QImage& Picture() const { return picture_; }
    const FactionAnalysis& Analysis() const { return analysis_; }

private:
    FactionAnalysis analysis_{};
    MapGrid shownGrid_{};
    std::optional<TileSet> shownTileSet_;
    QImage picture_;
    std::vector<int> changed_;
    bool whole_ = true;
};

} // namespace tav
