#include "CellEdit.h"

namespace tav::edits {

CellEdit::CellEdit(Document* document, const QString& text, std::vector<CellChange> changes)
    : DocumentCommand(text), document_(document), changes_(std::move(changes)) {}

void CellEdit::redo() {
    document_->WriteCells(changes_, true);
}

void CellEdit::undo() {
    document_->WriteCells(changes_, false);
}

void CellEdit::LimitTo(const CellRect& area) {
    std::erase_if(changes_, [&](const CellChange& c) {
        return !area.Contains(c.Index / MapSize, c.Index % MapSize);
    });
}

std::vector<CellChange> ToolChanges(const Document& document, DrawTool tool, TileCode code, int anchorX, int anchorY,
                                    int x, int y) {
    MapGrid painted = document.Grid();
    ShapeCells cells;
    ApplyToolToGrid(cells, painted, tool, code, anchorX, anchorY, x, y);
    return document.ChangesTo(painted);
}

std::vector<CellChange> WholeMapChanges(const Document& document, void (*transform)(MapGrid&)) {
    MapGrid changed = document.Grid();
    transform(changed);
    return document.ChangesTo(changed);
}

} // namespace tav::edits
