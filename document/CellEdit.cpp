#include "CellEdit.h"

#include "CellGrid.h"

namespace tav::edits {

CellEdit::CellEdit(Document* document, const QString& text, ImageEdit edit, bool mirrored, CrowdedCastles crowded,
                   const CellMask& earlierUserCells)
    : DocumentCommand(text), document_(document), edit_(std::move(edit)),
      mode_(mirrored ? document->Symmetry() : SymmetryMode::None), crowded_(crowded),
      earlierUserCells_(earlierUserCells) {
    MakeChanges(std::nullopt);
}

void CellEdit::MakeChanges(const std::optional<CellRect>& limit) {
    MirroredEdit made = MirroredChanges(document_->Grid(), mode_, limit, edit_, {crowded_, &earlierUserCells_});
    changes_ = std::move(made.Changes);
    refusedCastles_ = std::move(made.RefusedCastles);
    userCells_ = made.UserCells;
}

CellEdit::CellEdit(Document* document, const QString& text, std::vector<CellChange> changes)
    : DocumentCommand(text), document_(document), changes_(std::move(changes)) {}

void CellEdit::redo() {
    document_->WriteCells(changes_, true);
}

void CellEdit::undo() {
    document_->WriteCells(changes_, false);
}

void CellEdit::LimitTo(const CellRect& area) {
    if (edit_) {
        // Worked out again, since a limited fill stops at the selection's border rather than being cut off.
        MakeChanges(area);
        return;
    }
    std::erase_if(changes_, [&](const CellChange& c) {
        return !area.Contains(c.Index / MapSize, c.Index % MapSize);
    });
}

namespace {

// The bucket in one image: its own region, from the image of the clicked cell, on the map as it was.
void FillRegion(EditImage& image, TileCode code, int x, int y) {
    if (!InMap(x, y))
        return;
    const MapCell start = image.Cell({x, y});
    MapGrid walled = image.Before();
    // Inside a selection the fill treats the selection's border as a wall, as an image editor's does, rather
    // than reaching parts of its region that join only outside: every cell outside gets another code.
    if (const auto& limit = image.Limit(); limit && limit->Contains(start.X, start.Y)) {
        const auto wall = static_cast<TileCode>(image.Before(start) + 1);
        for (int cx = 0; cx < MapSize; ++cx)
            for (int cy = 0; cy < MapSize; ++cy)
                if (!limit->Contains(cx, cy))
                    walled[GridIndex(cx, cy)] = wall;
    }
    ShapeCells cells;
    ComputeShape(cells, DrawTool::Bucket, -1, -1, start.X, start.Y);
    FillMarks marks;
    FloodMark(cells, walled, DrawTool::Bucket, -1, -1, start.X, start.Y, marks);
    const TileCode imageCode = image.Code(code);
    for (int cx = 0; cx < MapSize; ++cx)
        for (int cy = 0; cy < MapSize; ++cy)
            if (marks[MarkIndex(cx, cy)] == MarkPaint)
                image.Write({cx, cy}, imageCode);
}

} // namespace

ImageEdit ToolEdit(DrawTool tool, TileCode code, int anchorX, int anchorY, int x, int y) {
    if (tool == DrawTool::Bucket)
        return [=](EditImage& image) { FillRegion(image, code, x, y); };
    return [=](EditImage& image) {
        // The user's cells, worked out once; each image writes their images. Cells that already hold the
        // code are written too, so that no image overwrites them.
        if (tool < DrawTool::Pen || tool > DrawTool::Bucket)
            return;
        ShapeCells cells;
        ComputeShape(cells, tool, anchorX, anchorY, x, y);
        for (int i = 0; i < cells.CellCount; ++i)
            image.WriteImageOf(cells.CellColumns[static_cast<std::size_t>(i)],
                               cells.CellRows[static_cast<std::size_t>(i)], code);
        if (tool != DrawTool::BoxFill && tool != DrawTool::CircleFill)
            return;
        FillMarks marks;
        FloodMark(cells, image.Before(), tool, anchorX, anchorY, x, y, marks);
        for (int cx = 0; cx < MapSize; ++cx)
            for (int cy = 0; cy < MapSize; ++cy)
                if (marks[MarkIndex(cx, cy)] == MarkPaint)
                    image.WriteImageOf(cx, cy, code);
    };
}

std::vector<CellChange> WholeMapChanges(const Document& document, void (*transform)(MapGrid&)) {
    MapGrid changed = document.Grid();
    transform(changed);
    return document.ChangesTo(changed);
}

} // namespace tav::edits
