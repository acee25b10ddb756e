#include "TintedMap.h"

#include "TerritoryTint.h"
#include "TileRender.h"

namespace tav {

std::uint16_t TintedMap::Look(std::size_t cell) const {
    const std::uint16_t tint = kind_ == TintKind::Territory ? analysis_.Holder[cell]
                                                             : static_cast<std::uint8_t>(LeadShadeOf(analysis_, cell));
    return static_cast<std::uint16_t>(tint | static_cast<unsigned>(analysis_.Threat[cell]) << 8);
}

const std::vector<int>& TintedMap::Follow(const MapGrid& grid, TileSet tileSet, const QImage& tiles, int edge) {
    analysis_ = AnalyseFactions(grid, costs_, order_);
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
        const std::uint16_t look = Look(cell);
        if (whole_ || grid[cell] != shownGrid_[cell] || look != shownLooks_[cell])
            changed_.push_back(i);
        shownLooks_[cell] = look;
    }
    const auto tints = FactionTints(tileSet);
    for (const int i : changed_) {
        const auto cell = static_cast<std::size_t>(i);
        const int x = i / MapSize;
        const int y = i % MapSize;
        DrawTile(picture_, x * edge, y * edge, tiles, edge, grid[cell]);
        if (kind_ == TintKind::Territory)
            TintCell(picture_, x, y, edge, analysis_.Holder[cell], tints);
        else
            TintLeadCell(picture_, x, y, edge, static_cast<LeadShade>(shownLooks_[cell] & 0xFF));
        MarkThreat(picture_, x, y, edge, analysis_.Threat[cell]);
    }
    shownGrid_ = grid;
    shownTileSet_ = tileSet;
    whole_ = false;
    return changed_;
}

} // namespace tav
