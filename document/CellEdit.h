#pragma once
// The common part of every command that changes cells: the list of changes, applied forwards on redo
// and backwards on undo. Only what changed is kept, never a copy of the map.

#include "CellBlock.h"
#include "Document.h"
#include "DrawTools.h"

#include <vector>

namespace tav::edits {

class CellEdit : public DocumentCommand {
public:
    CellEdit(Document* document, const QString& text, std::vector<CellChange> changes);

    void redo() override;
    void undo() override;
    bool IsEmpty() const override { return changes_.empty(); }
    const std::vector<CellChange>& Changes() const { return changes_; }
    // Keeps only the changes inside `area`, for painting inside a selection; before the push only.
    virtual void LimitTo(const CellRect& area);

protected:
    Document* document_;
    std::vector<CellChange> changes_;
};

// What `edit` (a function that changes a copy of the map) would change, without changing anything.
template <class Edit>
std::vector<CellChange> ChangesAfter(const Document& document, Edit&& edit) {
    MapGrid changed = document.Grid();
    edit(changed);
    return document.ChangesTo(changed);
}

// What painting `code` with `tool` (anchor and cell as the edit window gives them) would change, without
// changing anything.
std::vector<CellChange> ToolChanges(const Document& document, DrawTool tool, TileCode code, int anchorX, int anchorY,
                                    int x, int y);
// What `transform` (shaping, unshaping) would change if it were run on the whole map.
std::vector<CellChange> WholeMapChanges(const Document& document, void (*transform)(MapGrid&));

} // namespace tav::edits
