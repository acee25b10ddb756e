#pragma once
// A two-point shape (line, rectangle, ellipse, outlined) painted at its second point.

#include "CellEdit.h"

namespace tav::edits {

class PaintShape : public CellEdit {
public:
    PaintShape(Document* document, DrawTool tool, TileCode code, int anchorX, int anchorY, int x, int y);
};

} // namespace tav::edits
