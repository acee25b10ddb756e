#pragma once
// A fill: a filled rectangle, a filled ellipse or the same-code flood fill from one cell.

#include "CellEdit.h"

namespace tav::edits {

class FillArea : public CellEdit {
public:
    FillArea(Document* document, int tool, TileCode code, int anchorX, int anchorY, int x, int y);
};

} // namespace tav::edits
