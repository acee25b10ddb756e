#pragma once
// A pen stroke, from press to release: each cell the pen reaches while the button is held merges into
// the stroke's one step.

#include "CellEdit.h"

namespace tav::edits {

class PaintStroke : public CellEdit {
public:
    // Paints `code` at (x, y) as part of stroke number `stroke`; steps of one stroke merge.
    PaintStroke(Document* document, TileCode code, int x, int y, int stroke);

    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    int stroke_;
};

} // namespace tav::edits
