#include "MirroredEdit.h"

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

std::vector<CellChange> MirroredChanges(const MapGrid& before, SymmetryMode mode,
                                        const std::optional<CellRect>& limit, const ImageEdit& edit) {
    constexpr std::int8_t Unwritten = -1;
    std::array<std::int8_t, MapCells> writer;
    writer.fill(Unwritten);
    MapGrid after = before;
    std::vector<std::uint16_t> written; // in the order they were first written
    // The user's own edit first, then the images in order, so that an earlier one keeps every cell it wrote.
    for (int index = 0; index <= SymmetryImageCount(mode); ++index) {
        EditImage image(before, mode, index, limit);
        edit(image);
        for (const EditImage::CellWrite& w : image.Writes()) {
            std::int8_t& by = writer[w.Index];
            if (by == Unwritten) {
                by = static_cast<std::int8_t>(index);
                written.push_back(w.Index);
            } else if (by != index) {
                continue;
            }
            after[w.Index] = w.Code;
        }
    }
    std::vector<CellChange> changes;
    for (const std::uint16_t i : written)
        if (after[i] != before[i])
            changes.push_back({i, before[i], after[i]});
    return changes;
}

} // namespace tav::edits
