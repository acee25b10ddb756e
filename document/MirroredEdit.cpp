#include "MirroredEdit.h"

#include "Shaping.h"

#include <algorithm>
#include <array>

namespace tav::edits {

EditImage::EditImage(const MapGrid& before, SymmetryMode mode, int index, const std::optional<CellRect>& limit)
    : before_(before), mode_(mode), index_(index) {
    if (limit)
        if (const auto inside = ClipToMap(*limit))
            limit_ = Rect(*inside);
    // A limit wholly outside the map lets nothing through.
    if (limit && !limit_)
        limit_ = CellRect{MapSize, MapSize, MapSize, MapSize};
}

CellRect EditImage::Rect(const CellRect& rect) const {
    const MapCell a = Cell({rect.Left, rect.Top});
    const MapCell b = Cell({rect.Right, rect.Bottom});
    return RectFromCorners(a.X, a.Y, b.X, b.Y);
}

void EditImage::Write(MapCell cell, TileCode code) {
    if (!InMap(cell.X, cell.Y) || (limit_ && !limit_->Contains(cell.X, cell.Y)))
        return;
    writes_.push_back({static_cast<std::uint16_t>(CellIndex(cell.X, cell.Y)), code});
}

void EditImage::WriteImageOf(int x, int y, TileCode code) {
    if (InMap(x, y))
        Write(Cell({x, y}), Code(code));
}

namespace {

// The user's castles in `written` (cells image 0 wrote, final codes in `after`) whose blocks would overlap an
// image castle, in reading order: first those too near one of their own images, then, of the rest, those
// too near the image of another that stays.
std::vector<RemovedCastle> CrowdedCastlesOf(const std::vector<std::uint16_t>& written, const MapGrid& after,
                                            SymmetryMode mode) {
    std::vector<MapCell> castles;
    for (const std::uint16_t i : written)
        if (TileClass(after[i]) == CastleClass)
            castles.push_back({i / MapSize, i % MapSize});
    const auto nearImageOf = [mode](MapCell castle, MapCell other) {
        for (int image = 1; image <= SymmetryImageCount(mode); ++image)
            if (BlocksOverlap(castle, ImageCell(mode, image, other)))
                return true;
        return false;
    };
    std::vector<MapCell> crowded;
    std::erase_if(castles, [&](MapCell castle) {
        if (!nearImageOf(castle, castle))
            return false;
        crowded.push_back(castle);
        return true;
    });
    for (const MapCell castle : castles)
        if (std::any_of(castles.begin(), castles.end(), [&](MapCell other) { return nearImageOf(castle, other); }))
            crowded.push_back(castle);
    std::sort(crowded.begin(), crowded.end(),
              [](MapCell a, MapCell b) { return a.Y != b.Y ? a.Y < b.Y : a.X < b.X; });
    std::vector<RemovedCastle> removed;
    for (const MapCell castle : crowded)
        removed.push_back({castle, after[GridIndex(castle.X, castle.Y)]});
    return removed;
}

} // namespace

MirroredEdit MirroredChanges(const MapGrid& before, SymmetryMode mode, const std::optional<CellRect>& limit,
                             const ImageEdit& edit, const MirrorOptions& options) {
    constexpr std::int8_t Unwritten = -1;
    std::array<std::int8_t, MapCells> writer;
    writer.fill(Unwritten);
    MapGrid after = before;
    std::vector<std::uint16_t> written; // in the order they were first written
    MirroredEdit result;
    // Per image, the cells whose writes are dropped: the images of a crowded castle that was skipped.
    std::array<CellMask, 4> skipped{};
    // The user's own edit first, then the images in order, so that an earlier one keeps every cell it wrote.
    for (int index = 0; index <= SymmetryImageCount(mode); ++index) {
        EditImage image(before, mode, index, limit);
        edit(image);
        for (const EditImage::CellWrite& w : image.Writes()) {
            if (index > 0 && (skipped[static_cast<std::size_t>(index)][w.Index] ||
                              (options.EarlierUserCells && (*options.EarlierUserCells)[w.Index])))
                continue;
            std::int8_t& by = writer[w.Index];
            if (by == Unwritten) {
                by = static_cast<std::int8_t>(index);
                written.push_back(w.Index);
            } else if (by != index) {
                continue;
            }
            after[w.Index] = w.Code;
        }
        if (index > 0 || mode == SymmetryMode::None)
            continue;
        result.RefusedCastles = CrowdedCastlesOf(written, after, mode);
        if (result.RefusedCastles.empty())
            continue;
        if (options.Crowded == CrowdedCastles::RefuseEdit)
            return result;
        // The castle's cell keeps its code and stays the user's, so that no image writes it either.
        for (const RemovedCastle& castle : result.RefusedCastles) {
            const auto i = GridIndex(castle.Cell.X, castle.Cell.Y);
            after[i] = before[i];
            for (int k = 1; k <= SymmetryImageCount(mode); ++k) {
                const MapCell imageCell = ImageCell(mode, k, castle.Cell);
                skipped[static_cast<std::size_t>(k)].set(GridIndex(imageCell.X, imageCell.Y));
            }
        }
    }
    for (const std::uint16_t i : written) {
        if (writer[i] == 0)
            result.UserCells.set(i);
        if (after[i] != before[i])
            result.Changes.push_back({i, before[i], after[i]});
    }
    for (const RemovedCastle& castle : result.RefusedCastles)
        result.UserCells.reset(GridIndex(castle.Cell.X, castle.Cell.Y));
    return result;
}

} // namespace tav::edits
