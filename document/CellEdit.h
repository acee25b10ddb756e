#pragma once
// The common part of every command that changes cells: the list of changes, applied forwards on redo
// and backwards on undo. Only what changed is kept, never a copy of the map.
//
// A command the user makes on part of the map describes its edit as an ImageEdit; CellEdit then makes it
// in every image of the document's symmetry mode too (MirroredEdit.h). This is the one place where the
// mode reaches the edits. Whole-map commands (shaping, shifting, replacing over the whole map) give their
// changes directly and are never mirrored.

#include "CellBlock.h"
#include "Document.h"
#include "DrawTools.h"
#include "MirroredEdit.h"

#include <optional>
#include <vector>

namespace tav::edits {

class CellEdit : public DocumentCommand {
public:
    // An edit made in every image of the document's symmetry mode, or with `mirrored` false as it is.
    // `options` say what becomes of a crowded castle and which cells stay the user's (MirroredEdit.h).
    CellEdit(Document* document, const QString& text, ImageEdit edit, bool mirrored = true,
             CrowdedCastles crowded = CrowdedCastles::RefuseEdit, const CellMask& earlierUserCells = {});
    // Changes that are made as they are, in no image.
    CellEdit(Document* document, const QString& text, std::vector<CellChange> changes);

    void redo() override;
    void undo() override;
    bool IsEmpty() const override { return changes_.empty(); }
    std::span<const RemovedCastle> RefusedCastles() const override { return refusedCastles_; }
    const std::vector<CellChange>& Changes() const { return changes_; }
    // The cells the user's own edit wrote, not its images'.
    const CellMask& UserCells() const { return userCells_; }
    // Keeps only the changes inside `area`, for painting inside a selection (and in its images the changes
    // inside the selection's images); before the push only.
    void LimitTo(const CellRect& area);

protected:
    Document* document_;
    std::vector<CellChange> changes_;

private:
    void MakeChanges(const std::optional<CellRect>& limit);

    ImageEdit edit_; // empty for changes given directly
    SymmetryMode mode_ = SymmetryMode::None;
    CrowdedCastles crowded_ = CrowdedCastles::RefuseEdit;
    CellMask earlierUserCells_;
    std::vector<RemovedCastle> refusedCastles_;
    CellMask userCells_;
};

// What `edit` (a function that changes a copy of the map) would change, without changing anything.
template <class Edit>
std::vector<CellChange> ChangesAfter(const Document& document, Edit&& edit) {
    MapGrid changed = document.Grid();
    edit(changed);
    return document.ChangesTo(changed);
}

// Painting `code` with `tool` (anchor and cell as the edit window gives them). A shape writes the image of
// every cell it covers; the bucket fills each image's own region from the image of the clicked cell.
ImageEdit ToolEdit(DrawTool tool, TileCode code, int anchorX, int anchorY, int x, int y);
// What `transform` (shaping, unshaping) would change if it were run on the whole map.
std::vector<CellChange> WholeMapChanges(const Document& document, void (*transform)(MapGrid&));

} // namespace tav::edits
