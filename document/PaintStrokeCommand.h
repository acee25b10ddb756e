#pragma once
// A pen stroke, from press to release: each stretch the pen moves while the button is held merges into
// the stroke's one step. Under a symmetry mode every cell the user painted in the stroke stays as painted:
// no image of a later stretch writes over it.

#include "CellEdit.h"

namespace tav::edits {

class PaintStrokeCommand : public CellEdit {
public:
    // Paints `code` at (x, y) as part of stroke number `stroke`; steps of one stroke merge.
    PaintStrokeCommand(Document* document, TileCode code, int x, int y, int stroke);
    // Paints `code` on every cell of the straight line from `from` to `to`: a fast move leaves no gaps.
    // `strokeCells` are the cells the user painted earlier in the stroke (UserCells of its stretches).
    PaintStrokeCommand(Document* document, TileCode code, int fromX, int fromY, int toX, int toY, int stroke,
                       const CellMask& strokeCells = {});

    int id() const override { return PaintStrokeMergeId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    int stroke_;
};

} // namespace tav::edits
