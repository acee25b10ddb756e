#pragma once
// A fill: a filled rectangle, a filled ellipse or the same-code flood fill from one cell. Inside a selection
// the flood fill treats the selection's border as a wall, as an image editor's does, rather than reaching
// parts of its region that join only outside.

#include "CellEdit.h"

namespace tav::edits {

class FillAreaCommand : public CellEdit {
public:
    FillAreaCommand(Document* document, DrawTool tool, TileCode code, int anchorX, int anchorY, int x, int y);
};

} // namespace tav::edits
