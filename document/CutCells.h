#pragma once
// The map side of a cut: the selection is left holding the new map's code (the copy is the clipboard's).

#include "CellEdit.h"

namespace tav::edits {

class CutCells : public CellEdit {
public:
    CutCells(Document* document, const CellRect& rect);
};

} // namespace tav::edits
