#pragma once
// Moving the cells of a selection: the rectangle it leaves holds the new map's code, and what is moved past
// the map's edge is dropped.

#include "CellEdit.h"

namespace tav::edits {

class MoveCells : public CellEdit {
public:
    MoveCells(Document* document, const CellRect& rect, int dx, int dy);
};

} // namespace tav::edits
