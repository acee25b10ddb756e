#include "TintedMap.h"

#include "TerritoryTint.h"
#include "TileRender.h"

namespace tav {

const std::vector<int>& TintedMap::Follow(const MapGrid& grid, TileSet tileSet, const QImage& tiles, int edge) {
    const auto shownHolders = analysis_.Holder;
    analysis_ = AnalyseFactions(grid);
    changed_.clear();
    const int side = MapSize * edge;
    if (picture_.width() != side || tileSet != shownTileSet_)
        whole_ = true;
    if (whole_) {
        picture_ = QImage(side, side, QImage::Format_RGB32);
        changed_.reserve(MapCells);
    }
    for (int i = 0; i < MapCells; ++i) {
        const auto cell = static_cast<std::size_t>(i);
        if (whole_ || grid[cell] != shownGrid_[cell] || analysis_.Holder[cell] != shownHolders[cell])
            changed_.push_back(i);
    }
    const auto tints = FactionTints(tileSet);
    for (const int i : changed_) {
        const int x = i / MapSize;
        const int y = i % MapSize;
        DrawTile(picture_, x * edge, y * edge, tiles, edge, grid[static_cast<std::size_t>(i)]);
        TintCell(picture_, x, y, edge, analysis_.Holder[static_cast<std::size_t>(i)], tints);
    }
    shownGrid_ = grid;
    shownTileSet_ = tileSet;
    whole_ = false;
    return changed_;
}

} // namespace tav
