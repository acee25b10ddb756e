#pragma once
// A fill: a filled rectangle, a filled ellipse or the same-code flood fill from one cell.

#include "CellEdit.h"

namespace tav::edits {

class FillAreaCommand : public CellEdit {
public:
    FillAreaCommand(Document* document, DrawTool tool, TileCode code, int anchorX, int anchorY, int x, int y);

    // Inside a selection the flood fill treats the selection's border as a wall, as an image editor's does,
    // rather than reaching parts of its region that join only outside.
    void LimitTo(const CellRect& area) override;

private:
    DrawTool tool_;
    TileCode code_;
    int x_;
    int y_;
};

} // namespace tav::edits
